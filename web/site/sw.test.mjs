// The generated service worker in a stand-in worker scope: what it caches, what it
// answers offline, and what it leaves alone.
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdirSync, mkdtempSync, readFileSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { test } from "node:test";
import vm from "node:vm";

const origin = "https://example.com";
const base = `${origin}/app/`;
const site = {
  "index.html": "<!DOCTYPE html>page",
  "mevara.js": "js",
  "mevara.wasm": "wasm",
  "resources/html/pages.css": "css",
};

function build(files) {
  const folder = mkdtempSync(join(tmpdir(), "mevara-sw-"));
  for (const [name, text] of Object.entries(files)) {
    mkdirSync(join(folder, name, ".."), { recursive: true });
    writeFileSync(join(folder, name), text);
  }
  execFileSync(process.execPath, [new URL("./make-sw.mjs", import.meta.url).pathname, folder]);
  return readFileSync(join(folder, "sw.js"), "utf8");
}

// A worker scope whose network answers from `network` (null: offline).
function start(source, network, stored = {}) {
  const caches = new Map(Object.entries(stored).map(([name, entries]) => [name, new Map(entries)]));
  const listeners = {};
  const scope = {
    URL, Request, Response,
    location: new URL("sw.js", base),
    addEventListener: (type, listener) => (listeners[type] = listener),
    skipWaiting: async () => {},
    clients: { claim: async () => {} },
    fetch: async (request) => {
      const url = typeof request === "string" ? request : request.url;
      if (!network) throw new TypeError("offline");
      const body = network[url];
      return body === undefined ? new Response("missing", { status: 404 }) : new Response(body);
    },
    caches: {
      keys: async () => [...caches.keys()],
      delete: async (name) => caches.delete(name),
      open: async (name) => {
        if (!caches.has(name)) caches.set(name, new Map());
        const entries = caches.get(name);
        return {
          match: async (url) => entries.get(String(url))?.clone(),
          addAll: async (requests) => {
            for (const request of requests) entries.set(request.url, await scope.fetch(request));
          },
        };
      },
    },
  };
  scope.self = scope;
  vm.runInNewContext(source, scope);
  const dispatch = async (type, fields = {}) => {
    let answer = null;
    const waits = [];
    listeners[type]({ ...fields, waitUntil: (p) => waits.push(p), respondWith: (p) => (answer = p) });
    await Promise.all(waits);
    return answer && (await answer);
  };
  return { caches, dispatch };
}

const everything = Object.fromEntries(Object.entries(site).map(([name, text]) => [base + name, text]));

async function installed(network = everything) {
  const worker = start(build(site), network, { "mevara-old": [], "other-app": [] });
  await worker.dispatch("install");
  await worker.dispatch("activate");
  return worker;
}

test("install caches every site file but itself under one name, activate drops old builds", async () => {
  const { caches } = await installed();
  const names = [...caches.keys()].filter((name) => name !== "other-app");
  assert.equal(names.length, 1);
  assert.notEqual(names[0], "mevara-old");
  assert.deepEqual([...caches.get(names[0]).keys()].sort(), Object.keys(everything).sort());
  assert.ok(caches.has("other-app"));
});

test("the cache name follows the files' contents", () => {
  const name = (files) => build(files).match(/const CACHE = "(mevara-[0-9a-f]+)"/)[1];
  assert.equal(name(site), name(site));
  assert.notEqual(name(site), name({ ...site, "mevara.wasm": "wasm2" }));
  assert.notEqual(name(site), name({ ...site, "extra.png": "" }));
});

test("offline answers", async () => {
  const worker = await installed();
  const offline = start(build(site), null, Object.fromEntries(worker.caches));
  const cases = [
    // address, mode, method, expected status and body (undefined: left to the browser)
    [base, "navigate", "GET", 200, site["index.html"]],
    [`${base}?device=tablet&locale=de_DE`, "navigate", "GET", 200, site["index.html"]],
    [`${base}index.html?device=phone`, "navigate", "GET", 200, site["index.html"]],
    [`${base}mevara.wasm`, "cors", "GET", 200, site["mevara.wasm"]],
    [`${base}resources/html/pages.css`, "no-cors", "GET", 200, site["resources/html/pages.css"]],
    [`${base}kelvox/?op=tl&format=xml`, "cors", "GET", 503, ""],
    [`${base}mevara.wasm`, "cors", "POST", undefined],
    [`https://other.example/app/mevara.wasm`, "cors", "GET", undefined],
    [`${origin}/elsewhere/index.html`, "navigate", "GET", undefined],
  ];
  for (const [url, mode, method, status, body] of cases) {
    const request = { url, mode, method };
    const response = await offline.dispatch("fetch", { request });
    assert.equal(response?.status, status, url);
    if (response) assert.equal(await response.text(), body, url);
  }
});

test("the catalogue comes from the network and is never cached", async () => {
  const address = `${base}kelvox/?op=tl&format=xml`;
  const worker = await installed({ ...everything, [address]: "<tests/>" });
  const response = await worker.dispatch("fetch", { request: { url: address, mode: "cors", method: "GET" } });
  assert.equal(await response.text(), "<tests/>");
  for (const entries of worker.caches.values()) assert.ok(!entries.has(address));
});
