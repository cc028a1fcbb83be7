// orblinec serve's page in Debian's Chromium, driven as an author uses it: every display and page by
// its keys, their second keys and the tool bar, the click box, the problems list and opening a
// finding, the row under the pointer and opening it, live reload after saves in place and by rename,
// the settings form, compiling, printing, and the refusals of a wrong token, a wrong Host and a
// stale list.
//
//   ORBLINEC=build/release/cli/orblinec node --test tests/browser/serve.test.mjs
// or, against a server already running (orblinec.exe under wine), on a copy of examples/sample:
//   ORBLINE_SERVE_URL=http://127.0.0.1:PORT/?token=T ORBLINE_SERVE_FOLDER=DIR node --test ...
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import http from 'node:http';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { launchChromium, startServer, saveInPlace, saveByRename, waitFor } from './serve_support.mjs';

const ownServer = !process.env.ORBLINE_SERVE_URL;
let server, browser, page, folder, work;

before(async () => {
  work = fs.mkdtempSync(path.join(os.tmpdir(), 'orbline-browser-'));
  if (ownServer) {
    folder = path.join(work, 'line');
    fs.cpSync(new URL('../../examples/sample', import.meta.url).pathname, folder, { recursive: true });
    server = await startServer(process.env.ORBLINEC, folder, path.join(work, 'Orbline.ini'));
  } else {
    folder = process.env.ORBLINE_SERVE_FOLDER;
    server = { url: process.env.ORBLINE_SERVE_URL, stop: async () => {} };
  }
  browser = await launchChromium();
  page = await browser.newPage();
  await page.setViewport({ width: 1000, height: 800 });
  await page.goto(server.url);
  await page.waitForSelector('body[data-ready="true"]');
  await page.evaluate(() => { window.notReloaded = true; });
});

after(async () => {
  await browser?.close();
  await server?.stop();
  fs.rmSync(work, { recursive: true, force: true });
});

const shown = () => page.$eval('#display', (d) => ({ ...d.dataset, svg: d.innerHTML.length, status: document.getElementById('pane1').textContent }));
const waitShown = (want) => waitFor(async () => {
  const s = await shown();
  return Object.entries(want).every(([k, v]) => s[k] === String(v)) ? s : null;
});
const state = () => page.evaluate(async () => (await fetch(`/api/state${location.search}`)).json());
const withShift = async (key) => {
  await page.keyboard.down('Shift');
  await page.keyboard.press(key);
  await page.keyboard.up('Shift');
};

