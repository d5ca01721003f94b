# The window as it opens: its title and size, the lit room, the green ring at
# the view's centre, and the red model swinging through the view.
source "$(dirname "$0")/lib.sh"
start_game

[[ $(xdotool getwindowname "$WIN") == Bravok ]] || fail "the title is not Bravok"
read -r left right top bottom <<<"$(xprop -id "$WIN" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,/ /g')"
outer_w=$((FRAME_W + left + right)) outer_h=$((FRAME_H + top + bottom))
((outer_w == 500 && outer_h == 500)) || fail "outer size ${outer_w}x${outer_h}, not 500x500"

start=$(shot start)
green_near "$start" "$CENTRE_X" "$CENTRE_Y" || fail "no green crosshair at the view's centre"
# The ring's radius is 0.2 of the 1.75 units that half the view spans 3.5 units ahead.
ring_dx=$((VIEW_W / 2 * 20 / 175))
green_near "$start" $((CENTRE_X + ring_dx)) "$CENTRE_Y" || fail "no ring at its radius"
green_near "$start" $((CENTRE_X + VIEW_W / 2 * 45 / 175)) "$CENTRE_Y" && fail "green beyond the ring's cross"
is_grey "$start" $((VIEW_X + 3)) $((VIEW_Y + 3)) || fail "the room is not lit grey at the top left"
is_grey "$start" $((VIEW_X + VIEW_W - 4)) $((VIEW_Y + 3)) || fail "the room is not lit grey at the top right"

# The model swings through the middle of the view about once a second.
columns=()
for i in 1 2 3 4 5 6 7 8; do
    f=$(shot "model-$i")
    if (($(count_red "$f") > 50)); then columns+=("$(red_column "$f")"); fi
    sleep 0.2
done
((${#columns[@]} >= 2)) || fail "the red model showed in fewer than two of eight shots"
moved=0
for c in "${columns[@]}"; do ((c - columns[0] > 5 || columns[0] - c > 5)) && moved=1; done
((moved)) || fail "the red model did not move: columns ${columns[*]}"

close_game 1
