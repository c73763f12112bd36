// The program offline: every file of the site in one cache named after their contents
// (filled in at build time), so a new build installs beside the old one and replaces it.
"use strict";

const CACHE = "@CACHE@";
const FILES = @FILES@;

const base = new URL("./", self.location.href);
const index = new URL("index.html", base).href;
const known = new Set(FILES.map((file) => new URL(file, base).href));

self.addEventListener("install", (event) => {
  // "reload": the browser's HTTP cache may hold an older build's file under the same name.
  const requests = FILES.map((file) => new Request(new URL(file, base), { cache: "reload" }));
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(requests)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(
    caches.keys()
      .then((names) => Promise.all(names.filter((name) => name.startsWith("mevara-") && name !== CACHE)
        .map((name) => caches.delete(name))))
      .then(() => self.clients.claim()));
});

function cached(href) {
  return caches.open(CACHE).then((cache) => cache.match(href));
}

self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET") return;
  const url = new URL(request.url);
  if (url.origin !== base.origin || !url.pathname.startsWith(base.pathname)) return;

  // The catalogue is only ever fresh from its service; offline the program keeps its own copy,
  // and an answer it can judge beats a rejected fetch.
  if (url.pathname.includes("kelvox/")) {
    event.respondWith(fetch(request).catch(() => new Response(null, { status: 503 })));
    return;
  }

  const page = url.origin + url.pathname;
  if (request.mode === "navigate" && (page === base.href || page === index)) {
    // The page with any query (?device=tablet&locale=de_DE) is the one index.html. A host
    // that redirects index.html leaves a redirected answer, which a navigation refuses.
    event.respondWith(cached(index).then((response) => {
      if (!response) return fetch(request);
      return response.redirected ? new Response(response.body, response) : response;
    }));
    return;
  }
  if (known.has(page))
    event.respondWith(cached(page).then((response) => response || fetch(request)));
});
