// orblinec serve under load and faults: 8 clients send REQUESTS requests between them (the page's
// own: state, displays of every mode at several sizes, click boxes, its files) while the line's
// files are saved SAVES times, in place and by rename, and an event stream follows along. Meanwhile
// one client drops its connection in the middle of a large answer, one sends requests and never
// reads, and one sends half a request and stops. Every answer must be whole (its length as stated,
// JSON that parses), every save must reach the event stream, and Ctrl+C must end the server with
// status 0. Prints the figures; exits 1 on any fault.
//
//   node serve_load.mjs ORBLINEC [REQUESTS] [SAVES] [--full DIR]
import http from 'node:http';
import net from 'node:net';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { startServer, saveInPlace, saveByRename, waitFor } from './serve_support.mjs';

const [orblinec, requestsArg = '2000', savesArg = '40'] = process.argv.slice(2);
const fullIndex = process.argv.indexOf('--full');
const REQUESTS = Number(requestsArg), SAVES = Number(savesArg), CLIENTS = 8;

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'orbline-load-'));
const folder = path.join(work, 'line');
fs.cpSync(fullIndex > 0 ? process.argv[fullIndex + 1] : new URL('../../examples/sample', import.meta.url).pathname,
          folder, { recursive: true });
const server = await startServer(orblinec, folder, path.join(work, 'Orbline.ini'), fullIndex > 0 ? ['--weekkind', '2'] : []);
const url = new URL(server.url);
const token = url.searchParams.get('token');
const faults = [];
const fault = (what) => { if (faults.length < 20) faults.push(what); };

function peakRss() {
  try {
    const status = fs.readFileSync(`/proc/${server.pid}/status`, 'utf8');
    return { rss: Number(/VmRSS:\s+(\d+)/.exec(status)[1]), peak: Number(/VmHWM:\s+(\d+)/.exec(status)[1]) };
  } catch { return { rss: NaN, peak: NaN }; }  // not on Linux (wine): no figures
}

function targetFor(i) {
  const mode = 1 + (i % 7), page = 1 + (i % 12), size = [[400, 300], [800, 600], [1000, 750]][i % 3];
  switch (i % 5) {
    case 0: return `/api/state?token=${token}`;
    case 1: return `/api/coordinate?mode=${mode}&x=${i % 400}&y=${i % 300}&w=400&h=300&token=${token}`;
    case 2: return ['/', '/page.js', '/page.css', '/toolbar/06-birds-eye.png'][i % 4];
    default: return `/api/display?mode=${mode}&page=${page}&grid=${i % 2}&w=${size[0]}&h=${size[1]}&token=${token}`;
  }
}

function get(agent, target) {
  return new Promise((resolve) => {
    const started = process.hrtime.bigint();
    const req = http.get({ host: '127.0.0.1', port: url.port, path: target, agent, timeout: 20000 }, (res) => {
      const chunks = [];
      res.on('data', (c) => chunks.push(c));
      res.on('end', () => {
        const body = Buffer.concat(chunks);
        const length = Number(res.headers['content-length']);
        if (res.statusCode !== 200) fault(`${target}: status ${res.statusCode}`);
        else if (body.length !== length) fault(`${target}: ${body.length} of ${length} bytes`);
        else if (target.startsWith('/api/')) { try { JSON.parse(body); } catch { fault(`${target}: JSON cut`); } }
        resolve(Number(process.hrtime.bigint() - started) / 1e6);
      });
      res.on('error', (e) => { fault(`${target}: ${e.message}`); resolve(NaN); });
    });
    req.on('timeout', () => req.destroy(new Error('timed out')));
    req.on('error', (e) => { fault(`${target}: ${e.message}`); resolve(NaN); });
  });
}