describe('displays and pages', () => {
  test('F2–F8 and the digits 1–7 show each display; the browser keeps none of them', async () => {
    for (let mode = 1; mode <= 7; ++mode) {
      await page.keyboard.press(`F${mode + 1}`);
      const s = await waitShown({ mode });
      assert.ok(s.svg > 1000, `display ${mode} drawn`);
      assert.equal(s.status === '', mode <= 3, `status pane of display ${mode}: "${s.status}"`);
      await page.keyboard.press('F2');
      await waitShown({ mode: 1 });
      await page.keyboard.press(`Digit${mode}`);
      await waitShown({ mode });
    }
    assert.equal(await page.evaluate(() => window.notReloaded), true, 'F5 did not reload the page');
    assert.match((await shown()).status, /^最大計算駅No：\d+$/);
  });

  test('Shift+F1–F12 and Shift with 1…0, -, = show each page; the tool bar and G the grid', async () => {
    await page.keyboard.press('F6');
    const codes = ['Digit1', 'Digit2', 'Digit3', 'Digit4', 'Digit5', 'Digit6', 'Digit7', 'Digit8', 'Digit9', 'Digit0', 'Minus', 'Equal'];
    for (let p = 1; p <= 12; ++p) {
      await withShift(`F${p}`);
      await waitShown({ mode: 5, page: p });
      await withShift(codes[p % 12]);
      await waitShown({ page: (p % 12) + 1 });
    }
    await page.click('#cmd-page-1');
    const withGrid = await waitShown({ page: 1 });
    const svgBefore = await page.$eval('#display', (d) => d.innerHTML);
    await page.keyboard.press('KeyG');
    await waitShown({ grid: withGrid.grid === '1' ? 0 : 1 });
    assert.notEqual(await page.$eval('#display', (d) => d.innerHTML), svgBefore, 'the grid changes the drawing');
    await page.click('#cmd-mode-6');
    await waitShown({ mode: 6 });
    assert.equal(await page.$eval('#cmd-mode-6', (b) => b.title), '路線図');
  });

  test('a click in a map display shows its page coordinates; in a listing nothing', async () => {
    await page.keyboard.press('F5');
    await waitShown({ mode: 4 });
    const box = await page.$eval('#display', (d) => { const r = d.getBoundingClientRect(); return { x: r.left, y: r.top, w: Math.floor(r.width), h: Math.floor(r.height) }; });
    const at = { x: Math.floor(box.w * 0.3), y: Math.floor(box.h * 0.6) };
    await page.mouse.click(box.x + at.x + 0.5, box.y + at.y + 0.5);
    await page.waitForSelector('#message[open]');
    const lx = Math.floor(at.x * 1000 / box.w), ly = Math.floor(at.y * 750 / box.h);
    const round = (v) => Math.floor((v + 5) / 10) * 10;
    assert.equal(await page.$eval('#message-text', (p) => p.textContent), `(x,y)=(${lx},${ly})≒(${round(lx)},${round(ly)})`);
    await page.keyboard.press('Enter');
    await page.waitForSelector('#message:not([open])');
    await page.keyboard.press('F4');
    await waitShown({ mode: 3 });
    await page.mouse.click(box.x + 10, box.y + 10);
    await new Promise((r) => setTimeout(r, 300));
    assert.equal(await page.$('#message[open]'), null);
  });

  test('the display keeps 4:3 and is drawn again at its new size', async () => {
    await page.setViewport({ width: 700, height: 900 });
    const s = await waitFor(async () => {
      const size = await page.$eval('#display', (d) => [d.clientWidth, d.clientHeight, d.querySelector('svg')?.getAttribute('width')]);
      return String(size[0]) === size[2] ? size : null;
    });
    assert.ok(Math.abs(s[0] * 3 - s[1] * 4) <= 4, `4:3, not ${s[0]}x${s[1]}`);
    await page.setViewport({ width: 1000, height: 800 });
  });
});

