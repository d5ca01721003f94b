#!/usr/bin/env bash
# install-deps.sh [--check] GROUP...: installs the Debian packages of the named
# groups that are missing, and nothing that is there already; safe to run again
# and again. With --check it installs nothing: it names what is missing, says
# which command installs it, and fails.
#
#   game      building the game and running it on a desktop (make run)
#   headless  running it on a virtual X server where there is no desktop
#   test      everything the Linux tests, sanitizers, fuzzers and package need
#   windows   the cross-build and its tests under Wine (make windows)
set -euo pipefail

check_only=
if [[ ${1:-} == --check ]]; then check_only=1 && shift; fi
(($#)) || set -- game test

declare -A groups=(
    [game]="cmake ninja-build g++ pkg-config make
        libwxgtk3.2-dev libsdl2-dev libgl-dev libegl-dev libgl1-mesa-dri libegl-mesa0 x11-utils"
    [headless]="xvfb xauth xdotool imagemagick openbox"
    # GoogleTest, Benchmark, clang for the fuzzers, the X tools and Python
    # modules the end-to-end driver uses, a German locale for the loader's
    # locale test, the validators of the installed files and the package tools,
    # and a compiler cache that lets the four Linux builds share their work.
    [test]="libgtest-dev libgmock-dev libbenchmark-dev clang
        g++-mingw-w64-x86-64-posix
        xvfb xauth xdotool imagemagick openbox x11-utils wmctrl x11-xkb-utils
        python3 python3-pytest python3-pil python3-xlib
        locales desktop-file-utils appstream man-db groff-base dpkg-dev file ccache"
    # MinGW-w64 with POSIX threads (only that thread model has std::thread and
    # std::mutex), dpkg-source for wx's source package, GoogleTest's sources,
    # NSIS for the installer, 64-bit Wine for the tests.
    [windows]="g++-mingw-w64-x86-64-posix dpkg-dev debian-archive-keyring googletest nsis wine wine64"
)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

wanted=()
for group in "$@"; do
    [[ -n ${groups[$group]:-} ]] || { echo "install-deps: no group '$group'" >&2 && exit 2; }
    read -r -d '' -a packages <<<"${groups[$group]}" || true
    wanted+=("${packages[@]}")
    # The fuzzers link clang's sanitizer and libFuzzer runtime, which comes in a
    # package named after the major version of the clang installed.
    if [[ $group == test ]] && command -v clang >/dev/null; then
        wanted+=("libclang-rt-$(clang -dumpversion | cut -d. -f1)-dev")
    fi
done

missing=()
for package in "${wanted[@]}"; do
    installed "$package" || [[ " ${missing[*]} " == *" $package "* ]] || missing+=("$package")
done
needs_locale=
if [[ " $* " == *" test "* ]] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    needs_locale=1
fi

if [[ -n $check_only ]]; then
    ((${#missing[@]} == 0)) && [[ -z $needs_locale ]] && exit 0
    ((${#missing[@]})) && echo "Missing packages: ${missing[*]}" >&2
    [[ -n $needs_locale ]] && echo "Missing locale: de_DE.UTF-8 (the loader's locale test)" >&2
    echo "'make deps' installs them (or 'make test', which installs them and runs every test)." >&2
    exit 1
fi

if [[ $(id -u) -ne 0 ]]; then sudo=sudo; else sudo=; fi
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
    # clang came just now: its runtime's package is named after its version.
    if [[ " $* " == *" test "* ]] && ! installed "libclang-rt-$(clang -dumpversion | cut -d. -f1)-dev"; then
        exec "$0" "$@"
    fi
fi

# The loader must read numbers the same way under a German locale.
if [[ -n $needs_locale ]]; then
    $sudo sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
    $sudo locale-gen >/dev/null
fi
