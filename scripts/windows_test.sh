#!/usr/bin/env bash
# The Windows leg: cross-builds the program and the tests with mingw-w64
# (preset "windows") and runs the tests under Wine, in a fresh Wine prefix
# in a temporary folder that is removed afterwards. Prints the time of each
# step.
set -euo pipefail
cd "$(dirname "$0")/.."
prefix_root=$(mktemp -d)
export WINEPREFIX="$prefix_root/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$prefix_root"
}
trap cleanup EXIT

step() {
  local name=$1
  shift
  local start=$SECONDS
  "$@"
  echo "--- windows: $name took $((SECONDS - start)) s"
}
step "new Wine prefix" wineboot --init
step "configure" cmake --preset windows --log-level=WARNING
step "build" cmake --build --preset windows
step "tests" ctest --preset windows -j2
