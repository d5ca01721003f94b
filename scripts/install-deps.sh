#!/usr/bin/env bash
# Installs the Debian packages Bravok needs to build, test and run, and nothing
# that is there already. Safe to run again and again.
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ pkg-config make
    # libraries
    libwxgtk3.2-dev libsdl2-dev libgl-dev libegl-dev libgl1-mesa-dri libegl-mesa0
    # tests, benchmarks, fuzzing
    libgtest-dev libgmock-dev libbenchmark-dev clang
    # the Windows syntax check: mingw-w64 with posix threads (std::thread, std::mutex)
    g++-mingw-w64-x86-64-posix
    # end-to-end tests and screenshots
    xvfb xauth xdotool imagemagick openbox x11-utils wmctrl
    # a non-English locale for the loader's locale test
    locales
    # installing: the desktop files' validators, the manual page, the Debian package
    desktop-file-utils appstream man-db groff-base dpkg-dev file
)

if [[ $(id -u) -ne 0 ]]; then sudo=sudo; else sudo=; fi
# Installs those of the given packages that are not installed yet.
install_missing() {
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    ((${#missing[@]})) || return 0
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
install_missing "${packages[@]}"
# The fuzzers link clang's sanitizer and libFuzzer runtime, which comes in a
# package named after clang's major version: the one of the clang installed.
install_missing "libclang-rt-$(clang -dumpversion | cut -d. -f1)-dev"

# The loader must read numbers the same way under a German locale; make sure one
# exists to test with.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    $sudo sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
    $sudo locale-gen >/dev/null
fi
