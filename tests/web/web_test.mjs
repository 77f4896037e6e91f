// Plays the browser build in headless Chromium: the title frame against the
// headless runner's, a new game with a lot bought and saved, the save found again
// after a reload and after a browser restart, the save folder carried out and
// back in as a zip, Escape and a new start, and no error from the page.
//   node web_test.mjs SITE_DIR TITLE_RGB WORK_DIR
import assert from 'node:assert/strict';
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { click, frames, launch, open, serve, skipOpening, state, untilScene } from './browser.mjs';

const [site, titleRgb, work] = process.argv.slice(2);
const profile = join(work, 'profile');
mkdirSync(profile, { recursive: true });
const server = await serve(site);
let browser = await launch(profile);
let passed = 0;
let failed = 0;

async function check(name, body) {
  const started = Date.now();
  try {
    await body();
    ++passed;
    console.log(`ok   ${name} (${Date.now() - started} ms)`);
  } catch (error) {
    ++failed;
    console.log(`FAIL ${name}: ${error.stack || error}`);
  }
}

function kept(now) {
  return { cash: now.cash, holdings: now.holdings };
}

// Title menu, then "continue", into the market.
async function continueGame(page) {
  await skipOpening(page);
  await click(page, 300, 300);
  await frames(page, 8);
  await click(page, 200, 300);
  return untilScene(page, 'market');
}

let page = await open(browser, server.url);
let saved = null;

await check('the title frame is the headless frame', async () => {
  await skipOpening(page);
  const rgb = Buffer.from(await page.evaluate(() => {
    const data = window.kabusim.picture.getContext('2d').getImageData(0, 0, 640, 480).data;
    let text = '';
    for (let i = 0; i < data.length; i += 4) text += String.fromCharCode(data[i], data[i + 1], data[i + 2]);
    return btoa(text);
  }), 'base64');
  const expected = readFileSync(titleRgb);
  assert.equal(rgb.length, expected.length);
  let differing = 0;
  for (let i = 0; i < rgb.length; i += 3) {
    if (rgb[i] !== expected[i] || rgb[i + 1] !== expected[i + 1] || rgb[i + 2] !== expected[i + 2]) ++differing;
  }
  assert.equal(differing, 0, `${differing} pixels differ from the headless title`);
});

await check('a new game: name, market, a lot bought, saved', async () => {
  await click(page, 300, 300);
  await frames(page, 8);
  await click(page, 300, 270);
  const entry = await untilScene(page, 'name_entry');
  assert.equal(entry.cash, 200);
  assert.equal(entry.year, 2003);
  for (const [x, y] of [[57, 112], [124, 112], [186, 112], [507, 306]]) await click(page, x, y);
  await page.keyboard.press('Enter');
  await untilScene(page, 'market');
  await frames(page, 70);
  await click(page, 580, 68);
  await untilScene(page, 'buy');
  // The prices come from the clock's seed: "next" until a company's lot is
  // within the cash, then a lot of it.
  let slot = -1;
  for (let tries = 0; tries < 30 && slot < 0; ++tries) {
    await click(page, 457, 165);
    slot = (await state(page)).holdings.findIndex((shares) => shares > 0);
    if (slot < 0) await click(page, 433, 128);
  }
  assert.ok(slot >= 0, 'no company within the cash');
  await click(page, 263, 448);
  await frames(page, 20);
  await click(page, 403, 448);
  const bought = await untilScene(page, 'market');
  assert.equal(bought.holdings[slot], 10000);
  assert.ok(bought.cash < 200, `cash ${bought.cash} after buying`);
  await frames(page, 60);
  const storedBefore = await page.evaluate(() => window.kabusim.stored());
  await click(page, 580, 218);
  saved = await state(page);
  await page.waitForFunction((n) => window.kabusim.stored() > n, {}, storedBefore);
  const files = await page.evaluate(() => window.kabusim.storedFiles());
  assert.deepEqual(files.filter((f) => f.name !== 'rank.txt'), [
    { name: 'data.txt', size: 3120 }, { name: 'edit.txt', size: 620 }, { name: 'grafu.txt', size: 3720 },
    { name: 'grafu2.txt', size: 4932 }, { name: 'rist.txt', size: 3480 }]);
});

await check('after a reload the saved game continues with the same cash and holdings', async () => {
  assert.ok(saved, 'nothing was saved');
  await page.reload();
  const continued = await continueGame(page);
  assert.deepEqual(kept(continued), kept(saved));
});

await check('after a browser restart the saved game continues with the same cash and holdings', async () => {
  assert.ok(saved, 'nothing was saved');
  assert.deepEqual(page.problems, []);
  await browser.close();
  browser = await launch(profile);
  page = await open(browser, server.url);
  const continued = await continueGame(page);
  assert.deepEqual(kept(continued), kept(saved));
});

await check('the save folder goes out as a zip and only a whole, intact one comes back in', async () => {
  const outcome = await page.evaluate(async () => {
    const k = window.kabusim;
    const good = new Uint8Array(await k.exportSaves().arrayBuffer());
    const before = JSON.stringify(await k.storedFiles(true));
    const damaged = good.slice();
    damaged[200] ^= 0xff;  // inside the first file's bytes
    const attempts = { truncated: good.slice(0, good.length - 30), damaged, empty: new Uint8Array(0) };
    const refused = {};
    for (const [what, bytes] of Object.entries(attempts)) {
      try {
        await k.importSaves(bytes.buffer);
        refused[what] = 'accepted';
      } catch (error) {
        refused[what] = error.message;
      }
    }
    const unchanged = JSON.stringify(await k.storedFiles(true)) === before;
    const names = await k.importSaves(good.buffer);
    let text = '';
    for (const byte of good) text += String.fromCharCode(byte);
    return { refused, unchanged, names, zip: btoa(text) };
  });
  for (const [what, reason] of Object.entries(outcome.refused)) {
    assert.notEqual(reason, 'accepted', what);
    console.log(`     ${what} zip refused: ${reason}`);
  }
  assert.ok(outcome.unchanged, 'a refused zip changed the stored folder');
  assert.deepEqual(outcome.names.filter((n) => n !== 'rank.txt'),
    ['data.txt', 'edit.txt', 'grafu.txt', 'grafu2.txt', 'rist.txt']);
  writeFileSync(join(work, 'savedat.zip'), Buffer.from(outcome.zip, 'base64'));
});

await check('Escape ends the game, the page says so and starts it again', async () => {
  await page.keyboard.press('Escape');
  await page.waitForFunction(() => !window.kabusim.running() && !document.getElementById('ended').hidden);
  await page.click('#again');
  await page.waitForFunction(() => window.kabusim.running());
  await untilScene(page, 'opening');
  await frames(page, 5);
});

await check('the page logged no error', async () => {
  assert.deepEqual(page.problems, []);
});

await browser.close();
server.close();
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
