#!/usr/bin/env bash
# marked-processes.sh NAME=VALUE: prints the id and command line of every process
# whose environment holds NAME=VALUE, other than this script and the processes
# that started it. The test runs mark what they start this way, so that what
# they leave behind is told apart from the same programs run by anyone else on
# the machine (a process started later with a changed environment still shows
# the one it was started with, which is what counts here).
set -euo pipefail
mark=$1

declare -A ancestry=()
pid=$$
while ((pid > 1)); do
    ancestry[$pid]=1
    pid=$(awk '/^PPid:/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 1)
done

for dir in /proc/[0-9]*; do
    pid=${dir#/proc/}
    [[ -z ${ancestry[$pid]:-} ]] || continue
    # A process that ended meanwhile, or a zombie, has no environment to read.
    grep -qzxF -- "$mark" "$dir/environ" 2>/dev/null || continue
    echo "$pid $(tr '\0' ' ' <"$dir/cmdline" 2>/dev/null)"
done
