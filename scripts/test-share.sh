#!/usr/bin/env bash
# Prints how large the tests are against the code they test: non-blank lines of
# C++, shell and Python under tests/ and fuzz/, against those under src/,
# tools/, bench/, scripts/ and packaging/ (CMake files, data and fuzz corpora
# count in neither). The aim is tests of a quarter to a third of all.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

count() {
    git ls-files -z -- "$@" | grep -z -E '\.(c|cc|cpp|cxx|h|hh|hpp|sh|py|in)$' |
        grep -z -v '/corpus/' | xargs -0 -r cat | grep -c -v -E '^\s*$' || true
}

product=$(count src tools bench scripts packaging)
tests=$(count tests fuzz)
awk -v t="$tests" -v p="$product" 'BEGIN {
    printf "Test share: %d test lines of %d (%.1f%%; the aim is at most 34%%)\n", t, t + p, 100 * t / (t + p)
}'
