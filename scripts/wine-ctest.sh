#!/usr/bin/env bash
# wine-ctest.sh BUILD_DIR [ctest arguments]: runs ctest in BUILD_DIR with one
# Wine server kept running through the run, serving every Windows program of it,
# in the prefix and on the X server that windows-tests.sh made for the run.
set -euo pipefail
build=$1
shift
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
start=$SECONDS
wineboot --init >/dev/null 2>&1
echo "Wine prefix made in $((SECONDS - start)) s"
cd "$build"
ctest "$@"
