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

# One grep for all: a process that ended meanwhile, or a zombie, has no
# environment to read and is passed over.
files=$(grep -lzxF -- "$mark" /proc/[0-9]*/environ 2>/dev/null || true)
for file in $files; do
    pid=${file#/proc/} && pid=${pid%/environ}
    [[ -z ${ancestry[$pid]:-} ]] || continue
    command=$(tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline") || continue
    echo "$pid $command"
done
