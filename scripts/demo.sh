#!/usr/bin/env bash
# A complete demo run: installs what is missing, builds the program, makes a
# work folder build/demo with the program under a www. name and the two
# sample texts in compare_in, serves the sample ads page from 127.0.0.1 and
# answers every prompt. Prints where the site is.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target textpair

demo="$root/build/demo"
rm -rf "$demo"
mkdir -p "$demo/compare_in"
cp build/default/textpair_01_002.exe "$demo/www.example.org.exe"
cp samples/harbour_notes_v1.txt samples/harbour_notes_v2.txt "$demo/compare_in/"

# The ads page, served locally; wget reaches it as its proxy.
port_file=$(mktemp -u)
rc=$(mktemp)  # an empty wgetrc, so that no user setting gets in the way
trap 'kill "${server:-}" 2>/dev/null || true; rm -f "$port_file" "$rc"' EXIT
python3 scripts/ads_server.py samples/oglasi.htm "$port_file" &
server=$!
for _ in $(seq 100); do [ -s "$port_file" ] && break; sleep 0.1; done
[ -s "$port_file" ] || { echo "the ads server did not start" >&2; exit 1; }
proxy="http://127.0.0.1:$(cat "$port_file")/"

# The answers: accept the terms, pass the font and install screens; first
# and second file of the list, table width 100, search site; any key at the
# end.
answers='111'$'1\n''2'$'\n''100'$'\n''www.example.org'$'\n''1'
(
  cd "$demo"
  printf '%s' "$answers" |
    env -u no_proxy -u NO_PROXY http_proxy="$proxy" HTTP_PROXY="$proxy" WGETRC="$rc" SYSTEM_WGETRC="$rc" \
      "$demo/www.example.org.exe"
)

echo
if [ -f "$demo/htm_out/index.htm" ]; then
  echo "The site is in $demo/htm_out: open $demo/htm_out/index.htm or compare.htm in a browser."
else
  echo "The run ended before the site was written; the work folder is $demo."
fi
