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
# A Wine without its 32-bit half (Debian's wine64 alone) cannot start the
# 32-bit rundll32.exe that sets up a new prefix's 32-bit side, and says so:
# 'failed to open L"C:\\windows\\syswow64\\rundll32.exe": c0000135'. The
# program and its tests are 64-bit and need none of it; every other line of
# wineboot still shows.
new_prefix() {
  wineboot --init 2> >(grep -vF 'syswow64\\rundll32.exe": c0000135' >&2)
}
step "new Wine prefix" new_prefix
step "configure" cmake --preset windows --log-level=WARNING
step "build" cmake --build --preset windows
step "tests" ctest --preset windows -j2
