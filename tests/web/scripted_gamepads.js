/* The scripted controllers: navigator.getGamepads answers with them, in the
   standard layout, each holding one button or its left stick at stick=X,Y
   (hundredths of its travel, right and down positive), or tapping one: holding
   it for one call only; holdOnceHidden holds one as another tab hides the page,
   where the test cannot reach. Put on each page before its own scripts (lib.sh), as
   one line: no line comments. */
(() => {
  const buttons = {a: 0, b: 1, x: 2, y: 3, back: 8, start: 9, up: 12, down: 13, left: 14, right: 15};
  const pads = [null, null, null, null];
  window.kelmotTestPads = {
    plug(n) { pads[n - 1] = {held: ''}; },
    unplug(n) { pads[n - 1] = null; },
    hold(n, held) { if (pads[n - 1]) pads[n - 1].held = held; },
    tap(n, held) { if (pads[n - 1]) pads[n - 1].tap = held; },
    holdOnceHidden(n, held) {
      document.addEventListener('visibilitychange', () => this.hold(n, held), {once: true});
    },
  };
  const shown = (pad, index) => {
    if (!pad) return null;
    const held = pad.tap !== undefined ? pad.tap : pad.held;
    pad.tap = undefined;
    const stick = /^stick=(-?\d+),(-?\d+)$/.exec(held) || [0, 0, 0];
    return {
      id: 'Kelmot test controller', index, connected: true, mapping: 'standard',
      timestamp: performance.now(), axes: [stick[1] / 100, stick[2] / 100, 0, 0],
      buttons: Array.from({length: 17}, (_, b) => {
        const pressed = buttons[held] === b;
        return {pressed, touched: pressed, value: pressed ? 1 : 0};
      }),
    };
  };
  Object.defineProperty(navigator, 'getGamepads', {value: () => pads.map(shown)});
})();
