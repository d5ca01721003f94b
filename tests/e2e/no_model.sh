# Started in a folder without cylinder.vtx the game runs without the model;
# File > Exit ends it, and keeps its settings even where, as on a new account,
# the settings folder does not exist yet.
source "$(dirname "$0")/lib.sh"
empty=$(mktemp -d)
export XDG_CONFIG_HOME=$WORK/new-account/.config
start_game "$empty"

f=$(shot no-model)
(($(count "$f" "$RED") == 0)) || fail "red in the view without a mesh file"
is_grey "$f" $((VIEW_X + 3)) $((VIEW_Y + 3)) || fail "no room"

xdotool key --delay 150 alt+f x
expect_clean_end "File > Exit"
[[ -f $XDG_CONFIG_HOME/Bravok.conf ]] || fail "no settings file in a new settings folder"
rmdir "$empty"
