#!/usr/bin/env bash
# run-fuzzers.sh BUILD_DIR seconds N | runs N: runs the bitmap and vertex-file
# libFuzzer targets one after the other, each on a scratch copy of its
# committed seed corpus, for N seconds each, or for N executions per entry
# point (the bitmap target's first byte picks one of three). A crash, a leak,
# a sanitizer report or a wrong copy fails the run and shows the log's end.
set -euo pipefail
build=$1 mode=$2 amount=$3
here=$(cd "$(dirname "$0")/.." && pwd)

# target, corpus folder, entry points
for spec in "dib dib 3" "vertex_file vertex 1"; do
    read -r target corpus entries <<<"$spec"
    case $mode in
        seconds) limit=-max_total_time=$amount ;;
        runs) limit=-runs=$((entries * amount)) ;;
        *) echo "run-fuzzers: say 'seconds N' or 'runs N'" >&2 && exit 2 ;;
    esac
    log=$build/fuzz_$target.log
    mkdir -p "$build/corpus/$corpus"
    start=$SECONDS
    if ! "$build/fuzz/fuzz_$target" "$limit" -max_len=65536 -print_final_stats=1 \
        "$build/corpus/$corpus" "$here/fuzz/corpus/$corpus" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "fuzz_$target FAILED"
        exit 1
    fi
    stat() { sed -n "s/^stat::$1: *//p" "$log"; }
    echo "fuzz_$target: $(stat number_of_executed_units) executions in $((SECONDS - start)) s," \
        "$(stat new_units_added) new inputs"
done
