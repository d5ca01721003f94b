# Options > Grid swaps the ring for the grid within a tick; Options > Crosshair
# brings the ring back.
source "$(dirname "$0")/lib.sh"
start_game

# A point 0.45 units out on the horizontal axis: on the grid, beyond the ring.
probe_x=$((CENTRE_X + VIEW_W / 2 * 45 / 175))
green_near "$(shot ring)" "$probe_x" "$CENTRE_Y" && fail "the ring reaches 0.45 units"

xdotool key --delay 150 alt+o g
sleep 0.3
grid=$(shot grid)
green_near "$grid" "$probe_x" "$CENTRE_Y" || fail "no grid axis after Options > Grid"
green_near "$grid" "$CENTRE_X" $((CENTRE_Y - VIEW_H / 2 * 80 / 175)) || fail "no vertical grid axis"

xdotool key --delay 150 alt+o c
sleep 0.3
green_near "$(shot ring-again)" "$probe_x" "$CENTRE_Y" && fail "the grid stayed after Options > Crosshair"
close_game 1
