// The page's service worker: after one visit the game starts and plays without
// the network. It keeps the page's own files, and nothing else, in a cache named
// after a hash of them all (stamp_worker.py writes the name and the list when
// the page is built), so that any rebuild is a new worker with a cache of its
// own: the browser sees the new worker on the player's next visit, which
// installs it; it takes over and the caches of the builds before go.
'use strict';

const cacheName = 'kelmot-@KELMOT_BUILD@';
const files = @KELMOT_CACHED_FILES@;

// The page's file a request of address is answered with, from the cache: one of
// the files kept, under the worker's folder (scope), or the page itself for the
// folder's own address; null for any other address, which the worker leaves to
// the browser (other apps of the same site, other folders, files the page
// does not keep).
function cachedFileFor(address, scope, kept) {
  const url = new URL(address), folder = new URL(scope);
  if (url.origin != folder.origin || !url.pathname.startsWith(folder.pathname)) return null;
  const name = url.pathname.slice(folder.pathname.length);
  if (name == '') return 'index.html';
  return kept.includes(name) ? name : null;
}

// One file of the page, fetched past the browser's HTTP cache (which a host
// that sends Last-Modified without Cache-Control lets serve the last build's
// files), whole: only an OK answer that was not redirected, with every byte
// it announced. A host that redirects the page to its folder's address (clean
// addresses) is asked for that address itself.
async function fetchWhole(name) {
  let answer = await fetch(new Request(name, {cache: 'reload'}));
  if (answer.redirected) {
    if (cachedFileFor(answer.url, self.registration.scope, files) != name) {
      throw new Error(name + ' is redirected to ' + answer.url);
    }
    answer = await fetch(new Request(answer.url, {cache: 'reload', redirect: 'error'}));
  }
  if (answer.status != 200 || answer.type != 'basic') {
    throw new Error(name + ': ' + answer.status + ' ' + answer.statusText);
  }
  const body = await answer.arrayBuffer();
  const length = answer.headers.get('Content-Length');
  if (length !== null && !answer.headers.has('Content-Encoding') && Number(length) != body.byteLength) {
    throw new Error(name + ' came incomplete');
  }
  return new Response(body, {headers: {'Content-Type': answer.headers.get('Content-Type') || ''}});
}

function listen() {
  // Every file is fetched whole before any is kept: a failure leaves the caches
  // as they were, and the worker before in place.
  self.addEventListener('install', (event) => {
    event.waitUntil(Promise.all(files.map(fetchWhole))
      .then((answers) => caches.open(cacheName)
        .then((cache) => Promise.all(answers.map((answer, i) => cache.put(files[i], answer)))))
      .then(() => self.skipWaiting()));
  });

  self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys()
      .then((names) => Promise.all(names
        .filter((name) => name.startsWith('kelmot-') && name != cacheName)
        .map((name) => caches.delete(name))))
      .then(() => self.clients.claim()));
  });

  self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method != 'GET') return;
    const name = cachedFileFor(request.url, self.registration.scope, files);
    if (!name) return;
    event.respondWith(caches.open(cacheName)
      .then((cache) => cache.match(name))
      .then((kept) => kept || fetch(request)));
  });
}

// Under node (the tests), the routing alone.
if (typeof module == 'object') module.exports = {cachedFileFor, cacheName, files};
else listen();
