// SPDX-License-Identifier: GPL-2.0-or-later
// Plays the browser build in headless Chromium, in groups side by side, each
// on an origin of its own (see the checks' names).
//   node web_test.mjs SITE_DIR WORK_DIR VERSION
// WORK_DIR holds runner/NAME.rgb (the runner's title frames, raw RGB),
// near_end/savedat/ (a game saved on its last day) and scale_frame.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { cpSync, existsSync, mkdirSync, readFileSync, readdirSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { constants, crc32, deflateRawSync } from 'node:zlib';
import { PHONE, click, frames, holdKey, launch, open, pagePoint, pressKey, processes, serve, skipOpening, state,
  tap, until, untilScene } from './browser.mjs';

const [site, work, version] = process.argv.slice(2);
const DESKTOP = { width: 1366, height: 768 };
const profile = join(work, 'profile');
let passed = 0;
let failed = 0;
// No port is given twice while the test runs: no origin is shared.
const servers = [];
const origin = async (folder = site) => servers[servers.push(await serve(folder)) - 1];

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

const kept = (now) => ({ cash: now.cash, holdings: now.holdings });
// The frame shown, 640 x 480 RGBA, as base64.
const picture = (page) => page.evaluate(() => {
  const bytes = window.kabusim.picture();
  let text = '';
  for (let i = 0; i < bytes.length; i += 8192) text += String.fromCharCode(...bytes.subarray(i, i + 8192));
  return btoa(text);
});
const saveFiles = (folder) => readdirSync(folder).sort().map((name) => ({ name, bytes: readFileSync(join(folder, name)) }));

async function tapElement(page, selector) {
  const box = await (await page.waitForSelector(selector, { visible: true })).boundingBox();
  await (await page.touchscreen.touchStart(box.x + box.width / 2, box.y + box.height / 2)).end();
}

// From the title menu into the market by touch: "continue", or a new game
// with the default name.
async function intoMarket(page, { fresh = false, onTitle = false } = {}) {
  if (!onTitle) await skipOpening(page, true);
  await tap(page, 300, 300);
  await frames(page, 8);
  await tap(page, fresh ? 300 : 200, fresh ? 270 : 300);
  if (fresh) await untilScene(page, 'name_entry').then(() => pressKey(page, 'Enter'));
  return untilScene(page, 'market');
}

// Saves on the market; waits until the page has stored the folder or failed.
async function save(page) {
  await frames(page, 60);
  const before = await page.evaluate(() => window.kabusim.storage());
  await tap(page, 580, 218);
  await page.waitForFunction((n, f) => {
    const now = window.kabusim.storage();
    return (now.stored > n || now.failed > f) && !now.busy;
  }, {}, before.stored, before.failed);
  return state(page);
}

// The staff roll (left with the Enter touch key), the award and the ranking.
async function ending(page) {
  await untilScene(page, 'staff_roll');
  await frames(page, 30);
  await pressKey(page, 'Enter');
  await untilScene(page, 'award');
  await tap(page, 300, 300);
  await untilScene(page, 'ranking');
}

async function storedFile(page, name) {
  const file = (await page.evaluate(() => window.kabusim.storedFiles(true))).find((f) => f.name === name);
  return file ? Buffer.from(file.bytes) : null;
}
const storedHolds = (page, name, text) => page.waitForFunction(async (name, text) => {
  const file = (await window.kabusim.storedFiles(true)).find((f) => f.name === name);
  return file !== undefined && String.fromCharCode(...file.bytes).includes(text);
}, { polling: 100 }, name, text);

// Where a finger over picture pixel (x, y) lands (whole CSS pixels here),
// and the picture pixel under that point.
async function fingerPoint(page, x, y) {
  const point = await pagePoint(page, x, y);
  const { left, top, scale, view } = await page.$eval('#screen', (e) => ({ left: e.getBoundingClientRect().left,
    top: e.getBoundingClientRect().top, scale: e.width / e.getBoundingClientRect().width, view: window.kabusim.canvas().view }));
  const [px, py] = [Math.round(point.x), Math.round(point.y)];
  return { x: px, y: py, pixel: [Math.floor(((px - left) * scale - view[0]) * 640 / view[2]),
    Math.floor(((py - top) * scale - view[1]) * 480 / view[3])] };
}

