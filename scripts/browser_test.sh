#!/usr/bin/env bash
# The browser test: a complete run of the built program (preset "default")
# makes a site, which headless Chromium then reads. Screenshots are left in
# build/artifacts/. Pass --site DIR to check an existing htm_out instead.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
(cd tests/browser && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
cd tests/browser
if [ $# -gt 0 ]; then
  node site_test.mjs "$@" --artifacts "$root/build/artifacts"
else
  node site_test.mjs --program "$root/build/default/textpair_01_002.exe" --artifacts "$root/build/artifacts"
fi
