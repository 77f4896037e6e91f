// SPDX-License-Identifier: GPL-2.0-or-later
// The processor share of the whole browser (every process of Chromium's tree,
// from /proc) while the page shows one scene: the market of a new game, or
// the title with its menu open. Works with any build of the page that has
// window.kabusim.state() and frames().
//   node cpu_web.mjs SITE_DIR WORK_DIR SCENE SECONDS [WIDTHxHEIGHT]
// SCENE is market or title. Prints one line of figures, by process type.
import { loadavg } from 'node:os';
import { join } from 'node:path';
import { click, frames, launch, open, processes, serve, skipOpening, untilScene } from './browser.mjs';

const [site, work, scene, secondsText, sizeText] = process.argv.slice(2);
const seconds = Number(secondsText || 60);
const [width, height] = (sizeText || '1920x1080').split('x').map(Number);
const TICKS = 100;  // clock ticks per second of /proc/PID/stat

const server = await serve(site);
const browser = await launch(join(work, 'profile-' + scene), { width, height });
const page = await open(browser, server.url);
await skipOpening(page);
await click(page, 300, 300);
await frames(page, 8);
if (scene === 'market') {
  await click(page, 300, 270);
  await untilScene(page, 'name_entry');
  await click(page, 507, 306);
  await page.keyboard.press('Enter');
  await untilScene(page, 'market');
}
await frames(page, 60);
// The cursor rests on the picture, as a player's would.
await page.mouse.move(width / 3, height / 3);
await frames(page, 10);

const load = loadavg()[0];
const before = processes(browser);
const framesBefore = await page.evaluate(() => window.kabusim.frames());
const started = process.hrtime.bigint();
await new Promise((resolve) => setTimeout(resolve, seconds * 1000));
const after = processes(browser);
const elapsed = Number(process.hrtime.bigint() - started) / 1e9;
const framesAfter = await page.evaluate(() => window.kabusim.frames());
const state = await page.evaluate(() => window.kabusim.state());

const byType = new Map();
let total = 0;
for (const [pid, now] of after) {
  const then = before.get(pid);
  const used = now.ticks - (then ? then.ticks : 0);
  byType.set(now.type, (byType.get(now.type) || 0) + used);
  total += used;
}
const share = (ticks) => (100 * ticks / TICKS / elapsed).toFixed(1) + '%';
const parts = [...byType].filter(([, ticks]) => ticks > 0).sort((a, b) => b[1] - a[1])
  .map(([type, ticks]) => `${type} ${share(ticks)}`);
console.log(`${scene} ${width}x${height}: all processes ${share(total)} of a core over ${elapsed.toFixed(0)} s ` +
  `(${parts.join(', ')}); ${((framesAfter - framesBefore) / elapsed).toFixed(1)} frames/s, scene ${state.scene}, ` +
  `load average ${load.toFixed(2)} -> ${loadavg()[0].toFixed(2)}`);
if (page.problems.length) console.log('problems:', page.problems);
await browser.close();
server.close();
