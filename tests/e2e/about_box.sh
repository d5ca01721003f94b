# Help > About opens the About box as a dialog of the main window, centred
# over it, while the game runs on behind it and reads the keys; Escape closes
# it. Stopping the game with the box open still ends it cleanly.
source "$(dirname "$0")/lib.sh"
start_game

about_open() { xdotool search --onlyvisible --name '^About Bravok$'; }
xdotool key --delay 150 alt+h a
wait_for 10 about_open || fail "no About box"
about=$(about_open | head -1)
xprop -id "$about" WM_TRANSIENT_FOR | grep -q "window id" || fail "the box is not a dialog of the window"
read -r ax ay aw ah <<<"$(window_box "$about")"
((ax + aw / 2 - FRAME_X - FRAME_W / 2 < 20 && FRAME_X + FRAME_W / 2 - ax - aw / 2 < 20)) ||
    fail "the box is not centred over the window"
turn=$(edge turn)
xdotool keydown Right  # the game reads the keys while the box has them
edge_becomes -ne "$turn" || fail "Right held with the About box open did not turn the view"
xdotool keyup Right key Escape
wait_for 5 eval '! about_open' || fail "Escape did not close the About box"

xdotool key --delay 150 alt+h a
wait_for 10 about_open || fail "no About box the second time"
end_from_outside "with the About box open"
