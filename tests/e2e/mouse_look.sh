# A click holds the mouse: the pointer stays inside the view and moving it
# turns the view; the left button fires. Escape lets it go.
source "$(dirname "$0")/lib.sh"
start_game

xdotool mousemove --sync "$CENTRE_X" "$CENTRE_Y"
edge_free=$(ceiling_edge "$(shot look-free)" $((VIEW_X + 10)))
xdotool click 1
sleep 0.5
# A click at the centre of the view, where mouse-look starts from, turns nothing.
edge_held=$(ceiling_edge "$(shot look-held)" $((VIEW_X + 10)))
((edge_held == edge_free)) || fail "the click at the centre turned the view ($edge_free -> $edge_held)"
xdotool mousemove 0 0
sleep 0.5
eval "$(xdotool getmouselocation --shell)"
((X >= VIEW_X && X < VIEW_X + VIEW_W && Y >= VIEW_Y && Y < VIEW_Y + VIEW_H)) ||
    fail "the captured pointer left the view: $X,$Y"

xdotool mousemove --sync "$CENTRE_X" "$CENTRE_Y"
sleep 0.5
edge_before=$(ceiling_edge "$(shot look-before)" $((VIEW_X + 10)))
xdotool mousemove_relative -- 0 40  # down: the view tilts down
sleep 0.5
edge_after=$(ceiling_edge "$(shot look-after)" $((VIEW_X + 10)))
((edge_before > 0 && edge_after >= 0 && edge_after < edge_before - 5)) ||
    fail "moving the mouse down did not tilt the view ($edge_before -> $edge_after)"

silence_sound
xdotool click 1
wait_for $((3 * SLOWDOWN)) sound_played || fail "the left button did not fire in mouse-look"

xdotool key Escape
sleep 0.3
xdotool mousemove 3 3
sleep 0.3
eval "$(xdotool getmouselocation --shell)"
((X == 3 && Y == 3)) || fail "after Escape the pointer is still held: $X,$Y"
close_game 1
