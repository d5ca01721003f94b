# On a display without OpenGL the game says why, in a message box and on its
# error output, and ends with a failure status instead of crashing.
source "$(dirname "$0")/lib.sh"
launch_game "$DATA"
GAME_PID=$!
wait_for 30 xdotool search --onlyvisible --name '^Bravok$' || fail "no message box"
box=$(xdotool search --onlyvisible --name '^Bravok$' | head -1)
# Closed through the window manager, which needs no keyboard focus; a slow
# start may need another try.
for _ in 1 2 3 4 5; do wmctrl -i -c "$box" || true; wait_ended 2 && break; done
status=0
wait "$GAME_PID" || status=$?
GAME_PID=
((status != 0 && status < 128)) || fail "status $status: expected a plain failure"
grep OpenGL "$WORK/game.log" || fail "no word of OpenGL on the error output"
if [[ -n ${BRAVOK_E2E_WINE:-} ]]; then end_own_desktop; fi
