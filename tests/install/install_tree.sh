#!/usr/bin/env bash
# Installs the build into ROOT as DESTDIR, under PREFIX, afresh.
#   install_tree.sh CMAKE BUILD_DIR ROOT PREFIX
set -euo pipefail
cmake=$1 build=$2 root=$3 prefix=$4
rm -rf "$root"
DESTDIR=$root "$cmake" --install "$build" --prefix "$prefix"
