#!/usr/bin/env bash
# The installed tree holds exactly the expected files, each of the right kind, and
# the desktop entry points at the prefix's launcher and data folder.
#   layout.sh ROOT PREFIX SOURCE_DATA_DIR VERSION
set -euo pipefail
root=$1 prefix=$2 data=$3 version=$4
top=$root$prefix
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

expected=(
    bin/bravok
    libexec/bravok/bravok
    share/applications/bravok.desktop
    share/bravok/cylinder.vtx
    share/bravok/rifle_shot.wav
    share/doc/bravok/copyright
    share/icons/hicolor/128x128/apps/bravok.png
    share/icons/hicolor/16x16/apps/bravok.png
    share/icons/hicolor/32x32/apps/bravok.png
    share/icons/hicolor/48x48/apps/bravok.png
    share/icons/hicolor/64x64/apps/bravok.png
    share/man/man6/bravok.6.gz
    share/metainfo/io.github.bravok.bravok.metainfo.xml
)
# Nothing outside the prefix, and nothing more or less inside it.
outside=$(cd "$root" && find . ! -type d | { grep -v "^\.$prefix/" || true; })
[[ -z $outside ]] || fail "installed outside $prefix: $outside"
actual=$(cd "$top" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
diff <(printf '%s\n' "${expected[@]}" | LC_ALL=C sort) <(echo "$actual") ||
    fail "the installed files differ from the expected list (< expected, > installed)"

# The launcher is a script on the PATH; the program it starts is the real one.
[[ -x $top/bin/bravok && $(head -c 9 "$top/bin/bravok") == '#!/bin/sh' ]] ||
    fail "bin/bravok is not an executable shell script"
[[ -x $top/libexec/bravok/bravok && $(head -c 4 "$top/libexec/bravok/bravok") == $'\x7fELF' ]] ||
    fail "libexec/bravok/bravok is not an executable program"
for f in cylinder.vtx rifle_shot.wav; do
    cmp "$data/$f" "$top/share/bravok/$f" || fail "share/bravok/$f is not data/$f"
    [[ ! -x $top/share/bravok/$f ]] || fail "share/bravok/$f is executable"
done

# Each icon is a PNG of the size its folder names.
for dir in "$top"/share/icons/hicolor/*/apps; do
    size=$(basename "$(dirname "$dir")")
    [[ $(identify -format '%m %wx%h' "$dir/bravok.png") == "PNG $size" ]] ||
        fail "$dir/bravok.png is not a $size PNG"
done

# The desktop entry names where the files are once installed, without DESTDIR.
entry=$top/share/applications/bravok.desktop
field() { sed -n "s/^$1=//p" "$entry"; }
[[ $(field Exec) == "$prefix/bin/bravok" ]] || fail "Exec=$(field Exec), not $prefix/bin/bravok"
[[ $(field Path) == "$prefix/share/bravok" ]] || fail "Path=$(field Path), not $prefix/share/bravok"
[[ $(field Icon) == bravok ]] || fail "Icon=$(field Icon), not bravok"
grep -q "$root" "$entry" && fail "the desktop entry names the DESTDIR"

# The metadata carries the project's version and the legal notice.
metainfo=$top/share/metainfo/io.github.bravok.bravok.metainfo.xml
grep -q "<release version=\"$version\" date=\"[0-9]\{4\}-[0-9]\{2\}-[0-9]\{2\}\"/>" "$metainfo" ||
    fail "the metadata's release is not $version with a date"
grep -q "Copyright (C) 2026 the Bravok developers" "$metainfo" || fail "no legal notice in the metadata"
grep -q "Copyright (C) 2026 the Bravok developers" "$top/share/doc/bravok/copyright" ||
    fail "no legal notice in share/doc/bravok/copyright"
echo "layout: ${#expected[@]} files as expected under $prefix"
