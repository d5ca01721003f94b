# lib.sh's steps for the Windows program under Wine (sourced at its end when
# BRAVOK_E2E_WINE is set). Wine on a virtual X server shows none of the OpenGL
# view, so the game saves each frame it draws (BRAVOK_FRAME_DUMP) and every
# screenshot is the real screen with that frame laid over the view's place:
# the window, menus, dialogs and pointer are the screen's, the view the game's.
# The sound goes through Wine's ALSA output into a file (an .asoundrc in a
# home folder of the test's own). Wine opens the device for each sound, and the
# file would start anew each time: the sound is added to its end instead.
DUMP=$WORK/frame.ppm DUMP_SEEN=
mkdir -p "$WORK/home"
cat >"$WORK/home/.asoundrc" <<EOF
pcm.!default { type file; slave.pcm "null"; file "|cat >>'$WORK/sound.raw'"; format "raw" }
EOF

WINDOW_LIMIT=60  # Wine starts its own services first
SOUND_OFF_WORDS=  # PlaySound opens no device up front
launch_game() {
    (cd "$1" && exec env HOME="$WORK/home" BRAVOK_FRAME_DUMP="$DUMP" \
        "$(dirname "$0")/../../scripts/wine-run.sh" "$BRAVOK") >"$WORK/game.log" 2>&1 &
}

# The frame from the screen, the view from the saved frame: the picture, and
# its centre, which as on Linux counts the status bar's strip to the view.
read_geometry() {
    read -r FRAME_X FRAME_Y FRAME_W FRAME_H <<<"$(window_box "$WIN")"
    [[ -s $DUMP ]] || return 1
    local whole
    read -r VIEW_X VIEW_Y whole VIEW_W VIEW_H < <(head -c 100 "$DUMP" | tr '\n' ' ' |
        awk '{print $4, $5, $6, $7, $8}')
    CENTRE_X=$((VIEW_X + VIEW_W / 2)) CENTRE_Y=$((VIEW_Y + whole / 2))
}

# A frame saved after the previous screenshot when the game draws one within a
# second (a paused game draws none), over a new picture of the screen.
shot() {
    local deadline=$((SECONDS + 1)) frame
    while frame=$(stat -c "%i %y" "$DUMP" 2>/dev/null) && [[ $frame == "$DUMP_SEEN" ]] &&
        ((SECONDS < deadline)); do sleep 0.05; done
    DUMP_SEEN=$frame
    cp "$DUMP" "$WORK/view.ppm" && import -window root "$WORK/screen.png" &&
        convert "$WORK/screen.png" "$WORK/view.ppm" -geometry "+$VIEW_X+$VIEW_Y" -composite \
            "$ARTIFACTS/$1.png" && echo "$ARTIFACTS/$1.png"
}

# Wine takes no close request for a window that a dialog disables: the box is
# closed first.
end_from_outside() {
    xdotool key Escape
    close_game
}

# A menu has the keyboard: a title on the menu bar shows in the selection
# colour (F10 selects the bar without opening a menu, as Windows does, and
# Wine draws its menus in windows that no search finds).
menu_open() {
    import -window root "$WORK/menu.png" &&
        (($(convert "$WORK/menu.png" -crop "${FRAME_W}x$((VIEW_Y - FRAME_Y))+$FRAME_X+$FRAME_Y" \
            +repage -fx 'r<0.25 && g>0.5 && g<0.7 && b>0.9' -format '%[fx:int(mean*w*h+0.5)]' info:) > 50))
}

# On an X server of the script's own (the one without OpenGL), Wine starts a
# desktop process for it that would last as long as the server: ended with the
# game.
end_own_desktop() {
    local here && here=$(dirname "${BASH_SOURCE[0]}")/../../scripts
    "$here/marked-processes.sh" "BRAVOK_XVFB_SESSION=$BRAVOK_XVFB_SESSION" |
        awk '/explorer\.exe/ {print $1}' | xargs -r kill
}
