// The page around the game: its bar with the full-screen button, the game's
// place, where the window layer puts its canvas, the modal message box and
// start-up dialog, the drawing of the fonts' glyphs, and what shows once the
// game has ended. The window layer (src/platform/web/*.cpp) calls these.
'use strict';

const kelmotPage = (() => {
  const $ = (id) => document.getElementById(id);

  // Keys typed into a box or the dialog are theirs alone: they never reach the
  // game's listeners on the document.
  function keepKeys(dialog) {
    for (const type of ['keydown', 'keyup']) dialog.addEventListener(type, (e) => e.stopPropagation());
  }

  // Tab (step 1) and Shift+Tab (-1) in a dialog: the next control, a group of
  // radio buttons counting once, by its checked button.
  function moveFocus(dialog, step) {
    const controls = [...dialog.querySelectorAll('input, button')];
    const checked = (name) => dialog.querySelector(`input[name="${name}"]:checked`);
    const stops = controls.filter((c) => c.type != 'radio' || c.checked ||
      (!checked(c.name) && controls.find((first) => first.name == c.name) === c));
    const focused = document.activeElement;
    const at = stops.findIndex((c) => c === focused || (c.type == 'radio' && c.name == focused.name));
    const next = at < 0 ? (step > 0 ? 0 : stops.length - 1) : (at + step + stops.length) % stops.length;
    stops[next].focus();
  }

  // An arrow key on a radio button: the next (1) or previous (-1) button of
  // its group, round the end, focused and checked.
  function moveInGroup(dialog, step) {
    const focused = document.activeElement;
    if (!dialog.contains(focused) || focused.type != 'radio') return;
    const group = [...dialog.querySelectorAll(`input[name="${focused.name}"]`)];
    const next = group[(group.indexOf(focused) + step + group.length) % group.length];
    next.checked = true;
    next.focus();
  }

  // While a box or the dialog is up, the controllers move through it as the
  // keys they stand for do there: the window layer says which of Shift+Tab,
  // Tab, Left, Right, Space and Enter (bits 0 to 5) they pressed, counting
  // only presses made while the page is in front (shown, and its window
  // focused), as in the game. Looked at fifty times a second, as on the
  // desktops: the page draws nothing new meanwhile, and the browser may leave
  // long gaps between its frames then.
  function followGamepads(dialog, enter, isUp) {
    const look = () => {
      if (!isUp()) return;
      const keys = Module['_KelmotGamepadDialogKeys'] ? Module['_KelmotGamepadDialogKeys']() : 0;
      if (keys & 3) moveFocus(dialog, keys & 1 ? -1 : 1);
      if (keys & 12) moveInGroup(dialog, keys & 4 ? -1 : 1);
      if (keys & 16 && dialog.contains(document.activeElement)) document.activeElement.click();
      if (keys & 32) enter();
      setTimeout(look, 20);
    };
    setTimeout(look, 20);
  }

  // Shows a modal <dialog> until finish is called, and resolves with what it
  // is called with. A dialog that may be dismissed (a message box) is finished
  // by however the browser closes it; one that may not (the start-up dialog)
  // comes back when the browser closes it, and Escape does nothing there.
  // start sets the dialog going and gives what its Enter does. Once it is
  // finished, the focus goes back where it was (the game's canvas, for a screen
  // reader to pass the keys to the game again).
  function runModal(dialog, dismissable, start) {
    return new Promise((resolve) => {
      let finished = false;
      const before = document.activeElement;
      const finish = (value) => {
        finished = true;
        dialog.close();
        if (before && before !== document.body && before.isConnected) before.focus({preventScroll: true});
        else if ($('kelmot-window')) $('kelmot-window').focus({preventScroll: true});
        resolve(value);
      };
      // A close event comes after the closing, and may find the same dialog
      // already shown again for the next box: that one is not closed.
      dialog.onclose = () => {
        if (finished || dialog.open) return;
        if (dismissable) finish(undefined);
        else dialog.showModal();
      };
      if (!dismissable) dialog.oncancel = (e) => e.preventDefault();
      dialog.showModal();
      fitPage();
      followGamepads(dialog, start(finish), () => !finished);
    });
  }

  // Where a pointer event falls on the canvas, in canvas pixels from its
  // bottom left: through the box the page shows the canvas in, where its
  // picture is scaled to fit with its shape kept and centred (as object-fit:
  // contain shows it full screen; one canvas pixel to a device pixel otherwise).
  function canvasPoint(canvas, event) {
    const box = canvas.getBoundingClientRect();
    const scale = Math.min(box.width / canvas.width, box.height / canvas.height);
    const left = box.left + (box.width - canvas.width * scale) / 2;
    const top = box.top + (box.height - canvas.height * scale) / 2;
    return [(event.clientX - left) / scale, canvas.height - (event.clientY - top) / scale];
  }

  // The pointer on the canvas (mouse, touch and pen alike) goes to the game:
  // its moves (0), and its main button or contact going down (1) and up (2);
  // a press the browser takes for itself (a scroll, a gesture, another window)
  // ends without acting (3). A second finger is not followed.
  function followPointer(canvas) {
    const report = (action) => (event) => {
      if (!event.isPrimary || ((action == 1 || action == 2) && event.button != 0)) return;
      if (action == 1) {
        // The release comes to the canvas wherever it happens; nothing is
        // selected and the focus stays where it is.
        canvas.setPointerCapture(event.pointerId);
        event.preventDefault();
      }
      if (Module['_KelmotPointer']) Module['_KelmotPointer'](action, ...canvasPoint(canvas, event));
    };
    canvas.addEventListener('pointermove', report(0));
    canvas.addEventListener('pointerdown', report(1));
    canvas.addEventListener('pointerup', report(2));
    canvas.addEventListener('pointercancel', report(3));
    // Also after each release, when the press has already ended.
    canvas.addEventListener('lostpointercapture', report(3));
  }

  // The screen stays awake while the game's window has the focus, where the
  // browser offers its wake lock. The browser lets go of it itself when the page
  // is hidden.
  const screenAwake = {wanted: false, lock: null};
  function keepScreenAwake() {
    const wanted = !!$('kelmot-window') && !document.hidden && document.hasFocus();
    if (!navigator.wakeLock || wanted == screenAwake.wanted) return;
    screenAwake.wanted = wanted;
    if (!wanted) {
      if (screenAwake.lock) screenAwake.lock.release();
      screenAwake.lock = null;
      return;
    }
    navigator.wakeLock.request('screen').then((lock) => {
      if (screenAwake.wanted && !screenAwake.lock) screenAwake.lock = lock;
      else lock.release();
    }, (refused) => {
      screenAwake.wanted = false;
      console.warn('kelmot: the screen may sleep:', refused.message);
    });
  }

  // What the game says for a player who listens, in the page's two live
  // regions, hidden from sight: rows, cells and moves in the polite one, which
  // a screen reader reads once it has finished what it is saying; results in
  // the assertive one, which it reads at once, and which no later cell can cut
  // off. A sentence empties its region at once and fills it a moment later,
  // once the browser has told the reader of the empty region, so that the same
  // sentence twice in a row is read twice; one that comes meanwhile takes the
  // place of the one waiting, and nothing stale is left to be read.
  const sayDelay = 100;
  const sayTimers = new Map();
  function say(sentence, result) {
    const region = $(result ? 'kelmot-speech-result' : 'kelmot-speech-passing');
    if (!region) return;
    clearTimeout(sayTimers.get(region));
    region.textContent = '';
    sayTimers.set(region, setTimeout(() => region.textContent = sentence, sayDelay));
  }
  function fallSilent() {
    for (const timer of sayTimers.values()) clearTimeout(timer);
    sayTimers.clear();
    for (const id of ['kelmot-speech-passing', 'kelmot-speech-result']) {
      if ($(id)) $(id).textContent = '';
    }
  }

  // The canvas's name for screen readers, which names the game's keys: as an
  // application, it has the keys a screen reader would otherwise keep.
  const canvasLabel = 'Kelmot. Arrow keys and Enter: move and choose. Keypad 1 to 9: ' +
    'place a mark. R: reset. Escape: leave a game.';

  // The rows the game leaves free for the bar, in device pixels.
  const barRows = 56;

  // The page as it is shown now: the bar as high as the game leaves free in
  // device pixels, whatever their size; the start-up dialog, while it is open,
  // made smaller where it would not fit (measured only then, so that the page's
  // start forces no layout of its own); and the canvas, which the style scales
  // to fit, shown with its pixels kept sharp where it is scaled up (the glyphs
  // are bitmaps, and the board's thin lines must not blur) and smoothed where
  // it is scaled down (where they would drop out).
  function fitPage() {
    const ratio = window.devicePixelRatio || 1;
    document.documentElement.style.setProperty('--bar-height', barRows / ratio + 'px');
    const dialog = $('kelmot-dialog');
    if (dialog && dialog.open) {
      dialog.style.zoom = '';
      const box = dialog.querySelector('.body');
      const style = getComputedStyle(box);
      const room = Math.min((window.innerWidth - 16) / (parseFloat(style.width) + 4),
                            (window.innerHeight - 16) / (parseFloat(style.height) + 4));
      if (room < 1) dialog.style.zoom = Math.max(room, 0.3);
    }
    const canvas = $('kelmot-window');
    if (canvas) {
      const box = canvas.getBoundingClientRect();
      const scale = Math.min(box.width / canvas.width, box.height / canvas.height) * ratio;
      canvas.style.imageRendering = scale >= 1 ? 'pixelated' : 'auto';
    }
  }

  // Every resize, turn of the device, zoom and move to a screen of another
  // pixel ratio fits the page again.
  function followPageSize() {
    window.addEventListener('resize', fitPage);
    document.addEventListener('fullscreenchange', fitPage);
    const followRatio = () => {
      const query = matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)');
      query.addEventListener('change', () => {
        fitPage();
        followRatio();
      }, {once: true});
    };
    followRatio();
    fitPage();
  }

  // How long a fetch may go without a byte arriving before it is given up as
  // stalled, in milliseconds.
  const fetchPatience = 10000;

  // A fetch that failed, with what a player is told of it.
  const failure = (reason) => Object.assign(new Error(reason), {kelmotReason: reason});

  // The file name as the page's host has it: its bytes in an ArrayBuffer, or
  // null when the host has no such file (404). Fails, saying why, when the
  // host answers otherwise, the connection fails, or no byte comes for
  // fetchPatience. The bytes stay in the page's own memory all the way: a
  // Blob would go through the browser's store of blobs at every step.
  async function fetchBytes(name) {
    const stop = new AbortController();
    let timer = setTimeout(() => stop.abort(), fetchPatience);
    const waitOn = () => {
      clearTimeout(timer);
      timer = setTimeout(() => stop.abort(), fetchPatience);
    };
    try {
      const answer = await fetch(name, {signal: stop.signal});
      if (answer.status == 404) return null;
      if (!answer.ok) throw failure('the host answered ' + answer.status + ' ' + answer.statusText);
      const reader = answer.body.getReader();
      const parts = [];
      let length = 0;
      for (;;) {
        waitOn();
        const {done, value} = await reader.read();
        if (done) break;
        parts.push(value);
        length += value.length;
      }
      const bytes = new Uint8Array(length);
      parts.reduce((at, part) => (bytes.set(part, at), at + part.length), 0);
      return bytes.buffer;
    } catch (error) {
      if (stop.signal.aborted) throw failure('nothing came for ' + fetchPatience / 1000 + ' seconds');
      if (error.kelmotReason) throw error;
      throw failure('the connection failed (' + error.message + ')');
    } finally {
      clearTimeout(timer);
    }
  }

  // Gzipped bytes expanded, on this thread; fails when they are damaged.
  const expandHere = (packed) => new Response(new Response(packed).body
    .pipeThrough(new DecompressionStream('gzip'))).arrayBuffer();

  // The same in a worker that runs this script (the page's own address, as a
  // strict Content-Security-Policy wants), which keeps the pictures'
  // megabytes off the thread that draws the page and answers the player;
  // on this thread where the worker cannot be had.
  const ownAddress = typeof document == 'object' && document.currentScript ?
    document.currentScript.src : null;
  let expander = null, expansionCount = 0;
  const expansions = new Map();
  function startExpander() {
    if (!ownAddress) return false;
    try {
      const worker = new Worker(ownAddress);
      worker.onmessage = ({data}) => {
        const [resolve, reject] = expansions.get(data.id);
        expansions.delete(data.id);
        if (data.error === undefined) resolve(data.bytes);
        else reject(new Error(data.error));
      };
      // A worker that does not start (or stops) leaves its work here.
      worker.onerror = (event) => {
        event.preventDefault();
        worker.terminate();
        expander = false;
        for (const [, [resolve, reject, waiting]] of expansions) expandHere(waiting).then(resolve, reject);
        expansions.clear();
      };
      return worker;
    } catch (refused) {
      return false;
    }
  }
  function expandOffThread(packed) {
    if (expander === null) expander = startExpander();
    if (!expander) return expandHere(packed);
    return new Promise((resolve, reject) => {
      const id = ++expansionCount;
      expansions.set(id, [resolve, reject, packed]);
      expander.postMessage({id, packed});
    });
  }

  // In the worker: expands what the page sends, and sends it back.
  function expandOnRequest() {
    self.onmessage = ({data: {id, packed}}) => expandHere(packed).then(
      (bytes) => self.postMessage({id, bytes}, [bytes]),
      (error) => self.postMessage({id, error: error.message}));
  }

  // The file name as the page's host has it, as fetchBytes gives it: its
  // gzipped copy name.gz, expanded (by expand), where the host has that and
  // the browser can expand it (a host may also have expanded it already,
  // sending it encoded); else, and once when the gzipped copy fails or is
  // damaged, the file itself. A gzipped copy that stalls is not waited for
  // twice.
  async function fetchExpanded(name, expand) {
    if (typeof DecompressionStream != 'function') return fetchBytes(name);
    try {
      const packed = await fetchBytes(name + '.gz');
      if (packed) {
        const magic = new Uint8Array(packed, 0, Math.min(2, packed.byteLength));
        if (magic[0] != 0x1f || magic[1] != 0x8b) return packed;
        return await expand(packed);
      }
    } catch (error) {
      if (error.kelmotReason && error.kelmotReason.startsWith('nothing came')) throw error;
      console.warn('kelmot: ' + name + '.gz failed, fetching ' + name + ':', error.message);
    }
    return fetchBytes(name);
  }

  // What the page could not load, said in the page with a way to try again;
  // the game, if it has started, waits.
  function showFailure(name, reason) {
    if (!$('kelmot-failure').hidden) return;
    console.error('kelmot: ' + name + ' could not be loaded: ' + reason);
    $('kelmot-failure-text').textContent = 'Kelmot could not load ' + name + ': ' + reason + '.';
    $('kelmot-failure').hidden = false;
    $('kelmot-retry').focus();
  }

  // The file name, fetched as fetchExpanded does, expanded by expand (this
  // thread's, unless said); a failure is shown, and the promise then never
  // settles. A missing file is null where that may be (the pictures, which the
  // game reports itself), shown otherwise.
  function load(name, missingShown, expand = expandHere) {
    return fetchExpanded(name, expand).then((bytes) => {
      if (!bytes && missingShown) throw failure('the host has no such file');
      return bytes;
    }).catch((error) => {
      showFailure(name, error.kelmotReason || error.message);
      return new Promise(() => {});
    });
  }

  // Opens the browser's storage of the game's folder (start.js) while the
  // page fetches the game, so that it is ready when the game reads prefs.txt:
  // a storage not opened for a while takes tens of milliseconds to open. This
  // connection gives way at once to the game's own, which may need to set the
  // storage up, and is closed once that has had time to read.
  function openStorageEarly() {
    try {
      const request = indexedDB.open('/kelmot');
      request.onsuccess = () => {
        const storage = request.result;
        storage.onversionchange = () => storage.close();
        setTimeout(() => storage.close(), 10000);
      };
      // A storage that fails is the game's to report, when it reads.
      request.onerror = (event) => event.preventDefault();
    } catch (refused) {
      // As above.
    }
  }

  // Once the page has loaded, its service worker keeps its files for visits
  // without the network (sw.js), checked against the host at every visit past
  // the browser's HTTP cache. A new build's worker takes over a page that an
  // earlier one served: the bar says that a new version is ready, which a
  // reload shows.
  function keepOffline() {
    if (!navigator.serviceWorker) return;
    const servedBefore = !!navigator.serviceWorker.controller;
    navigator.serviceWorker.addEventListener('controllerchange', () => {
      if (servedBefore) $('kelmot-update').hidden = false;
    });
    $('kelmot-reload').onclick = () => location.reload();
    window.addEventListener('load', () => navigator.serviceWorker
      .register('sw.js', {updateViaCache: 'none'})
      .catch((refused) => console.warn('kelmot: the game will not play offline:', refused.message)));
  }

  // Characters 32 to 126 at emPixels, each in a cell of two ems square with the
  // pen half an em from its left and an em and a half from its top, which
  // holds the ink of every character of the face: a map of the cut glyphs.
  const glyphSets = new Map();
  function drawGlyphSet(emPixels) {
    const cell = emPixels * 2, columns = 16, first = 32, count = 95;
    const canvas = document.createElement('canvas');
    canvas.width = cell * columns;
    canvas.height = cell * Math.ceil(count / columns);
    const context = canvas.getContext('2d', {willReadFrequently: true});
    context.font = 'bold ' + emPixels + 'px "Times New Roman", serif';
    context.textBaseline = 'alphabetic';
    context.fillStyle = '#fff';
    const penX = Math.floor(emPixels / 2), penY = Math.floor(emPixels * 3 / 2);
    const characters = Array.from({length: count}, (_, i) => String.fromCharCode(first + i));
    characters.forEach((character, i) =>
      context.fillText(character, (i % columns) * cell + penX, Math.floor(i / columns) * cell + penY));
    const alpha = context.getImageData(0, 0, canvas.width, canvas.height).data;
    const inked = (x, y) => alpha[(y * canvas.width + x) * 4 + 3] >= 128;
    const glyphs = new Map();
    // The ink is looked for only around the box the face gives for the
    // character, with a margin for the edges' shading, not in its whole cell.
    const margin = Math.ceil(emPixels / 8) + 1;
    characters.forEach((character, i) => {
      const cellX = (i % columns) * cell, cellY = Math.floor(i / columns) * cell;
      const metrics = context.measureText(character);
      const advance = Math.round(metrics.width);
      const fromX = Math.max(0, Math.floor(penX - metrics.actualBoundingBoxLeft) - margin);
      const toX = Math.min(cell, Math.ceil(penX + metrics.actualBoundingBoxRight) + margin);
      const fromY = Math.max(0, Math.floor(penY - metrics.actualBoundingBoxAscent) - margin);
      const toY = Math.min(cell, Math.ceil(penY + metrics.actualBoundingBoxDescent) + margin);
      let left = cell, right = -1, top = cell, bottom = -1;
      for (let y = fromY; y < toY; ++y) {
        for (let x = fromX; x < toX; ++x) {
          if (!inked(cellX + x, cellY + y)) continue;
          left = Math.min(left, x);
          right = Math.max(right, x);
          top = Math.min(top, y);
          bottom = Math.max(bottom, y);
        }
      }
      if (right < 0) {
        glyphs.set(character, {advance, left: 0, top: 0, width: 0, height: 0, pixels: null});
        return;
      }
      const width = right - left + 1, height = bottom - top + 1;
      const pixels = new Uint8Array(width * height);
      for (let y = 0; y < height; ++y) {
        for (let x = 0; x < width; ++x) pixels[y * width + x] = inked(cellX + left + x, cellY + top + y) ? 1 : 0;
      }
      glyphs.set(character, {advance, left: left - penX, top: penY - top, width, height, pixels});
    });
    return glyphs;
  }

  // The screen the game is told of, in pixels, from the game's place in device
  // pixels (width, height), the device pixels to a CSS pixel (ratio) and the
  // screen's size in CSS pixels: where the screen is no phone's (600 CSS pixels
  // or more either way), the place is held sideways, holds the menus' rows at
  // the game's large font (1024 pixels wide) and shows the smallest text at ten
  // CSS pixels or more (at most two device pixels to one), the place itself
  // with the bar's rows above it, so that the game's window covers exactly the
  // device pixels of its place; anywhere else (a phone either way up, a page
  // held upright, a small window) the screen of a 640 x 480 window, whose text
  // the game draws at its sizes for that mode, shown scaled up to the page.
  function screenFor([width, height], ratio, [screenWidth, screenHeight]) {
    const phone = Math.min(screenWidth, screenHeight) < 600;
    if (!phone && ratio <= 2 && width >= 1024 && width >= height) return [width, height + barRows];
    return [640, 480 + barRows];
  }

  // The game's place in device pixels: as the browser lays it out on the
  // screen's pixels, where it tells (devicePixelContentBoxSize: Chromium,
  // Firefox), else its size in CSS pixels times their ratio, rounded. A
  // browser that emulates another ratio (DevTools' device mode) tells the
  // pixels of the screen it runs on: told sizes that are not within a pixel
  // of the CSS size times the ratio are not taken.
  const place = {pixels: null};
  function followPlace() {
    if (typeof ResizeObserver != 'function') return;
    const observer = new ResizeObserver(([entry]) => {
      const size = entry.devicePixelContentBoxSize && entry.devicePixelContentBoxSize[0];
      const ratio = window.devicePixelRatio || 1, box = entry.contentRect;
      const near = size && Math.abs(size.inlineSize - box.width * ratio) <= 1 &&
        Math.abs(size.blockSize - box.height * ratio) <= 1;
      place.pixels = near ? [size.inlineSize, size.blockSize] : null;
    });
    try {
      observer.observe($('kelmot-game'), {box: 'device-pixel-content-box'});
    } catch (unknown) {
      observer.observe($('kelmot-game'));
    }
  }
  function placePixels() {
    if (place.pixels) return place.pixels;
    const box = $('kelmot-game').getBoundingClientRect(), ratio = window.devicePixelRatio || 1;
    return [Math.round(box.width * ratio), Math.round(box.height * ratio)];
  }

  // The game's pictures, each [name, its bytes to come], fetched the first
  // time they are asked for.
  let pictureNames = [], pictureFetches = null;
  function fetchPictures() {
    if (!pictureFetches) {
      pictureFetches = pictureNames.map((name) => [name, load(name, false, expandOffThread)]);
    }
    return pictureFetches;
  }

  // Whether the browser can show an element full screen (iPhones cannot).
  const hasFullscreen = () => typeof document == 'object' && !!document.fullscreenEnabled &&
    typeof Element.prototype.requestFullscreen == 'function';

  return {
    // The page has the game's place and the browser knows WebGL; whether it
    // gives the window a context is seen when the window opens.
    canShowGame() {
      return !!$('kelmot-game') && typeof WebGLRenderingContext == 'function';
    },

    // Whether full screen can be asked for at all: without it, the game plays
    // in the page and says nothing of it.
    hasFullscreen,

    // The screen the game is told of (screenFor), from the game's place as it
    // is now.
    screenSize() {
      return screenFor(placePixels(), window.devicePixelRatio || 1, [screen.width, screen.height]);
    },

    // The window: a canvas of width x height pixels, shown in the page below
    // the bar, scaled to fit with its shape kept. The game's pictures are
    // fetched from here on at the latest, while the game makes its context.
    addWindow(width, height) {
      const place = $('kelmot-game');
      if (!place) return false;
      fetchPictures();
      this.removeWindow();
      const canvas = document.createElement('canvas');
      canvas.id = 'kelmot-window';
      canvas.width = width;
      canvas.height = height;
      canvas.setAttribute('role', 'application');
      canvas.setAttribute('aria-label', canvasLabel);
      canvas.tabIndex = 0;
      followPointer(canvas);
      place.appendChild(canvas);
      // The keyboard's focus, unless a box has it.
      if (!document.querySelector('dialog[open]')) canvas.focus({preventScroll: true});
      fitPage();
      keepScreenAwake();
      return true;
    },

    removeWindow() {
      const canvas = $('kelmot-window');
      if (canvas) canvas.remove();
      keepScreenAwake();
    },

    // Full screen is the browser's to grant, and it does so only in answer to
    // a player's action (the dialog's OK, the bar's button). Where the browser
    // lets the page lock Escape, a press of it is the game's, and only holding
    // it leaves full screen.
    async enterFullscreen() {
      const canvas = $('kelmot-window');
      if (!canvas || !hasFullscreen()) return false;
      try {
        await canvas.requestFullscreen({navigationUI: 'hide'});
        if (navigator.keyboard && navigator.keyboard.lock) {
          await navigator.keyboard.lock(['Escape']).catch((refused) =>
            console.warn('kelmot: Escape stays the browser\'s:', refused.message));
        }
        return document.fullscreenElement === canvas;
      } catch (refused) {
        console.warn('kelmot: full screen refused:', refused.message);
        return false;
      }
    },

    async leaveFullscreen() {
      if (navigator.keyboard && navigator.keyboard.unlock) navigator.keyboard.unlock();
      if (!document.fullscreenElement) return;
      try {
        await document.exitFullscreen();
      } catch (error) {
        console.warn('kelmot: full screen not left:', error.message);
      }
    },

    // The message box: caption "Error", the text, one OK; Enter and Escape
    // answer it as they go down, and only then: a key that answered one box
    // never answers the next.
    showMessage(text, warning) {
      const box = $('kelmot-message');
      // Counted, so that the box shown next is not taken for this one.
      box.dataset.shown = Number(box.dataset.shown || 0) + 1;
      $('kelmot-message-text').textContent = text;
      $('kelmot-message-sign').hidden = !warning;
      return runModal(box, true, (finish) => {
        $('kelmot-message-ok').onclick = () => finish();
        box.onkeydown = (e) => {
          if (e.key != 'Enter' && e.key != 'Escape') return;
          e.preventDefault();
          finish();
        };
        $('kelmot-message-ok').focus();
        return finish;
      });
    },

    // The start-up dialog, its controls as the bits say (0-3 the resolutions,
    // 4 "16 bit", 5 "32 bit", 6 "Fullscreen?"); resolves with the bits at OK.
    // Half a second after it is on the screen, the game's pictures are
    // fetched while the player reads it; the dialog's own first frame has the
    // processor and the connection to itself.
    runDialog(checked) {
      const dialog = $('kelmot-dialog');
      if (!dialog) return Promise.resolve(-1);
      requestAnimationFrame(() => setTimeout(fetchPictures, 500));
      const controls = ['res-0', 'res-1', 'res-2', 'res-3', 'depth-16', 'depth-32', 'fullscreen']
        .map((id) => $('kelmot-dialog-' + id));
      controls.forEach((control, bit) => control.checked = (checked >> bit & 1) == 1);
      return runModal(dialog, false, (finish) => {
        const ok = () => finish(controls.reduce((bits, c, bit) => bits | (c.checked ? 1 << bit : 0), 0));
        $('kelmot-dialog-ok').onclick = ok;
        dialog.onkeydown = (e) => {
          if (e.key == 'Enter') ok();
          // Escape does nothing: there is no cancel.
          if (e.key == 'Enter' || e.key == 'Escape') e.preventDefault();
        };
        // The keyboard starts on the checked resolution, as on the desktops.
        (controls.slice(0, 4).find((c) => c.checked) || controls[0]).focus();
        return ok;
      });
    },

    // One character drawn by the browser in bold Times New Roman (or the serif
    // face it has in its place) at emPixels, cut at half coverage: its advance,
    // and its ink as one byte a pixel, rows from the top, placed by left and
    // top from the pen on the baseline. The font's characters are drawn all at
    // once, on one canvas read back once, the first time one is asked for.
    drawGlyph(character, emPixels) {
      if (!glyphSets.has(emPixels)) glyphSets.set(emPixels, drawGlyphSet(emPixels));
      return glyphSets.get(emPixels).get(character);
    },

    // A sentence of the game's, for screen readers (say above); and silence,
    // at the game's end.
    say,
    fallSilent,

    // "Exit": the game has ended; the page says so and offers to start again.
    gameEnded(exitCode) {
      this.removeWindow();
      $('kelmot-ended-code').textContent = exitCode == 0 ? '' : ' (exit code ' + exitCode + ')';
      $('kelmot-ended').hidden = false;
      $('kelmot-again').focus();
    },

    // Starts the game: its code is fetched at once, and the game starts once
    // it is in. Its pictures (under Data/, as named) are fetched while the
    // start-up dialog is shown, or once the game makes its window, whichever
    // comes first: on a slow connection they would otherwise share it with the
    // code that shows the dialog. The game reads them from its folder once its
    // window is open (start.js). What cannot be loaded is said in the page
    // (showFailure). Gives the game's Module.
    start(pictures) {
      pictureNames = pictures;
      openStorageEarly();
      followPlace();
      const wasm = load('kelmot.wasm', true);
      const module = {
        kelmotPictures: fetchPictures,
        instantiateWasm(imports, done) {
          wasm.then((bytes) => WebAssembly.instantiate(bytes, imports))
            .then((made) => done(made.instance, made.module),
                  (error) => showFailure('kelmot.wasm', 'it is damaged (' + error.message + ')'));
          return {};
        },
      };
      // The code is a script of the page's own address, as a strict
      // Content-Security-Policy wants; one that does not parse is damaged.
      const code = document.createElement('script');
      let codeDamage = null;
      const noticeDamage = (event) => {
        if (event.filename && new URL(event.filename, location.href).pathname.endsWith('/kelmot.js')) {
          codeDamage = event.message;
        }
      };
      window.addEventListener('error', noticeDamage);
      const codeTimer = setTimeout(() => showFailure('kelmot.js', 'nothing came for ' +
        fetchPatience / 1000 + ' seconds'), 3 * fetchPatience);
      code.onload = () => {
        clearTimeout(codeTimer);
        window.removeEventListener('error', noticeDamage);
        if (codeDamage) showFailure('kelmot.js', 'it is damaged (' + codeDamage + ')');
      };
      code.onerror = () => {
        clearTimeout(codeTimer);
        // The script element does not say why: the host is asked again.
        fetch('kelmot.js', {method: 'HEAD'}).then((answer) => answer.ok ? 'the connection failed' :
          answer.status == 404 ? 'the host has no such file' :
          'the host answered ' + answer.status + ' ' + answer.statusText, () => 'the connection failed')
          .then((reason) => showFailure('kelmot.js', reason));
      };
      code.src = 'kelmot.js';
      document.body.appendChild(code);
      $('kelmot-retry').onclick = () => location.reload();
      keepOffline();
      for (const id of ['kelmot-message', 'kelmot-dialog']) keepKeys($(id));
      for (const type of ['focus', 'blur']) window.addEventListener(type, keepScreenAwake);
      document.addEventListener('visibilitychange', keepScreenAwake);
      $('kelmot-again').onclick = () => location.reload();
      // The bar's button is the mode toggle, where the browser has full screen.
      $('kelmot-toggle').hidden = !hasFullscreen();
      $('kelmot-toggle').onclick = () => {
        if (Module['_KelmotToggleDisplayMode']) Module['_KelmotToggleDisplayMode']();
        $('kelmot-toggle').blur();
      };
      followPageSize();
      return module;
    },

    screenFor,
    expandOnRequest,
  };
})();

// Under node (the tests), the page's rules alone; in the page's worker, the
// expansion of its pictures; in the page, the game.
if (typeof module == 'object') {
  module.exports = kelmotPage;
} else if (typeof document != 'object') {
  kelmotPage.expandOnRequest();
} else {
  var Module = kelmotPage.start(JSON.parse(document.getElementById('kelmot-game').dataset.pictures));
}
