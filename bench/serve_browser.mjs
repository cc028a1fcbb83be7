// orblinec serve in headless Chromium, timed (bench/serve_speed.sh runs it):
// 1. save → redrawn display: 20 saves of map.txt of the sample (in place and by rename in turn)
//    while the route map shows, each from the moment the file is written to the frame after the
//    page has put in the new drawing; median and slowest. The window waits kSaveSettleMs (250 ms)
//    after a save before it reads, so the least possible is 250 ms plus the poll (40 ms at most).
// 2. the full-capacity line's busiest map page (the largest SVG of the three map displays' 12
//    pages): from the key press to the frame that shows it, the drawing asked of the server for the
//    first time (read, drawn and sent) and again (kept); median of 5 each.
//   node bench/serve_browser.mjs ORBLINEC FULL_SET_DIR
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { launchChromium, startServer, saveInPlace, saveByRename, waitFor } from '../tests/browser/serve_support.mjs';

const [orblinec, fullSet] = process.argv.slice(2);
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'orbline-bench-'));
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const browser = await launchChromium();

async function open(folder, extra = []) {
  const server = await startServer(orblinec, folder, path.join(work, 'Orbline.ini'), extra);
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 960 });
  await page.goto(server.url);
  await page.waitForSelector('body[data-ready="true"]');
  // The time of the first frame after each new drawing, by its generation.
  await page.evaluate(() => {
    window.painted = {};
    new MutationObserver(() => {
      const d = document.getElementById('display');
      const key = `${d.dataset.generation}/${d.dataset.mode}/${d.dataset.page}`;
      requestAnimationFrame(() => requestAnimationFrame(() => { window.painted[key] = Date.now(); }));
    }).observe(document.getElementById('display'), { childList: true });
  });
  return { server, page };
}

// 1. save → redrawn
const sample = path.join(work, 'sample');
fs.cpSync(new URL('../examples/sample', import.meta.url).pathname, sample, { recursive: true });
{
  const { server, page } = await open(sample);
  await page.keyboard.press('F7');
  await waitFor(() => page.$eval('#display', (d) => d.dataset.mode === '6'));
  const map = fs.readFileSync(path.join(sample, 'map.txt'));
  const times = [];
  for (let i = 0; i < 20; ++i) {
    const generation = Number(await page.$eval('#display', (d) => d.dataset.generation));
    const bytes = Buffer.concat([map, Buffer.from('\r\n'.repeat(i + 1))]);
    const saved = Date.now();
    (i % 2 ? saveByRename : saveInPlace)(path.join(sample, 'map.txt'), bytes);
    const painted = await waitFor(() => page.evaluate((g) => {
      const key = Object.keys(window.painted).find((k) => Number(k.split('/')[0]) > g);
      return key ? window.painted[key] : null;
    }, generation));
    times.push(painted - saved);
    await new Promise((r) => setTimeout(r, 350));
  }
  console.log(`save to redrawn display (sample, route map, 20 saves): median ${median(times)} ms, ` +
              `slowest ${Math.max(...times)} ms (the settle time is 250 ms)`);
  await page.close();
  await server.stop();
}

// 2. the busiest map page of the full-capacity line
{
  const { server, page } = await open(fullSet, ['--weekkind', '2']);
  const token = new URL(server.url).searchParams.get('token');
  let busiest = { bytes: 0 };
  for (let mode = 4; mode <= 6; ++mode) {
    for (let p = 1; p <= 12; ++p) {
      const bytes = await page.evaluate(async (q) => (await (await fetch(q)).text()).length,
        `/api/display?mode=${mode}&page=${p}&grid=1&w=200&h=150&token=${token}`);
      if (bytes > busiest.bytes) busiest = { mode, page: p, bytes };
    }
  }
  const show = async (mode, pageNumber) => {
    const before = Date.now();
    await page.keyboard.press(`F${mode + 1}`);
    await page.keyboard.down('Shift');
    await page.keyboard.press(`F${pageNumber}`);
    await page.keyboard.up('Shift');
    const g = await page.$eval('#display', (d) => d.dataset.generation);
    return await waitFor(() => page.evaluate((k) => window.painted[k], `${g}/${mode}/${pageNumber}`)) - before;
  };
  const first = [], kept = [];
  for (let i = 0; i < 5; ++i) {
    // A save makes a new generation, so the next showing is drawn anew by the server.
    const list = () => page.evaluate(async (q) => (await (await fetch(q)).json()).problems.generation,
      `/api/state?token=${token}`);
    const before = await list();
    saveInPlace(path.join(fullSet, 'info.txt'), Buffer.concat([fs.readFileSync(path.join(fullSet, 'info.txt')), Buffer.from('\r\n')]));
    await waitFor(async () => (await list()) > before);
    await page.keyboard.press('F2');
    await page.evaluate(() => { window.painted = {}; });
    first.push(await show(busiest.mode, busiest.page));
    await page.keyboard.press('F2');
    await page.evaluate(() => { window.painted = {}; });
    kept.push(await show(busiest.mode, busiest.page));
  }
  console.log(`full-capacity line, busiest map page (display ${busiest.mode}, page ${busiest.page}, SVG ` +
              `${Math.round(busiest.bytes / 1024)} KiB as JSON): key to shown ${median(first)} ms drawn anew, ` +
              `${median(kept)} ms kept (median of 5)`);
  await page.close();
  await server.stop();
}
await browser.close();
fs.rmSync(work, { recursive: true, force: true });
