#!/usr/bin/env bash
# The installed game started through its launcher, as the desktop entry and a
# terminal start it: from folders that are not its own it still runs in its data
# folder and shows the red model and the crosshair; from a folder with a model of
# its own it stays there. Run on a virtual X server:
#   installed_game.sh LAUNCHER INSTALLED_DATA_DIR ARTIFACT_DIR
source "$(dirname "$0")/../e2e/lib.sh"
LAUNCHER=$BRAVOK
installed_data=$(readlink -f "$DATA")

# Settings go to a home of the test's own, not the real one, laid out as a
# desktop account's is.
export HOME=$WORK/home
unset XDG_CONFIG_HOME
mkdir -p "$HOME/.config"

# Where the running game is, and which program it is: the launcher must have
# replaced itself with the real program, not left a shell in between.
game_folder() { readlink "/proc/$GAME_PID/cwd"; }
game_program() { readlink "/proc/$GAME_PID/exe"; }
check_real_program() {
    [[ $(basename "$(game_program)") == bravok && $(game_program) != "$(readlink -f "$BRAVOK")" ]] ||
        fail "the game's process is $(game_program), not the installed program"
}

# From an empty folder: the room, the swinging model and the crosshair.
empty=$WORK/empty
mkdir "$empty"
start_game "$empty"
[[ $(game_folder) == "$installed_data" ]] || fail "the game runs in $(game_folder), not $installed_data"
check_real_program
red_shots=0
for i in 1 2 3 4 5 6 7 8; do
    f=$(shot "installed-$i")
    (($(count_red "$f") > 50)) && red_shots=$((red_shots + 1))
    sleep 0.2
done
((red_shots >= 2)) || fail "the red model showed in $red_shots of eight shots"
green_near "$f" "$CENTRE_X" "$CENTRE_Y" || fail "no green crosshair at the view's centre"
is_grey "$f" $((VIEW_X + 3)) $((VIEW_Y + 3)) || fail "the room is not lit grey"
close_game 2
# wx keeps its settings in the XDG place, written at exit.
[[ -f $HOME/.config/Bravok.conf ]] || fail "no settings file at ~/.config/Bravok.conf after exit"

# Through a link elsewhere on the PATH, as people link programs into ~/bin.
mkdir "$WORK/bin"
ln -s "$(readlink -f "$LAUNCHER")" "$WORK/bin/bravok"
BRAVOK=$WORK/bin/bravok
start_game "$empty"
[[ $(game_folder) == "$installed_data" ]] || fail "through a link, the game runs in $(game_folder)"
close_game 2

# A folder with a cylinder.vtx of its own is used as it is. This one holds no
# triangles, so the room stays empty where the installed model would show.
own=$(readlink -f "$WORK")/own-model
mkdir "$own"
: >"$own/cylinder.vtx"
BRAVOK=$LAUNCHER
start_game "$own"
[[ $(game_folder) == "$own" ]] || fail "with a model of its own, the game runs in $(game_folder)"
for i in 1 2 3 4 5 6; do
    f=$(shot "installed-own-model-$i")
    (($(count_red "$f") == 0)) || fail "red in the view: the installed model, not the folder's own"
    sleep 0.2
done
close_game 2
echo "the installed game runs from its data folder and shows the model"
