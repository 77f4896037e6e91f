// SPDX-License-Identifier: GPL-2.0-or-later
// Plays the browser build in headless Chromium: the title frame against the
// headless runner's, a new game with a lot bought and saved, the save found again
// after a reload and after a browser restart, the save folder carried out and
// back in as a zip, Escape and a new start, and no error from the page.
//   node web_test.mjs SITE_DIR FRAME_DIR WORK_DIR VERSION
// FRAME_DIR holds the runner's frames of title.txt as raw RGB (NAME.rgb).
import assert from 'node:assert/strict';
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { crc32, deflateRawSync } from 'node:zlib';
import { click, frames, launch, open, serve, skipOpening, state, untilScene } from './browser.mjs';

const [site, frameFolder, work, version] = process.argv.slice(2);
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

// Title menu, then "continue", into the market: the state as loaded (the
// market's entrance runs no price step).
async function continueGame(page) {
  await skipOpening(page);
  await click(page, 300, 300);
  await frames(page, 8);
  await click(page, 200, 300);
  return untilScene(page, 'market');
}

// Leaves the market for the holdings list, where no price step runs: no
// bankruptcy can change the saved game before the page goes away.
async function park(page) {
  await frames(page, 60);
  await click(page, 580, 118);
  await untilScene(page, 'holdings');
}

let page = await open(browser, server.url);
let saved = null;

// The 640 x 480 picture the page shows, as RGB.
async function pictureRgb(page) {
  return Buffer.from(await page.evaluate(() => {
    const data = window.kabusim.picture.getContext('2d').getImageData(0, 0, 640, 480).data;
    let text = '';
    for (let i = 0; i < data.length; i += 4) text += String.fromCharCode(data[i], data[i + 1], data[i + 2]);
    return btoa(text);
  }), 'base64');
}

function expectSameFrame(rgb, file) {
  const expected = readFileSync(file);
  assert.equal(rgb.length, expected.length);
  let differing = 0;
  for (let i = 0; i < rgb.length; i += 3) {
    if (rgb[i] !== expected[i] || rgb[i + 1] !== expected[i + 1] || rgb[i + 2] !== expected[i + 2]) ++differing;
  }
  assert.equal(differing, 0, `${differing} pixels differ from ${file}`);
}

// The menu's texts are code page 932 literals: the same pixels show the same
// bytes reached the glyphs.
await check('the title and its menu are the headless frames', async () => {
  await skipOpening(page);
  expectSameFrame(await pictureRgb(page), join(frameFolder, 'title.rgb'));
  await click(page, 300, 300);
  await frames(page, 30);
  expectSameFrame(await pictureRgb(page), join(frameFolder, 'title_menu.rgb'));
});

