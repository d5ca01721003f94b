# A game whose window is stuck (here: its X server stopped) still ends on the
# second SIGTERM, at once and by the signal's own action.
source "$(dirname "$0")/lib.sh"
start_game
trap 's=$?; kill -CONT "$XVFB_PID"; (exit $s); finish' EXIT
kill -STOP "$XVFB_PID"
kill -TERM "$GAME_PID"
# Taking the first signal gives SIGTERM its own action back.
term_caught() { (((16#$(awk '/^SigCgt/ {print $2}' /proc/"$GAME_PID"/status) >> 14) & 1)); }
wait_for 2 eval '! term_caught' || true
kill -TERM "$GAME_PID"
wait_ended 1 || fail "the game did not end within a second of the second SIGTERM"
wait "$GAME_PID" && fail "the game ended with status 0, not by SIGTERM"
(($? == 128 + 15)) || fail "the game did not end by SIGTERM"
GAME_PID=
