# Another window taking the focus pauses the game and giving it back resumes
# it; closing the window ends the game at once, even paused with the mouse held.
source "$(dirname "$0")/lib.sh"
start_game

view_signature() { convert "$1" -crop "${CANVAS_W}x${CANVAS_H}+${CANVAS_X}+${CANVAS_Y}" +repage -depth 8 rgb:- | md5sum; }
# The swing shows somewhere in every few shots while the game runs.
changes() {
    local previous="" count=0
    for i in 1 2 3 4 5 6; do
        s=$(view_signature "$(shot "$1-$i")")
        [[ -n $previous && $s != "$previous" ]] && count=$((count + 1))
        previous=$s
        sleep 0.25
    done
    echo "$count"
}
(($(changes running) > 0)) || fail "the view never changed while running"

xmessage -name other -geometry 200x100+600+500 "another window" &
other_pid=$!
wait_for 10 xdotool search --onlyvisible --name '^other$' || fail "no other window"
other=$(xdotool search --onlyvisible --name '^other$' | head -1)
xdotool windowactivate --sync "$other"
sleep 0.5
(($(changes paused) == 0)) || fail "the game went on while another window had the focus"

xdotool windowactivate --sync "$WIN"
sleep 0.3
(($(changes resumed) > 0)) || fail "the game did not resume with the focus"

# Hold the mouse, then give the focus away again, and close.
xdotool mousemove --sync "$CENTRE_X" "$CENTRE_Y"
xdotool click 1
sleep 0.3
xdotool windowactivate "$other" || true
sleep 0.5
close_game 1
kill "$other_pid" 2>/dev/null || true
