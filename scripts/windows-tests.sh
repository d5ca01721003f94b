#!/usr/bin/env bash
# windows-tests.sh BUILD_DIR [ctest arguments]: runs the Windows build's tests
# as Windows programs under Wine. The run makes a Wine prefix of its own, new
# each time (in BUILD_DIR/wine-prefix), and one virtual X server with a window
# manager, which every Windows program of the run shows its windows on; one
# Wine server, kept running through the run, serves them all.
set -euo pipefail

build=$(cd "$1" && pwd)
shift
here=$(cd "$(dirname "$0")" && pwd)

export WINEPREFIX=$build/wine-prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"

# A screen that holds the game's window on a desktop scaled to 200 %, as the
# scaled runs have it.
export XVFB_ARGS="-screen 0 1600x1200x24 ${XVFB_ARGS:-}"
# shellcheck disable=SC2016
exec "$here/with-xvfb.sh" --wm bash -c '
    set -euo pipefail
    build=$1
    shift
    wineserver -p
    trap "wineserver -k 2>/dev/null || true" EXIT
    start=$SECONDS
    wineboot --init >/dev/null 2>&1
    echo "Wine prefix made in $((SECONDS - start)) s"
    cd "$build"
    ctest "$@"
' windows-tests "$build" "$@"
