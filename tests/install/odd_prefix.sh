#!/usr/bin/env bash
# Installed under a prefix with a space and a % in it, the game still starts from
# its desktop entry: GLib's launcher (`gio launch`) reads the Exec line by the
# desktop entry rules and the game's window appears. Run on a virtual X server:
#   odd_prefix.sh CMAKE BUILD_DIR
set -euo pipefail
cmake=$1 build=$2
work=$(mktemp -d)
game=
trap '[[ -n $game ]] && kill "$game" 2>/dev/null; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
prefix="$work/My Games/100% \$HOME bravok"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
entry="$prefix/share/applications/bravok.desktop"
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
grep '^Exec=' "$entry"

cd "$work"
SDL_AUDIODRIVER=dummy gio launch "$entry" || fail "gio could not launch the entry"
for _ in $(seq 300); do
    game=$(xdotool search --onlyvisible --name '^Bravok$' getwindowpid 2>/dev/null | head -1) || true
    [[ -n $game ]] && break
    sleep 0.1
done
[[ -n $game ]] || fail "no game window from the desktop entry's command"
[[ $(readlink "/proc/$game/exe") == "$prefix/libexec/bravok/bravok" ]] ||
    fail "the window is $(readlink "/proc/$game/exe")'s"
echo "started from a desktop entry under \"$prefix\""
