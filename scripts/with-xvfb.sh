#!/usr/bin/env bash
# with-xvfb.sh [--wm] command args: runs a command on an X server of its own, on a
# display number it picks itself (any number can run side by side). --wm adds
# openbox, for tests of focus and activation; XVFB_ARGS adds server arguments.
set -euo pipefail

with_wm=0
if [[ ${1:-} == --wm ]]; then with_wm=1; shift; fi

dir=$(mktemp -d)
cleanup() {
    [[ -n ${wm_pid:-} ]] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null || true
    [[ -n ${xvfb_pid:-} ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true
    rm -rf "$dir"
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

status=0
"$@" || status=$?
exit "$status"
