# The end-to-end tests' shared steps: the real game on with-xvfb.sh's server, driven
# by xdotool, judged by screenshots. Scripts run as: test.sh BRAVOK DATA_DIR ARTIFACT_DIR
set -euo pipefail
BRAVOK=$1 DATA=$2 ARTIFACTS=$3 WORK=$(mktemp -d) GAME_PID=
SLOWDOWN=${BRAVOK_E2E_SLOWDOWN:-1}  # sanitizer builds run slower: limits stretch
mkdir -p "$ARTIFACTS"
trap 'finish' EXIT
finish() {
    local status=$?
    # The game, if still running, and any other program the script started.
    local jobs && jobs=$(jobs -p) && [[ -n $jobs ]] && kill -KILL $jobs 2>/dev/null || true
    ((status == 0)) || tail -n 30 "$WORK/game.log" >&2 || true
    rm -rf "$WORK"
    exit "$status"
}
fail() { echo "FAIL: $*" >&2 && exit 1; }

# Waits up to $1 seconds (times the slowdown) for the command that follows.
wait_for() {
    local deadline=$((SECONDS + $1 * SLOWDOWN))
    shift
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || return 1
        sleep 0.05
    done
}

# Starts the game in folder $1 (default: the data), its sound going to
# $SOUND_DEVICE, and waits until the settled window shows the crosshair.
SOUND_DEVICE=$WORK/sound.raw WINDOW_LIMIT=30
SOUND_OFF_WORDS="bravok: sound is off: no audio device could be opened"
launch_game() {
    (cd "$1" && exec env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$SOUND_DEVICE" \
        SDL_DISKAUDIODELAY=10 NO_AT_BRIDGE=1 "$BRAVOK") >"$WORK/game.log" 2>&1 &
}
start_game() {
    : >"$WORK/sound.raw"
    launch_game "${1:-$DATA}"
    GAME_PID=$!
    wait_for "$WINDOW_LIMIT" xdotool search --onlyvisible --name '^Bravok$' || fail "no Bravok window"
    WIN=$(xdotool search --onlyvisible --name '^Bravok$' | head -1)
    xdotool windowmove --sync "$WIN" 40 40 windowactivate --sync "$WIN" || true
    # Until it has the focus the game is paused, and still views stay still.
    wait_for 10 has_focus || fail "the window never took the focus"
    wait_for 10 geometry_settled || fail "the window never settled"
    wait_for 20 crosshair_at_centre || fail "no crosshair at the centre"
}

# The game's window has the focus; if not, it is asked again to take it.
has_focus() {
    [[ $(xdotool getactivewindow 2>/dev/null) == "$WIN" ]] && return
    xdotool windowactivate "$WIN" 2>/dev/null
    false
}
# The frame and its GL canvas on the screen; the view is the canvas and the
# status bar's strip below it.
read_geometry() {
    read -r FRAME_X FRAME_Y FRAME_W FRAME_H <<<"$(window_box "$WIN")"
    local child
    child=$(xwininfo -children -id "$WIN" | awk '/^ +0x/ {print $1}' | head -1)
    read -r VIEW_X VIEW_Y VIEW_W _ <<<"$(window_box "$child")"
    VIEW_H=$((FRAME_Y + FRAME_H - VIEW_Y)) CENTRE_X=$((VIEW_X + VIEW_W / 2))
    CENTRE_Y=$((VIEW_Y + VIEW_H / 2))
}
# Settled: moved, laid out with the menu bar above the view (it joins the window
# at the first paint), and still for a moment.
geometry_settled() {
    read_geometry && local before="$VIEW_X $VIEW_Y $VIEW_W $VIEW_H" && sleep 0.1 && read_geometry &&
        [[ $before == "$VIEW_X $VIEW_Y $VIEW_W $VIEW_H" ]] && ((FRAME_X >= 40 && VIEW_Y > FRAME_Y))
}
window_box() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
                             /^ +Width/ {w = $NF} /^ +Height/ {h = $NF} END {print x, y, w, h}'
}

