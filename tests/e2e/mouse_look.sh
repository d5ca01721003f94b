# A click holds the mouse, at any display scale: the pointer stays inside the
# view, also after a menu, and moving it turns the view; the left button fires.
# Escape lets it go.
source "$(dirname "$0")/lib.sh"
start_game

xdotool mousemove "$CENTRE_X" "$CENTRE_Y"
xdotool click 1
xdotool mousemove 5000 5000
inside() {
    eval "$(xdotool getmouselocation --shell)"
    ((X >= VIEW_X && X < VIEW_X + VIEW_W && Y >= VIEW_Y && Y < VIEW_Y + VIEW_H))
}
wait_for 3 inside || fail "the captured pointer left the view: $X,$Y"

xdotool mousemove "$CENTRE_X" "$CENTRE_Y"
wait_for 5 steady || fail "the view never came to rest"
xdotool mousemove_relative -- 0 40  # down: the view tilts down
edge_becomes -lt $((before - 5)) ||
    fail "moving the mouse down did not tilt the view; $(xdotool getmouselocation)"

silence_sound
xdotool click 1
wait_for 3 sound_played || fail "the left button did not fire in mouse-look"

# A menu takes the pointer while it is open; mouse-look holds it again after.
xdotool key F10 && wait_for 5 menu_open || fail "F10 opened no menu"
xdotool key Escape && wait_for 5 eval '! menu_open' || fail "Escape did not close the menu"
xdotool mousemove 5000 5000
wait_for 3 inside || fail "after a menu the pointer left the view: $X,$Y"

xdotool key Escape
free_at() { xdotool mousemove 3 3 && eval "$(xdotool getmouselocation --shell)" && ((X == 3 && Y == 3)); }
wait_for 3 free_at || fail "after Escape the pointer is still held: $X,$Y"
close_game
