# Holding Up walks towards the far wall: the top of the view turns from ceiling
# to wall. Holding Z looks down.
source "$(dirname "$0")/lib.sh"
start_game

top_x=$CENTRE_X top_y=$((VIEW_Y + 3))
before=$(pixel "$(shot before-walk)" "$top_x" "$top_y")
xdotool keydown Up
sleep 1
xdotool keyup Up
sleep 0.3
after=$(pixel "$(shot after-walk)" "$top_x" "$top_y")
[[ $before != "$after" ]] || fail "walking forward did not change the view ($before)"
close_game 1
