// SPDX-License-Identifier: GPL-2.0-or-later
// Figures of the browser version, measured in headless Chromium on loopback:
// the size of every file of the site and of what a first and a later visit
// load, the time from opening the page to its first frame on both, the cost
// of a market frame as the page measures it, and the length of a game day.
//   node measure_web.mjs SITE_DIR WORK_DIR [LOADS] [DAYS]
import assert from 'node:assert/strict';
import { existsSync, readdirSync, statSync } from 'node:fs';
import { join, relative } from 'node:path';
import { click, frames, launch, open, pagePoint, serve, skipOpening, untilScene } from './browser.mjs';

const [site, work, loadsText, daysText] = process.argv.slice(2);
const loads = Number(loadsText || 7);
const days = Number(daysText || 10);
const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const kb = (bytes) => (bytes / 1024).toFixed(1) + ' KB';

function filesOf(folder) {
  const files = [];
  for (const entry of readdirSync(folder, { withFileTypes: true })) {
    const path = join(folder, entry.name);
    if (entry.isDirectory()) files.push(...filesOf(path));
    else files.push({ path: '/' + relative(site, path), size: statSync(path).size });
  }
  return files;
}

const server = await serve(site);
const browser = await launch(join(work, 'profile'), { width: 1920, height: 1080 });

// First frame of a first visit: each load in a browser context of its own
// (nothing cached), with what it loaded (the page's files and the service
// worker's copy of the whole site); then of later visits, from the service
// worker's cache.
const worker = existsSync(join(site, 'sw.js'));  // builds before had none
const firsts = [];
const visitBytes = [];
for (let i = 0; i < loads; ++i) {
  server.sent.clear();
  const context = await browser.createBrowserContext();
  const page = await open(context, server.url);
  await page.waitForFunction(() => window.kabusim && window.kabusim.frames() > 0, { timeout: 20000 });
  firsts.push(await page.evaluate(() => window.kabusim.stats().firstFrameMs));
  if (worker) await page.waitForFunction(() => navigator.serviceWorker.controller !== null, { timeout: 20000 });
  visitBytes.push([...server.sent.values()].reduce((sum, size) => sum + size, 0));
  await context.close();
}
const repeats = [];
{
  const first = await open(browser, server.url);
  if (worker) await first.waitForFunction(() => navigator.serviceWorker.controller !== null, { timeout: 20000 });
  await first.close();
  server.sent.clear();
  for (let i = 0; i < loads; ++i) {
    const page = await open(browser, server.url);
    await page.waitForFunction(() => window.kabusim && window.kabusim.frames() > 0, { timeout: 20000 });
    repeats.push(await page.evaluate(() => window.kabusim.stats().firstFrameMs));
    await page.close();
  }
}
const repeatBytes = [...server.sent.values()].reduce((sum, size) => sum + size, 0);
server.sent.clear();

// A new game into the market; the market is then watched for `days` days.
const page = await open(browser, server.url);
await skipOpening(page);
await click(page, 300, 300);
await frames(page, 8);
await click(page, 300, 270);
await untilScene(page, 'name_entry');
await click(page, 507, 306);
await page.keyboard.press('Enter');
await untilScene(page, 'market');
const dayChanges = await page.evaluate((count) => new Promise((resolve) => {
  const times = [];
  let day = window.kabusim.state().day;
  function look() {
    const now = window.kabusim.state().day;
    if (now !== day) {
      day = now;
      times.push(performance.now());
    }
    if (times.length > count) resolve(times);
    else requestAnimationFrame(look);
  }
  requestAnimationFrame(look);
}), days);
const lengths = dayChanges.slice(1).map((time, i) => (time - dayChanges[i]) / 1000);
const stats = await page.evaluate(() => window.kabusim.stats());
const isolated = await page.evaluate(() => window.crossOriginIsolated);

// Storage full: from the press of the save button to the failed write (the
// page shows its message in the same callback). The quota is set before the
// origin's first visit (Chromium takes a new quota only then).
async function storageFullMessage() {
  const full = await serve(site);
  const page = await open(browser, null);
  await (await page.createCDPSession()).send('Storage.overrideQuotaForOrigin',
    { origin: full.url.slice(0, -1), quotaSize: 1 });
  await page.goto(full.url);
  await skipOpening(page);
  await click(page, 300, 300);
  await frames(page, 8);
  await click(page, 300, 270);
  await untilScene(page, 'name_entry');
  await page.keyboard.press('Enter');
  await untilScene(page, 'market');
  await frames(page, 60);
  const { x, y } = await pagePoint(page, 580, 218);
  await page.mouse.move(x, y);
  await page.evaluate((failed) => {
    const start = performance.now();
    const look = () => {
      if (window.kabusim.storage().failed > failed) window.failedAfterMs = performance.now() - start;
      else setTimeout(look, 1);
    };
    look();
  }, await page.evaluate(() => window.kabusim.storage().failed));
  await page.mouse.down();
  await page.waitForFunction(() => window.failedAfterMs !== undefined);
  await page.mouse.up();
  assert(await page.evaluate(() => !document.getElementById('storage').hidden));
  const ms = await page.evaluate(() => window.failedAfterMs);
  full.close();
  return ms;
}
const messageMs = worker ? await storageFullMessage() : NaN;

const files = filesOf(site).sort((a, b) => b.size - a.size);
const total = files.reduce((sum, file) => sum + file.size, 0);
const loadedTotal = [...server.sent.values()].reduce((sum, size) => sum + size, 0);
console.log('Files of the site (every one the page can load):');
for (const file of files) console.log(`  ${file.path.padEnd(24)} ${kb(file.size).padStart(10)}`);
console.log(`  ${'all'.padEnd(24)} ${kb(total).padStart(10)}`);
console.log(`First visit (nothing cached): ${kb(median(visitBytes))} sent by the server (the page's files and ` +
  `the service worker's copy of the site); first frame median ${median(firsts).toFixed(0)} ms ` +
  `(${loads} loads: ${firsts.map((ms) => ms.toFixed(0)).join(', ')})`);
console.log(`Later visits (the service worker's cache): ${kb(repeatBytes)} sent in ${loads} loads; first frame ` +
  `median ${median(repeats).toFixed(0)} ms (${repeats.map((ms) => ms.toFixed(0)).join(', ')})`);
console.log(`Sent from opening the page to the market on a later visit: ${kb(loadedTotal)}`);
console.log(`Market frame in the page (${stats.marketFrames} frames, performance.now() ` +
  `${isolated ? 'to 5 µs' : 'to 100 µs'}): drawing median ${stats.marketBuildMs.toFixed(3)} ms, ` +
  `present median ${stats.marketShowMs.toFixed(3)} ms`);
if (worker) {
  console.log(`Storage full: the write failed and the message showed ${messageMs.toFixed(0)} ms after the save ` +
    `button went down`);
}
console.log(`Game day: median ${median(lengths).toFixed(3)} s over ${lengths.length} days ` +
  `(${Math.min(...lengths).toFixed(3)} to ${Math.max(...lengths).toFixed(3)} s)`);
if (page.problems.length) console.log('problems:', page.problems);
await browser.close();
server.close();
