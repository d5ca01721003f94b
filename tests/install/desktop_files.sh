#!/usr/bin/env bash
# The installed desktop entry and AppStream metadata pass their validators with
# nothing to say: no error, no warning, no hint.
#   desktop_files.sh INSTALLED_PREFIX
set -euo pipefail
top=$1
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

entry=$top/share/applications/bravok.desktop
out=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate failed: $out"
[[ -z $out ]] || fail "desktop-file-validate: $out"

metainfo=$top/share/metainfo/io.github.bravok.bravok.metainfo.xml
out=$(appstreamcli validate --no-net --pedantic --no-color "$metainfo" 2>&1) ||
    fail "appstreamcli validate failed: $out"
echo "$out"
# Pedantic remarks are listed with a "P:" tag; none are expected either.
grep -E '^[EWIP]: ' <<<"$out" && fail "appstreamcli has remarks on the metadata"
# The desktop entry it launches is the one installed beside it.
grep -q '<launchable type="desktop-id">bravok.desktop</launchable>' "$metainfo" ||
    fail "the metadata does not launch bravok.desktop"
echo "desktop entry and metadata valid"
