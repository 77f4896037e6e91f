// SPDX-License-Identifier: GPL-2.0-or-later
// Shared by the browser test and the measuring scripts: the site served on
// loopback, Debian's Chromium started headless with a profile of its own, and
// the game driven through window.kabusim.
import { createServer } from 'node:http';
import { readdirSync, readFileSync } from 'node:fs';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';
import puppeteer from 'puppeteer-core';

const TYPES = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript',
  '.css': 'text/css', '.wasm': 'application/wasm', '.data': 'application/octet-stream',
  '.ogg': 'audio/ogg', '.png': 'image/png', '.txt': 'text/plain; charset=utf-8',
  '.webmanifest': 'application/manifest+json',
};

// A phone held upright, touch only.
export const PHONE = { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true };

// A static server for `folder` on 127.0.0.1, as static hosts serve: with an
// ETag, and "304 Not Modified" for a copy that is still current. Cross-origin
// isolated (so performance.now() is precise to 5 µs); adds up the bytes sent
// of every file. setOffline(true) drops every request, as a cut network does.
export async function serve(folder) {
  const sent = new Map();
  let offline = false;
  const server = createServer(async (request, response) => {
    if (offline) {
      request.socket.destroy();
      return;
    }
    const path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    const file = join(folder, normalize(path.endsWith('/') ? path + 'index.html' : path));
    try {
      if (!file.startsWith(folder)) throw new Error('outside');
      const info = await stat(file);
      if (!info.isFile()) throw new Error('no file');
      const headers = {
        'Content-Type': TYPES[extname(file)] || 'application/octet-stream',
        'Cross-Origin-Opener-Policy': 'same-origin',
        'Cross-Origin-Embedder-Policy': 'require-corp',
        'Cache-Control': 'no-cache',
        'ETag': `"${info.size}-${info.mtimeMs}"`,
      };
      if (request.headers['if-none-match'] === headers.ETag) {
        response.writeHead(304, headers);
        response.end();
        return;
      }
      const body = await readFile(file);
      response.writeHead(200, { ...headers, 'Content-Length': body.length });
      response.end(body);
      sent.set(path, (sent.get(path) || 0) + body.length);
    } catch {
      response.writeHead(404);
      response.end();
    }
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { url: `http://127.0.0.1:${server.address().port}/`, sent, close: () => server.close(),
    setOffline: (cut) => {
      offline = cut;
      server.closeAllConnections();
    } };
}

// Chromium without a sandbox, GPU or network chatter, on a profile folder
// of its own (kept between launches to test what survives a restart).
export function launch(profile, viewport = { width: 1280, height: 1024 }, args = []) {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    defaultViewport: viewport,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--no-first-run', '--autoplay-policy=no-user-gesture-required', ...args],
  });
}

// A page in a window of its own (so that it is shown and runs beside the
// others), which records what goes wrong in it and counts the key events it
// sees (window.keyEvents). `viewport` emulates a device; no url: about:blank.
export async function open(browser, url, viewport) {
  const page = await browser.newPage({ type: 'window' });  // a browser or one of its contexts
  if (viewport) await page.setViewport(viewport);
  await page.evaluateOnNewDocument(() => {
    window.keyEvents = 0;
    for (const type of ['keydown', 'keyup', 'keypress']) window.addEventListener(type, () => ++window.keyEvents, true);
  });
  const problems = [];
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push('console: ' + message.text());
  });
  page.on('pageerror', (error) => problems.push('page: ' + error.message));
  page.on('requestfailed', (request) => problems.push('request: ' + request.url() + ' ' + request.failure().errorText));
  page.on('response', (response) => {
    if (response.status() >= 400) problems.push('response: ' + response.url() + ' ' + response.status());
  });
  page.problems = problems;
  if (url) await page.goto(url);
  return page;
}

export function state(page) {
  return page.evaluate(() => window.kabusim.state());
}

// Waits until `test(state)` holds; the state then.
export async function until(page, what, test, timeoutMs = 20000) {
  const start = Date.now();
  for (;;) {
    const now = await page.evaluate(() => window.kabusim && window.kabusim.state());
    if (now && test(now)) return now;
    if (Date.now() - start > timeoutMs) throw new Error(`timed out waiting for ${what}; state ${JSON.stringify(now)}`);
    await new Promise((resolve) => setTimeout(resolve, 20));
  }
}

