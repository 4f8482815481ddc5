// The page's service worker: after one visit the game starts and plays without
// the network. Each release keeps what a visit fetches in a cache of its own,
// named after its version; once a new release is in place, the caches of the
// others go.
'use strict';

const cacheName = 'kelmot-@KELMOT_VERSION@';
const files = @KELMOT_CACHED_FILES@;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName)
    .then((cache) => cache.addAll(files))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names
      .filter((name) => name.startsWith('kelmot-') && name != cacheName)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The page's own files come from the cache (the page also for its folder's
// address); anything else, and a file the cache lacks, from the network.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  const address = new URL(request.url);
  if (request.method != 'GET' || address.origin != location.origin) return;
  const file = address.pathname.endsWith('/') ? 'index.html' : request;
  event.respondWith(caches.open(cacheName).then((cache) =>
    cache.match(file, {ignoreSearch: true}).then((kept) => kept || fetch(request))));
});
