#!/usr/bin/env bash
# The game installed under a prefix with a space, a % and a $: validated, started
# from its desktop entry, its launcher (also through a link, and where a model of
# its own lies), scripts/run.sh through a link, and the test presets' sanitizer
# options from such a path. On a virtual X server:
#   installed.sh CMAKE BUILD_DIR SOURCE_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cmake=$1 build=$2 source=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SDL_AUDIODRIVER=dummy HOME=$work
odd="$work/My Games/100% \$HOME" root=$work/root
prefix=$odd/prefix
mkdir -p "$odd" "$work/empty" "$work/own" "$work/bin"

DESTDIR=$root "$cmake" --install "$build" --prefix "$prefix" >/dev/null
[[ -z $(find "$root" -type f | grep -vF "$root$prefix/") ]] || fail "files outside the prefix"
[[ -z $(grep -rlF "$root" "$root") ]] || fail "files name the DESTDIR: $(grep -rlF "$root" "$root")"
mv "$root$prefix" "$prefix"
for f in cylinder.vtx rifle_shot.wav; do cmp "$source/data/$f" "$prefix/share/bravok/$f"; done
entry=$prefix/share/applications/bravok.desktop
out=$(desktop-file-validate "$entry" 2>&1) && [[ -z $out ]] || fail "desktop-file-validate: $out"
out=$(appstreamcli validate --no-net --pedantic --no-color "$prefix"/share/metainfo/*.xml 2>&1) &&
    ! grep -E '^[EWIP]: ' <<<"$out" || fail "appstreamcli: $out"
out=$(zcat "$prefix/share/man/man6/bravok.6.gz" | groff -man -Tutf8 -ww -z 2>&1) && [[ -z $out ]] ||
    fail "groff: $out"
zcat "$prefix/share/man/man6/bravok.6.gz" | grep -qF "$prefix/share/bravok" ||
    fail "the manual page does not name the data folder"

cd "$work/empty"
gio launch "$entry" || fail "gio could not launch the desktop entry"
expect_game "$prefix/libexec/bravok/bravok" "$prefix/share/bravok" "the desktop entry"
ln -s "$prefix/bin/bravok" "$work/bin/bravok"
"$work/bin/bravok" &
expect_game "$prefix/libexec/bravok/bravok" "$prefix/share/bravok" "the launcher through a link"
: >"$work/own/cylinder.vtx"
(cd "$work/own" && exec "$prefix/bin/bravok") &
expect_game "$prefix/libexec/bravok/bravok" "$work/own" "a folder with a model of its own"
mv "$prefix/share/bravok" "$work/gone"
status=0
out=$("$prefix/bin/bravok" 2>&1) || status=$?
((status == 1)) && grep -qF "bravok: the game's data is missing: $prefix/" <<<"$out" ||
    fail "without its data, the launcher ended with $status and said: $out"

ln -s "$source/scripts/run.sh" "$odd/run"
BRAVOK_BUILD_DIR=$build "$odd/run" &
expect_game "$(readlink -f "$build/src/app/bravok")" "$source/data" "run.sh through a link"

# Sanitizer options split at spaces unless their values are quoted, and each
# sanitizer refuses to start without its suppression file: the test presets'
# options, from such a path, start a program built with each.
mkdir -p "$odd/checkout/tests"
cp "$source/CMakePresets.json" "$odd/checkout/"
cp "$source"/tests/*.supp "$odd/checkout/tests/"
for sanitizer in thread address; do
    echo 'int main(void) { return 0; }' | clang -fsanitize=$sanitizer -x c - -o "$work/$sanitizer"
    preset=${sanitizer:0:1}san
    mkdir -p "$odd/checkout/build-$preset"
    echo "add_test(starts [[$work/$sanitizer]])" >"$odd/checkout/build-$preset/CTestTestfile.cmake"
    (cd "$odd/checkout" && ctest --preset $preset -Q) ||
        fail "the $sanitizer sanitizer did not take the test preset's options"
done
echo "installed under \"$prefix\": valid, and the game starts from every way in"
