#!/usr/bin/env bash
# wine-run.sh program.exe args: runs a Windows program of the cross-build under
# Wine and exits with its status. CMake uses it to run the test programs (to list
# their tests, and for ctest).
#
# The program runs in the Wine prefix WINEPREFIX names: the test run makes one
# for itself (scripts/windows-tests.sh). Without one, a throw-away prefix is made
# for this call alone, which is slow but touches nothing of the user's.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

# With the run's prefix the program takes this process's place, so that its
# caller can wait for it and end it by this process id.
[[ -n ${WINEPREFIX:-} ]] && exec wine "$@"

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/bravok-wine.XXXXXX")
export WINEPREFIX
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
status=0
wine "$@" || status=$?
exit "$status"