// The page's canvas in a screenshot against the desktop scaler's output for
// the same frame and size: equal, pixel for pixel.
async function expectDesktopPixels(page, file) {
  const frame = await picture(page);
  await page.screenshot({ path: join(work, file + '.png') });
  assert.equal(await picture(page), frame, 'the frame changed during the screenshot');
  const { width, height, view, x, y } = await page.$eval('#screen', (e) => ({ ...window.kabusim.canvas(),
    x: e.getBoundingClientRect().left * devicePixelRatio, y: e.getBoundingClientRect().top * devicePixelRatio }));
  writeFileSync(join(work, file + '.rgba'), Buffer.from(frame, 'base64'));
  execFileSync(join(work, 'scale_frame'), [join(work, file + '.rgba'), `${width}`, `${height}`, join(work, file + '.rgb')]);
  const expected = readFileSync(join(work, file + '.rgb'));
  const shown = execFileSync('convert', [join(work, file + '.png'), '-crop', `${width}x${height}+${x}+${y}`, '-depth', '8',
    'rgb:-'], { maxBuffer: 1 << 28 });
  let differing = 0;
  for (let i = 0; i < expected.length; i += 3) differing += expected.compare(shown, i, i + 3, i, i + 3) !== 0;
  assert.equal(differing, 0, `${differing} of ${width}x${height} pixels differ from the desktop scaler's`);
  console.log(`     ${file}: ${width}x${height} device pixels, the picture ${view[2]}x${view[3]} ` +
    `(${(view[2] / 640).toFixed(3)}x), all equal to the desktop scaler's`);
}

