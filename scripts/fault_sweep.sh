#!/usr/bin/env bash
# The whole fault sweep: every file operation of a small complete run fails
# once, and then from that operation on, and the run dies right before each
# of them, on Linux and (with "windows") under Wine. The test suites try a
# sample at an offset that changes daily; this tries them all.
#
# usage: scripts/fault_sweep.sh [windows]   (after a build with the preset)
set -euo pipefail
cd "$(dirname "$0")/.."
export TEXTPAIR_FAULT_STRIDE=1 TEXTPAIR_KILL_STRIDE=1
if [ "${1:-}" = windows ]; then
  WINEDEBUG=-all ctest --preset windows -R "FaultSweep|KillTest" --output-on-failure --timeout 7200
else
  ctest --preset default -R "FaultSweep|KillTest" --output-on-failure --timeout 7200
fi
