// The page's rules apart from the browser, under node: the screen the game is
// told of and how it puts what it says in the page's live regions (page.js),
// and the files the service worker answers with (sw.js), both as built.
// Usage: node page_rules_test.js PAGE_FOLDER
'use strict';
const assert = require('node:assert');
const path = require('node:path');
const test = require('node:test');

const folder = process.argv[2];
const page = require(path.resolve(folder, 'page.js'));
const worker = require(path.resolve(folder, 'sw.js'));

test('the screen: the place itself where it holds the large menus, else 640 x 480', () => {
  const small = [640, 536];
  // A desktop at 1, and laptops at 1.25, 1.5 and 1.75: the place's own device
  // pixels, whatever they are, with the bar's 56 rows above.
  assert.deepStrictEqual(page.screenFor([1280, 968], 1, [1280, 1024]), [1280, 1024]);
  assert.deepStrictEqual(page.screenFor([1919, 1021], 1.25, [1536, 864]), [1919, 1077]);
  assert.deepStrictEqual(page.screenFor([1921, 1163], 1.5, [1280, 853]), [1921, 1219]);
  assert.deepStrictEqual(page.screenFor([2240, 1344], 1.75, [1280, 800]), [2240, 1400]);
  // Just wide enough, and just too narrow or more than two device pixels to one.
  assert.deepStrictEqual(page.screenFor([1024, 712], 2, [1024, 768]), [1024, 768]);
  assert.deepStrictEqual(page.screenFor([1023, 712], 1, [1024, 768]), small);
  assert.deepStrictEqual(page.screenFor([2560, 1400], 2.5, [1024, 640]), small);
  // Held upright, and a square place: upright loses, square holds.
  assert.deepStrictEqual(page.screenFor([1536, 1992], 2, [768, 1024]), small);
  assert.deepStrictEqual(page.screenFor([1200, 1200], 1, [1920, 1200]), [1200, 1256]);
  // Phones sideways at ratio 2, wide in device pixels: a phone's screen either
  // way up; and the smallest screen that is no phone's.
  assert.deepStrictEqual(page.screenFor([1830, 768], 2, [915, 412]), small);
  assert.deepStrictEqual(page.screenFor([1830, 768], 2, [412, 915]), small);
  assert.deepStrictEqual(page.screenFor([1200, 544], 2, [600, 960]), [1200, 600]);
});

test('the worker answers for the page\'s own files in its folder, and nothing else', () => {
  const scope = 'https://games.example/kelmot/';
  const files = worker.files;
  assert.ok(files.includes('index.html') && files.includes('kelmot.js') && files.includes('Data/stars.bmp.gz'));
  assert.ok(!files.includes('sw.js'), 'the worker keeps itself');
  assert.match(worker.cacheName, /^kelmot-[0-9a-f]{16}$/);
  const answer = (address, within = scope) => worker.cachedFileFor(address, within, files);
  assert.strictEqual(answer(scope), 'index.html');
  assert.strictEqual(answer(scope + 'index.html?from=portal'), 'index.html');
  assert.strictEqual(answer(scope + 'Data/stars.bmp.gz'), 'Data/stars.bmp.gz');
  for (const other of ['sw.js', 'kelmot.wasm', 'Data/stars.bmp', 'Data/', 'other/', 'other/index.html']) {
    assert.strictEqual(answer(scope + other), null, other);
  }
  assert.strictEqual(answer('https://games.example/kelmot'), null);
  assert.strictEqual(answer('https://games.example/index.html'), null);
  assert.strictEqual(answer('https://elsewhere.example/kelmot/index.html'), null);
  // At a site's root, beside another app.
  const root = 'https://games.example/';
  assert.strictEqual(answer(root, root), 'index.html');
  assert.strictEqual(answer(root + 'page.js', root), 'page.js');
  assert.strictEqual(answer(root + 'other/', root), null);
  assert.strictEqual(answer(root + 'other/index.html', root), null);
});

test('what the game says: the region emptied, then the latest sentence; results apart', (t) => {
  t.mock.timers.enable({apis: ['setTimeout']});
  // Each region keeps every text put in it, as a screen reader is told of them.
  const regions = {};
  for (const id of ['kelmot-speech-passing', 'kelmot-speech-result']) {
    const written = [];
    regions[id] = {written, set textContent(text) { written.push(text); }};
  }
  global.document = {getElementById: (id) => regions[id] || null};
  t.after(() => delete global.document);
  const passing = regions['kelmot-speech-passing'].written;
  const result = regions['kelmot-speech-result'].written;
  // The same sentence twice is emptied between, so that it is read twice.
  page.say('Centre, empty.', false);
  t.mock.timers.tick(1000);
  page.say('Centre, empty.', false);
  t.mock.timers.tick(1000);
  assert.deepStrictEqual(passing, ['', 'Centre, empty.', '', 'Centre, empty.']);
  // A result, then cells in quick succession: the result stays whole, and of the
  // cells only the last is put there.
  passing.length = 0;
  page.say('Player1 Wins!', true);
  page.say('Top left, empty.', false);
  page.say('Top centre, X.', false);
  t.mock.timers.tick(1000);
  assert.deepStrictEqual(result, ['', 'Player1 Wins!']);
  assert.deepStrictEqual(passing, ['', '', 'Top centre, X.']);
  // At the end, what waits is dropped and both regions are emptied.
  page.say('New Game VS. Computer', false);
  page.fallSilent();
  t.mock.timers.tick(1000);
  assert.deepStrictEqual(passing.slice(3), ['', '']);
  assert.deepStrictEqual(result.slice(2), ['']);
});
