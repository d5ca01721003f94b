#!/usr/bin/env bash
# With a bravok package installed (as dpkg-query reports it here), the package
# test says so and stops before building, installing or removing anything.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin" "$work/build"
printf '#!/bin/sh\ncase "$*" in *Version*) echo 0.9-user ;; *) echo installed ;; esac\n' \
    >"$work/bin/dpkg-query"
for tool in apt-get cpack dpkg sudo; do
    printf '#!/bin/sh\necho "%s $*" >>"%s/called"\n' "$tool" "$work" >"$work/bin/$tool"
done
chmod +x "$work"/bin/*
status=0
out=$(PATH="$work/bin:$PATH" bash "$(dirname "$0")/deb_test.sh" "$work/build" 2>&1) || status=$?
((status == 1)) && grep -q "bravok 0.9-user is installed on this machine" <<<"$out" ||
    fail "status $status: $out"
[[ ! -e $work/called ]] || fail "it ran $(cat "$work/called")"
