#!/usr/bin/env bash
# screenshot.sh GAME SHOT: starts the game on this X server, lets it run for a
# few seconds, saves a picture of the screen to SHOT and ends the game.
set -euo pipefail
"$1" &
game=$!
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Bravok$' 2>/dev/null | head -1) && [[ -n $window ]] && break
    sleep 0.1
done
[[ -n ${window:-} ]] && xdotool windowmove "$window" 40 40
sleep 3
import -window root "$2"
kill -TERM "$game"
wait "$game"
