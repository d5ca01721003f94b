#!/usr/bin/env bash
# The Debian package as a user meets it: built, installed, started from its desktop
# entry, removed without a trace. With a bravok package of the user's installed, it
# says so and stops before touching anything.
# Needs root or sudo.
#   deb_test.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
build=$(cd "$1" && pwd)
if [[ $(id -u) -ne 0 ]]; then sudo=sudo; else sudo=; fi
installed() { [[ $(dpkg-query -W -f='${db:Status-Status}' bravok 2>/dev/null) == installed ]]; }
if installed; then
    fail "bravok $(dpkg-query -W -f='${Version}' bravok) is installed on this machine, and this" \
        "test would replace and then remove it; it is left as it is and the test stops here." \
        "Run the test where no bravok package is installed (or remove it: apt-get remove bravok)."
fi
apt() { DEBIAN_FRONTEND=noninteractive $sudo apt-get -y -qq "$@"; }
work=$(mktemp -d)
# A failed run takes away the package it installed.
trap 'status=$?; ((status)) && installed && apt remove bravok; rm -rf "$work"; exit $status' EXIT

rm -f "$build"/bravok_*.deb
(cd "$build" && cpack -G DEB >/dev/null) || fail "cpack could not make the package"
deb=$(echo "$build"/bravok_*.deb)
[[ -f $deb ]] || fail "cpack made no single bravok_*.deb"

apt install "$deb" || fail "apt-get could not install $deb"
dpkg -L bravok >"$work/files"
[[ $(command -v bravok) == /usr/bin/bravok ]] || fail "bravok on the PATH is $(command -v bravok)"
(cd "$work" && SDL_AUDIODRIVER=dummy gio launch /usr/share/applications/bravok.desktop)
expect_game /usr/libexec/bravok/bravok /usr/share/bravok "the package's desktop entry"

apt remove bravok || fail "apt-get could not remove bravok"
# Not even as "config-files": the package has no configuration to keep.
[[ -z $(dpkg-query -W -f='${db:Status-Abbrev}' bravok 2>/dev/null | grep -v '^un') ]] ||
    fail "dpkg still knows bravok"
# A folder may stay when another package owns it or holds files in it.
while read -r path; do
    [[ -e $path || -L $path ]] || continue
    [[ -d $path && ! -L $path ]] && { dpkg -S "$path" >/dev/null 2>&1 || [[ -n $(ls -A "$path") ]]; } &&
        continue
    fail "left behind after removal: $path"
done <"$work/files"
echo "test-deb: installed, started from the desktop entry, removed without a trace"
