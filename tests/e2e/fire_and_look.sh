# Ctrl fires the shot; holding Ctrl and Z together (an accelerator of the
# window) goes on firing and looks down.
source "$(dirname "$0")/lib.sh"
start_game

silence_sound
sleep 0.3
sound_played && fail "sound before any shot"
# Ctrl counts while it is held down at a tick: hold it for a few ticks.
xdotool keydown ctrl
sleep 0.2
xdotool keyup ctrl
wait_for $((3 * SLOWDOWN)) sound_played || fail "Ctrl played no sound"

edge_before=$(ceiling_edge "$(shot ctrl-z-before)" $((VIEW_X + 10)))
silence_sound
xdotool keydown ctrl
xdotool keydown z
sleep 0.4
xdotool keyup z
xdotool keyup ctrl
sleep 0.3
edge_after=$(ceiling_edge "$(shot ctrl-z-after)" $((VIEW_X + 10)))
((edge_after < edge_before - 5)) || fail "Z with Ctrl held did not look down ($edge_before -> $edge_after)"
wait_for $((3 * SLOWDOWN)) sound_played || fail "Ctrl held with Z played no sound"
close_game 1
