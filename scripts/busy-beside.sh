#!/usr/bin/env bash
# busy-beside.sh command args: runs a command with a busy loop for every core
# (nproc) beside it, as on a machine that is building something else, and ends
# the loops when the command ends, fails or is interrupted. Exits as the command.
set -euo pipefail
loops=()
end_loops() { ((${#loops[@]} == 0)) || kill "${loops[@]}" 2>/dev/null || true; }
trap end_loops EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
for _ in $(seq "$(nproc)"); do
    bash -c 'while :; do :; done' &
    loops+=($!)
done
echo "busy-beside: ${#loops[@]} busy loops beside: $*"
"$@"
