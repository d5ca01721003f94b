# Started in a folder without cylinder.vtx the game runs without the model;
# File > Exit ends it, and, with nothing to keep, writes no settings in a new
# home folder.
source "$(dirname "$0")/lib.sh"
empty=$(mktemp -d)
export HOME=$WORK/new-account && mkdir "$HOME" && unset XDG_CONFIG_HOME
start_game "$empty"

f=$(shot no-model)
(($(count "$f" "$RED") == 0)) || fail "red in the view without a mesh file"
is_grey "$f" $((VIEW_X + 3)) $((VIEW_Y + 3)) || fail "no room"

xdotool key --delay 150 alt+f x
expect_clean_end "File > Exit"
[[ ! -e $HOME/.config/Bravok.conf ]] || fail "settings written with nothing to keep"
rmdir "$empty"
