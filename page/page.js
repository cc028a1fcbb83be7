// orblinec serve's page: the window's displays, tool bar, status bar, problems list and settings in
// a browser. The server draws every display (GET /api/display); this page asks for it at the size
// it shows it, and again after each save (server-sent events), resize or command.
'use strict';

// The window's tool-bar buttons with their pictures, tips and status prompts (app/ui_tables.cc).
const COMMANDS = {
  compile: { picture: '01-compile', tip: 'コンパイル', prompt: 'コンパイルし、ZKFファイル(*.zkf)を作成します。' },
  settings: { picture: '02-settings', tip: '設定', prompt: '読みとりに関する設定をします' },
  grid: { tip: 'グリッド', prompt: 'グリッドの表示' },
  help: { tip: 'キー', prompt: 'キーの一覧' },
};
const DISPLAYS = [
  { picture: '03-route-info', tip: '路線情報', prompt: '路線情報(info.txt)のテスト' },
  { picture: '04-kinds', tip: '種別', prompt: '種別(kind.txt)のテスト' },
  { picture: '05-stations', tip: '駅', prompt: '駅(eki.txt)のテスト' },
  { picture: '06-birds-eye', tip: '鳥瞰図', prompt: '鳥瞰図(map.txt)のテスト' },
  { picture: '07-diagram', tip: 'ダイアグラム', prompt: 'ダイアグラム(map.txt)のテスト' },
  { picture: '08-route-map', tip: '路線図', prompt: '路線図(map.txt)のテスト' },
  { picture: '09-timetable', tip: '時刻表', prompt: '時刻表(data?.txt)のテスト' },
];
const PAGES_WITH_PICTURES = 8;  // Map 1–8 have tool-bar buttons; 9–12 are reached by keys
const PAGE_COUNT = 12;
const IDLE = 'ﾚﾃﾞｨ';
const SEVERITY = { error: 'エラー', warning: '警告' };
const countText = (errors, warnings) => `エラー ${errors} 件、警告 ${warnings} 件`;
const WIDTH_PROBLEM = '0 から 100 までの整数を入力してください。';
const OPEN_FAILED = 'エディタで開けませんでした。\n';
const DEFAULTS = { kugiri: 0, kankaku: 5, weekkind: 0, top: 0, sec30: 1 };
const OPEN_ROW = (where) => `${where} をエディタで開く`;
const OPEN_NO_ROW = 'エディタで開く';
const NEAR = 3;  // pixels around the pointer where a thin line or a small item is still under it

// Keys. The first is the window's; the second is one no browser keeps for itself (browsers keep
// some function keys: F1 help, F3 find, F5 reload, F6 the address bar, F7 caret browsing, and
// Shift+F5, where they do not let a page have them). Digits and letters are matched by their place
// on the keyboard (KeyboardEvent.code), so any layout has them.
const PAGE_CODES = ['Digit1', 'Digit2', 'Digit3', 'Digit4', 'Digit5', 'Digit6', 'Digit7', 'Digit8', 'Digit9',
                    'Digit0', 'Minus', 'Equal'];
const PAGE_CODE_NAMES = ['1', '2', '3', '4', '5', '6', '7', '8', '9', '0', '-', '^ (=)'];
function keyBindings() {
  const bindings = [];
  DISPLAYS.forEach((d, i) => bindings.push({
    label: d.tip, first: { key: `F${i + 2}` }, second: { code: `Digit${i + 1}` },
    run: () => showDisplay(i + 1), name: [`F${i + 2}`, `${i + 1}`] }));
  for (let p = 1; p <= PAGE_COUNT; ++p) bindings.push({
    label: `Map ${p}`, first: { key: `F${p}`, shift: true }, second: { code: PAGE_CODES[p - 1], shift: true },
    run: () => showPage(p), name: [`Shift+F${p}`, `Shift+${PAGE_CODE_NAMES[p - 1]}`] });
  bindings.push({ label: 'グリッド', second: { code: 'KeyG' }, run: toggleGrid, name: ['', 'G'] });
  bindings.push({ label: 'コンパイル', first: { key: 'F9' }, second: { code: 'KeyC' }, run: compile, name: ['F9', 'C'] });
  bindings.push({ label: '設定', first: { key: 'o', ctrl: true }, second: { code: 'KeyS' }, run: openSettings,
                  name: ['Ctrl+O', 'S'] });
  bindings.push({ label: 'キー', first: { key: 'F1' }, second: { code: 'KeyH' }, run: openHelp, name: ['F1', 'H'] });
  return bindings;
}

