# The window as it opens, at any display scale: a view filled with the lit
# room and no black, the green ring at the view's centre,
# the red model swinging through it; Options > Grid and > Crosshair swap them.
# Without a sound device, the game's one line about it is all its start prints
# (on Windows nothing: the system plays its sounds without one).
source "$(dirname "$0")/lib.sh"
SOUND_DEVICE=$WORK/no/device.raw
start_game
if [[ -n $SOUND_OFF_WORDS ]]; then
    wait_for 10 grep -qF "$SOUND_OFF_WORDS" "$WORK/game.log" || fail "no word that the sound is off"
fi
[[ $(<"$WORK/game.log") == "$SOUND_OFF_WORDS" ]] || fail "the start printed more: $(<"$WORK/game.log")"
f=$(shot start)
(($(count "$f" 'r<0.02 && g<0.02 && b<0.02') == 0)) || fail "black in the view"
# The ring's radius is 0.2 of the 1.75 units that half the view spans 3.5 units ahead.
green_near "$f" $((CENTRE_X + VIEW_W / 2 * 20 / 175)) "$CENTRE_Y" || fail "no ring at its radius"
probe_x=$((CENTRE_X + VIEW_W / 2 * 45 / 175))  # on the grid's axis, beyond the ring
green_near "$f" "$probe_x" "$CENTRE_Y" && fail "green beyond the ring's cross"
is_grey "$f" $((VIEW_X + 3)) $((VIEW_Y + 3)) || fail "the room is not lit grey at the top left"

# The model swings through the view about once a second.
red_mask() { convert "$(shot model)" -crop "${VIEW_W}x${VIEW_H}+${VIEW_X}+${VIEW_Y}" -sample 25% -fx "$RED" gray:- | md5sum; }
first=$(red_mask)
model_moved() { [[ $(red_mask) != "$first" ]] && (($(count "$ARTIFACTS/model.png" "$RED") > 50)); }
wait_for 10 model_moved || fail "the red model did not show moving"

xdotool key --delay 150 alt+o g
grid_shown() { green_near "$(shot grid)" "$probe_x" "$CENTRE_Y"; }
wait_for 3 grid_shown || fail "no grid after Options > Grid"
xdotool key --delay 150 alt+o c
wait_for 3 eval '! grid_shown' || fail "the grid stayed after Options > Crosshair"
close_game
