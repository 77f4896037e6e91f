// SPDX-License-Identifier: GPL-2.0-or-later
// Figures of the browser version, measured in headless Chromium on loopback:
// the size of every file of the site and of what the page loaded, the time
// from opening the page to its first frame, the cost of a market frame as the
// page measures it, and the length of a game day.
//   node measure_web.mjs SITE_DIR WORK_DIR [LOADS] [DAYS]
import { readdirSync, statSync } from 'node:fs';
import { join, relative } from 'node:path';
import { click, frames, launch, open, serve, skipOpening, untilScene } from './browser.mjs';

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

// First frame: each load is a new page; the server sends every file whole.
const firsts = [];
for (let i = 0; i < loads; ++i) {
  const page = await open(browser, server.url);
  await page.waitForFunction(() => window.kabusim && window.kabusim.frames() > 0, { timeout: 20000 });
  firsts.push(await page.evaluate(() => window.kabusim.stats().firstFrameMs));
  await page.close();
}
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

const files = filesOf(site).sort((a, b) => b.size - a.size);
const total = files.reduce((sum, file) => sum + file.size, 0);
const loadedTotal = [...server.sent.values()].reduce((sum, size) => sum + size, 0);
console.log('Files of the site (every one the page can load):');
for (const file of files) console.log(`  ${file.path.padEnd(24)} ${kb(file.size).padStart(10)}`);
console.log(`  ${'all'.padEnd(24)} ${kb(total).padStart(10)}`);
console.log(`Loaded by the page from opening to the market: ${kb(loadedTotal)} in ${server.sent.size} files`);
console.log(`First frame after opening the page: median ${median(firsts).toFixed(0)} ms ` +
  `(${loads} loads: ${firsts.map((ms) => ms.toFixed(0)).join(', ')})`);
console.log(`Market frame in the page (${stats.marketFrames} frames, performance.now() ` +
  `${isolated ? 'to 5 µs' : 'to 100 µs'}): drawing median ${stats.marketBuildMs.toFixed(3)} ms, ` +
  `present median ${stats.marketShowMs.toFixed(3)} ms`);
console.log(`Game day: median ${median(lengths).toFixed(3)} s over ${lengths.length} days ` +
  `(${Math.min(...lengths).toFixed(3)} to ${Math.max(...lengths).toFixed(3)} s)`);
if (page.problems.length) console.log('problems:', page.problems);
await browser.close();
server.close();
