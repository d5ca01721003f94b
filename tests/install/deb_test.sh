#!/usr/bin/env bash
# The Debian package as a user meets it: cpack builds it in BUILD_DIR, apt-get
# installs it, the game starts from its desktop entry's command line in an
# unrelated folder on a virtual X server and shows the room, the model and the
# crosshair; then `apt-get remove` takes it away and no file of it may be left.
# Installs and removes a package on this machine, so it needs root or sudo.
#   deb_test.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd)
if [[ $(id -u) -ne 0 ]]; then sudo=sudo; else sudo=; fi
fail() {
    echo "test-deb: FAIL: $*" >&2
    exit 1
}
installed() { [[ $(dpkg-query -W -f='${db:Status-Status}' bravok 2>/dev/null) == installed ]]; }

# A bravok that the user installed is theirs: this test would replace it and then
# remove it, so it stops before touching anything.
if installed; then
    fail "bravok $(dpkg-query -W -f='${Version}' bravok) is installed on this machine, and this" \
        "test would replace and then remove it; it is left as it is and the test stops here." \
        "Run the test where no bravok package is installed (or remove it: apt-get remove bravok)."
fi

work=$(mktemp -d)
ours=0  # set once this test has installed the package
# A failed run must not leave the package on the machine either.
cleanup() {
    local status=$?
    if ((status != 0 && ours)) && installed; then
        echo "test-deb: removing the package after the failure"
        DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq bravok >/dev/null || true
    fi
    rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT

rm -f "$build"/bravok_*.deb
(cd "$build" && cpack -G DEB) || fail "cpack could not make the package"
debs=("$build"/bravok_*.deb)
[[ ${#debs[@]} == 1 && -f ${debs[0]} ]] || fail "cpack made no single bravok_*.deb"
deb=${debs[0]}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[[ $(dpkg-deb -f "$deb" Package) == bravok ]] || fail "the package is not named bravok"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] ||
    fail "package version $(dpkg-deb -f "$deb" Version), project version $version"
depends=$(dpkg-deb -f "$deb" Depends)
echo "test-deb: $deb"
echo "test-deb: Depends: $depends"
for library in libwxgtk3.2 libwxgtk-gl3.2 libsdl2 libx11 libopengl0; do
    grep -q "$library" <<<"$depends" || fail "the package does not depend on $library"
done

ours=1
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$deb" || fail "apt-get could not install $deb"
installed || fail "bravok is not installed after apt-get install"
dpkg -L bravok >"$work/files"

[[ $(command -v bravok) == /usr/bin/bravok ]] || fail "bravok on the PATH is $(command -v bravok)"
[[ $(man -w 6 bravok) == /usr/share/man/man6/bravok.6.gz ]] || fail "man 6 bravok does not find the page"
bash "$here/desktop_files.sh" /usr
command=$(sed -n 's/^Exec=//p' /usr/share/applications/bravok.desktop)
echo "test-deb: the desktop entry's command: $command"

"$top/tests/support/with-xvfb.sh" --wm bash "$here/installed_game.sh" \
    "$command" /usr/share/bravok "$build/tests/install/deb-screenshots"

DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq bravok || fail "apt-get could not remove bravok"
installed && fail "bravok is still installed"
# Not even as "config-files": the package has no configuration to keep.
if dpkg-query -W -f='${db:Status-Abbrev}' bravok 2>/dev/null | grep -qv '^un'; then
    fail "dpkg still knows bravok: $(dpkg-query -W -f='${db:Status-Abbrev}' bravok)"
fi
left=()
while read -r path; do
    [[ -e $path || -L $path ]] || continue
    # A folder may stay when another package owns it or holds files in it.
    if [[ -d $path && ! -L $path ]]; then
        dpkg -S "$path" >/dev/null 2>&1 && continue
        [[ -n $(ls -A "$path") ]] && continue
    fi
    left+=("$path")
done <"$work/files"
((${#left[@]} == 0)) || fail "left behind after removal: ${left[*]}"
echo "test-deb: installed, ran from the desktop entry's command, removed without a trace"
