# Another window taking the focus pauses the game and giving it back resumes
# it; closing the window ends the game at once, even paused with the mouse held.
source "$(dirname "$0")/lib.sh"
start_game

# Running, the view soon differs from how it was (the model swings out of sight and back).
view() { convert "$(shot view)" -crop "${VIEW_W}x${VIEW_H}+${VIEW_X}+${VIEW_Y}" rgb:- | md5sum; }
changes() { local before && before=$(view) && wait_for "$1" eval '[[ $(view) != "$before" ]]'; }
changes 5 || fail "the view never changed while running"

xmessage -name other -geometry 200x100+600+500 "another window" &
wait_for 10 xdotool search --onlyvisible --name '^other$' || fail "no other window"
xdotool windowactivate --sync "$(xdotool search --onlyvisible --name '^other$' | head -1)"
wait_for 10 eval '! changes 3' && ! changes 3 || fail "the game went on while another window had the focus"

xdotool windowactivate --sync "$WIN"
changes 5 || fail "the game did not resume with the focus"

xdotool mousemove --sync "$CENTRE_X" "$CENTRE_Y" click 1
xdotool windowactivate "$(xdotool search --onlyvisible --name '^other$' | head -1)" || true
close_game
