#!/usr/bin/env bash
# first-frame.sh [--times N] BUILD_DIR [WINDOWS_BUILD_DIR]
#
# How long the game takes from its start to its first drawn frame, on a
# virtual X server with a window manager, against the bare wx program with an
# OpenGL view built the same way (tools/gl_frame_probe.cpp): the floor that any
# wx OpenGL program pays. The game starts with its own cylinder.vtx and with one
# of a million triangles (154 MB, written by the loader's benchmark, in the page
# cache). Each of the three starts N times (default 7) in turn, in one run.
# Prints every time, and each one's median and range, in milliseconds. With a
# Windows cross-build's folder, the same follows for bravok.exe under Wine.
#
# On Linux both run with tools/first_frame_times.cpp preloaded, which marks the
# return of their first buffer swap alike, and the script ends with where the
# game's first frame goes: the toolkit and window, reading, compiling, the
# first draw. Under Wine the game makes the file BRAVOK_FIRST_FRAME_MARK names
# once its first swap has returned, and the probe the file it is given.
set -euo pipefail
here=$(cd "$(dirname "$(readlink -f "$0")")" && pwd)
times=7
if [[ ${1:-} == --times ]]; then
    times=$2
    shift 2
fi
[[ $# -ge 1 ]] || { sed -n 's/^# \{0,1\}//p;/^set /q' "$0" | head -12 >&2; exit 2; }

# The measuring needs an X server of its own: the script starts again on one.
if [[ -z ${FIRST_FRAME_ON_XVFB:-} ]]; then
    export FIRST_FRAME_ON_XVFB=1
    exec "$here/with-xvfb.sh" --wm "$here/first-frame.sh" --times "$times" "$@"
fi

build=$(cd "$1" && pwd)
windows=${2:+$(cd "$2" && pwd)}
data=$(cd "$here/../data" && pwd)
work=$(mktemp -d)
cleanup() {
    if [[ -n $windows ]]; then wineserver -k 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

# The big mesh, in a folder of its own beside the game's sound.
mkdir "$work/big"
"$build/bench/bench_vertex_file" --write-mesh="$work/big/cylinder.vtx"
ln -s "$data/rifle_shot.wav" "$work/big/rifle_shot.wav"
# A command before which tools/first_frame_times.cpp is preloaded, to note its
# times and mark its first swap's return (env runs the command in its place).
preloaded=(env FIRST_FRAME_TIMES="$work/times" FIRST_FRAME_DRAWN="$work/drawn"
    LD_PRELOAD="$build/tools/libfirst_frame_times.so")

# A pipe that no one writes: reading it with a time-out waits without starting
# a process, so the polling below takes next to nothing from the programs timed.
exec {pause}<> <(:)
microseconds() { echo "${EPOCHREALTIME/./}"; }

# first_frame FILE CLOSE COMMAND...: milliseconds from the start of COMMAND
# until FILE appears; then ends it (CLOSE: "kill" sends it SIGTERM, "window"
# closes its window, "self" waits for it to end by itself).
first_frame() {
    local file=$1 close=$2 start pid
    shift 2
    rm -f "$file"
    start=$(microseconds)
    "$@" >/dev/null 2>&1 &
    pid=$!
    until [[ -e $file ]]; do read -r -t 0.002 -u "$pause" || true; done
    echo $((($(microseconds) - start) / 1000))
    case $close in
        kill) kill -TERM "$pid" ;;
        window) wmctrl -c Bravok || true ;;
    esac
    wait "$pid" || true
}

median() { tr ' ' '\n' | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
low() { tr ' ' '\n' | sort -n | head -1; }
high() { tr ' ' '\n' | sort -n | tail -1; }

# report FLOOR_MEDIAN NAME TIMES...
report() {
    local floor=$1 name=$2
    shift 2
    local all="$*" m
    m=$(median <<<"$all")
    printf '  %-34s median %5d ms, range %5d to %5d' "$name" "$m" "$(low <<<"$all")" \
        "$(high <<<"$all")"
    if [[ $floor -gt 0 ]]; then
        awk -v m="$m" -v f="$floor" \
            'BEGIN {printf "  (%.2fx the floor, floor + %.2f s)", m / f, (m - f) / 1000}'
    fi
    printf '\n    every start: %s\n' "$all"
}

# measure SYSTEM: starts the three programs of that system in turn, times times.
measure() {
    local system=$1 probe=() own=() big=() i
    for ((i = 0; i < times; i++)); do
        if [[ $system == linux ]]; then
            probe+=("$(first_frame "$work/drawn" self "${preloaded[@]}" "$build/tools/gl_frame_probe" \
                "$work/probe-drawn")")
            own+=("$(cd "$data" && first_frame "$work/drawn" kill "${preloaded[@]}" \
                "$build/src/app/bravok")")
            cat "$work/times" >>"$work/own.times"
            big+=("$(cd "$work/big" && first_frame "$work/drawn" kill "${preloaded[@]}" \
                "$build/src/app/bravok")")
            cat "$work/times" >>"$work/big.times"
        else
            probe+=("$(first_frame "$work/drawn" self wine "$windows/tools/gl_frame_probe.exe" \
                "$(winepath -w "$work/drawn")")")
            own+=("$(cd "$data" && BRAVOK_FIRST_FRAME_MARK=$work/drawn first_frame "$work/drawn" \
                window wine "$windows/src/app/bravok.exe")")
            big+=("$(cd "$work/big" && BRAVOK_FIRST_FRAME_MARK=$work/drawn first_frame \
                "$work/drawn" window wine "$windows/src/app/bravok.exe")")
        fi
    done
    local floor
    floor=$(median <<<"${probe[*]}")
    report 0 "bare wx OpenGL program (the floor)" "${probe[@]}"
    report "$floor" "Bravok, its own cylinder.vtx" "${own[@]}"
    report "$floor" "Bravok, 1,000,000 triangles" "${big[@]}"
    if [[ $system == linux ]]; then
        echo "  where the game's first frame goes (medians, ms from the process's start):"
        breakdown "its own cylinder.vtx" "$work/own.times"
        breakdown "1,000,000 triangles" "$work/big.times"
    fi
}

# breakdown NAME FILE: the median of each time that tools/first_frame_times.cpp
# noted, one line a start in FILE.
breakdown() {
    local name=$1 file=$2 column
    local -A at
    for column in 2 4 5 7 8 10; do
        at[$column]=$(cut -d' ' -f"$column" "$file" | tr '\n' ' ' | median)
    done
    printf '    %-22s toolkit and window %4d; mesh read %4d to %4d; list compiled %4d to %4d;' \
        "$name" "${at[2]}" "${at[4]}" "${at[5]}" "${at[7]}" "${at[8]}"
    printf ' first swap returned %4d\n' "${at[10]}"
}

echo "First frame, $times starts of each in turn, $(nproc) cores, load average" \
    "$(cut -d' ' -f1-3 /proc/loadavg) at the start"
echo "Linux ($build):"
measure linux
if [[ -n $windows ]]; then
    # shellcheck source=wine-env.sh
    source "$here/wine-env.sh"
    export WINEPREFIX=$work/wine-prefix
    wineboot --init >/dev/null 2>&1
    echo "Windows under Wine ($windows):"
    measure windows
fi
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