// A zip as desktop tools make them. An entry gives its bytes (deflated
// here), or its deflated data with the size and CRC it claims.
function zipOf(files) {
  const locals = [];
  const central = [];
  let offset = 0;
  for (const { name, bytes, packed = deflateRawSync(bytes), size = bytes.length, crc = crc32(bytes) } of files) {
    const nameBytes = Buffer.from(name);
    const header = Buffer.alloc(30);
    header.writeUInt32LE(0x04034b50, 0);
    header.writeUInt16LE(20, 4);
    header.writeUInt16LE(8, 8);
    header.writeUInt32LE(crc, 14);
    header.writeUInt32LE(packed.length, 18);
    header.writeUInt32LE(size, 22);
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

// Deflated zeros that inflate to `megabytes` MB: a flushed 1 MB block
// repeated, then an empty last block.
function bomb(megabytes) {
  const block = deflateRawSync(Buffer.alloc(1 << 20), { finishFlush: constants.Z_FULL_FLUSH });
  return Buffer.concat([...Array(megabytes).fill(block), Buffer.from([3, 0])]);
}

// ---- A phone, touch only ----------------------------------------------------

async function phoneGroup() {
  const server = await origin();
  let browser = await launch(profile, PHONE);
  let page = await open(browser, server.url, PHONE);
  let saved = null;

  await check('phone, touch only: the opening skipped, a new game with a name and years, a lot bought, saved', async () => {
    await skipOpening(page, true);
    // A touch lands where it is; the cursor goes once the finger lifts.
    const bare = await picture(page);
    const point = await fingerPoint(page, 20, 200);
    const finger = await page.touchscreen.touchStart(point.x, point.y);
    await frames(page, 3);
    assert.deepEqual((await state(page)).cursor, point.pixel);
    await finger.end();
    await frames(page, 3);
    assert.deepEqual((await state(page)).cursor, [639, 479]);
    assert.equal(await picture(page), bare, 'the cursor is still drawn after the finger lifted');
    await tap(page, 300, 300).then(() => frames(page, 8)).then(() => tap(page, 300, 270));
    assert.equal((await untilScene(page, 'name_entry')).cash, 200);
    for (const [x, y] of [[57, 112], [124, 112], [186, 112]]) await tap(page, x, y);
    // A year a frame held: up for 5 frames, down to 1 in 40, up for 2 and
    // the frames the finger takes to lift.
    const held = async (key, count) => {
      const [start, finger] = [await page.evaluate(() => window.kabusim.frames()), await holdKey(page, key)];
      await frames(page, count).then(() => finger.end());
      return await page.evaluate(() => window.kabusim.frames()) - start;
    };
    await held('ArrowUp', 5);
    await held('ArrowDown', 40);
    const up = await held('ArrowUp', 2);
    await pressKey(page, 'Enter');
    const market = await untilScene(page, 'market');
    assert.ok(market.yearsLeft >= 3 && market.yearsLeft <= up + 2, `${market.yearsLeft} years, up ${up} frames`);
    await page.waitForFunction(() => window.kabusim.music().piece === 'main' && window.kabusim.music().sounding,
      { timeout: 10000 });
    await frames(page, 70);
    await tap(page, 580, 68);
    await untilScene(page, 'buy');
    // "next" until a company's lot is within the cash, then a lot of it.
    let slot = -1;
    for (let tries = 0; tries < 30 && slot < 0; ++tries) {
      await tap(page, 457, 165);
      slot = (await state(page)).holdings.findIndex((shares) => shares > 0);
      if (slot < 0) await tap(page, 433, 128);
    }
    assert.ok(slot >= 0, 'no company within the cash');
    await tap(page, 263, 448).then(() => frames(page, 20)).then(() => tap(page, 403, 448));
    assert.equal((await untilScene(page, 'market')).holdings[slot], 10000);
    saved = await save(page);
    const files = await page.evaluate(() => window.kabusim.storedFiles());
    assert.deepEqual(files.filter((f) => f.name !== 'rank.txt'), [
      { name: 'data.txt', size: 3120 }, { name: 'edit.txt', size: 620 }, { name: 'grafu.txt', size: 3720 },
      { name: 'grafu2.txt', size: 4932 }, { name: 'rist.txt', size: 3480 }]);
    // The holdings list, where no price step runs, until the page goes.
    await tap(page, 580, 118).then(() => untilScene(page, 'holdings'));
  });

  await check('phone: after a reload and after a browser restart (with the quota full) the saved game continues with the same cash and holdings', async () => {
    await page.reload();
    assert.deepEqual(kept(await intoMarket(page)), kept(saved));
    await tap(page, 580, 118).then(() => untilScene(page, 'holdings'));
    assert.equal(await page.evaluate(() => window.keyEvents), 0);
    assert.deepEqual(page.problems, []);
    await browser.close();
    browser = await launch(profile, PHONE);
    page = await open(browser, null, PHONE);
    // A quota full from the start: the saved game is still read, and the page says so.
    const quota = await page.createCDPSession().then((cdp) => (quotaSize) =>
      cdp.send('Storage.overrideQuotaForOrigin', { origin: server.url.slice(0, -1), quotaSize }));
    await quota(1).then(() => page.goto(server.url));
    assert.deepEqual(kept(await intoMarket(page)), kept(saved));
    assert.match(await page.$eval('#storage-text', (e) => e.textContent), /容量がいっぱい/);
    await quota();
  });

  await check('phone: F where the finger last was (the fast-forward button) ends the game into staff roll, award and ranking', async () => {
    await frames(page, 60);
    await tap(page, 583, 318);
    const finger = await holdKey(page, 'F');
    await until(page, 'the ending', (now) => now.scene === 'ending_start' || now.scene === 'staff_roll');
    await finger.end();
    await ending(page);
    // The ranking is stored (whether "abc" is in it depends on the cash left).
    await storedHolds(page, 'rank.txt', 'pelori');
    await tap(page, 50, 20);
    await untilScene(page, 'title_menu');
  });

  await check('phone 390x844 at 3 device pixels a pixel: the desktop scaler\'s pixels; taps and the mouse land on the pixel under them', async () => {
    await frames(page, 10);
    await expectDesktopPixels(page, 'phone_390x844');
    // A picture pixel is 0.61 CSS pixels wide: the mouse gives fractions.
    for (const [x, y] of [[5, 7], [6, 7], [321, 240], [322, 241], [633, 470]]) {
      const touched = await fingerPoint(page, x, y);
      const finger = await page.touchscreen.touchStart(touched.x, touched.y);
      await frames(page, 1);
      assert.deepEqual((await state(page)).cursor, touched.pixel, `touch at ${x}, ${y}`);
      await finger.end();
      await frames(page, 3);
      const point = await pagePoint(page, x, y);
      await page.mouse.move(point.x, point.y);
      await frames(page, 1);
      assert.deepEqual((await state(page)).cursor, [x, y], `mouse at ${x}, ${y}`);
    }
  });

  await check('phone: a hand-made zip (a parent folder, upper-case names, backslashes, macOS extras) of a game on its last day loads by touch and ends with the ranking', async () => {
    const files = saveFiles(join(work, 'near_end', 'savedat'));
    writeFileSync(join(work, 'my save.zip'), zipOf([{ name: '__MACOSX/My Save/._DATA.TXT', bytes: Buffer.from('x') },
      { name: 'My Save\\.DS_Store', bytes: Buffer.from('x') },
      ...files.map((f) => ({ name: 'My Save\\' + f.name.toUpperCase(), bytes: f.bytes }))]));
    const [chooser] = await Promise.all([page.waitForFileChooser(), tapElement(page, '#upload')]);
    await chooser.accept([join(work, 'my save.zip')]);
    await Promise.all([page.waitForNavigation(), tapElement(page, '#dialog button')]);
    for (const f of files) assert.ok((await storedFile(page, f.name)).equals(f.bytes), `${f.name} as in the zip`);
    const loaded = await intoMarket(page);
    assert.deepEqual([loaded.year, loaded.month, loaded.day, loaded.yearsLeft], [2003, 12, 31, 1]);
    await frames(page, 30).then(() => tap(page, 583, 318));
    await until(page, 'the last day to end', (now) => now.yearsLeft === 0);
    await frames(page, 10).then(() => tap(page, 300, 300));
    await ending(page);
    await storedHolds(page, 'rank.txt', 'ab     ');
    assert.equal(await page.evaluate(() => window.keyEvents), 0, 'a key event reached the page');
    assert.deepEqual(page.problems, []);
  });
  await browser.close();
}

// ---- A desktop page -----------------------------------------------------------

async function desktopGroup(browser) {
  const page = await open(browser, (await origin()).url, DESKTOP);

  // The menu's texts are code page 932 literals: the same pixels show the
  // same bytes reached the glyphs.
  await check('desktop: the title and its menu are the headless frames; 1366x768 is the desktop scaler\'s pixels', async () => {
    const expectFrame = async (name) => {
      const rgba = Buffer.from(await picture(page), 'base64');
      const expected = readFileSync(join(work, 'runner', name + '.rgb'));
      let differing = 0;
      for (let i = 0; i < expected.length / 3; ++i) differing += rgba.compare(expected, i * 3, i * 3 + 3, i * 4, i * 4 + 3) !== 0;
      assert.equal(differing, 0, `${differing} pixels differ from the runner's ${name}`);
    };
    await skipOpening(page);
    await expectFrame('title');
    await click(page, 300, 300);
    await frames(page, 30);
    await expectFrame('title_menu');
    await expectDesktopPixels(page, 'desktop_1366x768');
  });

  await check('desktop: after the page stalls the game goes on where it stopped, without racing', async () => {
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

  await check('desktop: the save folder goes out as a zip; refusals say why in Japanese; zip bombs are refused with bounded memory', async () => {
    await click(page, 300, 270);
    await untilScene(page, 'name_entry');
    await page.keyboard.press('Enter');
    await untilScene(page, 'market');
    await frames(page, 60);
    await click(page, 580, 218);
    await page.waitForFunction(() => window.kabusim.storage().stored > 0);
    const exported = Buffer.from(await page.evaluate(async () =>
      btoa(String.fromCharCode(...new Uint8Array(await window.kabusim.exportSaves().arrayBuffer())))), 'base64');
    writeFileSync(join(work, 'savedat.zip'), exported);
    const now = await state(page);
    writeFileSync(join(work, 'continue.txt'), ['key enter down', 'until scene title_menu max 100', 'key enter up',
      'frames 2', 'click 300 300', 'frames 8', 'click 200 300', 'expect scene market', `expect cash == ${now.cash}`,
      ...now.holdings.map((shares, slot) => `expect shares.${slot} == ${shares}`), ''].join('\n'));
    const files = saveFiles(join(work, 'near_end', 'savedat'));
    const [data, rest] = [files[0], files.slice(1)];
    const damaged = Buffer.from(exported);
    damaged[200] ^= 0xff;  // inside the first file's bytes
    const refused = {
      truncated: exported.subarray(0, exported.length - 30),
      damaged,
      'damaged deflate data': zipOf([{ ...data, packed: Buffer.from('not deflate data at all') }, ...rest]),
      'a file missing': zipOf(files.filter((f) => f.name !== 'grafu2.txt')),
      'a file short': zipOf([{ name: data.name, bytes: data.bytes.subarray(1) }, ...rest]),
      'a name not the game\'s': zipOf([...files, { name: 'savedat/notes.txt', bytes: Buffer.from('x') }]),
      'a name outside the folder': zipOf(files.map((f) => ({ name: '../' + f.name, bytes: f.bytes }))),
      'two folders': zipOf(files.map((f, i) => ({ name: (i ? 'a/' : 'b/') + f.name, bytes: f.bytes }))),
      'an honest 1 GB bomb': zipOf([{ ...data, packed: bomb(1024), size: 1 << 30 }, ...rest]),
      'a 1 GB bomb': zipOf([{ ...data, packed: bomb(1024) }, ...rest]),
      'a 3 GB bomb': zipOf([{ ...data, packed: bomb(3072) }, ...rest]),
    };
    const before = await storedFile(page, 'data.txt');
    for (const [what, zip] of Object.entries(refused)) {
      await page.evaluate((text) => {
        window.zipBytes = Uint8Array.from(atob(text), (c) => c.charCodeAt(0)).buffer;
      }, zip.toString('base64'));
      // The renderers' peak memory from here (clear_refs 5 resets VmHWM).
      const renderers = [...processes(browser)].filter(([, p]) => p.type === 'renderer');
      for (const [pid] of renderers) writeFileSync(`/proc/${pid}/clear_refs`, '5');
      const { reason, ms } = await page.evaluate(async () => {
        const start = performance.now();
        const reason = await window.kabusim.importSaves(window.zipBytes).then(() => 'accepted', (e) => e.message);
        return { reason, ms: performance.now() - start };
      });
      const after = processes(browser);
      const grewMb = Math.max(...renderers.map(([pid, p]) => ((after.get(pid) || p).peakKb - p.rssKb) / 1024));
      console.log(`     ${what} (${(zip.length / 1024).toFixed(0)} KB): refused in ${ms.toFixed(0)} ms, ` +
        `renderer memory peak +${grewMb.toFixed(1)} MB: ${reason}`);
      assert.ok(/[\u3040-\u30ff\u4e00-\u9fff]/.test(reason) && !/fetch/i.test(reason), `${what}: ${reason}`);
      assert.ok(grewMb < 50, `${what}: memory grew by ${grewMb.toFixed(0)} MB`);
    }
    assert.ok((await storedFile(page, 'data.txt')).equals(before), 'a refused zip changed the stored folder');
  });

  await check('desktop: Escape ends the game, the page says so and starts it again', async () => {
    await page.reload();
    await page.waitForFunction(() => window.kabusim.frames() > 5);
    await page.keyboard.press('Escape');
    await page.waitForFunction(() => !window.kabusim.running() && !document.getElementById('ended').hidden);
    await page.click('#again');
    await page.waitForFunction(() => window.kabusim.running());
    await untilScene(page, 'opening');
    await frames(page, 5);
    assert.deepEqual(page.problems, []);
  });
  await page.close();
}

// ---- Two tabs, storage trouble, offline, the hook -------------------------------

async function twoTabs(browser) {
  const { url } = await origin();
  await check('two tabs: the second is told and writes nothing; taking over stops the first, whose save and ranking entry stay', async () => {
    const first = await open(browser, url, PHONE);
    const saved = await intoMarket(first, { fresh: true }).then(() => save(first));
    const second = await open(browser, url, PHONE);
    await second.waitForSelector('#dialog', { visible: true });
    assert.match(await second.$eval('#dialog-text', (e) => e.textContent), /別のタブ/);
    // The first plays on: its game ends and enters the ranking.
    await frames(first, 30);
    await tap(first, 583, 318);
    const finger = await holdKey(first, 'F');
    await untilScene(first, 'staff_roll');
    await finger.end();
    await ending(first);
    await storedHolds(first, 'rank.txt', 'Mr.');
    const written = await first.evaluate(() => window.kabusim.storedFiles(true));
    assert.equal(await state(second), null);
    assert.equal((await second.evaluate(() => window.kabusim.storage())).playing, false);
    // Taken over: the first stops, and its writes are refused.
    await second.click('#dialog button');
    await first.waitForFunction(() => window.kabusim.storage().halted && !window.kabusim.running());
    assert.match(await first.$eval('#dialog-text', (e) => e.textContent), /別のタブ/);
    assert.equal(await first.evaluate(() => Module.page.saves.put([])), false);
    assert.deepEqual(await second.evaluate(() => window.kabusim.storedFiles(true)), written);
    assert.deepEqual(kept(await intoMarket(second)), kept(saved));
    assert.deepEqual([...first.problems, ...second.problems], []);
    await first.close();
    await second.close();
  });
}

// Each shows the message and a working download; a trouble that passes takes
// the message away at the next save. Blocked: Chromium's own setting (cookies
// and site data). Cleared: mid-game, through the DevTools protocol. Full: a
// quota of 1 byte, set before the origin's first visit (Chromium takes a new
// quota only for an origin that has not used its storage yet), then lifted.
async function storageTrouble(kind, shared) {
  const { url } = await origin();
  const folder = join(work, kind);
  mkdirSync(join(folder, 'Default'), { recursive: true });
  if (kind === 'blocked') {
    writeFileSync(join(folder, 'Default', 'Preferences'),
      JSON.stringify({ profile: { default_content_setting_values: { cookies: 2 } } }));
  }
  const browser = kind === 'blocked' ? await launch(folder, PHONE) : shared;
  const text = { blocked: /許可していません/, cleared: /消去/, full: /容量がいっぱい/ }[kind];
  await check(`storage ${kind}: the message and the download; ${kind === 'blocked' ? 'the picture under the message still the desktop scaler\'s' : 'the next save that can be stored takes the message away'}`, async () => {
    const page = await open(browser, null, PHONE);
    const cdp = await page.createCDPSession();
    const quota = (quotaSize) => cdp.send('Storage.overrideQuotaForOrigin', { origin: url.slice(0, -1), quotaSize });
    if (kind === 'full') await quota(1);
    await page.goto(url);
    await skipOpening(page, true);
    if (kind === 'blocked') {
      await page.waitForSelector('#storage', { visible: true });
      await frames(page, 10);
      await expectDesktopPixels(page, 'phone_390x844_with_message');
    }
    await intoMarket(page, { fresh: true, onTitle: true });
    await save(page);
    if (kind === 'cleared') await cdp.send('Storage.clearDataForOrigin', { origin: url.slice(0, -1), storageTypes: 'all' });
    await page.waitForSelector('#storage', { visible: true, timeout: 5000 });
    assert.match(await page.$eval('#storage-text', (e) => e.textContent), text);
    await cdp.send('Page.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
    await tapElement(page, '#storage-download');
    const zip = join(folder, 'kabusim-savedat.zip');
    await until(page, 'the download', () => existsSync(zip) && !readdirSync(folder).some((f) => f.endsWith('.crdownload')));
    assert.ok(execFileSync('unzip', ['-Z1', zip], { encoding: 'utf8' }).includes('savedat/data.txt'));
    if (kind !== 'blocked') {
      if (kind === 'full') await quota();
      await save(page);
      await page.waitForSelector('#storage', { hidden: true });
      assert.equal((await storedFile(page, 'data.txt')).length, 3120);
    }
    await page.close();
  });
  if (browser !== shared) await browser.close();
}

async function offline(browser) {
  const copy = join(work, 'offline-site');
  cpSync(site, copy, { recursive: true });
  const server = await origin(copy);
  await check('offline: installable; after one visit a reload with no network starts, saves and continues; a new build replaces the cache on reload', async () => {
    const page = await open(browser, server.url, PHONE);
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null, { timeout: 20000 });
    const cdp = await page.createCDPSession();
    assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
    server.setOffline(true);
    await page.setOfflineMode(true);
    await page.reload();
    const saved = await intoMarket(page, { fresh: true }).then(() => save(page));
    await page.reload();
    assert.deepEqual(kept(await intoMarket(page)), kept(saved));
    // A new build: another page.css and its worker.
    server.setOffline(false);
    await page.setOfflineMode(false);
    writeFileSync(join(copy, 'page.css'), readFileSync(join(copy, 'page.css'), 'utf8') + '\n/* new build */\n');
    const worker = readFileSync(join(copy, 'sw.js'), 'utf8').replace(/^const VERSION = '(\w+)';/m, "const VERSION = '$1b';");
    writeFileSync(join(copy, 'sw.js'), worker);
    await page.reload();
    await page.waitForFunction(async (name) => JSON.stringify(await caches.keys()) === JSON.stringify([name]),
      { timeout: 20000 }, 'kabusim-' + /^const VERSION = '(\w+)';/m.exec(worker)[1]);
    await page.waitForFunction(() => window.kabusim && window.kabusim.frames() > 0);
    assert.match(await page.evaluate(() => fetch('page.css').then((r) => r.text())), /new build/);
    assert.deepEqual(page.problems, []);
    await page.close();
  });
}

async function hookAtLoad(browser) {
  const { url } = await origin();
  await check('the test hook, polled from the page\'s load on in fresh phone pages, is null until the game starts and never throws', async () => {
    await Promise.all([0, 1, 2].map(async () => {
      const context = await browser.createBrowserContext();
      const page = await open(context, null, PHONE);
      await page.evaluateOnNewDocument(() => {
        const log = window.hookLog = { nulls: 0, errors: [], scene: null };
        (function poll() {
          try {
            const now = window.kabusim && window.kabusim.state();
            if (now === null) ++log.nulls;
            else if (now) log.scene = now.scene;
          } catch (error) {
            log.errors.push(String(error));
          }
          if (log.scene === null) setTimeout(poll, 0);
        })();
      });
      await page.goto(url);
      await page.waitForFunction(() => window.hookLog.scene !== null, { timeout: 20000 });
      const log = await page.evaluate(() => window.hookLog);
      assert.deepEqual([log.errors, page.problems], [[], []]);
      assert.ok(log.nulls > 0 && log.scene === 'opening', JSON.stringify(log));
      await context.close();
    }));
  });
}

// ---- The release: the footer, and a damaged glyph file ----------------------------

async function releaseGroup(browser) {
  const server = await origin();
  await check('the footer shows the version and links the licences and the notices, which the site carries', async () => {
    const page = await open(browser, server.url, DESKTOP);
    const footer = await page.evaluate(() => [document.getElementById('version').textContent,
      ...Array.from(document.querySelectorAll('#legal a')).map((a) => a.getAttribute('href'))]);
    assert.deepEqual(footer, [version, 'COPYING.txt', 'THIRD_PARTY_NOTICES.txt', 'IPA_Font_License.txt']);
    const words = { 'COPYING.txt': 'June 1991', 'THIRD_PARTY_NOTICES.txt': 'TimGM6mb', 'IPA_Font_License.txt': 'IPA Font' };
    for (const file of footer.slice(1)) assert.ok((await (await fetch(server.url + file)).text()).includes(words[file]), file);
    await page.close();
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
}

const shared = await launch(join(work, 'shared'), DESKTOP);
await Promise.all([
  phoneGroup(),
  (async () => {
    // One download at a time in the shared browser.
    await desktopGroup(shared);
    await Promise.all([twoTabs(shared), storageTrouble('full', shared)]);
    await Promise.all([storageTrouble('cleared', shared), storageTrouble('blocked'), offline(shared), hookAtLoad(shared)]);
    await releaseGroup(shared);
  })(),
]);
await shared.close();
for (const server of servers) server.close();
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
