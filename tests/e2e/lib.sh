# Shared steps of the end-to-end tests: start the real game on the virtual X
# server that with-xvfb.sh made, drive it with xdotool and wmctrl, and judge
# screenshots by pixel rules. Sourced by each test script, which is called as
#   test.sh BRAVOK_BINARY DATA_DIR ARTIFACT_DIR
set -euo pipefail
BRAVOK=$1 DATA=$2 ARTIFACTS=$3
mkdir -p "$ARTIFACTS"
WORK=$(mktemp -d)
GAME_PID=
# Sanitizer builds run several times slower; their time limits stretch.
SLOWDOWN=${BRAVOK_E2E_SLOWDOWN:-1}
trap 'finish' EXIT

finish() {
    local status=$?
    [[ -n $GAME_PID ]] && kill -KILL "$GAME_PID" 2>/dev/null
    ((status == 0)) || tail -n 30 "$WORK/game.log" >&2 || true
    rm -rf "$WORK"
    exit "$status"
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Waits up to $1 seconds (stretched by the slowdown) for the command in the
# other arguments to succeed.
wait_for() {
    local deadline=$((SECONDS + $1 * SLOWDOWN))
    shift
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || return 1
        sleep 0.05
    done
}

# Starts the game in the folder $1 (the game's data folder when empty), with
# sound written to $WORK/sound.raw, and waits until its view shows the crosshair.
start_game() {
    : >"$WORK/sound.raw"
    (cd "${1:-$DATA}" && exec env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$WORK/sound.raw" \
        SDL_DISKAUDIODELAY=10 NO_AT_BRIDGE=1 "$BRAVOK") >"$WORK/game.log" 2>&1 &
    GAME_PID=$!
    wait_for 30 xdotool search --onlyvisible --name '^Bravok$' || fail "the Bravok window did not appear"
    WIN=$(xdotool search --onlyvisible --name '^Bravok$' | head -1)
    xdotool windowmove --sync "$WIN" 40 40 || true
    xdotool windowactivate --sync "$WIN" || true
    wait_for 10 geometry_settled || fail "the window never settled"
    wait_for 20 crosshair_shown || fail "no crosshair at the view's centre"
}

# The frame's X window and the GL canvas inside it, in screen coordinates; the
# view is the canvas plus the status bar's strip below it.
read_geometry() {
    read -r FRAME_X FRAME_Y FRAME_W FRAME_H <<<"$(window_box "$WIN")"
    local child
    child=$(xwininfo -children -id "$WIN" | awk '/^ +0x/ {print $1}' | head -1)
    [[ -n $child ]] || return 1
    read -r CANVAS_X CANVAS_Y CANVAS_W CANVAS_H <<<"$(window_box "$child")"
    VIEW_X=$CANVAS_X VIEW_Y=$CANVAS_Y VIEW_W=$CANVAS_W VIEW_H=$((FRAME_Y + FRAME_H - CANVAS_Y))
    CENTRE_X=$((VIEW_X + VIEW_W / 2)) CENTRE_Y=$((VIEW_Y + VIEW_H / 2))
}
geometry_settled() {
    read_geometry && local before="$VIEW_X $VIEW_Y $VIEW_W $VIEW_H" && sleep 0.1 && read_geometry &&
        [[ $before == "$VIEW_X $VIEW_Y $VIEW_W $VIEW_H" ]] && ((FRAME_X >= 40))
}
crosshair_shown() { green_near "$(shot start)" "$CENTRE_X" "$CENTRE_Y"; }

# "x y width height" of a window on the screen.
window_box() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
                             /^ +Width/ {w = $NF} /^ +Height/ {h = $NF} END {print x, y, w, h}'
}

shot() {
    import -window root "$ARTIFACTS/$1.png"
    echo "$ARTIFACTS/$1.png"
}

# "r g b" of the pixel at x y of a screenshot.
pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)] %[fx:int(255*p{$2,$3}.g+0.5)] %[fx:int(255*p{$2,$3}.b+0.5)]" info:
}
is_grey() { read -r r g b <<<"$(pixel "$@")"; ((r > 30 && r == g && g == b)); }

# Pixels of the shot's view, every other row and column, for which the fx rule holds.
count_in_view() {
    convert "$1" -crop "${VIEW_W}x${VIEW_H}+${VIEW_X}+${VIEW_Y}" +repage -sample 50% \
        -fx "$2" -format '%[fx:int(mean*w*h+0.5)]' info:
}
RED='r>0.25 && g<0.12 && b<0.12'
count_red() { count_in_view "$1" "$RED"; }

# Any green pixel in the 5 x 5 block around x y.
green_near() {
    [[ $(convert "$1" -crop "5x5+$(($2 - 2))+$(($3 - 2))" +repage -fx 'g>0.6 && r<0.35 && b<0.35' \
        -format '%[fx:int(mean*w*h+0.5)]' info:) -gt 0 ]]
}

# Whether the game has played sound since the last mark: nonzero samples in
# what the audio device wrote after it. The device writes silence all along.
SOUND_MARK=0
sound_played() { tail -c +$((SOUND_MARK + 1)) "$WORK/sound.raw" | od -An -v -tx1 | grep -c '[1-9a-f]' >/dev/null; }
silence_sound() { SOUND_MARK=$(stat -c %s "$WORK/sound.raw"); }

# The first row, counted from the view's top, where the colour of column x
# differs from the colour at the top: the ceiling's lower edge as seen.
ceiling_edge() {
    convert "$1" -crop "1x$((VIEW_H / 2))+$2+$VIEW_Y" +repage -depth 8 txt:- |
        awk -F'[,:]' 'NR == 2 {first = $NF} NR > 2 && !found && $NF != first {found = $2}
                     END {print found ? found : -1}'
}
edge() { ceiling_edge "$(shot "$1")" $((VIEW_X + 10)); }
# Waits until the ceiling's edge compares to $2 as $1 says (-lt, -gt, -eq).
edge_becomes() { wait_for 5 edge_is "$@" || { echo "edge $(edge edge), wanted $*" >&2; false; }; }
edge_is() { [ "$(edge edge)" "$1" "$2" ]; }

wait_ended() {
    local deadline=$(($(date +%s%N) + $1 * SLOWDOWN * 1000000000))
    while kill -0 "$GAME_PID" 2>/dev/null && ! grep -q '^State:.*Z' /proc/"$GAME_PID"/status 2>/dev/null; do
        (($(date +%s%N) < deadline)) || return 1
        sleep 0.02
    done
}
# Checks that the game, asked to end by $1, ends with status 0 within a second.
expect_clean_end() {
    wait_ended 1 || fail "the game did not end within a second after $1"
    local status=0
    wait "$GAME_PID" || status=$?
    GAME_PID=
    ((status == 0)) || fail "the game ended with status $status after $1"
}
# Closes the window through the window manager, as its close button does.
close_game() {
    wmctrl -i -c "$WIN"
    expect_clean_end "closing"
}
