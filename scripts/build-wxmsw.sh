#!/usr/bin/env bash
# build-wxmsw.sh: builds wxWidgets' Windows port (wxMSW) as static 64-bit
# libraries with the MinGW-w64 cross compiler, from Debian's own wxwidgets3.2
# source package, into the user's cache folder, and prints that folder. The
# folder's name holds the wx version and a hash of the compiler and the build
# flags, so a change of either builds afresh beside the old one; a folder whose
# build finished (it has its .complete mark) is used as it is.
#
# The source comes through apt's source download with a sources list and state
# folders of this script's own: the machine's apt configuration is not touched.
# The -posix compilers are named on purpose: only MinGW's POSIX thread model
# gives the game std::thread and std::mutex.
set -euo pipefail

host=x86_64-w64-mingw32
cc=$host-gcc-posix
cxx=$host-g++-posix
jobs=${JOBS:-$(nproc)}
cache=${XDG_CACHE_HOME:-$HOME/.cache}/bravok
suite=${WXMSW_SUITE:-bookworm}
mirror=${WXMSW_MIRROR:-http://deb.debian.org/debian}

# Only what the game uses: the core, base and OpenGL libraries, no image
# formats beyond BMP and ICO (which need no library), no XML, HTML or network.
configure_flags=(
    --host=$host --with-msw --with-opengl --disable-shared
    --without-libpng --without-libjpeg --without-libtiff --without-zlib --without-expat
    --without-regex --without-liblzma --without-libcurl --without-nanosvg
    --disable-svg --disable-xrc --disable-html --disable-webview
    --disable-mediactrl --disable-richtext --disable-aui --disable-propgrid --disable-ribbon
    --disable-stc --disable-webrequest --disable-sockets --disable-protocols --disable-url
    --disable-fs_inet --disable-debugreport --disable-richtooltip --disable-sound
    --disable-precomp-headers
)

for tool in "$cc" "$cxx"; do
    command -v "$tool" >/dev/null || {
        echo "build-wxmsw: $tool is missing (package g++-mingw-w64-x86-64-posix)" >&2
        exit 1
    }
done

# A private apt: its own sources list (deb-src only), lists and cache.
apt_dir=$cache/apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/archives/partial"
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $suite main" \
    >"$apt_dir/sources.list"
apt_opts=(
    -o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=/nonexistent"
    -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir" -o "Dir::State::status=/var/lib/dpkg/status"
    -o "Debug::NoLocking=1" -o "APT::Sandbox::User=$(id -un)"
)
if ! compgen -G "$apt_dir/lists/*Sources*" >/dev/null; then
    apt-get "${apt_opts[@]}" -qq update >&2
fi
version=$(apt-cache "${apt_opts[@]}" showsrc wxwidgets3.2 | sed -n 's/^Version: //p' | sort -V | tail -n1)
[[ -n $version ]] || { echo "build-wxmsw: no wxwidgets3.2 source in $suite" >&2; exit 1; }
upstream=${version%%+*}
upstream=${upstream%%-*}

hash=$( { "$cxx" --version | head -n1; echo "$version"; printf '%s\n' "${configure_flags[@]}"; } |
    sha256sum | cut -c1-12)
prefix=$cache/wxmsw-$upstream-$hash
if [[ -e $prefix/.complete ]]; then
    echo "$prefix"
    exit 0
fi

work=$(mktemp -d "$cache/wxmsw-build.XXXXXX")
trap 'rm -rf "$work"' EXIT
echo "build-wxmsw: building wxMSW $version into $prefix (takes a while)" >&2
(cd "$work" && apt-get "${apt_opts[@]}" -qq source --download-only "wxwidgets3.2=$version" >&2 &&
    dpkg-source --no-check -x ./*.dsc src >/dev/null)
mkdir -p "$work/build"
cd "$work/build"
rm -rf "$prefix"
../src/configure --prefix="$prefix" CC="$cc" CXX="$cxx" "${configure_flags[@]}" \
    >configure.log 2>&1 || { tail -n 40 configure.log >&2; exit 1; }
make -j "$jobs" >make.log 2>&1 || { tail -n 40 make.log >&2; exit 1; }
make install >install.log 2>&1 || { tail -n 40 install.log >&2; exit 1; }
touch "$prefix/.complete"
echo "$prefix"
