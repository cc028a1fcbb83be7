#!/usr/bin/env bash
# The README's picture of orblinec serve: on a virtual X display, Chromium showing the page of a copy
# of the sample line (the diagram) beside vim in an xterm with map.txt open, after a save of map.txt
# has redrawn the page. A developer's tool: it needs xvfb, xterm, xdotool, imagemagick and
# tests/browser's puppeteer-core.
#   scripts/screenshot-serve.sh OUT.png
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "$1")
work=$(mktemp -d)
xvfb="" term=""
finish() {
  if [ -n "$term" ]; then kill "$term" 2>/dev/null || true; fi
  if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap finish EXIT
cp -r "$root/examples/sample" "$work/汐凪高原線"
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1600x900x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
sleep 1
cd "$work/汐凪高原線"
xterm -geometry 96x60+1000+0 -fa Monospace -fd IPAGothic -fs 8 -title map.txt \
  -e vim -u NONE -N -c 'set nu nowrap ts=6 fencs=cp932 enc=utf-8' -c 'syntax off' -c 'e ++enc=cp932 ++ff=dos map.txt' \
  -c 'call cursor(12, 1)' &
term=$!
node --input-type=module - "$root" "$out" <<'JS'
import { execFileSync } from 'node:child_process';
const [root, out] = process.argv.slice(2);
const { launchChromium, startServer, waitFor } = await import(`${root}/tests/browser/serve_support.mjs`);
const server = await startServer(`${root}/build/release/cli/orblinec`, '.', 'Orbline.ini');
const browser = await launchChromium({ headless: false, defaultViewport: null, ignoreDefaultArgs: ['--enable-automation'],
  args: ['--window-size=1000,900', '--lang=ja', '--test-type', '--window-position=0,0', '--user-data-dir=./.chromium', `--app=${server.url}`] });
try {
const page = (await browser.pages())[0];
await page.waitForSelector('body[data-ready="true"]');
await page.keyboard.press('F6');
await waitFor(() => page.$eval('#display', (d) => d.dataset.mode === '5'));
// A save of map.txt, as vim makes it (in place): the page follows it.
const generation = await page.$eval('#display', (d) => Number(d.dataset.generation));
const fs = await import('node:fs');
fs.writeFileSync('map.txt', fs.readFileSync('map.txt'));
await waitFor(() => page.$eval('#display', (d, g) => Number(d.dataset.generation) > g, generation));
await new Promise((r) => setTimeout(r, 800));
execFileSync('import', ['-window', 'root', out]);
} finally {
  await browser.close();
  await server.stop();
}
JS
echo "saved $out"
