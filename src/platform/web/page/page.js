// SPDX-License-Identifier: GPL-2.0-or-later
// The page around the game: the canvas at the page's device pixels, the
// pointer and the touch keys, music with Web Audio, the saved folder kept in
// IndexedDB for one tab at a time, storage trouble told to the player, zip
// files in and out, the service worker, and window.kabusim for tests.
'use strict';

(function () {
  const WIDTH = 640;
  const HEIGHT = 480;
  const MARKET = 3;  // scene number of the market

  const area = document.getElementById('area');
  const screen = document.getElementById('screen');
  const message = document.getElementById('message');
  const endedBox = document.getElementById('ended');
  const pad = document.getElementById('pad');
  const screenContext = screen.getContext('2d', { alpha: false });
  let frames = 0;
  let firstFrameMs = 0;
  let gameStarted = false;  // the game's loop has been started: the hook may ask it
  let runtimeReady = false;  // the exported functions may be called

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

  // A box over the picture with a text and buttons ([label, action] pairs);
  // no text hides it.
  const dialog = {
    box: document.getElementById('dialog'),
    text: document.getElementById('dialog-text'),
    buttons: document.getElementById('dialog-buttons'),
    show(text, buttons) {
      this.text.textContent = text;
      this.buttons.replaceChildren(...buttons.map(([label, action]) => {
        const button = document.createElement('button');
        button.type = 'button';
        button.textContent = label;
        button.addEventListener('click', action);
        return button;
      }));
      this.box.hidden = false;
    },
    hide() {
      this.box.hidden = true;
    },
  };

  // ---- Picture ------------------------------------------------------------

  // The canvas covers the picture area at its size in device pixels; the game
  // scales the picture into it with the desktop's scaler and sends the rows
  // that changed, which go into the canvas straight from the game's memory.
  let deviceWidth = 0;
  let deviceHeight = 0;
  let image = null;

  function setView(width, height) {
    if (width < 1 || height < 1) return;
    deviceWidth = width;
    deviceHeight = height;
    if (runtimeReady) Module._webSetView(width, height);
  }

  // The smallest number of device pixels that is a whole number of the
  // layout's units (1/64 CSS pixel): a size in such steps is laid out
  // exactly, and the browser shows the canvas without resampling it.
  function deviceStep(ratio) {
    for (let step = 1; step <= 64; ++step) {
      const units = step / ratio * 64;
      if (Math.abs(units - Math.round(units)) < 1e-6) return step;
    }
    return 1;
  }

  // The area in device pixels; the canvas gets that many pixels (in whole
  // steps) and a CSS size of that divided by the pixel ratio, at the area's
  // top left corner, so each canvas pixel is one device pixel.
  function layout() {
    const ratio = window.devicePixelRatio || 1;
    const step = deviceStep(ratio);
    const box = area.getBoundingClientRect();
    // From the first whole device pixel inside the area.
    const left = Math.ceil(box.left * ratio - 0.01);
    const top = Math.ceil(box.top * ratio - 0.01);
    const fit = (size) => Math.max(step, Math.floor(size / step) * step);
    const width = fit(Math.floor(box.right * ratio + 0.01) - left);
    const height = fit(Math.floor(box.bottom * ratio + 0.01) - top);
    screen.style.left = left / ratio - box.left + 'px';
    screen.style.top = top / ratio - box.top + 'px';
    screen.style.width = width / ratio + 'px';
    screen.style.height = height / ratio + 'px';
    setView(width, height);
  }
  function observeSize() {
    new ResizeObserver(layout).observe(area);
    window.addEventListener('resize', layout);
    // A window moved to a screen of another pixel ratio.
    const watchRatio = () => matchMedia(`(resolution: ${window.devicePixelRatio || 1}dppx)`)
      .addEventListener('change', () => {
        layout();
        watchRatio();
      }, { once: true });
    if (window.matchMedia) watchRatio();
    layout();
  }

  // Frame costs on the market: the scene's drawing, and the present (the
  // changed rows converted, scaled and put into the canvas).
  const COSTS = 512;
  const marketBuild = new Float64Array(COSTS);
  const marketShow = new Float64Array(COSTS);
  let marketFrames = 0;
  let rowsSent = 0;

  function showFrame(pointer, width, height, bands, scene, buildMs, showStartMs) {
    if (bands.length > 0) {
      if (screen.width !== width || screen.height !== height) {
        screen.width = width;
        screen.height = height;
      }
      const buffer = Module.HEAPU8.buffer;
      if (image === null || image.data.buffer !== buffer || image.data.byteOffset !== pointer ||
          image.width !== width || image.height !== height) {
        image = new ImageData(new Uint8ClampedArray(buffer, pointer, width * height * 4), width, height);
      }
      for (let i = 0; i < bands.length; i += 4) {
        screenContext.putImageData(image, 0, 0, bands[i], bands[i + 1], bands[i + 2], bands[i + 3]);
        rowsSent += bands[i + 3];
      }
    }
    if (scene < 0) return;
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

  // ---- Pointer and touch keys ---------------------------------------------

  // The pointer in canvas device pixels, fractions kept: a tap lands on the
  // picture pixel under the finger at any scale. The first finger on the
  // picture is the mouse; a mouse (or pen) moves the cursor wherever it is.
  const MOVED = 0;
  const PRESSED = 1;
  const RELEASED = 2;
  const LOST = 3;
  let finger = null;

  function pointer(kind, event, touch) {
    if (!runtimeReady || !gameStarted) return;
    const rect = screen.getBoundingClientRect();
    if (rect.width <= 0 || rect.height <= 0) return;
    const x = (event.clientX - rect.left) * screen.width / rect.width;
    const y = (event.clientY - rect.top) * screen.height / rect.height;
    Module._webPointer(kind, x, y, touch ? 1 : 0);
  }

  function bindPointer() {
    screen.addEventListener('pointerdown', (event) => {
      if (event.pointerType === 'touch') {
        event.preventDefault();
        showPad();
        if (finger !== null) return;
        finger = event.pointerId;
        try {
          screen.setPointerCapture(event.pointerId);
        } catch (error) {
          // the finger is followed without capture
        }
        pointer(PRESSED, event, true);
      } else if (event.button === 0) {
        pointer(PRESSED, event, false);
      }
    });
    window.addEventListener('pointermove', (event) => {
      if (event.pointerType === 'touch') {
        if (event.pointerId === finger) pointer(MOVED, event, true);
        return;
      }
      // A second button pressed or let go while another is down.
      if (event.button === 0) pointer(event.buttons & 1 ? PRESSED : RELEASED, event, false);
      else pointer(MOVED, event, false);
    });
    window.addEventListener('pointerup', (event) => {
      if (event.pointerType === 'touch') {
        if (event.pointerId !== finger) return;
        finger = null;
        pointer(RELEASED, event, true);
      } else if (event.button === 0) {
        pointer(RELEASED, event, false);
      }
    });
    window.addEventListener('pointercancel', (event) => {
      if (event.pointerId !== finger) return;
      finger = null;
      pointer(LOST, event, true);
    });
    for (const element of [area, pad]) element.addEventListener('contextmenu', (event) => event.preventDefault());
    // No double-tap zoom or scrolling where the game is (Safari does not
    // keep to touch-action everywhere).
    for (const element of [area, pad]) {
      element.addEventListener('touchstart', (event) => {
        if (event.target.closest('button, a')) return;
        event.preventDefault();
      }, { passive: false });
    }
    document.addEventListener('gesturestart', (event) => event.preventDefault());
  }

  // Each touch key is down while any finger is on it.
  function bindPad() {
    for (const button of pad.querySelectorAll('button')) {
      const key = Number(button.dataset.key);
      const fingers = new Set();
      const set = (isDown) => {
        button.classList.toggle('held', isDown);
        if (runtimeReady && gameStarted) Module._webKey(key, isDown ? 1 : 0);
      };
      button.addEventListener('pointerdown', (event) => {
        event.preventDefault();
        try {
          button.setPointerCapture(event.pointerId);
        } catch (error) {
          // let go when the finger leaves instead
        }
        fingers.add(event.pointerId);
        if (fingers.size === 1) set(true);
      });
      const lift = (event) => {
        if (!fingers.delete(event.pointerId)) return;
        if (fingers.size === 0) set(false);
      };
      for (const type of ['pointerup', 'pointercancel', 'lostpointercapture']) button.addEventListener(type, lift);
      button.addEventListener('click', (event) => event.preventDefault());
    }
  }

  // The touch keys show where a touch screen is found.
  function showPad() {
    if (pad.hidden) pad.hidden = false;
  }
  function hasTouch() {
    return navigator.maxTouchPoints > 0 || (window.matchMedia && matchMedia('(any-pointer: coarse)').matches);
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
  //
  // One tab plays at a time: it holds a Web Lock for as long as it is open.
  // Every write also checks, in its own transaction, that this tab is still
  // the folder's owner, and a tab that takes over first makes itself the
  // owner and only then reads the folder: a write of the other tab lands
  // before that (and is read) or finds itself no longer the owner (and
  // stops). Without Web Locks the newest tab is the owner.
  const DATABASE = 'kabusim';
  const STORE = 'folders';
  const FOLDER_KEY = 'savedat';
  const OWNER_KEY = 'owner';
  const LOCK = 'kabusim-savedat';
  const FOLDER = '/savedat';
  // Names and sizes of the files the game keeps there.
  const SAVE_FILES = { 'data.txt': 3120, 'edit.txt': 620, 'rist.txt': 3480, 'grafu.txt': 3720, 'grafu2.txt': 4932 };
  const RANK_FILE = 'rank.txt';
  const RANK_SIZE = 1072;

  // Why storage fails, as the player is told.
  function storageTrouble(error) {
    const name = error && error.name;
    if (name === 'QuotaExceededError') return 'ブラウザーの保存容量がいっぱいです。';
    if (name === 'Cleared') return 'ブラウザーの保存データが消去されました。';
    if (name === 'Missing') return 'このブラウザーにはデータを保存する仕組み (IndexedDB) がありません。';
    if (name === 'SecurityError' || name === 'UnknownError' || name === 'InvalidAccessError') {
      return 'ブラウザーがこのページのデータ保存を許可していません (Cookie・サイトデータのブロックなど)。';
    }
    return 'ブラウザーにセーブを保存できませんでした (' + (name || 'エラー') + ')。';
  }
  function named(name) {
    const error = new Error(name);
    error.name = name;
    return error;
  }

  function request(what) {
    return new Promise((resolve, reject) => {
      what.onsuccess = () => resolve(what.result);
      what.onerror = () => reject(what.error);
    });
  }
  function finished(transaction) {
    return new Promise((resolve, reject) => {
      transaction.oncomplete = () => resolve();
      transaction.onerror = () => reject(transaction.error);
      transaction.onabort = () => reject(transaction.error || named('AbortError'));
    });
  }

  const banner = {
    box: document.getElementById('storage'),
    text: document.getElementById('storage-text'),
    show(reason) {
      this.text.textContent = reason + ' セーブはこのタブの中にだけあり、閉じると失われます。' +
        '次のセーブで保存し直します。';
      this.box.hidden = false;
    },
    hide() {
      this.box.hidden = true;
    },
  };

  const saves = {
    database: null,
    id: Math.random().toString(36).slice(2) + Date.now().toString(36),
    playing: false,    // this tab owns the folder and its game may write it
    halted: false,     // another tab has taken over
    replaced: false,   // a loaded zip waits for the next start: the game's saves no longer go in
    busy: false,       // a write is under way
    again: false,      // the folder changed during that write
    stored: 0,
    failed: 0,
    trouble: null,     // what the banner says, while storage fails
    standIn: undefined,  // the owner this tab could not replace at its start

    open() {
      if (this.database !== null) return Promise.resolve(this.database);
      if (!window.indexedDB) return Promise.reject(named('Missing'));
      let opening;
      try {
        opening = indexedDB.open(DATABASE, 1);
      } catch (error) {
        return Promise.reject(error);
      }
      opening.onupgradeneeded = () => opening.result.createObjectStore(STORE);
      return request(opening).then((database) => {
        // The browser closes the database when the site's data is cleared.
        database.onclose = () => {
          if (this.database === database) this.database = null;
          if (this.playing) this.fail(named('Cleared'));
        };
        database.onversionchange = () => database.close();
        this.database = database;
        return database;
      });
    },
    fail(error) {
      // The next write opens the database afresh.
      if (this.database !== null && error && error.name !== 'QuotaExceededError') {
        const database = this.database;
        this.database = null;
        database.close();
      }
      ++this.failed;
      this.trouble = storageTrouble(error);
      banner.show(this.trouble);
    },
    succeed() {
      ++this.stored;
      this.trouble = null;
      banner.hide();
    },

    // Before the game starts: this tab becomes the owner, then the stored
    // folder goes into the game's file system. A browser that refuses the
    // owner's write (a full quota) still gives the folder to read; the owner
    // it read then stands for this tab until this tab's first write.
    load() {
      Module.addRunDependency('savedat');
      claimTab()
        .then(() => this.open())
        .then((database) => {
          const claim = database.transaction(STORE, 'readwrite');
          claim.objectStore(STORE).put(this.id, OWNER_KEY);
          return finished(claim).then(() => null, (error) => error).then((refused) => {
            const store = database.transaction(STORE, 'readonly').objectStore(STORE);
            const [owner, record] = [request(store.get(OWNER_KEY)), request(store.get(FOLDER_KEY))];
            return Promise.all([owner, record]).then(([owner, record]) => {
              if (refused) {
                this.standIn = owner;
                this.fail(refused);
              }
              return record;
            });
          });
        })
        .then((record) => {
          if (record && record.files) writeFolder(record.files);
        }, (error) => this.fail(error))
        .finally(() => {
          this.playing = !this.halted;
          Module.removeRunDependency('savedat');
        });
      if (navigator.storage && navigator.storage.persist) navigator.storage.persist().catch(() => {});
    },
    // Writes the files as the folder when this tab still owns it; resolves
    // false when another tab has taken over.
    put(files) {
      return this.open().then((database) => {
        const transaction = database.transaction(STORE, 'readwrite');
        const store = transaction.objectStore(STORE);
        let mine = true;
        const owner = store.get(OWNER_KEY);
        owner.onsuccess = () => {
          mine = owner.result === undefined || owner.result === this.id || owner.result === this.standIn;
          if (!mine) {
            transaction.abort();
            return;
          }
          if (owner.result !== this.id) store.put(this.id, OWNER_KEY);
          store.put({ files, time: Date.now() }, FOLDER_KEY);
        };
        return finished(transaction).then(() => {
          this.standIn = undefined;
          return true;
        }, (error) => {
          if (!mine) return false;
          throw error;
        });
      });
    },
    // The stored record's files: names and sizes, and the bytes when asked.
    read(withBytes) {
      return this.open().then((database) => request(database.transaction(STORE, 'readonly').objectStore(STORE)
        .get(FOLDER_KEY))).then((record) => ((record && record.files) || []).map((file) =>
        withBytes ? { name: file.name, size: file.bytes.length, bytes: Array.from(file.bytes) }
                  : { name: file.name, size: file.bytes.length }), () => []);
    },
    // The game changed the folder: it is stored as it stands now, one write
    // at a time.
    store() {
      if (!this.playing || this.replaced) return;
      if (this.busy) {
        this.again = true;
        return;
      }
      this.busy = true;
      this.put(readFolder())
        .then((kept) => (kept ? this.succeed() : lostTab()), (error) => this.fail(error))
        .finally(() => {
          this.busy = false;
          if (this.again) {
            this.again = false;
            this.store();
          }
        });
    },
  };

  // The lock of the folder, held while this tab is open. Resolves once this
  // tab may play; until then the other tab's game goes on and this one waits
  // for the player to take over.
  let takenOver = false;
  function claimTab() {
    if (!navigator.locks) return Promise.resolve();
    const takeOver = location.hash === '#here';
    if (takeOver) history.replaceState(null, '', location.pathname + location.search);
    return new Promise((resolve) => {
      const hold = (lock) => {
        if (lock === null) return null;
        resolve();
        return new Promise(() => {});  // kept until the tab closes or another steals it
      };
      const ask = (options) => navigator.locks.request(LOCK, options, (lock) => {
        if (lock === null) {
          say('');
          dialog.show('カブシムは別のタブかウィンドウで開いています。二つで同時に遊ぶとセーブが上書きされるので、' +
            'このタブではまだ始めていません。', [['このタブで遊ぶ', () => {
            dialog.hide();
            say('読み込み中…');
            takenOver = true;
            ask({ steal: true });
          }]]);
          return null;
        }
        return hold(lock);
      }).catch((error) => {
        // Stolen by another tab; or the browser refuses locks (storage
        // blocked), and the tab plays without one.
        if (error && error.name === 'AbortError') lostTab();
        else resolve();
      });
      ask(takeOver ? { steal: true } : { ifAvailable: true });
    });
  }

  // Another tab plays now: this one stops its game and writes nothing more.
  function lostTab() {
    if (saves.halted) return;
    saves.halted = true;
    saves.playing = false;
    if (runtimeReady && gameStarted) Module._webHalt();
    music.close();
    screen.classList.remove('playing');
    endedBox.hidden = true;
    dialog.show('カブシムを別のタブで遊び始めたので、このタブのゲームを止めました。セーブ済みのデータはそのまま残っています。',
      [['このタブで遊ぶ', () => {
        history.replaceState(null, '', location.pathname + location.search + '#here');
        location.reload();
      }]]);
  }

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

  // The save folder's zip is a few KB; a larger file is not one.
  const ZIP_LARGEST = 16 * 1024 * 1024;
  // Compressed bytes fed to the inflater at a time: deflate gives at most
  // about a thousand times its input, so no step makes more than about 1 MB.
  const FEED = 1024;

  function refusal(text) {
    const error = new Error(text);
    error.name = 'Refused';
    return error;
  }
  function checkZipSize(size) {
    if (size > ZIP_LARGEST) {
      throw refusal('ファイルが大きすぎます (' + (size / 1048576).toFixed(0) + ' MB)。セーブの zip は数十 KB です。');
    }
  }

  // Inflates raw deflate data, stopping as soon as it gives more than
  // `limit` bytes: the bytes, or null when there are more.
  async function inflateAtMost(packed, limit) {
    const stream = new DecompressionStream('deflate-raw');
    const writer = stream.writable.getWriter();
    const reader = stream.readable.getReader();
    let stop = false;
    writer.closed.catch(() => {});
    (async () => {
      for (let at = 0; at < packed.length && !stop; at += FEED) {
        await writer.ready;
        if (!stop) writer.write(packed.subarray(at, at + FEED)).catch(() => {});
      }
      if (!stop) writer.close().catch(() => {});
    })().catch(() => {});
    const out = new Uint8Array(limit);
    let length = 0;
    try {
      for (;;) {
        const { done, value } = await reader.read();
        if (done) break;
        if (length + value.length > limit) {
          stop = true;
          reader.cancel().catch(() => {});
          writer.abort().catch(() => {});
          return null;
        }
        out.set(value, length);
        length += value.length;
      }
    } catch (error) {
      stop = true;
      throw refusal('damaged');
    }
    return out.subarray(0, length);
  }

  // The files of a zip of a save folder, checked: the game's file names in
  // any letter case, all in one folder (or at the top), "/" or "\" between
  // folders, each at its own size and intact, and the whole save set; macOS's
  // __MACOSX/ and .DS_Store are passed over. Throws with the reason in
  // Japanese otherwise.
  async function readSaveZip(buffer) {
    checkZipSize(buffer.byteLength);
    const bytes = new Uint8Array(buffer);
    const view = new DataView(buffer);
    const damaged = () => refusal('zip ファイルが壊れています。');
    let endAt = -1;
    for (let i = bytes.length - 22; i >= Math.max(0, bytes.length - 22 - 65535); --i) {
      if (view.getUint32(i, true) === 0x06054b50) {
        endAt = i;
        break;
      }
    }
    if (endAt < 0) throw refusal('zip ファイルではないか、途中で切れています。');
    const count = view.getUint16(endAt + 10, true);
    let at = view.getUint32(endAt + 16, true);
    const decoder = new TextDecoder();
    const found = new Map();
    let folder = null;
    for (let n = 0; n < count; ++n) {
      if (at + 46 > bytes.length || view.getUint32(at, true) !== 0x02014b50) throw damaged();
      const flags = view.getUint16(at + 8, true);
      const method = view.getUint16(at + 10, true);
      const crc = view.getUint32(at + 16, true);
      const packedSize = view.getUint32(at + 20, true);
      const size = view.getUint32(at + 24, true);
      const nameLength = view.getUint16(at + 28, true);
      const extraLength = view.getUint16(at + 30, true);
      const commentLength = view.getUint16(at + 32, true);
      const localAt = view.getUint32(at + 42, true);
      if (at + 46 + nameLength > bytes.length) throw damaged();
      const path = decoder.decode(bytes.subarray(at + 46, at + 46 + nameLength)).replace(/\\/g, '/');
      at += 46 + nameLength + extraLength + commentLength;
      const parts = path.split('/');
      const base = parts.pop();
      if (parts.includes('__MACOSX') || base === '.DS_Store' || base === '') continue;
      if (path.startsWith('/') || /^[A-Za-z]:/.test(path) || parts.includes('..')) {
        throw refusal('フォルダーの外を指す名前が入っています: ' + path);
      }
      const name = base.toLowerCase();
      const expected = name === RANK_FILE ? RANK_SIZE : Object.hasOwn(SAVE_FILES, name) ? SAVE_FILES[name] : 0;
      if (expected === 0) throw refusal('ゲームのファイルではないものが入っています: ' + path);
      const where = parts.join('/').toLowerCase();
      if (folder === null) folder = where;
      if (where !== folder) throw refusal('ゲームのファイルが別々のフォルダーに入っています: ' + path);
      if (found.has(name)) throw refusal(name + ' が二つ入っています。');
      if (size !== expected) throw refusal(name + ' の大きさが ' + size + ' バイトで、正しい ' + expected + ' バイトと違います。');
      if (flags & 1) throw refusal(name + ' は暗号化されていて読めません。');
      if (localAt + 30 > bytes.length || view.getUint32(localAt, true) !== 0x04034b50) throw damaged();
      const dataAt = localAt + 30 + view.getUint16(localAt + 26, true) + view.getUint16(localAt + 28, true);
      if (dataAt + packedSize > bytes.length) throw damaged();
      const packed = bytes.subarray(dataAt, dataAt + packedSize);
      let data;
      if (method === 0) {
        data = packed.slice();
      } else if (method === 8) {
        try {
          data = await inflateAtMost(packed, expected);
        } catch (error) {
          throw refusal(name + ' が壊れています。');
        }
        if (data === null) throw refusal(name + ' は展開すると ' + expected + ' バイトより大きくなります。壊れているか、危険な zip ファイルです。');
      } else {
        throw refusal(name + ' の圧縮方式 (' + method + ') には対応していません。');
      }
      if (data.length !== expected || crc32(data) !== crc) throw refusal(name + ' が壊れています。');
      found.set(name, data);
    }
    for (const name of Object.keys(SAVE_FILES)) {
      if (!found.has(name)) throw refusal('セーブに ' + name + ' がありません。');
    }
    return found;
  }

  function exportSaves() {
    return makeZip(readFolder());
  }

  function download() {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(exportSaves());
    link.download = 'kabusim-savedat.zip';
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  }

  // Checks the zip and stores it as the saved folder: the five files of the
  // zip replace the set whole; its rank.txt, when it has one, the ranking.
  // Nothing is stored when anything is wrong. The game takes it on its next
  // start (the page reloads); until then the running game stores nothing
  // over it.
  async function importSaves(buffer) {
    const found = await readSaveZip(buffer);
    if (!saves.playing) throw refusal('このタブはセーブを書き込めません (別のタブで遊んでいます)。');
    saves.replaced = true;
    const current = readFolder();
    const files = [];
    for (const [name, bytes] of found) files.push({ name, bytes });
    const rank = current.find((file) => file.name === RANK_FILE);
    if (!found.has(RANK_FILE) && rank) files.push(rank);
    files.sort((a, b) => (a.name < b.name ? -1 : a.name > b.name ? 1 : 0));
    let kept;
    try {
      kept = await saves.put(files);
    } catch (error) {
      saves.replaced = false;
      throw refusal(storageTrouble(error));
    }
    if (!kept) {
      saves.replaced = false;
      lostTab();
      throw refusal('別のタブで遊んでいるので読み込めませんでした。');
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

    document.getElementById('download').addEventListener('click', download);
    document.getElementById('storage-download').addEventListener('click', download);

    const uploadFile = document.getElementById('upload-file');
    document.getElementById('upload').addEventListener('click', () => uploadFile.click());
    uploadFile.addEventListener('change', async () => {
      const file = uploadFile.files[0];
      uploadFile.value = '';
      if (!file) return;
      const close = ['OK', () => dialog.hide()];
      try {
        checkZipSize(file.size);
        const buffer = await file.arrayBuffer();
        await readSaveZip(buffer);
        dialog.show('今のセーブを「' + file.name + '」のセーブで置き換えて、はじめから起動します。', [
          ['置き換える', async () => {
            dialog.hide();
            try {
              await importSaves(buffer);
              location.reload();
            } catch (error) {
              dialog.show('読み込めませんでした: ' + error.message, [close]);
            }
          }],
          ['やめる', () => dialog.hide()]]);
      } catch (error) {
        dialog.show('読み込めませんでした: ' + (error.name === 'Refused' ? error.message : 'ファイルを読めません。'),
          [close]);
      }
    });

    document.getElementById('again').addEventListener('click', () => {
      endedBox.hidden = true;
      screen.classList.add('playing');
      Module._webRestart();
    });

    // Buttons give the keys back to the game once clicked.
    for (const button of document.querySelectorAll('#bar button, #ended button, #storage button')) {
      button.addEventListener('click', () => button.blur());
    }
  }

  function ended() {
    screen.classList.remove('playing');
    endedBox.hidden = false;
  }

  // A screen with touch and no mouse starts with the cursor hidden.
  function started() {
    gameStarted = true;
    if (hasTouch() && !(window.matchMedia && matchMedia('(any-pointer: fine)').matches)) {
      Module._webPointer(LOST, 0, 0, 1);
    }
  }

  // ---- Offline ------------------------------------------------------------

  // The service worker keeps the whole site for offline play. A new build's
  // worker takes over as the page loads; a page that has not left the title
  // yet then loads again from it, so one reload brings the new build.
  function registerWorker() {
    if (!('serviceWorker' in navigator) || !window.isSecureContext) return;
    const updating = navigator.serviceWorker.controller !== null;
    navigator.serviceWorker.addEventListener('controllerchange', () => {
      const now = window.kabusim.state();
      const onTitle = now === null || ['opening', 'title_load', 'title_menu'].includes(now.scene);
      if (updating && onTitle && !registerWorker.reloading) {
        registerWorker.reloading = true;
        location.reload();
      }
    });
    // After the page has loaded, so that the worker's copy does not compete
    // with the page's own files.
    const register = () => navigator.serviceWorker.register('sw.js', { updateViaCache: 'none' }).catch((error) =>
      console.warn('offline play is not available:', error && error.message));
    if (document.readyState === 'complete') register();
    else window.addEventListener('load', register);
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
    page: { showFrame, music, saves, ended, started, refused },
    preRun: [() => saves.load()],
    onRuntimeInitialized: () => {
      runtimeReady = true;
      if (deviceWidth > 0) Module._webSetView(deviceWidth, deviceHeight);
    },
    print: (text) => console.log(text),
    printErr: (text) => console.error(text),
    onAbort: (what) => say('エラーが起きました: ' + what),
  };

  // For tests. Every call is safe at any moment from the page's load on.
  window.kabusim = {
    // {scene, year, month, day, cash, holdings[30]} of the game now; null
    // before the game has started.
    state() {
      if (!gameStarted) return null;
      try {
        const text = Module.UTF8ToString(Module._webState());
        return text ? JSON.parse(text) : null;
      } catch (error) {
        return null;
      }
    },
    running: () => gameStarted && !!Module._webRunning(),
    clock: () => (gameStarted ? Module._webClockMs() : 0),
    // The piece open and whether it sounds (audio started and its sources playing).
    music: () => ({
      piece: music.piece,
      sounding: music.context !== null && music.context.state === 'running' && music.sources.length > 0,
    }),
    frames: () => frames,
    // The picture shown, 640 x 480 RGBA (null before the game has started).
    picture() {
      if (!gameStarted) return null;
      const at = Module._webPicture();
      return Module.HEAPU8.slice(at, at + WIDTH * HEIGHT * 4);
    },
    // The canvas, the picture's place in it (device pixels) and the rows
    // put into it so far.
    canvas() {
      const at = gameStarted ? Module._webView() >> 2 : 0;
      const view = gameStarted ? Array.from(Module.HEAP32.subarray(at, at + 4)) : [0, 0, 0, 0];
      return { width: screen.width, height: screen.height, view, rowsSent };
    },
    stored: () => saves.stored,
    storedFiles: (withBytes) => saves.read(withBytes),
    storage: () => ({ trouble: saves.trouble, failed: saves.failed, stored: saves.stored, busy: saves.busy,
      halted: saves.halted, playing: saves.playing, takenOver }),
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
  bindPointer();
  bindPad();
  if (hasTouch()) showPad();
  observeSize();
  registerWorker();
})();
