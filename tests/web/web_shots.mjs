// SPDX-License-Identifier: GPL-2.0-or-later
// Screenshots of the page into a folder: the market at a desktop size (played
// with the mouse) and on a phone, upright and sideways (played with touches).
//   node web_shots.mjs SITE_DIR OUT_DIR WORK_DIR
import { mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { frames, launch, open, pagePoint, serve, skipOpening, untilScene } from './browser.mjs';

const [site, out, work] = process.argv.slice(2);
mkdirSync(out, { recursive: true });
const server = await serve(site);

async function tap(page, x, y, touch) {
  const point = await pagePoint(page, x, y);
  if (touch) {
    await page.touchscreen.touchStart(point.x, point.y);
    await frames(page, 2);
    await page.touchscreen.touchEnd();
  } else {
    await page.mouse.move(point.x, point.y);
    await page.mouse.down();
    await frames(page, 2);
    await page.mouse.up();
  }
  await frames(page, 2);
}

async function intoMarket(page, touch) {
  await skipOpening(page);
  await tap(page, 300, 300, touch);
  await frames(page, 8);
  await tap(page, 300, 270, touch);
  await untilScene(page, 'name_entry');
  for (const [x, y] of [[57, 112], [124, 112], [186, 112]]) await tap(page, x, y, touch);
  await page.keyboard.press('Enter');
  await untilScene(page, 'market');
  await frames(page, 150);
}

const sizes = [
  { name: 'desktop_1920x1080', viewport: { width: 1920, height: 1080 }, touch: false },
  { name: 'phone_390x844', viewport: { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
    touch: true },
  { name: 'phone_844x390', viewport: { width: 844, height: 390, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
    touch: true },
];
for (const size of sizes) {
  const browser = await launch(join(work, size.name), size.viewport);
  const page = await open(browser, server.url);
  await intoMarket(page, size.touch);
  await page.mouse.move(0, 0);
  await page.screenshot({ path: join(out, `market_${size.name}.png`) });
  if (page.problems.length) console.log(size.name, page.problems);
  await browser.close();
}
server.close();