export async function untilScene(page, scene, timeoutMs) {
  return until(page, 'scene ' + scene, (now) => now.scene === scene, timeoutMs);
}

// Waits until the game has presented `count` more frames.
export async function frames(page, count) {
  const target = (await page.evaluate(() => window.kabusim.frames())) + count;
  await page.waitForFunction((n) => window.kabusim.frames() >= n, { polling: 'raf' }, target);
}

// The page point (CSS pixels, fractions kept) over the middle of picture
// pixel (x, y).
export function pagePoint(page, x, y) {
  return page.evaluate((x, y) => {
    const r = document.getElementById('screen').getBoundingClientRect();
    // Builds before the canvas took the device pixels had the picture's box.
    const { width, view } = window.kabusim.canvas ? window.kabusim.canvas()
      : { width: r.width, view: [0, 0, r.width, r.height] };
    const scale = r.width / width;
    return { x: r.left + (view[0] + (x + 0.5) * view[2] / 640) * scale,
      y: r.top + (view[1] + (y + 0.5) * view[3] / 480) * scale };
  }, x, y);
}

// A tap on picture pixel (x, y): a finger down for two frames.
export async function tap(page, x, y) {
  const point = await pagePoint(page, x, y);
  const finger = await page.touchscreen.touchStart(point.x, point.y);
  await frames(page, 2);
  await finger.end();
  await frames(page, 2);
}

// A finger on a touch key of the page (Enter, ArrowUp, ArrowDown, F); end()
// lifts it.
export async function holdKey(page, key) {
  const box = await (await page.$(`#pad button[aria-label="${key}"]`)).boundingBox();
  return page.touchscreen.touchStart(box.x + box.width / 2, box.y + box.height / 2);
}

export async function pressKey(page, key, frameCount = 2) {
  const finger = await holdKey(page, key);
  await frames(page, frameCount);
  await finger.end();
  await frames(page, 2);
}

// A click on picture pixel (x, y) as the runner makes it: the button down for
// a frame, then up for a frame.
export async function click(page, x, y) {
  const point = await pagePoint(page, x, y);
  await page.mouse.move(point.x, point.y);
  await page.mouse.down();
  await frames(page, 2);
  await page.mouse.up();
  await frames(page, 2);
}

// Skips the opening with Enter held, as the end-to-end scripts do: the key,
// or the page's touch key when `touch`.
export async function skipOpening(page, touch = false) {
  await page.waitForFunction(() => window.kabusim && window.kabusim.frames() > 0, { timeout: 20000 });
  const finger = touch ? await holdKey(page, 'Enter') : await page.keyboard.down('Enter');
  await untilScene(page, 'title_menu');
  await (touch ? finger.end() : page.keyboard.up('Enter'));
  await frames(page, 2);
}

// Every process of the browser: pid -> {type (renderer, gpu-process, ...),
// ticks (processor time in 1/100 s), rssKb, peakKb}.
export function processes(browser) {
  const children = new Map();
  const stats = new Map();
  for (const entry of readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const stat = readFileSync(`/proc/${entry}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      stats.set(Number(entry), fields);
      if (!children.has(Number(fields[1]))) children.set(Number(fields[1]), []);
      children.get(Number(fields[1])).push(Number(entry));
    } catch {
      // gone meanwhile
    }
  }
  const found = new Map();
  const walk = (pid) => {
    try {
      const command = readFileSync(`/proc/${pid}/cmdline`, 'utf8');
      const status = readFileSync(`/proc/${pid}/status`, 'utf8');
      const kb = (name) => Number((new RegExp(name + ':\\s+(\\d+)').exec(status) || [0, 0])[1]);
      const type = (/--type=([a-z-]+)/.exec(command) || [null, 'browser'])[1];
      const utility = (/--utility-sub-type=([\w.]+)/.exec(command) || [null, ''])[1];
      const fields = stats.get(pid);
      found.set(pid, { type: utility ? `utility(${utility.split('.').pop()})` : type,
        ticks: Number(fields[11]) + Number(fields[12]), rssKb: kb('VmRSS'), peakKb: kb('VmHWM') });
    } catch {
      return;
    }
    for (const child of children.get(pid) || []) walk(child);
  };
  walk(browser.process().pid);
  return found;
}
