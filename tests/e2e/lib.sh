# Shared steps of the end-to-end tests: start the real game on the virtual X
# server that with-xvfb.sh made, drive it with xdotool and wmctrl, and judge
# screenshots by pixel rules. Sourced by each test script, which is called as
#   test.sh BRAVOK_BINARY DATA_DIR ARTIFACT_DIR
set -euo pipefail

BRAVOK=$1
DATA=$2
ARTIFACTS=$3
mkdir -p "$ARTIFACTS"
WORK=$(mktemp -d)
GAME_PID=
trap 'finish' EXIT

finish() {
    local status=$?
    if [[ -n $GAME_PID ]] && kill -0 "$GAME_PID" 2>/dev/null; then kill -KILL "$GAME_PID" 2>/dev/null || true; fi
    if ((status != 0)) && [[ -f $WORK/game.log ]]; then
        echo "--- game output ---" >&2
        tail -n 30 "$WORK/game.log" >&2
    fi
    rm -rf "$WORK"
    exit "$status"
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Waits up to $1 seconds for the command in the other arguments to succeed.
wait_for() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# Starts the game in the folder $1 (the game's own data folder when empty),
# with sound written to $WORK/sound.raw, and waits for its window.
start_game() {
    local folder=${1:-$DATA}
    : >"$WORK/sound.raw"
    (cd "$folder" && exec env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$WORK/sound.raw" \
        SDL_DISKAUDIODELAY=10 NO_AT_BRIDGE=1 "$BRAVOK") >"$WORK/game.log" 2>&1 &
    GAME_PID=$!
    wait_for 30 xdotool search --onlyvisible --name '^Bravok$' || fail "the Bravok window did not appear"
    WIN=$(xdotool search --onlyvisible --name '^Bravok$' | head -1)
    xdotool windowmove --sync "$WIN" 40 40 || true
    xdotool windowactivate --sync "$WIN" || true
    sleep 1.5
    read_geometry
}

# The frame's X window and the GL canvas inside it, in screen coordinates; the
# view is the canvas plus the status bar's strip below it.
read_geometry() {
    read -r FRAME_X FRAME_Y FRAME_W FRAME_H <<<"$(window_box "$WIN")"
    local child
    child=$(xwininfo -children -id "$WIN" | awk '/^ +0x/ {print $1}' | head -1)
    [[ -n $child ]] || fail "the window has no drawing canvas"
    read -r CANVAS_X CANVAS_Y CANVAS_W CANVAS_H <<<"$(window_box "$child")"
    local strip=$((FRAME_Y + FRAME_H - CANVAS_Y - CANVAS_H))
    VIEW_X=$CANVAS_X VIEW_Y=$CANVAS_Y VIEW_W=$CANVAS_W VIEW_H=$((CANVAS_H + strip))
    CENTRE_X=$((VIEW_X + VIEW_W / 2))
    CENTRE_Y=$((VIEW_Y + VIEW_H / 2))
    echo "geometry: frame ${FRAME_W}x${FRAME_H}+${FRAME_X}+${FRAME_Y}" \
         "canvas ${CANVAS_W}x${CANVAS_H}+${CANVAS_X}+${CANVAS_Y} centre $CENTRE_X,$CENTRE_Y"
}

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

is_green() { read -r r g b <<<"$(pixel "$@")"; ((g > 150 && r < 90 && b < 90)); }
is_grey() { read -r r g b <<<"$(pixel "$@")"; ((r > 30 && r == g && g == b)); }

# Pixels of the shot's visible view (the canvas), every other row and column,
# for which the fx rule holds.
count_in_view() {
    convert "$1" -crop "${CANVAS_W}x${CANVAS_H}+${CANVAS_X}+${CANVAS_Y}" +repage -sample 50% \
        -fx "$2" -format '%[fx:int(mean*w*h+0.5)]' info:
}
RED='r>0.25 && g<0.12 && b<0.12'
count_red() { count_in_view "$1" "$RED"; }

# The red pixels' mean column in the view, or -1 when there are none.
red_column() {
    convert "$1" -crop "${CANVAS_W}x${CANVAS_H}+${CANVAS_X}+${CANVAS_Y}" +repage -sample 50% \
        -fx "$RED" txt:- |
        awk -F'[,:]' '/white|#FFFFFF/ {sum += $1; n++} END {print n ? int(2 * sum / n) : -1}'
}

# Any green pixel in the 5 x 5 block around x y.
green_near() {
    local f=$1 x=$2 y=$3
    [[ $(convert "$f" -crop "5x5+$((x - 2))+$((y - 2))" +repage -fx 'g>0.6 && r<0.35 && b<0.35' \
        -format '%[fx:int(mean*w*h+0.5)]' info:) -gt 0 ]]
}

# Whether the game has played sound since the last mark: nonzero samples in
# what the audio device wrote after it. The device writes silence all along.
SOUND_MARK=0
sound_played() {
    tail -c +$((SOUND_MARK + 1)) "$WORK/sound.raw" | od -An -v -tx1 | tr -d ' \n' | grep -c '[1-9a-f]' >/dev/null
}
silence_sound() { SOUND_MARK=$(stat -c %s "$WORK/sound.raw"); }

# Sanitizer builds run several times slower; their time limits stretch.
SLOWDOWN=${BRAVOK_E2E_SLOWDOWN:-1}

# Asks the window manager to close the window, as its close button does, and
# checks that the game then ends with status 0 within the given seconds.
close_game() {
    local seconds=$((${1:-1} * SLOWDOWN))
    local start=$(date +%s%N)
    wmctrl -i -c "$WIN"
    local status=0
    wait_ended "$seconds" || fail "the game did not end within $seconds s of closing"
    wait "$GAME_PID" || status=$?
    GAME_PID=
    ((status == 0)) || fail "the game ended with status $status"
    echo "closed in $((($(date +%s%N) - start) / 1000000)) ms"
}

wait_ended() {
    local deadline=$(($(date +%s%N) + $1 * SLOWDOWN * 1000000000))
    while kill -0 "$GAME_PID" 2>/dev/null; do
        grep -q '^State:.*Z' /proc/"$GAME_PID"/status 2>/dev/null && break
        (($(date +%s%N) < deadline)) || return 1
        sleep 0.02
    done
}

# The first row, counted from the view's top, where the colour of column x
# differs from the colour at the top: the ceiling's lower edge as seen.
ceiling_edge() {
    convert "$1" -crop "1x$((VIEW_H / 2))+$2+$VIEW_Y" +repage -depth 8 txt:- |
        awk -F'[,:]' 'NR == 2 {first = $NF} NR > 2 && !found && $NF != first {found = $2}
                     END {print found ? found : -1}'
}