describe('live', () => {
  test('a save in place and one by rename redraw the display and the list, keeping display and page', async () => {
    await page.keyboard.press('F7');
    await withShift('F2');
    const first = await waitShown({ mode: 6, page: 2 });
    const eki = fs.readFileSync(path.join(folder, 'eki.txt'));
    saveInPlace(path.join(folder, 'eki.txt'), Buffer.concat([Buffer.from('x\r\n'), eki]));
    const broken = await waitFor(async () => {
      const s = await shown();
      return Number(s.generation) > Number(first.generation) ? s : null;
    });
    assert.equal(broken.mode, '6');
    assert.equal(broken.page, '2');
    const row = await waitFor(() => page.$eval('#problems-rows', (b) => b.rows.length > 0 ? b.rows[0].textContent : null));
    assert.match(row, /^エラーeki\.txt144/);
    assert.match(await page.$eval('#pane0', (p) => p.textContent), /エラー [1-9]\d* 件、警告 \d+ 件/);
    saveByRename(path.join(folder, 'eki.txt'), eki);
    await waitFor(() => page.$eval('#problems-rows', (b) => b.rows.length === 0 ? true : null));
    assert.equal(await page.evaluate(() => window.notReloaded), true, 'no reload of the page');
  });

  test('a finding opens at its line in the editor, or says file:line without one', async () => {
    saveInPlace(path.join(folder, 'eki.txt'), Buffer.concat([Buffer.from('x\r\n'), fs.readFileSync(path.join(folder, 'eki.txt'))]));
    await waitFor(() => page.$eval('#problems-rows', (b) => b.rows.length > 0 ? true : null));
    const where = await page.$eval('#problems-rows tr', (r) => `${r.cells[1].textContent}:${r.cells[2].textContent}`);
    await page.click('#problems-rows tr');
    await page.waitForSelector('#message[open]');
    assert.equal(await page.$eval('#message-text', (p) => p.textContent), where);
    await page.keyboard.press('Enter');
    if (!ownServer) return;  // the editor below is a Linux script
    const script = path.join(work, 'editor.sh');
    const out = path.join(work, 'opened.txt');
    fs.writeFileSync(script, `#!/bin/sh\nprintf '%s\\n' "$@" > "${out}.new" && mv "${out}.new" "${out}"\n`, { mode: 0o755 });
    await page.keyboard.press('KeyS');
    await page.waitForSelector('#settings[open]');
    await page.$eval('#editor-command', (e) => { e.value = ''; });
    await page.type('#editor-command', `"${script}" --line {line} "{file}"`);
    await waitFor(() => fs.existsSync(path.join(work, 'Orbline.ini')) && fs.readFileSync(path.join(work, 'Orbline.ini'), 'utf8').includes('editor.sh') ? true : null);
    await page.keyboard.press('Escape');
    await waitFor(() => page.$eval('#problems', (p) => p.dataset.generation));
    await new Promise((r) => setTimeout(r, 300));
    await page.click('#problems-rows tr');
    const opened = await waitFor(() => fs.existsSync(out) ? fs.readFileSync(out, 'utf8') : null);
    assert.equal(where, 'eki.txt:1');
    assert.equal(opened, `--line\n1\n${path.join(folder, 'eki.txt')}\n`);
  });

  test('the row under the pointer shows in the third pane and opens in the editor from a right click', async () => {
    await page.keyboard.press('Digit4');
    await waitShown({ mode: 4 });
    // The topmost label of the page: the last text drawn from map.txt.
    const label = await page.$$eval('#display g[data-file="map.txt"] text[data-line]', (texts) => {
      const t = texts[texts.length - 1];
      const r = t.getBoundingClientRect();
      return { line: t.dataset.line, x: r.left + r.width / 2, y: r.top + r.height / 2 };
    });
    await page.mouse.move(label.x, label.y);
    const pane = await waitFor(() => page.$eval('#pane2', (p) => p.textContent || null));
    assert.match(pane, new RegExp(`^\\(\\d+,\\d+\\)  map\\.txt:${label.line}  44 ラベル `));
    await page.mouse.click(label.x, label.y, { button: 'right' });
    assert.equal(await page.$eval('#row-open', (b) => b.textContent), `map.txt:${label.line} をエディタで開く`);
    const out = path.join(work, 'opened.txt');
    fs.rmSync(out, { force: true });
    await page.click('#row-open');
    assert.equal(await page.$eval('#row-menu', (m) => m.hidden), true);
    if (ownServer) {  // the editor set above, a Linux script
      const opened = await waitFor(() => fs.existsSync(out) ? fs.readFileSync(out, 'utf8') : null);
      assert.equal(opened, `--line\n${label.line}\n${path.join(folder, 'map.txt')}\n`);
    } else {  // no editor: the place is said instead
      await page.waitForSelector('#message[open]');
      assert.equal(await page.$eval('#message-text', (p) => p.textContent), `map.txt:${label.line}`);
      await page.keyboard.press('Enter');
    }
    // A drawing changed since is not named by its old rows.
    const token = new URL(server.url).searchParams.get('token');
    const openRow = (generation) => page.evaluate(async (generation, token) => (await fetch('/api/open-row', {
      method: 'POST', headers: { 'X-Orbline-Token': token },
      body: JSON.stringify({ index: 0, generation, mode: 4, page: 1 }) })).status, generation, token);
    const drawn = Number(await page.$eval('#display', (d) => d.dataset.generation));
    saveInPlace(path.join(folder, 'map.txt'), fs.readFileSync(path.join(folder, 'map.txt')));
    await waitFor(async () => ((await state()).generation > drawn ? true : null));
    assert.equal(await openRow(drawn), 409);
  });

  test('the settings form applies at once and keeps its settings in the profile', async () => {
    await page.keyboard.down('Control');
    await page.keyboard.press('KeyO');
    await page.keyboard.up('Control');
    await page.waitForSelector('#settings[open]');
    const before = (await state()).generation;
    await page.click('input[name="kugiri"][value="1"]');
    await waitFor(async () => ((await state()).settings.kugiri === 1 ? true : null));
    assert.ok((await state()).generation > before);
    await waitFor(() => page.$eval('#problems-count', (c) => /エラー [1-9]/.test(c.textContent) ? true : null));
    if (ownServer) assert.match(fs.readFileSync(path.join(work, 'Orbline.ini'), 'utf8'), /kugiri=1/);
    await page.click('input[name="kugiri"][value="3"]');
    await waitFor(async () => ((await state()).settings.kugiri === 3 ? true : null));
    await new Promise((r) => setTimeout(r, 100));
    await page.$eval('input[name="kankaku"]', (e) => { e.value = '101'; e.dispatchEvent(new Event('change', { bubbles: true })); });
    assert.equal(await page.$eval('#settings-note', (n) => n.textContent), '0 から 100 までの整数を入力してください。');
    await page.click('#settings-defaults');
    await waitFor(async () => ((await state()).settings.kugiri === 0 ? true : null));
    await page.keyboard.press('Escape');
  });
});

