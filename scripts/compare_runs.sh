#!/usr/bin/env bash
# Runs two builds of the program on the same input, each from start to the
# results screen with the answers and the local ads page of
# bench/run_complete.sh, and compares every file the runs leave (the work
# folder and its subfolders) and their console output. Only the date and
# time lines of the pages and wget's time stamp may differ. Prints "same"
# and exits 0, or lists what differs and exits 1.
#
# usage: scripts/compare_runs.sh OLD_PROGRAM NEW_PROGRAM INPUT_FOLDER
#   INPUT_FOLDER holds the files to put into compare_in (the first two are
#   compared). Work folders go to a temporary folder, removed afterwards.
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 OLD_PROGRAM NEW_PROGRAM INPUT_FOLDER" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
old=$(realpath "$1"); new=$(realpath "$2"); inputs=$(realpath "$3")
scratch=$(mktemp -d)
port_file="$scratch/port"; rc="$scratch/wgetrc"; : >"$rc"
trap 'kill "${server:-}" 2>/dev/null || true; rm -rf "$scratch"' EXIT
python3 "$root/scripts/ads_server.py" "$root/samples/oglasi.htm" "$port_file" &
server=$!
for _ in $(seq 100); do [ -s "$port_file" ] && break; sleep 0.1; done
[ -s "$port_file" ] || { echo "the ads server did not start" >&2; exit 1; }
proxy="http://127.0.0.1:$(cat "$port_file")/"
answers='111'$'1\n''2'$'\n''100'$'\n''www.example.org'$'\n''x'

run() {  # PROGRAM NAME
  local work="$scratch/$2"
  mkdir -p "$work/compare_in"
  cp "$1" "$work/www.example.org.exe"
  cp "$inputs"/* "$work/compare_in/"
  (cd "$work" && printf '%s' "$answers" |
    env -u no_proxy -u NO_PROXY http_proxy="$proxy" HTTP_PROXY="$proxy" WGETRC="$rc" SYSTEM_WGETRC="$rc" \
      ./www.example.org.exe >"$scratch/$2.console" 2>&1) || true
  rm -f "$work/www.example.org.exe"
}
mask() {
  sed -e 's/Date (mm-dd-yy) = [0-9-]*/Date/' -e 's/Time (h:m:s)    = [0-9:]*/Time/' \
      -e 's/^20[0-9-]* [0-9:]* URL/URL/' -e '/www\.example\.org\.exe/d'
}
run "$old" old
run "$new" new
status=0
diff <(cd "$scratch/old" && find . -type f | sort) <(cd "$scratch/new" && find . -type f | sort) || status=1
while read -r f; do
  [ -f "$scratch/new/$f" ] || continue
  cmp -s "$scratch/old/$f" "$scratch/new/$f" && continue
  cmp -s <(mask <"$scratch/old/$f") <(mask <"$scratch/new/$f") || { echo "differs: $f"; status=1; }
done < <(cd "$scratch/old" && find . -type f | sort)
diff <(mask <"$scratch/old.console") <(mask <"$scratch/new.console") >/dev/null || { echo "differs: console"; status=1; }
[ $status -eq 0 ] && echo "same"
exit $status