const token = new URLSearchParams(location.search).get('token') || '';
const view = { mode: 1, page: 1, grid: 1 };
let listGeneration = 0;   // the problems list shown, named when a finding is opened
let drawingGeneration = 0;  // the drawing shown
let rowTexts = [];          // its rows, described, in the order the drawing counts them
let rowIndex = new Map();   // "file:line" of a row to its place in that order
let shownSize = '';
let bindings = [];

const $ = (id) => document.getElementById(id);

async function api(path, options = {}) {
  const headers = { 'X-Orbline-Token': token };
  if (options.body !== undefined) headers['Content-Type'] = 'application/json';
  const response = await fetch(path, { method: options.body !== undefined ? 'POST' : 'GET', headers,
                                       body: options.body !== undefined ? JSON.stringify(options.body) : undefined });
  const json = await response.json().catch(() => ({}));
  return { status: response.status, json };
}

function say(text, caption = 'Orbline') {
  $('message-caption').textContent = caption;
  $('message-text').textContent = text;
  if (!$('message').open) $('message').showModal();
}

// ---- the tool bar
function button(id, command, run) {
  const b = document.createElement('button');
  b.id = id;
  b.type = 'button';
  b.title = command.tip;
  b.setAttribute('aria-label', command.tip);
  if (command.picture) {
    const img = document.createElement('img');
    img.src = `toolbar/${command.picture}.png`;
    img.alt = '';
    b.append(img);
  } else {
    b.textContent = command.text || command.tip;
  }
  b.addEventListener('click', run);
  b.addEventListener('mouseenter', () => { $('pane0').textContent = command.prompt; });
  b.addEventListener('mouseleave', showCount);
  return b;
}

function buildToolbar() {
  const bar = $('toolbar');
  const gap = () => { const s = document.createElement('span'); s.className = 'gap'; return s; };
  bar.append(button('cmd-compile', COMMANDS.compile, compile), button('cmd-settings', COMMANDS.settings, openSettings),
             gap());
  DISPLAYS.forEach((d, i) => bar.append(button(`cmd-mode-${i + 1}`, d, () => showDisplay(i + 1))));
  bar.append(gap());
  for (let p = 1; p <= PAGE_COUNT; ++p) {
    const picture = p <= PAGES_WITH_PICTURES ? `${9 + p}-map${p}` : undefined;
    const b = button(`cmd-page-${p}`, { picture, text: String(p), tip: `Map ${p}`, prompt: `マップ${p}を表示` },
                     () => showPage(p));
    if (!picture) b.className = 'text';
    bar.append(b);
  }
  bar.append(gap());
  const grid = button('cmd-grid', COMMANDS.grid, toggleGrid);
  grid.className = 'text';
  bar.append(grid, button('cmd-help', { ...COMMANDS.help, text: '?' }, openHelp));
  $('cmd-help').className = 'text';
}

function markToolbar() {
  for (let m = 1; m <= DISPLAYS.length; ++m) $(`cmd-mode-${m}`).classList.toggle('current', view.mode === m);
  for (let p = 1; p <= PAGE_COUNT; ++p) $(`cmd-page-${p}`).setAttribute('aria-pressed', String(view.page === p));
  $('cmd-grid').setAttribute('aria-pressed', String(view.grid !== 0));
}

// ---- the display
function keepView() {
  history.replaceState(null, '', `${location.pathname}${location.search}#mode=${view.mode}&page=${view.page}&grid=${view.grid}`);
}

function fitDisplay() {
  const stage = $('stage');
  const width = Math.max(1, Math.min(stage.clientWidth, Math.floor(stage.clientHeight * 4 / 3)));
  const height = Math.max(1, Math.floor(width * 3 / 4));
  const d = $('display');
  d.style.width = `${width}px`;
  d.style.height = `${height}px`;
  return { width, height };
}

