// SPDX-License-Identifier: GPL-2.0-or-later
// Screenshots of the page into a folder: the market at a desktop size (played
// with the mouse) and on a phone, upright and sideways (played by touch, with
// the touch keys); the message of a second tab, and the message when the
// browser keeps no data (cookies and site data blocked).
//   node web_shots.mjs SITE_DIR OUT_DIR WORK_DIR
import { mkdirSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { PHONE, click, frames, launch, open, pressKey, serve, skipOpening, tap, untilScene } from './browser.mjs';

const [site, out, work] = process.argv.slice(2);
mkdirSync(out, { recursive: true });

async function intoMarket(page, touch) {
  await skipOpening(page, touch);
  const hit = touch ? tap : click;
  await hit(page, 300, 300);
  await frames(page, 8);
  await hit(page, 300, 270);
  await untilScene(page, 'name_entry');
  for (const [x, y] of [[57, 112], [124, 112], [186, 112]]) await hit(page, x, y);
  if (touch) await pressKey(page, 'Enter');
  else await page.keyboard.press('Enter');
  await untilScene(page, 'market');
  await frames(page, 150);
}

const SIDEWAYS = { ...PHONE, width: 844, height: 390 };
const shots = [
  { name: 'market_desktop_1920x1080', viewport: { width: 1920, height: 1080 }, touch: false },
  { name: 'market_phone_390x844', viewport: PHONE, touch: true },
  { name: 'market_phone_844x390', viewport: SIDEWAYS, touch: true },
];
for (const shot of shots) {
  const server = await serve(site);
  const browser = await launch(join(work, shot.name), shot.viewport);
  const page = await open(browser, server.url, shot.viewport);
  await intoMarket(page, shot.touch);
  if (!shot.touch) await page.mouse.move(0, 0);
  await page.screenshot({ path: join(out, `${shot.name}.png`) });
  // The same site in a second tab.
  if (shot.name === 'market_phone_844x390') {
    const second = await open(browser, server.url, shot.viewport);
    await second.waitForFunction(() => !document.getElementById('dialog').hidden);
    await second.screenshot({ path: join(out, 'second_tab_phone_844x390.png') });
  }
  if (page.problems.length) console.log(shot.name, page.problems);
  await browser.close();
  server.close();
}

// Cookies and site data blocked in the browser's settings.
const server = await serve(site);
const profile = join(work, 'blocked');
mkdirSync(join(profile, 'Default'), { recursive: true });
writeFileSync(join(profile, 'Default', 'Preferences'),
  JSON.stringify({ profile: { default_content_setting_values: { cookies: 2 } } }));
const browser = await launch(profile, SIDEWAYS);
const page = await open(browser, server.url, SIDEWAYS);
await intoMarket(page, true);
await page.waitForFunction(() => !document.getElementById('storage').hidden);
await page.screenshot({ path: join(out, 'storage_blocked_phone_844x390.png') });
await browser.close();
server.close();
