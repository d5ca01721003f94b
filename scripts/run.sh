#!/usr/bin/env bash
# Starts the game that `make build` made, from the folder that holds its data.
# Without a display it runs the game on a virtual X server for a few seconds
# instead and saves a screenshot of it.
set -euo pipefail

# The checkout this script lies in, also when it is reached through a link.
top=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
# BRAVOK_BUILD_DIR: another build folder's game, a sanitizer build's for one.
build=${BRAVOK_BUILD_DIR:-$top/build}
binary="$build/src/app/bravok"
data="$top/data"
[[ -x $binary ]] || { echo "run: $binary is missing; build it with 'make build'" >&2; exit 1; }

# The game reads cylinder.vtx and rifle_shot.wav from the folder it starts in.
# A folder of one's own with a cylinder.vtx in it is used as it is.
if [[ ! -f cylinder.vtx ]]; then cd "$data"; fi

if [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; then
    exec "$binary"
fi

shot="$build/bravok-screenshot.png"
echo "run: no display here, so Bravok runs for a few seconds on a virtual X server."
"$top/scripts/with-xvfb.sh" --wm "$top/scripts/screenshot.sh" "$binary" "$shot"
echo "run: screenshot saved to $shot"
