// What the browser tests and benchmarks of orblinec serve share: Chromium as this machine lets it
// run, orblinec serve started and stopped, saves as editors make them, and waiting.
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

// Debian's Chromium; as root it needs --no-sandbox, and on a machine without a network it must not
// try to reach one in the background.
export function launchChromium(options = {}) {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: options.headless ?? true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', ...(options.args || [])],
    defaultViewport: options.defaultViewport,
    ignoreDefaultArgs: options.ignoreDefaultArgs,
  });
}

// Starts `orblinec serve` on `folder` with `profile`, in the folder above it (where it compiles to),
// and resolves with its address, once it has printed it, and a stop() that ends it with Ctrl+C and
// resolves with its exit status.
export function startServer(orblinec, folder, profile, extra = []) {
  return new Promise((resolve, reject) => {
    const child = spawn(path.resolve(orblinec), ['serve', '-C', path.resolve(folder), '--profile', path.resolve(profile),
                                                 '--no-open', ...extra],
                        { stdio: ['ignore', 'pipe', 'inherit'], cwd: path.dirname(path.resolve(folder)) });
    let out = '';
    const exited = new Promise((r) => child.on('exit', (code, signal) => r(code ?? signal)));
    child.on('error', reject);
    child.stdout.on('data', (chunk) => {
      out += chunk;
      const line = out.split('\n')[0];
      if (out.includes('\n')) resolve({
        url: line.replace(/\r$/, ''), pid: child.pid,
        stop: async () => { child.kill('SIGINT'); return exited; } });
    });
    exited.then((code) => reject(new Error(`orblinec serve ended (${code}) before its address`)));
  });
}

// An editor that writes the file itself (truncating it), and one that renames a new file over it.
export function saveInPlace(file, bytes) { fs.writeFileSync(file, bytes); }
export function saveByRename(file, bytes) {
  fs.writeFileSync(`${file}.saving`, bytes);
  fs.renameSync(`${file}.saving`, file);
}

// Resolves with the first truthy value `probe` gives, asking every 20 ms for up to `ms`.
export async function waitFor(probe, ms = 10000) {
  const end = Date.now() + ms;
  for (;;) {
    const value = await probe();
    if (value) return value;
    if (Date.now() > end) throw new Error(`waited ${ms} ms in vain for ${probe}`);
    await new Promise((r) => setTimeout(r, 20));
  }
}
