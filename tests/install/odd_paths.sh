#!/usr/bin/env bash
# Paths with a space, a % or a $ in them: the game installed under such a prefix
# starts from its desktop entry through GLib's launcher (`gio launch`), which
# reads the Exec line by the desktop entry rules; scripts/run.sh starts the game
# when reached through a link; the Makefile hands the sanitizers their
# suppression files from a checkout at such a path. Run on a virtual X server:
#   odd_paths.sh CMAKE BUILD_DIR SOURCE_DIR
set -euo pipefail
cmake=$1 build=$2 source=$3
work=$(mktemp -d)
game=
trap '[[ -n $game ]] && kill "$game" 2>/dev/null; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
export SDL_AUDIODRIVER=dummy
# Waits for the game's window, then checks that PROGRAM shows it, from FOLDER.
expect_game() {
    game=
    for _ in $(seq 300); do
        game=$(xdotool search --onlyvisible --name '^Bravok$' getwindowpid 2>/dev/null | head -1) || true
        [[ -n $game ]] && break
        sleep 0.1
    done
    [[ -n $game ]] || fail "no game window ($3)"
    [[ $(readlink "/proc/$game/exe") == "$1" && $(readlink "/proc/$game/cwd") == "$2" ]] ||
        fail "$3: the game is $(readlink "/proc/$game/exe") in $(readlink "/proc/$game/cwd")"
    kill "$game" && while kill -0 "$game" 2>/dev/null; do sleep 0.1; done
    game=
}
odd="$work/My Games/100% \$HOME"
mkdir -p "$odd"
cd "$work"

"$cmake" --install "$build" --prefix "$odd/prefix" >/dev/null
entry="$odd/prefix/share/applications/bravok.desktop"
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
gio launch "$entry" || fail "gio could not launch the entry"
expect_game "$odd/prefix/libexec/bravok/bravok" "$odd/prefix/share/bravok" "the desktop entry"

ln -s "$source/scripts/run.sh" "$odd/run"
BRAVOK_BUILD_DIR=$build "$odd/run" &
expect_game "$(readlink -f "$build/src/app/bravok")" "$source/data" "run.sh through a link"

# Sanitizer options split at spaces unless their values are quoted; each
# sanitizer refuses to start without its suppression file.
mkdir -p "$odd/checkout/tests" "$odd/checkout/build-tsan" "$odd/checkout/build-asan"
cp "$source/Makefile" "$odd/checkout/"
cp "$source"/tests/*.supp "$odd/checkout/tests/"
for sanitizer in thread address; do
    echo 'int main(void) { return 0; }' | clang -fsanitize=$sanitizer -x c - -o "$work/$sanitizer"
done
make -s -C "$odd/checkout" test-tsan -o tsan-build CTEST="$work/thread" CTEST_ARGS= ||
    fail "ThreadSanitizer did not take the Makefile's options"
make -s -C "$odd/checkout" test-asan -o asan-build CTEST="$work/address" CTEST_ARGS= ||
    fail "AddressSanitizer did not take the Makefile's options"
echo "the game starts from odd paths, and the sanitizers find their suppressions"
