#!/usr/bin/env bash
# A launcher whose data folder is gone says so and fails, instead of starting the
# game into an empty room.
#   launcher_without_data.sh INSTALLED_PREFIX
set -euo pipefail
top=$1
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A copy of the tree with the program but without share/bravok.
mkdir -p "$work/tree/bin" "$work/tree/libexec/bravok" "$work/elsewhere"
cp "$top/bin/bravok" "$work/tree/bin/"
cp "$top/libexec/bravok/bravok" "$work/tree/libexec/bravok/"
status=0
err=$(cd "$work/elsewhere" && DISPLAY='' "$work/tree/bin/bravok" 2>&1) || status=$?
((status == 1)) || fail "status $status, not 1, without the data folder"
grep -q "bravok: the game's data is missing: .*share/bravok/cylinder.vtx" <<<"$err" ||
    fail "no word about the missing data: $err"
echo "launcher refuses to start without its data"
