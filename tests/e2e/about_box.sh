# Help > About opens the About box while the game runs on behind it; Escape
# closes it. Stopping the game with the box open still ends it cleanly.
source "$(dirname "$0")/lib.sh"
start_game

xdotool key --delay 150 alt+h a
wait_for 10 xdotool search --onlyvisible --name '^About Bravok$' || fail "no About box"
about=$(xdotool search --onlyvisible --name '^About Bravok$' | head -1)
shot about >/dev/null
xdotool key Escape
wait_for 5 bash -c "! xdotool search --onlyvisible --name '^About Bravok\$'" || fail "Escape did not close the About box"

xdotool key --delay 150 alt+h a
wait_for 10 xdotool search --onlyvisible --name '^About Bravok$' || fail "no About box the second time"
kill -TERM "$GAME_PID"
wait_ended 2 || fail "the game did not end on SIGTERM with the About box open"
status=0
wait "$GAME_PID" || status=$?
GAME_PID=
((status == 0)) || fail "status $status"
