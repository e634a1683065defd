#!/usr/bin/env bash
# Builds textpair and runs every test: the release build, then the build
# with AddressSanitizer and UBSan, then the portable build (no SIMD, no
# Linux-only calls), then the Windows build with its tests under Wine, then
# each fuzz target for a bounded time, then the browser test of a published
# site. Prints the time of each stage.
set -euo pipefail
cd "$(dirname "$0")/.."

# Runs one stage under its name and prints how long it took.
stage() {
  local name=$1
  shift
  local start=$SECONDS
  echo "=== $name"
  "$@"
  echo "--- $name took $((SECONDS - start)) s"
}

stage setup bash scripts/setup.sh
for preset in default asan; do
  stage "$preset configure" cmake --preset "$preset" --log-level=WARNING
  stage "$preset build" cmake --build --preset "$preset"
  stage "$preset tests" ctest --preset "$preset"
done
stage "portable configure" cmake --preset portable --log-level=WARNING
stage "portable build" cmake --build --preset portable
stage "portable tests" ctest --preset portable
stage windows bash scripts/windows_test.sh
stage fuzzing bash scripts/fuzz.sh
stage browser bash scripts/browser_test.sh
