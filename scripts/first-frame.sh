#!/usr/bin/env bash
# first-frame.sh BUILD_DIR [TIMES]: how long the Windows program takes under
# Wine, on a virtual X server, from its start to its first drawn frame, against
# the bare wx program with an OpenGL view built the same way (gl_frame_probe),
# in one run: each started TIMES times (default 5) in turn, in a Wine prefix of
# the run's own; prints every time and the medians, in milliseconds.
set -euo pipefail
build=$(cd "$1" && pwd)
times=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=$build/wine-prefix-first-frame WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
rm -rf "$WINEPREFIX"

# shellcheck disable=SC2016
exec "$here/with-xvfb.sh" --wm bash -c '
    set -euo pipefail
    build=$1 times=$2 here=$3 work=$(mktemp -d)
    trap "wineserver -k 2>/dev/null || true; rm -rf $work" EXIT
    wineboot --init >/dev/null 2>&1
    now() { date +%s%3N; }
    # Milliseconds from the start of the command that follows to the file $1.
    until_file() {
        local file=$1 start
        shift
        rm -f "$file"
        start=$(now)
        "$@" >/dev/null 2>&1 &
        until [[ -e $file ]]; do sleep 0.005; done
        echo $(($(now) - start))
        wmctrl -c Bravok 2>/dev/null || true
        wait
    }
    median() { tr " " "\n" | sort -n | awk "{v[NR] = \$1} END {print v[int((NR + 1) / 2)]}"; }
    cd "$here/../data"
    game=() probe=()
    for ((i = 0; i < times; i++)); do
        game+=("$(BRAVOK_FRAME_DUMP=$work/frame.ppm until_file "$work/frame.ppm" wine "$build/src/app/bravok.exe")")
        probe+=("$(until_file "$work/drawn" wine "$build/tools/gl_frame_probe.exe" "$(winepath -w "$work/drawn")")")
    done
    echo "bravok.exe first frame (ms): ${game[*]}; median $(median <<<"${game[*]}")"
    echo "bare wx OpenGL frame (ms):   ${probe[*]}; median $(median <<<"${probe[*]}")"
' first-frame "$build" "$times" "$here"
