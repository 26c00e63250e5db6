// SPDX-License-Identifier: GPL-3.0-or-later
// The service worker: keeps every file of one build under a cache named for
// that build, so that the game plays offline after one visit, from any
// folder. Every file but the page and this worker is named by its content,
// so a name always means the same bytes and two builds never mix. The page
// comes from the network while there is one, so that a new release shows
// on the next visit, and from the cache without; the new build's worker
// takes over once no page of the old one is open, and drops the old cache.
// A word list the page fetches (it asks for text/plain: a list a teacher
// put beside the game) comes from the network too, and offline from the
// copy kept the last time it came; a list the page fetched before this
// worker controlled it (on the first visit), the page hands over to keep.
'use strict';
const CACHE = '@CACHE@';
const FILES = @FILES@;
const LISTS = 'wortlisten';

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys().then((names) => Promise.all(
    names.filter((name) => name.startsWith('galgen-') && name !== CACHE).map((name) => caches.delete(name)))));
});

self.addEventListener('message', (event) => {
  const list = event.data && event.data.keepList;
  const sameSite = () => { try { return new URL(list).origin === location.origin; } catch (e) { return false; } };
  if (typeof list !== 'string' || !sameSite() || !(event.data.bytes instanceof Uint8Array)) return;
  const response = new Response(event.data.bytes, { headers: { 'Content-Type': 'text/plain' } });
  event.waitUntil(caches.open(LISTS).then((cache) => cache.put(list, response)));
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== location.origin) return;
  if (request.mode === 'navigate') {
    event.respondWith(fetch(request).catch(() => caches.open(CACHE).then((cache) => cache.match('./'))));
    return;
  }
  if (request.headers.get('Accept') === 'text/plain') {
    event.respondWith(fetch(request).then((response) => {
      if (response.ok) {
        const copy = response.clone();
        event.waitUntil(caches.open(LISTS).then((cache) => cache.put(request, copy)));
      }
      return response;
    }, (offline) => caches.match(request, { cacheName: LISTS }).then((kept) => kept || Promise.reject(offline))));
    return;
  }
  event.respondWith(caches.open(CACHE).then((cache) => cache.match(request, { ignoreSearch: true })
    .then((kept) => kept || fetch(request))));
});
