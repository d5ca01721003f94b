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

# BRAVOK_WINE_DPI=N: the program runs on a desktop scaled to N dots per inch
# (96 is 100 %, 192 is 200 %), as Windows' display settings set it for a user.
# Wine reads it as a program starts; it is the prefix's, so the caller runs
# nothing else meanwhile, and the prefix's own scale comes back after.
if [[ -n ${WINEPREFIX:-} && -n ${BRAVOK_WINE_DPI:-} ]]; then
    desktop='HKCU\Control Panel\Desktop'
    trap 'wine reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1 || true' EXIT
    trap 'exit 143' TERM INT  # a time-out too puts the scale back
    wine reg add "$desktop" /v LogPixels /t REG_DWORD /d "$BRAVOK_WINE_DPI" /f >/dev/null
    status=0
    wine "$@" || status=$?
    exit "$status"
fi

# With the run's prefix the program runs in it. Once in a while (seen once in
# a whole run of the Windows tests, beside another Wine program starting) Wine
# ends a program with a failure before it has run at all, so that it says
# nothing: such a start, and only such a one, is tried once more, and says so.
if [[ -n ${WINEPREFIX:-} ]]; then
    said=$(mktemp)
    trap 'rm -f "$said"' EXIT
    for attempt in 1 2; do
        {
            wine "$@" 2>&1 | tee "$said"
            status=${PIPESTATUS[0]}
        } || true
        ((status != 0 && attempt == 1)) && [[ ! -s $said ]] || break
        echo "wine-run: $1 ended with status $status before it said anything; starting it again" >&2
    done
    exit "$status"
fi

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/bravok-wine.XXXXXX")
export WINEPREFIX
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
status=0
wine "$@" || status=$?
exit "$status"
