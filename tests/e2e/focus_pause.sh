# Another window taking the focus pauses the game and giving it back resumes
# it; closing the window ends the game at once, even paused with the mouse held.
source "$(dirname "$0")/lib.sh"
start_game

# The model swings out of the view and back about once a second, so two shots
# a moment apart may both miss it while the game runs. Running: the view comes
# to differ from how it was when the wait began. Paused: it stays the same for
# longer than the model can be out of sight.
view() { convert "$(shot view)" -crop "${VIEW_W}x${VIEW_H}+${VIEW_X}+${VIEW_Y}" rgb:- | md5sum; }
differs_from() { [[ $(view) != "$1" ]]; }
runs() { local before && before=$(view) && wait_for 5 differs_from "$before"; }
still() { local before && before=$(view) && for _ in {1..8}; do sleep 0.25 && ! differs_from "$before" || return; done; }
runs || fail "the view never changed while running"

xmessage -name other -geometry 200x100+600+500 "another window" &
wait_for 10 xdotool search --onlyvisible --name '^other$' || fail "no other window"
xdotool windowactivate --sync "$(xdotool search --onlyvisible --name '^other$' | head -1)"
wait_for 10 still || fail "the game went on while another window had the focus"
still || fail "the game moved while another window had the focus"

xdotool windowactivate --sync "$WIN"
runs || fail "the game did not resume with the focus"

xdotool mousemove --sync "$CENTRE_X" "$CENTRE_Y" click 1
xdotool windowactivate "$(xdotool search --onlyvisible --name '^other$' | head -1)" || true
close_game