shot() { import -window root "$ARTIFACTS/$1.png" && echo "$ARTIFACTS/$1.png"; }
# How many pixels of shot $1 the fx rule $2 holds for: in the 5 x 5 block
# around $3 $4, or in the view (every other row and column).
count() {
    local area="${VIEW_W}x${VIEW_H}+${VIEW_X}+${VIEW_Y}" scale=50%
    [[ -n ${3:-} ]] && area="5x5+$(($3 - 2))+$(($4 - 2))" scale=100%
    convert "$1" -crop "$area" +repage -sample "$scale" -fx "$2" -format '%[fx:int(mean*w*h+0.5)]' info:
}
RED='r>0.25 && g<0.12 && b<0.12'
green_near() { (($(count "$1" 'g>0.6 && r<0.35 && b<0.35' "$2" "$3") > 0)); }
# Takes a new screenshot on every call, so a wait sees frames drawn after it began.
crosshair_at_centre() { green_near "$(shot start)" "$CENTRE_X" "$CENTRE_Y"; }
is_grey() { (($(count "$1" 'r>0.12 && r==g && g==b' "$2" "$3") == 25)); }

# Whether the game has played sound since the last mark (the device writes silence all along).
SOUND_MARK=0
sound_played() { tail -c +$((SOUND_MARK + 1)) "$WORK/sound.raw" | od -An -v -tx1 | grep -c '[1-9a-f]' >/dev/null; }
silence_sound() { SOUND_MARK=$(stat -c %s "$WORK/sound.raw"); }

# The ceiling's lower edge: the first row from the view's top where a column
# near its left differs from the top; edge_becomes waits for a comparison.
edge() {
    convert "$(shot "$1")" -crop "1x$((VIEW_H / 2))+$((VIEW_X + 10))+$VIEW_Y" +repage -depth 8 txt:- |
        awk -F'[,:]' 'NR == 2 {top = $NF} NR > 2 && !row && $NF != top {row = $2} END {print row ? row : -1}'
}
edge_is() { [ "$(edge edge)" "$1" "$2" ]; }
edge_becomes() { wait_for 5 edge_is "$@" || { echo "edge $(edge edge), wanted $*" >&2 && false; }; }
# The edge the same twice, a few ticks apart: the view does not turn or tilt.
steady() { before=$(edge steady) && sleep 0.2 && [[ $(edge steady) == "$before" ]] && ((before > 0)); }
# One of the menu bar's menus is showing (the program names its popups).
menu_open() { xdotool search --onlyvisible --maxdepth 1 --name '^bravok$'; }

wait_ended() {
    local deadline=$(($(date +%s%N) + $1 * SLOWDOWN * 1000000000))
    while kill -0 "$GAME_PID" 2>/dev/null && ! grep -q '^State:.*Z' /proc/"$GAME_PID"/status 2>/dev/null; do
        (($(date +%s%N) < deadline)) || return 1
        sleep 0.02
    done
}
# The game, asked to end by $1, ends with status 0 within a second.
expect_clean_end() {
    local status=0
    wait_ended 1 || fail "the game did not end within a second after $1"
    wait "$GAME_PID" || status=$?
    GAME_PID=
    ((status == 0)) || fail "the game ended with status $status after $1"
}
close_game() { wmctrl -i -c "$WIN" && expect_clean_end "closing"; }
# The game, stopped from outside while a dialog is open ($1), ends cleanly.
end_from_outside() { kill -TERM "$GAME_PID" && expect_clean_end "SIGTERM $1"; }

# The Windows program under Wine takes some of these steps its own way.
if [[ -n ${BRAVOK_E2E_WINE:-} ]]; then source "$(dirname "${BASH_SOURCE[0]}")/wine.sh"; fi
