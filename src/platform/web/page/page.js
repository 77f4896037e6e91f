// SPDX-License-Identifier: GPL-2.0-or-later
// The page around the game: the picture scaled to the window, music with Web
// Audio, the saved folder kept in IndexedDB, the buttons, and window.kabusim
// for tests.
'use strict';

(function () {
  const WIDTH = 640;
  const HEIGHT = 480;
  const MARKET = 3;  // scene number of the market

  const area = document.getElementById('area');
  const screen = document.getElementById('screen');
  const message = document.getElementById('message');
  const endedBox = document.getElementById('ended');
  const screenContext = screen.getContext('2d', { alpha: false });

  // The game's 640 x 480 picture, exactly as it drew it.
  const picture = document.createElement('canvas');
  picture.width = WIDTH;
  picture.height = HEIGHT;
  const pictureContext = picture.getContext('2d', { alpha: false });
  let frameImage = null;
  let frames = 0;
  let firstFrameMs = 0;

  // Settings of the page; a browser may refuse to keep them.
  function remembered(key) {
    try {
      return localStorage.getItem(key);
    } catch (error) {
      return null;
    }
  }
  function remember(key, value) {
    try {
      localStorage.setItem(key, value);
    } catch (error) {
      // kept for this visit only
    }
  }

  function say(text) {
    message.textContent = text;
    message.hidden = text === '';
  }

  // ---- Picture ------------------------------------------------------------

  // The canvas takes the largest whole multiple of the picture that fits in
  // device pixels; its box on the page is the largest 4:3 rectangle that fits,
  // centred on device pixels.
  function layout() {
    const ratio = window.devicePixelRatio || 1;
    const deviceWidth = Math.round(area.clientWidth * ratio);
    const deviceHeight = Math.round(area.clientHeight * ratio);
    const height = Math.max(1, Math.min(deviceHeight, Math.floor(deviceWidth * 3 / 4)));
    const width = Math.round(height * 4 / 3);
    const factor = Math.max(1, Math.floor(height / HEIGHT));
    if (screen.width !== WIDTH * factor) {
      screen.width = WIDTH * factor;
      screen.height = HEIGHT * factor;
      drawScreen();
    }
    screen.style.width = width / ratio + 'px';
    screen.style.height = height / ratio + 'px';
    screen.style.left = Math.floor((deviceWidth - width) / 2) / ratio + 'px';
    screen.style.top = Math.floor((deviceHeight - height) / 2) / ratio + 'px';
  }

  function drawScreen() {
    screenContext.imageSmoothingEnabled = false;
    screenContext.drawImage(picture, 0, 0, screen.width, screen.height);
  }

  // Frame costs on the market: the scene's drawing, and the present (palette
  // conversion, the canvas upload and the scaled draw).
  const COSTS = 512;
  const marketBuild = new Float64Array(COSTS);
  const marketShow = new Float64Array(COSTS);
  let marketFrames = 0;

  function showFrame(rgba, scene, buildMs, showStartMs) {
    if (frameImage === null) {
      const bytes = new Uint8ClampedArray(Module.HEAPU8.buffer, rgba, WIDTH * HEIGHT * 4);
      frameImage = new ImageData(bytes, WIDTH, HEIGHT);
    }
    pictureContext.putImageData(frameImage, 0, 0);
    drawScreen();
    ++frames;
    if (frames === 1) {
      firstFrameMs = performance.now();
      say('');
      screen.classList.add('playing');
    }
    if (scene === MARKET) {
      marketBuild[marketFrames % COSTS] = buildMs;
      marketShow[marketFrames % COSTS] = performance.now() - showStartMs;
      ++marketFrames;
    }
  }

  function median(values, count) {
    const sorted = Array.from(values.subarray(0, Math.min(count, COSTS))).sort((a, b) => a - b);
    if (sorted.length === 0) return 0;
    const middle = sorted.length >> 1;
    return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
  }

  function screenRect() {
    return screen.getBoundingClientRect();
  }

  // ---- Music --------------------------------------------------------------

  // Each piece is a rendering that runs past its end of track by the notes'
  // release. It plays once up to the end of track, then loops from the start
  // with that tail laid over the start, as the synthesizer's own replay
  // sounds. Kept decoded: the loop, and the start without the tail for the
  // first pass.
  const RATE = 44100;
  const music = {
    context: null,
    gain: null,
    muted: remembered('kabusim.muted') === '1',
    decoder: null,
    prepared: null,  // {key, parts: Promise of {head, loop}}: the open piece only
    piece: null,
    endSample: -1,
    playing: false,
    sources: [],
    token: 0,

    prepare() {
      const key = this.piece + ':' + this.endSample;
      if (this.prepared === null || this.prepared.key !== key) {
        if (this.decoder === null) this.decoder = new OfflineAudioContext(2, 1, RATE);
        const file = 'music/' + this.piece + '.ogg';
        const endSample = this.endSample;
        const parts = fetch(file)
          .then((response) => {
            if (!response.ok) throw new Error(file + ': ' + response.status);
            return response.arrayBuffer();
          })
          .then((bytes) => this.decoder.decodeAudioData(bytes))
          .then((rendered) => loopingParts(this.decoder, rendered, endSample));
        parts.catch((error) => console.warn('music:', error.message));
        this.prepared = { key, parts };
      }
      return this.prepared.parts;
    },
    open(name, endSample) {
      this.halt();
      this.piece = name;
      this.endSample = endSample;
      this.playing = false;
      this.prepare();
    },
    play() {
      if (this.piece === null) return;
      this.playing = true;
      this.start();
    },
    close() {
      this.halt();
      this.piece = null;
      this.playing = false;
    },
    halt() {
      ++this.token;
      for (const source of this.sources) source.stop();
      this.sources = [];
    },
    start() {
      this.halt();
      if (this.context === null || this.context.state !== 'running' || !this.playing) return;
      const token = this.token;
      this.prepare().then((parts) => {
        if (token !== this.token) return;
        const at = this.context.currentTime + 0.05;
        const head = this.context.createBufferSource();
        head.buffer = parts.head;
        head.connect(this.gain);
        head.start(at);
        // The loop goes on from where the head ends, sample for sample.
        const loop = this.context.createBufferSource();
        loop.buffer = parts.loop;
        loop.loop = true;
        loop.connect(this.gain);
        loop.start(at + parts.head.length / RATE, parts.head.length / RATE);
        this.sources = [head, loop];
      }, () => {});
    },
    // Browsers start audio only in a click or a key; some only in certain
    // ones, so every one tries until the audio runs.
    unlock() {
      if (this.context === null) {
        const Context = window.AudioContext || window.webkitAudioContext;
        if (!Context) return true;
        this.context = new Context({ sampleRate: RATE });
        this.gain = this.context.createGain();
        this.gain.gain.value = this.muted ? 0 : 1;
        this.gain.connect(this.context.destination);
      }
      if (this.context.state !== 'running') {
        this.context.resume().then(() => this.start(), () => {});
        return false;
      }
      return true;
    },
    setMuted(muted) {
      this.muted = muted;
      remember('kabusim.muted', muted ? '1' : '0');
      if (this.gain !== null) this.gain.gain.value = muted ? 0 : 1;
    },
    pause(hidden) {
      if (this.context === null) return;
      if (hidden) this.context.suspend();
      else this.context.resume();
    },
  };

  // The loop: the rendering up to the end of track, with what sounds after it
  // added to its start. The head: the start as it sounds the first time, as
  // long as that tail.
  function loopingParts(context, rendered, endSample) {
    const channels = rendered.numberOfChannels;
    let end = Math.floor(endSample * rendered.sampleRate / RATE);
    if (!(end > 0 && end <= rendered.length)) end = rendered.length;
    const tail = Math.max(1, Math.min(rendered.length - end, end));
    const head = context.createBuffer(channels, tail, rendered.sampleRate);
    const loop = context.createBuffer(channels, end, rendered.sampleRate);
    for (let channel = 0; channel < channels; ++channel) {
      const samples = rendered.getChannelData(channel);
      head.copyToChannel(samples.subarray(0, tail), channel);
      const mixed = samples.slice(0, end);
      for (let i = 0; i < rendered.length - end && i < end; ++i) mixed[i] += samples[end + i];
      loop.copyToChannel(mixed, channel);
    }
    return { head, loop };
  }

  // ---- Saves --------------------------------------------------------------

  // savedat/ is one record in IndexedDB: every file of the folder, written in
  // one transaction after the game has finished a save or the ranking, so the
  // browser holds the folder as it stood between two steps of the game.
  const DATABASE = 'kabusim';
  const STORE = 'folders';
  const FOLDER = '/savedat';
  // Names and sizes of the files the game keeps there.
  const SAVE_FILES = { 'data.txt': 3120, 'edit.txt': 620, 'rist.txt': 3480, 'grafu.txt': 3720, 'grafu2.txt': 4932 };
  const RANK_FILE = 'rank.txt';
  const RANK_SIZE = 1072;

  // The stored record of the folder (undefined when none).
  function storedRecord(database) {
    return new Promise((resolve, reject) => {
      const request = database.transaction(STORE, 'readonly').objectStore(STORE).get('savedat');
      request.onsuccess = () => resolve(request.result);
      request.onerror = () => reject(request.error);
    });
  }

  function openDatabase() {
    return new Promise((resolve, reject) => {
      const request = indexedDB.open(DATABASE, 1);
      request.onupgradeneeded = () => request.result.createObjectStore(STORE);
      request.onsuccess = () => resolve(request.result);
      request.onerror = () => reject(request.error);
    });
  }

  const saves = {
    database: null,
    stored: 0,
    failed: 0,
    replaced: false,  // a loaded zip waits for the next start: the game's saves no longer go in

    // Before the game starts: the stored folder into the game's file system.
    load() {
      Module.addRunDependency('savedat');
      openDatabase()
        .then((database) => {
          this.database = database;
          return storedRecord(database);
        })
        .then((record) => {
          if (record && record.files) writeFolder(record.files);
        })
        .catch((error) => console.warn('saves are kept only while the page is open:', error && error.message))
        .finally(() => Module.removeRunDependency('savedat'));
      if (navigator.storage && navigator.storage.persist) navigator.storage.persist().catch(() => {});
    },
    put(files) {
      if (this.database === null) return Promise.reject(new Error('no IndexedDB'));
      return new Promise((resolve, reject) => {
        const transaction = this.database.transaction(STORE, 'readwrite');
        transaction.objectStore(STORE).put({ files, time: Date.now() }, 'savedat');
        transaction.oncomplete = () => resolve();
        transaction.onerror = () => reject(transaction.error);
        transaction.onabort = () => reject(transaction.error);
      });
    },
    // The stored record's files: names and sizes, and the bytes when asked.
    read(withBytes) {
      if (this.database === null) return Promise.resolve([]);
      return storedRecord(this.database).then((record) => ((record && record.files) || []).map((file) =>
        withBytes ? { name: file.name, size: file.bytes.length, bytes: Array.from(file.bytes) }
                  : { name: file.name, size: file.bytes.length }));
    },
    store() {
      if (this.replaced) return;
      this.put(readFolder()).then(() => ++this.stored, (error) => {
        ++this.failed;
        if (this.database !== null) console.warn('the save could not be stored:', error && error.message);
      });
    },
  };

  // Every regular file of savedat/ as [{name, bytes}].
  function readFolder() {
    const FS = Module.FS;
    const files = [];
    let names = [];
    try {
      names = FS.readdir(FOLDER);
    } catch (error) {
      return files;
    }
    for (const name of names.sort()) {
      const path = FOLDER + '/' + name;
      const node = FS.lstat(path);
      if (FS.isFile(node.mode)) files.push({ name, bytes: FS.readFile(path) });
    }
    return files;
  }

  function writeFolder(files) {
    const FS = Module.FS;
    try {
      FS.mkdir(FOLDER);
    } catch (error) {
      // already there
    }
    for (const file of files) FS.writeFile(FOLDER + '/' + file.name, file.bytes);
  }

  // ---- Zip files ----------------------------------------------------------

  const CRC_TABLE = new Uint32Array(256).map((_, n) => {
    let c = n;
    for (let k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    return c >>> 0;
  });
  function crc32(bytes) {
    let c = 0xffffffff;
    for (let i = 0; i < bytes.length; ++i) c = CRC_TABLE[(c ^ bytes[i]) & 0xff] ^ (c >>> 8);
    return (c ^ 0xffffffff) >>> 0;
  }

  // A zip (stored, no compression) of savedat/, which unpacks into a
  // savedat/ folder beside the desktop game's data/.
  function makeZip(files) {
    const encoder = new TextEncoder();
    const parts = [];
    const central = [];
    let offset = 0;
    const now = new Date();
    const time = now.getHours() << 11 | now.getMinutes() << 5 | now.getSeconds() >> 1;
    const date = (now.getFullYear() - 1980) << 9 | (now.getMonth() + 1) << 5 | now.getDate();
    const entries = [{ name: 'savedat/', bytes: new Uint8Array(0) }].concat(
      files.map((file) => ({ name: 'savedat/' + file.name, bytes: file.bytes })));
    for (const entry of entries) {
      const name = encoder.encode(entry.name);
      const crc = crc32(entry.bytes);
      const local = new DataView(new ArrayBuffer(30));
      local.setUint32(0, 0x04034b50, true);
      local.setUint16(4, 10, true);
      local.setUint16(10, time, true);
      local.setUint16(12, date, true);
      local.setUint32(14, crc, true);
      local.setUint32(18, entry.bytes.length, true);
      local.setUint32(22, entry.bytes.length, true);
      local.setUint16(26, name.length, true);
      parts.push(new Uint8Array(local.buffer), name, entry.bytes);
      const record = new DataView(new ArrayBuffer(46));
      record.setUint32(0, 0x02014b50, true);
      record.setUint16(4, 0x031e, true);  // made on Unix
      record.setUint16(6, 10, true);
      record.setUint16(12, time, true);
      record.setUint16(14, date, true);
      record.setUint32(16, crc, true);
      record.setUint32(20, entry.bytes.length, true);
      record.setUint32(24, entry.bytes.length, true);
      record.setUint16(28, name.length, true);
      const isFolder = entry.name.endsWith('/');
      record.setUint32(38, ((isFolder ? 0o40755 : 0o100644) << 16 | (isFolder ? 0x10 : 0)) >>> 0, true);
      record.setUint32(42, offset, true);
      central.push(new Uint8Array(record.buffer), name);
      offset += 30 + name.length + entry.bytes.length;
    }
    const centralSize = central.reduce((sum, part) => sum + part.length, 0);
    const end = new DataView(new ArrayBuffer(22));
    end.setUint32(0, 0x06054b50, true);
    end.setUint16(8, entries.length, true);
    end.setUint16(10, entries.length, true);
    end.setUint32(12, centralSize, true);
    end.setUint32(16, offset, true);
    return new Blob(parts.concat(central, [new Uint8Array(end.buffer)]), { type: 'application/zip' });
  }

  async function inflateRaw(bytes) {
    const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('deflate-raw'));
    return new Uint8Array(await new Response(stream).arrayBuffer());
  }

  // The files of a zip of a save folder, checked: only the game's names (in a
  // savedat/ folder or at the top), each at its own size and intact, and the
  // whole save set. Throws with the reason otherwise.
  async function readSaveZip(buffer) {
    const bytes = new Uint8Array(buffer);
    const view = new DataView(buffer);
    let endAt = -1;
    for (let i = bytes.length - 22; i >= Math.max(0, bytes.length - 22 - 65535); --i) {
      if (view.getUint32(i, true) === 0x06054b50) {
        endAt = i;
        break;
      }
    }
    if (endAt < 0) throw new Error('not a zip file');
    const count = view.getUint16(endAt + 10, true);
    let at = view.getUint32(endAt + 16, true);
    const decoder = new TextDecoder();
    const found = new Map();
    for (let n = 0; n < count; ++n) {
      if (at + 46 > bytes.length || view.getUint32(at, true) !== 0x02014b50) throw new Error('damaged zip file');
      const method = view.getUint16(at + 10, true);
      const crc = view.getUint32(at + 16, true);
      const packedSize = view.getUint32(at + 20, true);
      const size = view.getUint32(at + 24, true);
      const nameLength = view.getUint16(at + 28, true);
      const extraLength = view.getUint16(at + 30, true);
      const commentLength = view.getUint16(at + 32, true);
      const localAt = view.getUint32(at + 42, true);
      const path = decoder.decode(bytes.subarray(at + 46, at + 46 + nameLength));
      at += 46 + nameLength + extraLength + commentLength;
      if (path === 'savedat/' || path.endsWith('/') && size === 0) continue;
      const name = path.startsWith('savedat/') ? path.slice(8) : path;
      const expected = name === RANK_FILE ? RANK_SIZE : Object.hasOwn(SAVE_FILES, name) ? SAVE_FILES[name] : 0;
      if (expected === 0) throw new Error('not a file of the game: ' + path);
      if (found.has(name)) throw new Error('twice in the zip file: ' + name);
      if (size !== expected) throw new Error(name + ' has ' + size + ' bytes, not ' + expected);
      if (localAt + 30 > bytes.length || view.getUint32(localAt, true) !== 0x04034b50) throw new Error('damaged zip file');
      const dataAt = localAt + 30 + view.getUint16(localAt + 26, true) + view.getUint16(localAt + 28, true);
      if (dataAt + packedSize > bytes.length) throw new Error('damaged zip file');
      const packed = bytes.subarray(dataAt, dataAt + packedSize);
      let data;
      if (method === 0) data = packed.slice();
      else if (method === 8) data = await inflateRaw(packed);
      else throw new Error(name + ': unknown compression');
      if (data.length !== expected || crc32(data) !== crc) throw new Error(name + ' is damaged');
      found.set(name, data);
    }
    for (const name of Object.keys(SAVE_FILES)) {
      if (!found.has(name)) throw new Error('the saved game lacks ' + name);
    }
    return found;
  }

  function exportSaves() {
    return makeZip(readFolder());
  }

  // Checks the zip and stores it as the saved folder: the five files of the
  // zip replace the set whole; its rank.txt, when it has one, the ranking.
  // Nothing is stored when anything is wrong. The game takes it on its next
  // start (the page reloads); until then the running game stores nothing
  // over it.
  async function importSaves(buffer) {
    const found = await readSaveZip(buffer);
    saves.replaced = true;
    const current = readFolder();
    const files = [];
    for (const [name, bytes] of found) files.push({ name, bytes });
    const rank = current.find((file) => file.name === RANK_FILE);
    if (!found.has(RANK_FILE) && rank) files.push(rank);
    files.sort((a, b) => (a.name < b.name ? -1 : a.name > b.name ? 1 : 0));
    try {
      await saves.put(files);
    } catch (error) {
      saves.replaced = false;
      throw error;
    }
    return files.map((file) => file.name);
  }

  // ---- Buttons ------------------------------------------------------------

  function bindButtons() {
    const fullscreen = document.getElementById('fullscreen');
    const root = document.documentElement;
    const canFull = root.requestFullscreen || root.webkitRequestFullscreen;
    if (!canFull) fullscreen.hidden = true;
    function toggleFullscreen() {
      if (document.fullscreenElement || document.webkitFullscreenElement) {
        (document.exitFullscreen || document.webkitExitFullscreen).call(document);
      } else if (canFull) {
        const request = canFull.call(root);
        if (request && request.catch) request.catch(() => {});
      }
    }
    fullscreen.addEventListener('click', toggleFullscreen);
    window.addEventListener('keydown', (event) => {
      if (event.altKey && (event.code === 'Enter' || event.code === 'NumpadEnter')) {
        event.preventDefault();
        toggleFullscreen();
      }
    });

    const mute = document.getElementById('mute');
    function showMute() {
      mute.textContent = music.muted ? '音楽 オフ' : '音楽 オン';
      mute.setAttribute('aria-pressed', music.muted ? 'true' : 'false');
    }
    mute.addEventListener('click', () => {
      music.setMuted(!music.muted);
      showMute();
    });
    showMute();

    document.getElementById('download').addEventListener('click', () => {
      const link = document.createElement('a');
      link.href = URL.createObjectURL(exportSaves());
      link.download = 'kabusim-savedat.zip';
      link.click();
      setTimeout(() => URL.revokeObjectURL(link.href), 10000);
    });

    const uploadFile = document.getElementById('upload-file');
    document.getElementById('upload').addEventListener('click', () => uploadFile.click());
    uploadFile.addEventListener('change', async () => {
      const file = uploadFile.files[0];
      uploadFile.value = '';
      if (!file) return;
      try {
        const buffer = await file.arrayBuffer();
        await readSaveZip(buffer);
        if (!window.confirm('今のセーブを「' + file.name + '」のセーブで置き換えて、はじめから起動します。')) return;
        await importSaves(buffer);
        location.reload();
      } catch (error) {
        window.alert('読み込めませんでした: ' + error.message);
      }
    });

    document.getElementById('again').addEventListener('click', () => {
      endedBox.hidden = true;
      screen.classList.add('playing');
      Module._webRestart();
    });

    // Buttons give the keys back to the game once clicked.
    for (const button of document.querySelectorAll('#bar button, #ended button')) {
      button.addEventListener('click', () => button.blur());
    }
  }

  function ended() {
    screen.classList.remove('playing');
    endedBox.hidden = false;
  }

  // The game did not start: a file of its data is not whole (reason 1
  // missing, 2 unreadable, 3 damaged), as the desktop game says it.
  function refused(path, reason) {
    const japanese = reason === 1 ? 'がありません' : reason === 2 ? 'を読めません' : 'が壊れています';
    const english = reason === 1 ? 'is missing' : reason === 2 ? 'cannot be read' : 'is damaged';
    say('ゲームのデータ ' + path + ' ' + japanese + '。サイトのファイルを置き直してください。\n' +
        'Damaged game data: ' + path + ' ' + english + '; the game cannot start.');
  }

  // ---- Start --------------------------------------------------------------

  const unlockEvents = ['pointerdown', 'keydown', 'touchend'];
  function unlockAudio() {
    if (!music.unlock()) return;
    for (const type of unlockEvents) window.removeEventListener(type, unlockAudio, true);
  }
  for (const type of unlockEvents) window.addEventListener(type, unlockAudio, true);
  document.addEventListener('visibilitychange', () => music.pause(document.hidden));

  window.Module = {
    page: { showFrame, screenRect, music, saves, ended, refused },
    preRun: [() => saves.load()],
    print: (text) => console.log(text),
    printErr: (text) => console.error(text),
    onAbort: (what) => say('エラーが起きました: ' + what),
  };

  window.kabusim = {
    // {scene, year, month, day, cash, holdings[30]} of the game now; null
    // before it has started.
    state() {
      if (!Module._webState) return null;
      return JSON.parse(Module.UTF8ToString(Module._webState()));
    },
    running: () => !!(Module._webRunning && Module._webRunning()),
    clock: () => Module._webClockMs(),
    // The piece open and whether it sounds (audio started and its sources playing).
    music: () => ({
      piece: music.piece,
      sounding: music.context !== null && music.context.state === 'running' && music.sources.length > 0,
    }),
    frames: () => frames,
    picture,
    stored: () => saves.stored,
    storedFiles: (withBytes) => saves.read(withBytes),
    stats: () => ({
      firstFrameMs,
      frames,
      marketFrames,
      marketBuildMs: median(marketBuild, marketFrames),
      marketShowMs: median(marketShow, marketFrames),
    }),
    exportSaves,
    importSaves,
  };

  bindButtons();
  new ResizeObserver(layout).observe(area);
  window.addEventListener('resize', layout);
  layout();
})();
