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
  // Tab, Left, Right, Space and Enter (bits 0 to 5) they pressed. Looked at
  // fifty times a second, as on the desktops: the page draws nothing new
  // meanwhile, and the browser may leave long gaps between its frames then.
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
  // start sets the dialog going and gives what its Enter does.
  function runModal(dialog, dismissable, start) {
    return new Promise((resolve) => {
      let finished = false;
      const finish = (value) => {
        finished = true;
        dialog.close();
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
      followGamepads(dialog, start(finish), () => !finished);
    });
  }

  const glyphCanvas = document.createElement('canvas');
  const glyphContext = glyphCanvas.getContext('2d', {willReadFrequently: true});

  return {
    canShowGame() {
      if (!$('kelmot-game')) return false;
      return !!document.createElement('canvas').getContext('webgl');
    },

    // The window: a canvas of width x height pixels, shown one canvas pixel to
    // a device pixel.
    addWindow(width, height) {
      const place = $('kelmot-game');
      if (!place) return false;
      this.removeWindow();
      const canvas = document.createElement('canvas');
      canvas.id = 'kelmot-window';
      canvas.width = width;
      canvas.height = height;
      const ratio = window.devicePixelRatio || 1;
      canvas.style.width = width / ratio + 'px';
      canvas.style.height = height / ratio + 'px';
      place.appendChild(canvas);
      return true;
    },

    removeWindow() {
      const canvas = $('kelmot-window');
      if (canvas) canvas.remove();
    },

    // Full screen is the browser's to grant, and it does so only in answer to
    // a player's action (the dialog's OK, the bar's button).
    async enterFullscreen() {
      const canvas = $('kelmot-window');
      if (!canvas || !document.fullscreenEnabled) return false;
      try {
        await canvas.requestFullscreen({navigationUI: 'hide'});
        return document.fullscreenElement === canvas;
      } catch (refused) {
        console.warn('kelmot: full screen refused:', refused.message);
        return false;
      }
    },

    async leaveFullscreen() {
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
    runDialog(checked) {
      const dialog = $('kelmot-dialog');
      if (!dialog) return Promise.resolve(-1);
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
    // top from the pen on the baseline.
    drawGlyph(character, emPixels) {
      const margin = emPixels;
      const size = emPixels * 3;
      if (glyphCanvas.width != size) glyphCanvas.width = glyphCanvas.height = size;
      glyphContext.clearRect(0, 0, size, size);
      glyphContext.font = 'bold ' + emPixels + 'px "Times New Roman", serif';
      glyphContext.textBaseline = 'alphabetic';
      glyphContext.fillStyle = '#fff';
      const penX = margin, penY = margin + emPixels;
      glyphContext.fillText(character, penX, penY);
      const advance = Math.round(glyphContext.measureText(character).width);
      const alpha = glyphContext.getImageData(0, 0, size, size).data;
      let left = size, right = -1, top = size, bottom = -1;
      for (let y = 0; y < size; ++y) {
        for (let x = 0; x < size; ++x) {
          if (alpha[(y * size + x) * 4 + 3] < 128) continue;
          left = Math.min(left, x);
          right = Math.max(right, x);
          top = Math.min(top, y);
          bottom = Math.max(bottom, y);
        }
      }
      if (right < 0) return {advance, left: 0, top: 0, width: 0, height: 0, pixels: null};
      const width = right - left + 1, height = bottom - top + 1;
      const pixels = new Uint8Array(width * height);
      for (let y = 0; y < height; ++y) {
        for (let x = 0; x < width; ++x) {
          pixels[y * width + x] = alpha[((top + y) * size + left + x) * 4 + 3] >= 128 ? 1 : 0;
        }
      }
      return {advance, left: left - penX, top: penY - top, width, height, pixels};
    },

    // "Exit": the game has ended; the page says so and offers to start again.
    gameEnded(exitCode) {
      this.removeWindow();
      $('kelmot-ended-code').textContent = exitCode == 0 ? '' : ' (exit code ' + exitCode + ')';
      $('kelmot-ended').hidden = false;
      $('kelmot-again').focus();
    },

    start() {
      for (const id of ['kelmot-message', 'kelmot-dialog']) keepKeys($(id));
      $('kelmot-again').onclick = () => location.reload();
      // The bar's button is the mode toggle.
      $('kelmot-toggle').onclick = () => {
        if (Module['_KelmotToggleDisplayMode']) Module['_KelmotToggleDisplayMode']();
        $('kelmot-toggle').blur();
      };
      // The bar takes the 56 device pixels the game leaves free.
      const ratio = window.devicePixelRatio || 1;
      document.documentElement.style.setProperty('--bar-height', 56 / ratio + 'px');
    },
  };
})();
