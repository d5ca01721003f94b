#!/usr/bin/env bash
# with-xvfb.sh [--wm] command args: runs a command on an X server of its own, on a
# display number it picks itself (any number can run side by side). --wm adds
# openbox, for tests of focus and activation; XVFB_ARGS adds server arguments.
# Fails when the command leaves a process of its own running (a game it did not
# reap, a helper some library forked), and ends those.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")

with_wm=0
if [[ ${1:-} == --wm ]]; then with_wm=1; shift; fi

dir=$(mktemp -d)
# What the command started carries this mark; the server and openbox do not.
mark=BRAVOK_XVFB_SESSION=$dir
cleanup() {
    local status=$? left= deadline=$((SECONDS + 10))
    # A process that was just told to end may take a moment over it.
    while left=$("$here/marked-processes.sh" "$mark") && [[ -n $left ]] && ((SECONDS < deadline)); do
        sleep 0.1
    done
    if [[ -n $left ]]; then
        echo "with-xvfb: the command left these running, now killed:" >&2
        echo "$left" >&2
        kill -KILL $(cut -d' ' -f1 <<<"$left") 2>/dev/null || true
        status=1
    fi
    [[ -n ${wm_pid:-} ]] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null || true
    [[ -n ${xvfb_pid:-} ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true
    rm -rf "$dir"
    exit "$status"
}
trap cleanup EXIT

mkfifo "$dir/displayfd"
# shellcheck disable=SC2086
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset ${XVFB_ARGS:-} 3>"$dir/displayfd" \
    >"$dir/xvfb.log" 2>&1 &
export XVFB_PID=$! && xvfb_pid=$XVFB_PID
if ! read -r -t 20 number <"$dir/displayfd"; then
    echo "with-xvfb: the virtual X server did not start" >&2
    cat "$dir/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$number"
unset WAYLAND_DISPLAY

if ((with_wm)); then
    openbox --sm-disable >"$dir/wm.log" 2>&1 &
    wm_pid=$!
    for _ in $(seq 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break
        sleep 0.1
    done
fi

export "${mark?}"
"$@"