await check('a new game: name, market with its music, a lot bought, saved', async () => {
  await click(page, 300, 270);
  const entry = await untilScene(page, 'name_entry');
  assert.equal(entry.cash, 200);
  assert.equal(entry.year, 2003);
  for (const [x, y] of [[57, 112], [124, 112], [186, 112], [507, 306]]) await click(page, x, y);
  await page.keyboard.press('Enter');
  await untilScene(page, 'market');
  // The clicks have started the audio: the market's piece sounds.
  await page.waitForFunction(() => {
    const music = window.kabusim.music();
    return music.piece === 'main' && music.sounding;
  }, { timeout: 10000 });
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
  await park(page);
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
  await park(page);
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

await check('after the page stalls the game goes on where it stopped, without racing', async () => {
  // No animation frames for 2 s, as in a hidden tab; the clock may take at
  // most a short gap for them.
  const { moved, real } = await page.evaluate(async () => {
    const frame = () => new Promise((resolve) => requestAnimationFrame(resolve));
    await frame();
    const clock = window.kabusim.clock();
    const start = performance.now();
    while (performance.now() - start < 2000);
    await frame();
    await frame();
    return { moved: window.kabusim.clock() - clock, real: performance.now() - start };
  });
  assert.ok(moved < real - 2000 + 400, `the clock moved ${moved} ms in ${real.toFixed(0)} ms with a 2 s stall`);
});

// A zip as desktop tools make them: deflated entries.
function zipOf(files) {
  const locals = [];
  const central = [];
  let offset = 0;
  for (const { name, bytes } of files) {
    const packed = deflateRawSync(bytes);
    const nameBytes = Buffer.from(name);
    const header = Buffer.alloc(30);
    header.writeUInt32LE(0x04034b50, 0);
    header.writeUInt16LE(20, 4);
    header.writeUInt16LE(8, 8);
    header.writeUInt32LE(crc32(bytes), 14);
    header.writeUInt32LE(packed.length, 18);
    header.writeUInt32LE(bytes.length, 22);
    header.writeUInt16LE(nameBytes.length, 26);
    locals.push(header, nameBytes, packed);
    const record = Buffer.alloc(46);
    record.writeUInt32LE(0x02014b50, 0);
    record.writeUInt16LE(20, 4);
    record.writeUInt16LE(20, 6);
    header.copy(record, 8, 6, 30);
    record.writeUInt32LE(offset, 42);
    central.push(record, nameBytes);
    offset += 30 + nameBytes.length + packed.length;
  }
  const size = central.reduce((sum, part) => sum + part.length, 0);
  const end = Buffer.alloc(22);
  end.writeUInt32LE(0x06054b50, 0);
  end.writeUInt16LE(files.length, 8);
  end.writeUInt16LE(files.length, 10);
  end.writeUInt32LE(size, 12);
  end.writeUInt32LE(offset, 16);
  return Buffer.concat([...locals, ...central, end]);
}

await check('the save folder goes out as a zip and only a whole, intact one comes back in', async () => {
  const stored = await page.evaluate(() => window.kabusim.storedFiles(true));
  const files = stored.filter((f) => f.name !== 'rank.txt').map((f) => ({ name: f.name, bytes: Buffer.from(f.bytes) }));
  assert.equal(files.length, 5);
  const exported = Buffer.from(await page.evaluate(async () => {
    const bytes = new Uint8Array(await window.kabusim.exportSaves().arrayBuffer());
    let text = '';
    for (const byte of bytes) text += String.fromCharCode(byte);
    return btoa(text);
  }), 'base64');
  writeFileSync(join(work, 'savedat.zip'), exported);
  // The desktop game continues it: a runner script that expects the same.
  const expects = saved.holdings.map((shares, slot) => `expect shares.${slot} == ${shares}`);
  writeFileSync(join(work, 'continue.txt'), ['key enter down', 'until scene title_menu max 100', 'key enter up',
    'frames 2', 'click 300 300', 'frames 8', 'click 200 300', 'expect scene market', `expect cash == ${saved.cash}`,
    ...expects, ''].join('\n'));
  const damaged = Buffer.from(exported);
  damaged[200] ^= 0xff;  // inside the first file's bytes
  const short = files.map((f) => (f.name === 'data.txt' ? { name: f.name, bytes: f.bytes.subarray(1) } : f));
  const refusals = {
    truncated: exported.subarray(0, exported.length - 30),
    damaged,
    'a file missing': zipOf(files.filter((f) => f.name !== 'grafu2.txt')),
    'a file short': zipOf(short),
    'a name not the game\'s': zipOf([...files, { name: 'savedat/notes.txt', bytes: Buffer.from('x') }]),
    'a name outside the folder': zipOf(files.map((f) => ({ name: '../' + f.name, bytes: f.bytes }))),
  };
  // A desktop player's zip of the folder's files, with one day later in it.
  const later = files.map((f) => ({ name: f.name, bytes: Buffer.from(f.bytes) }));
  later[0].bytes[later[0].bytes.length - 1] ^= 1;
  const outcome = await page.evaluate(async (attempts, good) => {
    const k = window.kabusim;
    const bytesOf = (text) => Uint8Array.from(atob(text), (c) => c.charCodeAt(0)).buffer;
    const before = JSON.stringify(await k.storedFiles(true));
    const refused = {};
    for (const [what, text] of Object.entries(attempts)) {
      try {
        await k.importSaves(bytesOf(text));
        refused[what] = 'accepted';
      } catch (error) {
        refused[what] = error.message;
      }
    }
    const unchanged = JSON.stringify(await k.storedFiles(true)) === before;
    const names = await k.importSaves(bytesOf(good));
    return { refused, unchanged, names, after: await k.storedFiles(true) };
  }, Object.fromEntries(Object.entries(refusals).map(([what, zip]) => [what, zip.toString('base64')])),
  zipOf(later).toString('base64'));
  for (const [what, reason] of Object.entries(outcome.refused)) {
    assert.notEqual(reason, 'accepted', what);
    console.log(`     ${what}: refused, ${reason}`);
  }
  assert.ok(outcome.unchanged, 'a refused zip changed the stored folder');
  assert.deepEqual(outcome.names.filter((n) => n !== 'rank.txt'),
    ['data.txt', 'edit.txt', 'grafu.txt', 'grafu2.txt', 'rist.txt']);
  for (const file of later) {
    const kept = outcome.after.find((f) => f.name === file.name);
    assert.ok(kept && Buffer.from(kept.bytes).equals(file.bytes), `${file.name} as in the zip`);
  }
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

await check('the footer shows the version and links the licences and the notices, which the site carries', async () => {
  const footer = await page.evaluate(() => [document.getElementById('version').textContent,
    ...Array.from(document.querySelectorAll('#legal a')).map((a) => a.getAttribute('href'))]);
  assert.deepEqual(footer, [version, 'COPYING.txt', 'THIRD_PARTY_NOTICES.txt', 'IPA_Font_License.txt']);
  const words = { 'COPYING.txt': 'June 1991', 'THIRD_PARTY_NOTICES.txt': 'TimGM6mb', 'IPA_Font_License.txt': 'IPA Font' };
  for (const file of footer.slice(1)) assert.ok((await (await fetch(server.url + file)).text()).includes(words[file]), file);
});

// The glyph file changed in the page's file system before the game starts.
await check('a glyph file one byte short, one byte over or with one byte changed is named, and no game starts', async () => {
  for (const damage of ['short', 'long', 'changed']) {
    const damaged = await browser.newPage();
    await damaged.evaluateOnNewDocument((how) => {
      let module;
      Object.defineProperty(window, 'Module', { get: () => module, set(value) {
        module = value;
        value.onRuntimeInitialized = () => {
          const bytes = value.FS.readFile('/data/glyphs.bin');
          const size = bytes.length + (how === 'long') - (how === 'short');
          const changed = new Uint8Array(size);
          changed.set(bytes.subarray(0, Math.min(size, bytes.length)));
          if (how === 'changed') changed[size >> 1] ^= 0xff;
          value.FS.unlink('/data/glyphs.bin');
          value.FS.writeFile('/data/glyphs.bin', changed);
        };
      } });
    }, damage);
    await damaged.goto(server.url);
    await damaged.waitForFunction(() => document.getElementById('message').textContent.includes('glyphs.bin'));
    const shown = await damaged.evaluate(() => [document.getElementById('message').textContent,
      window.kabusim.frames(), window.kabusim.running()]);
    assert.match(shown[0], /data\/glyphs.bin が壊れています[^]*data\/glyphs.bin is damaged/);
    assert.deepEqual(shown.slice(1), [0, false]);
    if (damage === 'changed') await damaged.screenshot({ path: join(work, 'damaged_glyphs.png') });
    await damaged.close();
  }
});

await browser.close();
server.close();
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