// The faulty clients.
function misbehave() {
  const sockets = [];
  const big = `GET /api/display?mode=4&page=1&grid=1&w=20000&h=15000&token=${token} HTTP/1.1\r\nHost: ${url.host}\r\n\r\n`;
  const dropper = net.connect(url.port, '127.0.0.1', () => dropper.write(big));
  dropper.once('data', () => dropper.destroy());  // gone in the middle of the answer
  dropper.on('error', () => {});
  const deaf = net.connect(url.port, '127.0.0.1', () => { for (let i = 0; i < 50; ++i) deaf.write(big); });
  deaf.pause();  // never reads
  deaf.on('error', () => {});
  const half = net.connect(url.port, '127.0.0.1', () => half.write(`GET /api/state?token=${token} HTTP/1.1\r\nHo`));
  half.on('error', () => {});
  sockets.push(dropper, deaf, half);
  return sockets;
}

// An event stream that counts the generations it is told of.
function follow() {
  const seen = { generations: new Set() };
  const req = http.get({ host: '127.0.0.1', port: url.port, path: `/api/events?token=${token}` }, (res) => {
    res.setEncoding('utf8');
    res.on('data', (text) => { for (const m of text.matchAll(/data: (\d+)/g)) seen.generations.add(Number(m[1])); });
  });
  req.on('error', () => {});
  seen.close = () => req.destroy();
  return seen;
}

const before = peakRss();
const events = follow();
const bad = misbehave();
const eki = fs.readFileSync(path.join(folder, 'eki.txt'));
const map = fs.readFileSync(path.join(folder, 'map.txt'));
let savesDone = 0;
const saving = (async () => {
  for (let s = 0; s < SAVES; ++s) {
    const extra = Buffer.from('\r\n'.repeat(1 + (s % 2)));
    if (s % 2) saveInPlace(path.join(folder, 'eki.txt'), Buffer.concat([eki, extra]));
    else saveByRename(path.join(folder, 'map.txt'), Buffer.concat([map, extra]));
    ++savesDone;
    await new Promise((r) => setTimeout(r, s % 4 === 3 ? 320 : 30));  // now and then a pause past the settle time
  }
})();
const started = Date.now();
let next = 0;
const times = [];
await Promise.all(Array.from({ length: CLIENTS }, async () => {
  const agent = new http.Agent({ keepAlive: true, maxSockets: 1 });
  while (next < REQUESTS) times.push(await get(agent, targetFor(next++)));
  agent.destroy();
}));
await saving;
const seconds = (Date.now() - started) / 1000;
// The last save reaches the stream once it has settled.
const last = await waitFor(async () => {
  const state = await new Promise((resolve) => http.get({ host: '127.0.0.1', port: url.port, path: `/api/state?token=${token}` },
    (res) => { let t = ''; res.on('data', (c) => { t += c; }); res.on('end', () => resolve(JSON.parse(t))); }));
  return events.generations.has(state.generation) && state.problems.generation === state.generation ? state : null;
}, 5000).catch(() => { fault('the event stream missed the last save'); return null; });
const after = peakRss();
events.close();
for (const s of bad) s.destroy();
const status = await server.stop();
if (status !== 0) fault(`orblinec serve ended with ${status} after Ctrl+C`);
fs.rmSync(work, { recursive: true, force: true });

times.sort((a, b) => a - b);
const pct = (p) => times[Math.min(times.length - 1, Math.floor(p * times.length))].toFixed(1);
console.log(`${REQUESTS} requests from ${CLIENTS} clients with ${savesDone} saves in ${seconds.toFixed(1)} s ` +
            `(${Math.round(REQUESTS / seconds)}/s); answer time median ${pct(0.5)} ms, 99th ${pct(0.99)} ms, ` +
            `slowest ${pct(1)} ms; ${events.generations.size} generations announced, last ${last?.generation}`);
console.log(`server RSS before ${before.rss} KiB (peak ${before.peak} KiB), after ${after.rss} KiB (peak ${after.peak} KiB)`);
if (faults.length) {
  console.log(`FAULTS:\n  ${faults.join('\n  ')}`);
  process.exit(1);
}
console.log('every answer whole; the server stopped cleanly on Ctrl+C');
