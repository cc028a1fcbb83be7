#!/usr/bin/env bash
# orblinec serve's figures: 10,000 requests from 8 clients while the sample is saved 100 times
# (answer times, the server's resident memory before and after, and its peak), then in headless
# Chromium the time from a save to the redrawn display (20 saves) and the time to show the
# full-capacity line's busiest map page. Needs the release build and tests/browser's puppeteer-core
# (scripts/install-deps.sh).
#   bash bench/serve_speed.sh
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/release
cmake --build --preset release --target orblinec orbline_make_full_set >/dev/null
full=$(mktemp -d)
trap 'rm -rf "$full"' EXIT
"$build/bench/orbline_make_full_set" "$full" >/dev/null
echo "== load: sample"
node tests/browser/serve_load.mjs "$build/cli/orblinec" 10000 100 2>/dev/null
echo "== load: full-capacity line"
node tests/browser/serve_load.mjs "$build/cli/orblinec" 10000 100 --full "$full" 2>/dev/null
echo "== browser"
node bench/serve_browser.mjs "$build/cli/orblinec" "$full" 2>/dev/null