let drawing = null;     // the request under way
let drawAgain = false;  // another came meanwhile
async function draw() {
  if (drawing) { drawAgain = true; return drawing; }
  drawing = (async () => {
    do {
      drawAgain = false;
      const { width, height } = fitDisplay();
      const ratio = window.devicePixelRatio || 1;
      const w = Math.max(1, Math.round(width * ratio)), h = Math.max(1, Math.round(height * ratio));
      const { status, json } = await api(
        `/api/display?mode=${view.mode}&page=${view.page}&grid=${view.grid}&w=${w}&h=${h}`);
      if (status !== 200) continue;
      const d = $('display');
      d.innerHTML = json.svg.replace(/^<\?xml[^>]*>\s*/, '');
      d.dataset.generation = String(json.generation);
      d.dataset.mode = String(view.mode);
      d.dataset.page = String(view.page);
      d.dataset.grid = String(view.grid);
      drawingGeneration = json.generation;
      learnRows(json.rows || []);
      shownSize = `${w}x${h}`;
      $('pane1').textContent = json.status;
    } while (drawAgain);
  })();
  try { await drawing; } finally { drawing = null; }
}

function showDisplay(mode) { view.mode = mode; changed(); }
function showPage(page) { view.page = page; changed(); }
function toggleGrid() { view.grid = view.grid === 0 ? 1 : 0; changed(); }
function changed() { keepView(); markToolbar(); draw(); }

// A click in a map display: the page coordinates, as the window's box shows them.
async function clickDisplay(event) {
  if (event.button !== 0) return;
  const box = $('display').getBoundingClientRect();
  const x = Math.floor(event.clientX - box.left), y = Math.floor(event.clientY - box.top);
  const w = Math.floor(box.width), h = Math.floor(box.height);
  if (x < 0 || y < 0 || x >= w || y >= h) return;
  const { status, json } = await api(`/api/coordinate?mode=${view.mode}&x=${x}&y=${y}&w=${w}&h=${h}`);
  if (status === 200 && json.text) say(json.text);
}

// ---- from the drawing to its row
// Each element drawn from a source row carries its line, inside a group that names its file; the
// server counts the rows in the order their first elements come, and names them so.
const rowKey = (e) => `${e.closest('[data-file]').dataset.file}:${e.dataset.line}`;
function learnRows(texts) {
  rowTexts = texts;
  rowIndex = new Map();
  for (const e of $('display').querySelectorAll('[data-line]')) {
    const key = rowKey(e);
    if (!rowIndex.has(key)) rowIndex.set(key, rowIndex.size);
  }
}

// The topmost element of a row within a few pixels of the point, or null.
function rowElementAt(x, y) {
  let top = null;
  for (const [dx, dy] of [[0, 0], [-NEAR, 0], [NEAR, 0], [0, -NEAR], [0, NEAR],
                          [-NEAR, -NEAR], [NEAR, NEAR], [-NEAR, NEAR], [NEAR, -NEAR]]) {
    const hit = document.elementsFromPoint(x + dx, y + dy).find((e) => $('display').contains(e));
    const row = hit && hit.closest('[data-line]');
    // Later elements lie over earlier ones.
    if (row && (!top || (top.compareDocumentPosition(row) & Node.DOCUMENT_POSITION_FOLLOWING))) top = row;
  }
  return top;
}

// The row under the pointer: its place among the drawing's rows, or -1.
function rowAt(event) {
  const e = rowElementAt(event.clientX, event.clientY);
  const index = e ? rowIndex.get(rowKey(e)) : undefined;
  return index === undefined ? -1 : index;
}

// The pointer's pane: the page coordinates in map displays, and the row under the pointer.
function pointAt(event) {
  const box = $('display').getBoundingClientRect();
  const x = Math.floor(event.clientX - box.left), y = Math.floor(event.clientY - box.top);
  const parts = [];
  if (view.mode >= 4 && view.mode <= 6 && box.width > 0 && box.height > 0)
    parts.push(`(${Math.floor(x * 1000 / box.width)},${Math.floor(y * 750 / box.height)})`);
  const index = rowAt(event);
  if (index >= 0) parts.push(rowTexts[index]);
  $('pane2').textContent = parts.join('  ');
  $('pane2').title = $('pane2').textContent;
}

function closeRowMenu() { $('row-menu').hidden = true; }

