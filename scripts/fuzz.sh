#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz", clang) and runs each one for a
# bounded time on a copy of its seed corpus. A crash, leak or sanitizer report
# fails the script; the input that caused it is kept in build/fuzz/crashes/.
#   FUZZ_SECONDS  seconds per target (default 60)
#   scripts/fuzz.sh [target ...]   only the named targets (e.g. records_fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-60}"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for src in fuzz/*_fuzz.cpp; do
    targets+=("$(basename "$src" .cpp)")
  done
fi

crashes=build/fuzz/crashes
mkdir -p "$crashes"
status=0
for target in "${targets[@]}"; do
  name="${target%_fuzz}"
  seeds="fuzz/corpus/$name"
  work="build/fuzz/corpus/$name"
  rm -rf "$work"
  mkdir -p "$work"
  [ -d "$seeds" ] && cp "$seeds"/* "$work"/ 2>/dev/null || true
  echo "=== fuzz $target (${seconds}s)"
  if ! "build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len=65536 -print_final_stats=1 -artifact_prefix="$crashes/$target-" \
      "$work" >"build/fuzz/$target.log" 2>&1; then
    echo "FAILED: $target (log build/fuzz/$target.log, inputs in $crashes)"
    tail -n 60 "build/fuzz/$target.log"
    status=1
  else
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)' "build/fuzz/$target.log" || true
  fi
done
exit $status