describe('compiling, printing, refusals', () => {
  test('F9 compiles as orblinec compile does and says so', async () => {
    saveInPlace(path.join(folder, 'eki.txt'), fs.readFileSync(new URL('../../examples/sample/eki.txt', import.meta.url)));
    await waitFor(() => page.$eval('#problems-rows', (b) => b.rows.length === 0 ? true : null));
    await page.keyboard.press('F9');
    await page.waitForSelector('#message[open]');
    assert.match(await page.$eval('#message-text', (p) => p.textContent), /^wrote .*line\.zkf \(27035 bytes\)$/);
    await page.keyboard.press('Enter');
  });

  test('printing gives the display alone on one page at 4:3', async () => {
    await page.emulateMediaType('print');
    const layout = await page.evaluate(() => ({
      toolbar: getComputedStyle(document.getElementById('toolbar')).display,
      w: document.getElementById('display').getBoundingClientRect().width,
      h: document.getElementById('display').getBoundingClientRect().height }));
    await page.emulateMediaType(null);
    assert.equal(layout.toolbar, 'none');
    assert.ok(Math.abs(layout.w * 3 - layout.h * 4) < 4, `4:3, not ${layout.w}x${layout.h}`);
    const pdf = Buffer.from(await page.pdf({ preferCSSPageSize: true })).toString('latin1');
    assert.equal((pdf.match(/\/Type\s*\/Page[^s]/g) || []).length, 1);
  });

  test('a wrong token, a wrong Host and a stale list are refused', async () => {
    const status = (p, init) => page.evaluate(async (p, init) => (await fetch(p, init)).status, p, init);
    assert.equal(await status('/api/state'), 403);
    assert.equal(await status('/api/state?token=00'), 403);
    const token = new URL(server.url).searchParams.get('token');
    assert.equal(await status('/api/compile', { method: 'POST', body: '{}' }), 403);
    const url = new URL(server.url);
    const rebound = await new Promise((resolve, reject) => http.get(
      { host: '127.0.0.1', port: url.port, path: `/api/state?token=${token}`, headers: { Host: `attacker.example:${url.port}` } },
      (r) => { r.resume(); resolve(r.statusCode); }).on('error', reject));
    assert.equal(rebound, 403);
    const list = (await state()).problems.generation;
    saveInPlace(path.join(folder, 'info.txt'), Buffer.concat([fs.readFileSync(path.join(folder, 'info.txt')), Buffer.from('\r\n')]));
    await waitFor(async () => ((await state()).problems.generation > list ? true : null));
    const open = (generation) => page.evaluate(async (generation, token) => (await fetch('/api/open', {
      method: 'POST', headers: { 'X-Orbline-Token': token }, body: JSON.stringify({ index: 0, generation }) })).status,
    generation, token);
    assert.equal(await open(list), 409);
  });
});
