// The catalogue server's --site: the browser build's files with the types browsers insist
// on, and the catalogue beside them on the same origin.
import assert from "node:assert/strict";
import { spawn } from "node:child_process";
import { mkdirSync, mkdtempSync, writeFileSync } from "node:fs";
import http from "node:http";
import net from "node:net";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before, test } from "node:test";

const server = process.env.MEVARA_CATALOGUE_SERVER;
const folder = mkdtempSync(join(tmpdir(), "mevara-serve-"));
const site = join(folder, "site");
const files = ["index.html", "mevara.js", "mevara.wasm", "mevara.data", "manifest.webmanifest",
  "icons/icon-192.png", "fonts/LiberationSans-Bold.woff2", "resources/html/pages.css", "x.json"];
for (const file of files) {
  mkdirSync(join(site, file, ".."), { recursive: true });
  writeFileSync(join(site, file), file);
}
writeFileSync(join(folder, "secret"), "secret");
writeFileSync(join(folder, "tests.xml"), "<tests/>");

function freePort() {
  return new Promise((resolve) => {
    const probe = net.createServer().listen(0, "127.0.0.1", () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    });
  });
}

// Raw paths: fetch would tidy away the "..".
function get(port, path) {
  return new Promise((resolve, reject) => {
    http.get({ host: "127.0.0.1", port, path }, (response) => {
      let body = "";
      response.on("data", (chunk) => (body += chunk));
      response.on("end", () => resolve({ status: response.statusCode, headers: response.headers, body }));
    }).on("error", reject);
  });
}

let child;
let port;
before(async () => {
  port = await freePort();
  child = spawn(server, ["--site", site, "--file", join(folder, "tests.xml"), "--port", String(port)]);
  await new Promise((resolve, reject) => {
    child.stdout.once("data", resolve);
    child.once("exit", (code) => reject(new Error(`server ended with ${code}`)));
  });
});
after(() => child.kill());

test("site files with their types, asked afresh on every reload", async () => {
  const cases = [
    ["/", 200, "text/html", "index.html"],
    ["/?device=tablet&locale=de_DE", 200, "text/html", "index.html"],
    ["/mevara.js", 200, "text/javascript", "mevara.js"],
    ["/mevara.wasm", 200, "application/wasm", "mevara.wasm"],
    ["/mevara.data", 200, "application/octet-stream", "mevara.data"],
    ["/manifest.webmanifest", 200, "application/manifest+json", "manifest.webmanifest"],
    ["/icons/icon-192.png", 200, "image/png", "icons/icon-192.png"],
    ["/fonts/LiberationSans-Bold.woff2", 200, "font/woff2", "fonts/LiberationSans-Bold.woff2"],
    ["/resources/html/pages.css", 200, "text/css", "resources/html/pages.css"],
    ["/x.json", 200, "application/json", "x.json"],
    ["/kelvox/?op=tl&format=xml", 200, "text/xml", "<tests/>"],
    ["/kelvox/?op=other&format=xml", 404],
    ["/missing.js", 404],
    ["/../secret", 404],
  ];
  for (const [path, status, type, body] of cases) {
    const answer = await get(port, path);
    assert.equal(answer.status, status, path);
    if (status !== 200) continue;
    assert.equal(answer.headers["content-type"].split(";")[0], type, path);
    assert.equal(answer.body, body, path);
    if (!path.startsWith("/kelvox/")) assert.equal(answer.headers["cache-control"], "no-cache", path);
  }
});

test("a missing site folder and a taken port are refused", async () => {
  const cases = [[["--site", join(folder, "none"), "--port", "1"], 2], [["--port", String(port)], 1]];
  for (const [args, expected] of cases) {
    // One that starts serving instead is stopped after a while.
    const child = spawn(server, args);
    const timer = setTimeout(() => child.kill(), 5000);
    const code = await new Promise((resolve) => child.once("exit", resolve));
    clearTimeout(timer);
    assert.equal(code, expected, args.join(" "));
  }
});
