#!/usr/bin/env bash
# Whole-run benchmark: generates text pairs (100 KB, 1 MB and 5 MB per file
# by default), and runs the program on each pair from start to results
# screen, answers piped and the ads page served from 127.0.0.1. Prints the
# time of each progress line, the wall and processor time and the peak
# memory of the run. Targets: a 1 MB pair in under 5 s, a 5 MB pair in under
# 30 s and 100 MB.
#
# usage: bench/run_complete.sh [SIZE ...]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(100k 1m 5m)
build=build/default
cmake --preset default >/dev/null
cmake --build --preset default --target textpair >/dev/null

port_file=$(mktemp -u)
rc=$(mktemp)  # an empty wgetrc, so that no user setting gets in the way
trap 'kill "${server:-}" 2>/dev/null || true; rm -f "$port_file" "$rc"' EXIT
python3 scripts/ads_server.py samples/oglasi.htm "$port_file" &
server=$!
for _ in $(seq 100); do [ -s "$port_file" ] && break; sleep 0.1; done
[ -s "$port_file" ] || { echo "the ads server did not start" >&2; exit 1; }
proxy="http://127.0.0.1:$(cat "$port_file")/"

# Accept the terms, pass two screens, files 1 and 2, width 100, a search
# site, and a key for the results screen.
answers='111'$'1\n''2'$'\n''100'$'\n''www.example.org'$'\n''x'
for size in "${sizes[@]}"; do
  texts=bench/out/texts_$size
  work="$root/bench/out/run_$size"
  [ -f "$texts/left.txt" ] || python3 bench/gen_texts.py "$size" "$texts" >/dev/null
  rm -rf "$work"
  mkdir -p "$work/compare_in"
  cp "$build/textpair_01_002.exe" "$work/www.example.org.exe"
  cp "$texts/left.txt" "$texts/right.txt" "$work/compare_in/"
  echo "=== $size per file"
  (
    cd "$work"
    env -u no_proxy -u NO_PROXY http_proxy="$proxy" HTTP_PROXY="$proxy" WGETRC="$rc" SYSTEM_WGETRC="$rc" \
      python3 "$root/bench/time_run.py" "$answers" '^processed|^words in' "$work/www.example.org.exe"
  )
  echo "site: $(du -sh "$work/htm_out" | cut -f1) in $work/htm_out"
done
