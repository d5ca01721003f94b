# Another window taking the focus pauses the game and giving it back resumes
# it; closing the window ends the game at once, even paused with the mouse held.
source "$(dirname "$0")/lib.sh"
start_game

# Running, the view soon differs: shots at random moments, out of step with the model's swing.
view() { convert "$(shot view)" -crop "${VIEW_W}x${VIEW_H}+${VIEW_X}+${VIEW_Y}" rgb:- | md5sum; }
changes() { local b && b=$(view) && for _ in {1..12}; do sleep 0.$((RANDOM % 5)) && [[ $(view) != "$b" ]] && return; done && false; }
changes || fail "the view never changed while running"

xmessage -name other -geometry 200x100+600+500 "another window" &
wait_for 10 xdotool search --onlyvisible --name '^other$' || fail "no other window"
xdotool windowactivate --sync "$(xdotool search --onlyvisible --name '^other$' | head -1)"
wait_for 10 eval '! changes' && ! changes || fail "the game went on while another window had the focus"

xdotool windowactivate --sync "$WIN"
changes || fail "the game did not resume with the focus"

xdotool mousemove --sync "$CENTRE_X" "$CENTRE_Y" click 1
xdotool windowactivate "$(xdotool search --onlyvisible --name '^other$' | head -1)" || true
close_game
