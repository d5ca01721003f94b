#!/usr/bin/env bash
# The installed manual page renders without a warning and tells what the README
# does: the controls, the menu commands, the files read and the settings kept.
#   manual_page.sh ROOT PREFIX VERSION
set -euo pipefail
root=$1 prefix=$2 version=$3
top=$root$prefix
page=$top/share/man/man6/bravok.6.gz
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

gzip -t "$page" || fail "$page is not a good gzip file"
groff_says=$(zcat "$page" | groff -man -Tutf8 -ww -z 2>&1)
[[ -z $groff_says ]] || fail "groff warns: $groff_says"
warnings=$(mktemp)
trap 'rm -f "$warnings"' EXIT
# One line of words: a phrase may be broken across two lines of the page.
text=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l "$page" 2>"$warnings" | col -b |
    tr -s ' \n' '  ')
[[ ! -s $warnings ]] || fail "man warns: $(cat "$warnings")"

# The page names the folders as installed, without the DESTDIR.
# shellcheck disable=SC2088
for needle in "bravok - small first-person 3D demo game" "Bravok $version" \
    "Up, Down" "Left, Right" "Shift+Up, Shift+Down" "Shift+Left, Shift+Right" "A, Z" "Ctrl" \
    "Escape" "mouse-look" "left button fires" \
    "File > New" "File > Save" "File > Exit" "Options > Crosshair" "Options > Grid" \
    "Help > About Bravok" \
    "cylinder.vtx" "rifle_shot.wav" "~/.config/Bravok.conf" "$prefix/share/bravok"; do
    grep -qF -- "$needle" <<<"$text" || fail "the page does not say \"$needle\""
done
grep -qF -- "$root" <<<"$text" && fail "the page names the DESTDIR $root"
echo "manual page renders cleanly"
