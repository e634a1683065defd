#!/usr/bin/env bash
# Builds textpair and runs every test: the release build, then the build
# with AddressSanitizer and UBSan, then the Windows build with its tests
# under Wine, then each fuzz target for a bounded time, then the browser
# test of a published site.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
for preset in default asan; do
  echo "=== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  echo "=== $preset tests"
  ctest --preset "$preset"
done
echo "=== windows"
bash scripts/windows_test.sh
echo "=== fuzzing"
bash scripts/fuzz.sh
echo "=== browser"
bash scripts/browser_test.sh
