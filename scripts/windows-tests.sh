#!/usr/bin/env bash
# windows-tests.sh BUILD_DIR [ctest arguments]: runs the Windows build's tests
# as Windows programs under Wine. The run makes a Wine prefix of its own, new
# each time (in BUILD_DIR/wine-prefix), and one virtual X server with a window
# manager, which every Windows program of the run shows its windows on.
set -euo pipefail
build=$(cd "$1" && pwd)
shift
here=$(cd "$(dirname "$0")" && pwd)

source "$here/wine-env.sh"
export WINEPREFIX=$build/wine-prefix
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
# A screen that holds the game's window on a desktop scaled to 200 %, as the
# scaled runs have it.
export XVFB_ARGS="-screen 0 1600x1200x24 ${XVFB_ARGS:-}"
exec "$here/with-xvfb.sh" --wm "$here/wine-ctest.sh" "$build" "$@"
