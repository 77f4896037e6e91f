// SPDX-License-Identifier: GPL-2.0-or-later
// Shared by the browser test and the measuring scripts: the site served on
// loopback, Debian's Chromium started headless with a profile of its own, and
// the game driven through window.kabusim.
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';
import puppeteer from 'puppeteer-core';

const TYPES = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript',
  '.css': 'text/css', '.wasm': 'application/wasm', '.data': 'application/octet-stream',
  '.ogg': 'audio/ogg', '.png': 'image/png', '.txt': 'text/plain; charset=utf-8',
};

// A static server for `folder` on 127.0.0.1. Cross-origin isolated (so
// performance.now() is precise to 5 µs); counts the bytes of every file sent.
export async function serve(folder) {
  const sent = new Map();
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    const file = join(folder, normalize(path.endsWith('/') ? path + 'index.html' : path));
    try {
      if (!file.startsWith(folder) || !(await stat(file)).isFile()) throw new Error('no file');
      const body = await readFile(file);
      response.writeHead(200, {
        'Content-Type': TYPES[extname(file)] || 'application/octet-stream',
        'Content-Length': body.length,
        'Cross-Origin-Opener-Policy': 'same-origin',
        'Cross-Origin-Embedder-Policy': 'require-corp',
        'Cache-Control': 'no-cache',
      });
      response.end(body);
      sent.set(path, body.length);
    } catch {
      response.writeHead(404);
      response.end();
    }
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { url: `http://127.0.0.1:${server.address().port}/`, sent, close: () => server.close() };
}

// Chromium without a sandbox, GPU or network chatter, on a profile folder
// of its own (kept between launches to test what survives a restart).
export function launch(profile, viewport = { width: 1280, height: 1024 }) {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    defaultViewport: viewport,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--no-first-run', '--autoplay-policy=no-user-gesture-required'],
  });
}

// A page that records what goes wrong in it.
export async function open(browser, url) {
  const page = await browser.newPage();
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

// The page point over picture pixel (x, y).
export async function pagePoint(page, x, y) {
  const rect = await page.evaluate(() => {
    const r = document.getElementById('screen').getBoundingClientRect();
    return { left: r.left, top: r.top, width: r.width, height: r.height };
  });
  return { x: rect.left + (x + 0.5) * rect.width / 640, y: rect.top + (y + 0.5) * rect.height / 480 };
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

// Skips the opening with Enter held, as the end-to-end scripts do.
export async function skipOpening(page) {
  await page.waitForFunction(() => window.kabusim && window.kabusim.frames() > 0, { timeout: 20000 });
  await page.keyboard.down('Enter');
  await untilScene(page, 'title_menu');
  await page.keyboard.up('Enter');
  await frames(page, 2);
}
