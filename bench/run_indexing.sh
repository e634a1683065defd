#!/usr/bin/env bash
# Indexing benchmark: generates text pairs of 100 KB, 1 MB and 5 MB per file,
# writes each pair's page file, and times the indexing phases on it.
#
# usage: bench/run_indexing.sh [SIZE ...]   (default: 100k 1m 5m)
set -euo pipefail
cd "$(dirname "$0")/.."
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(100k 1m 5m)
build=build/bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTEXTPAIR_TESTS=OFF -DTEXTPAIR_BENCH=ON >/dev/null
cmake --build "$build" --target bench_indexing >/dev/null
for size in "${sizes[@]}"; do
  texts=bench/out/texts_$size
  work=bench/out/work_$size
  [ -f "$texts/page_01.htm" ] || python3 bench/gen_texts.py "$size" "$texts"
  rm -rf "$work"
  mkdir -p "$work"
  cp "$texts/page_01.htm" "$work/"
  echo "=== $size per file ($(wc -c < "$texts/page_01.htm") bytes of page file)"
  if [ -x /usr/bin/time ]; then
    /usr/bin/time -f "wall %e s, peak memory %M KiB (time -v)" "$build/bench_indexing" "$work"
  else
    "$build/bench_indexing" "$work"
  fi
  echo "keyed records (wrd_01_02_N.txt): $(cat "$work"/wrd_01_02_*.txt | wc -l)"
done
