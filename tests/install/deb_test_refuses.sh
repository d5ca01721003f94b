#!/usr/bin/env bash
# The package test never replaces or removes a bravok package the user installed:
# with one installed (as dpkg-query reports it here) it says so and stops before
# building, installing or removing anything.
#   deb_test_refuses.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin" "$work/build"
cat >"$work/bin/dpkg-query" <<'FAKE'
#!/bin/sh
case "$*" in *Version*) echo 0.9-user ;; *) echo installed ;; esac
FAKE
for tool in apt-get cpack dpkg sudo; do
    printf '#!/bin/sh\necho "%s $*" >>"%s/called"\n' "$tool" "$work" >"$work/bin/$tool"
done
chmod +x "$work"/bin/*
status=0
err=$(PATH="$work/bin:$PATH" bash "$here/deb_test.sh" "$work/build" 2>&1) || status=$?
echo "$err"
((status == 1)) || { echo "FAIL: status $status, not 1"; exit 1; }
grep -q "bravok 0.9-user is installed on this machine" <<<"$err" || { echo "FAIL: no clear word"; exit 1; }
[[ ! -e $work/called ]] || { echo "FAIL: it ran $(cat "$work/called")"; exit 1; }
