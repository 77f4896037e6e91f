// SPDX-License-Identifier: GPL-2.0-or-later
// The service worker: the whole site in one cache named after the build, so
// that after one visit the game starts and plays with no network. Files the
// page has just loaded come from the browser's HTTP cache when the server
// says they are still current ("no-cache" asks it every time). The build
// writes VERSION (a hash of the site's files) and FILES; a new build is a
// new worker, which fills its own cache, takes over at once and drops the
// old caches.
const VERSION = 'unbuilt';
const FILES = [];
const CACHE = 'kabusim-' + VERSION;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE)
    .then((cache) => cache.addAll(FILES.map((file) => new Request(file, { cache: 'no-cache' }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith('kabusim-') && name !== CACHE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The site's own files from the cache (the folder's address is its
// index.html); anything else from the network.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET') return;
  const url = new URL(request.url);
  const scope = new URL(self.registration.scope);
  if (url.origin !== scope.origin || !url.pathname.startsWith(scope.pathname)) return;
  const key = url.pathname === scope.pathname ? new URL('index.html', scope).href : url.origin + url.pathname;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(key))
    .then((kept) => kept || fetch(request)));
});