// A right click: the row under the pointer opens in the editor from the menu.
function rowMenu(event) {
  event.preventDefault();
  const index = rowAt(event);
  const item = $('row-open');
  const where = index >= 0 ? rowTexts[index].split('  ')[0] : '';
  item.textContent = index >= 0 ? OPEN_ROW(where) : OPEN_NO_ROW;
  item.disabled = index < 0;
  item.dataset.index = String(index);
  item.dataset.generation = String(drawingGeneration);
  const menu = $('row-menu');
  menu.style.left = `${event.clientX}px`;
  menu.style.top = `${event.clientY}px`;
  menu.hidden = false;
  item.focus();
}

async function openRow() {
  const item = $('row-open');
  closeRowMenu();
  const body = { index: Number(item.dataset.index), generation: Number(item.dataset.generation),
                 mode: view.mode, page: view.page };
  const { status, json } = await api('/api/open-row', { body });
  if (status === 409) { await draw(); return; }  // drawn anew since: point again
  if (status !== 200) return;
  if (json.error) say(OPEN_FAILED + json.where + '\n' + json.error);
  else if (!json.opened) say(json.where);
  else $('pane0').textContent = json.where;
}

// ---- the problems list
let findings = [];
let counts = { errors: 0, warnings: 0 };
function showCount() {
  $('pane0').textContent = counts.errors + counts.warnings > 0 ? `${IDLE}  ${countText(counts.errors, counts.warnings)}` : IDLE;
}

function showProblems(problems) {
  listGeneration = problems.generation;
  findings = problems.findings;
  counts = { errors: problems.errors, warnings: problems.warnings };
  $('problems-count').textContent = countText(problems.errors, problems.warnings);
  const rows = $('problems-rows');
  const scroll = $('problems-scroll').scrollTop;
  const focused = document.activeElement && document.activeElement.parentElement === rows
    ? [...rows.children].indexOf(document.activeElement) : -1;
  rows.replaceChildren(...findings.map((f, index) => {
    const tr = document.createElement('tr');
    tr.className = f.severity;
    tr.tabIndex = 0;
    tr.dataset.index = String(index);
    for (const text of [SEVERITY[f.severity], f.file, f.line > 0 ? String(f.line) : '', String(f.code), f.message]) {
      const td = document.createElement('td');
      td.textContent = text;
      tr.append(td);
    }
    tr.addEventListener('click', () => openFinding(index));
    tr.addEventListener('keydown', (e) => { if (e.key === 'Enter') openFinding(index); });
    return tr;
  }));
  $('problems-scroll').scrollTop = scroll;
  if (focused >= 0 && rows.children.length > 0) rows.children[Math.min(focused, rows.children.length - 1)].focus();
  $('problems').dataset.generation = String(listGeneration);
  showCount();
}

async function openFinding(index) {
  const { status, json } = await api('/api/open', { body: { index, generation: listGeneration } });
  if (status === 409) { await refresh(); return; }  // the list changed: show the new one
  if (status !== 200) return;
  if (json.error) say(OPEN_FAILED + json.where + '\n' + json.error);
  else if (!json.opened) say(json.where);
  else $('pane0').textContent = json.where;
}

// ---- settings
function fillSettings(settings, editor) {
  const form = $('settings-form');
  for (const name of ['kugiri', 'weekkind'])
    for (const radio of form.elements[name]) radio.checked = Number(radio.value) === settings[name];
  form.elements.top.checked = settings.top !== 0;
  form.elements.sec30.checked = settings.sec30 !== 0;
  form.elements.kankaku.value = String(settings.kankaku);
  form.elements.kankaku.disabled = settings.kugiri !== 3;
  form.elements.editor.value = editor;
}

async function applySettings() {
  const form = $('settings-form');
  const kankaku = form.elements.kankaku.value.trim();
  if (!/^\d+$/.test(kankaku) || Number(kankaku) > 100) { $('settings-note').textContent = WIDTH_PROBLEM; return; }
  const body = {
    kugiri: Number(form.elements.kugiri.value), kankaku: Number(kankaku), weekkind: Number(form.elements.weekkind.value),
    top: form.elements.top.checked ? 1 : 0, sec30: form.elements.sec30.checked ? 1 : 0, editor: form.elements.editor.value,
  };
  form.elements.kankaku.disabled = body.kugiri !== 3;
  const { status, json } = await api('/api/settings', { body });
  $('settings-note').textContent = status === 200 ? (json.keepsSettings ? '' : 'この実行の間だけ使います (--no-profile)')
    : json.error || String(status);
  if (status === 200) { showProblems(json.problems); draw(); }
}

