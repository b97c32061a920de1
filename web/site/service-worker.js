// Keeps the site's files so that the page opens without a network once it has been
// loaded: every request goes to the network first and refreshes the kept copy, and the
// kept copy answers when the network cannot. The page computes everything itself.
const CACHE = 'spekulor-site';
const FILES = ['./', 'index.html', 'main.js', 'style.css', 'spekulor.js', 'spekulor.wasm'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(self.clients.claim());
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(
    fetch(request)
      .then((response) => {
        if (response.ok) {
          const copy = response.clone();
          event.waitUntil(caches.open(CACHE).then((cache) => cache.put(request, copy)));
        }
        return response;
      })
      // A design's address differs from the page's only in its query.
      .catch(() => caches.match(request, { ignoreSearch: true })
        .then((kept) => kept ?? Response.error())));
});
