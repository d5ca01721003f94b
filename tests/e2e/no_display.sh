#!/usr/bin/env bash
# Without a display the game says so and fails, instead of crashing.
set -uo pipefail
output=$(env -u DISPLAY -u WAYLAND_DISPLAY GDK_BACKEND=x11 "$1" 2>&1)
status=$?
((status != 0)) || { echo "FAIL: exit status 0 without a display"; exit 1; }
((status < 128)) || { echo "FAIL: the game crashed (status $status)"; exit 1; }
grep -qi 'display' <<<"$output" || { echo "FAIL: no message about the display: $output"; exit 1; }
echo "ok: $output"