async function openSettings() {
  const { status, json } = await api('/api/state');
  if (status === 200) fillSettings(json.settings, json.editor);
  $('settings-note').textContent = '';
  if (!$('settings').open) $('settings').showModal();
}

// ---- compile
async function compile() {
  $('pane0').textContent = COMMANDS.compile.prompt;
  const { status, json } = await api('/api/compile', { body: {} });
  if (status !== 200) return;
  say(json.lines.join('\n'), 'コンパイル');
  $('message').dataset.ok = String(json.ok);
  showCount();
}

// ---- help
function openHelp() {
  const body = $('help-keys').tBodies[0];
  body.replaceChildren(...bindings.map((b) => {
    const tr = document.createElement('tr');
    for (const text of [b.label, b.name[0], b.name[1]]) {
      const td = document.createElement('td');
      td.textContent = text;
      tr.append(td);
    }
    return tr;
  }));
  if (!$('help').open) $('help').showModal();
}

// ---- keys
function matches(k, e) {
  if (!k) return false;
  if (Boolean(k.shift) !== e.shiftKey || Boolean(k.ctrl) !== (e.ctrlKey || e.metaKey) || e.altKey) return false;
  return k.key ? e.key.toLowerCase() === k.key.toLowerCase() : e.code === k.code;
}

function onKey(e) {
  if (document.querySelector('dialog[open]')) return;  // a box or the form has the keys
  const t = e.target;
  if (t instanceof HTMLInputElement || t instanceof HTMLTextAreaElement) return;
  for (const b of bindings) {
    const first = matches(b.first, e);
    if (first || matches(b.second, e)) {
      e.preventDefault();
      e.stopPropagation();
      b.run();
      return;
    }
  }
}

// ---- live
async function refresh() {
  const { status, json } = await api('/api/state');
  if (status !== 200) return;
  showProblems(json.problems);
  if (json.generation !== drawingGeneration) await draw();
}

function follow() {
  const events = new EventSource(`/api/events?token=${encodeURIComponent(token)}`);
  events.addEventListener('changed', (e) => {
    const generation = Number(e.data);
    if (generation !== drawingGeneration || generation !== listGeneration) refresh();
  });
}

async function start() {
  bindings = keyBindings();
  buildToolbar();
  const { status, json } = await api('/api/state');
  if (status !== 200) {
    $('pane0').textContent = json.error || `HTTP ${status}`;
    return;
  }
  Object.assign(view, json.view);
  const hash = new URLSearchParams(location.hash.slice(1));
  for (const [key, min, max] of [['mode', 1, 7], ['page', 1, PAGE_COUNT], ['grid', 0, 1]]) {
    const value = Number(hash.get(key));
    if (hash.has(key) && Number.isInteger(value) && value >= min && value <= max) view[key] = value;
  }
  showProblems(json.problems);
  fillSettings(json.settings, json.editor);
  keepView();
  markToolbar();
  await draw();
  follow();
  window.addEventListener('keydown', onKey, true);
  let resizing = 0;
  window.addEventListener('resize', () => {
    fitDisplay();
    clearTimeout(resizing);
    resizing = setTimeout(draw, 120);
  });
  $('display').addEventListener('mousedown', clickDisplay);
  $('display').addEventListener('mousemove', pointAt);
  $('display').addEventListener('mouseleave', () => { $('pane2').textContent = ''; });
  $('display').addEventListener('contextmenu', rowMenu);
  $('row-open').addEventListener('click', openRow);
  document.addEventListener('mousedown', (e) => { if (!$('row-menu').contains(e.target)) closeRowMenu(); });
  document.addEventListener('keydown', (e) => { if (e.key === 'Escape') closeRowMenu(); });
  const form = $('settings-form');
  form.addEventListener('change', applySettings);
  form.elements.editor.addEventListener('input', () => { clearTimeout(form.typing); form.typing = setTimeout(applySettings, 400); });
  $('settings-defaults').addEventListener('click', () => { fillSettings(DEFAULTS, form.elements.editor.value); applySettings(); });
  document.body.dataset.ready = 'true';
}

start();
