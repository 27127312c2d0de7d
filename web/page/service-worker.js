// Keeps the page's files, so that after one visit the page opens and works
// without a network. The build writes FILES and VERSION (web/offline.cmake):
// every file of the page with its SHA-256, and a version named after all of
// them. A new version is kept whole or not at all: each file fetched past
// any HTTP cache and checked against its hash, all of them before any is
// used. It waits until the page that found it has loaded all it needs, then
// takes over (the page asks it to), so that the next load is the new
// version whole, never half old and half new.
"use strict";

const VERSION = "@VERSION@";
const FILES = @FILES@;
const CACHE = "plavet-" + VERSION;
const NAMES = new Set(FILES.map((file) => file.name));

const hex = (buffer) => Array.from(new Uint8Array(buffer), (b) => b.toString(16).padStart(2, "0")).join("");

async function fetchChecked({ name, sha256 }) {
  const response = await fetch(new Request(name, { cache: "reload" }));
  if (!response.ok) throw new Error(`${name}: ${response.status}`);
  if (hex(await crypto.subtle.digest("SHA-256", await response.clone().arrayBuffer())) !== sha256)
    throw new Error(`${name} is not the file of version ${VERSION}`);
  return response;
}

self.addEventListener("install", (event) => {
  event.waitUntil((async () => {
    const responses = await Promise.all(FILES.map(fetchChecked));
    const cache = await caches.open(CACHE);
    try {
      await Promise.all(responses.map((response, i) => cache.put(FILES[i].name, response)));
    } catch (error) {
      await caches.delete(CACHE);
      throw error;
    }
  })());
});

self.addEventListener("message", (event) => {
  if (event.data === "take over") self.skipWaiting();
});

// The versions before this one go.
self.addEventListener("activate", (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys())
      if (name.startsWith("plavet-") && name !== CACHE) await caches.delete(name);
    await self.clients.claim();
  })());
});

// The page's own files come from this version's cache; the folder itself is
// its index.html. Anything else goes to the network as it would.
self.addEventListener("fetch", (event) => {
  const url = new URL(event.request.url);
  const scope = new URL(self.registration.scope);
  if (event.request.method !== "GET" || url.origin !== scope.origin ||
      !url.pathname.startsWith(scope.pathname)) return;
  const name = url.pathname.slice(scope.pathname.length) || "index.html";
  if (!NAMES.has(name)) return;
  event.respondWith((async () => {
    const kept = await (await caches.open(CACHE)).match(name);
    return kept ?? fetch(event.request);
  })());
});
