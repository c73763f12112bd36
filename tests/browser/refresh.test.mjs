// The browser's catalogue refresh keeps the desktop's rules: only a whole 2xx answer in
// UTF-8, of at most a megabyte, in the catalogue's shape replaces the cached copy.
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { createServer } from "node:http";
import { createRequire } from "node:module";
import test from "node:test";

const require = createRequire(import.meta.url);
const createProbe = require(process.env.MEVARA_REFRESH_PROBE);
const wasmBinary = readFileSync(process.env.MEVARA_REFRESH_PROBE.replace(/\.js$/, ".wasm"));

const good = "<tests>\n<test location='Chest' name='CT' milliseverts='7'/>\n</tests>\n";
const newer = "<tests>\n<test location='Head' name='CT' milliseverts='2'/>\n</tests>\n";
const answers = {
    good: [200, good],
    newer: [200, newer],
    missing: [404, newer],
    latin1: [200, Buffer.from("<tests>\n<test location='T\xeate' name='CT' milliseverts='2'/>\n</tests>\n", "latin1")],
    page: [200, "<html><body>name='CT' location='Head' milliseverts='2'</body></html>"],
    huge: [200, "<tests>\n" + "<test location='Chest' name='CT' milliseverts='7'/>\n".repeat(25000) + "</tests>\n"],
};

test("refreshes follow the desktop's rules", async () => {
    let pick = "good";
    let hang = false;
    const server = createServer((request, response) => {
        assert.equal(request.url, "/kelvox/?op=tl&format=xml");
        if (hang) return; // never answers: the time-out ends it
        const [status, body] = answers[pick];
        response.writeHead(status, { "Content-Type": "text/xml" });
        response.end(body);
    });
    await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
    const url = "http://127.0.0.1:" + server.address().port;
    const probe = await createProbe({ wasmBinary });
    probe.useFolders("/mevara");
    const refresh = (timeout = 5000) =>
        new Promise((resolve) => probe.refresh(url, timeout, resolve));

    assert.equal(await refresh(), true);
    assert.equal(probe.cached(), good);
    for (const kept of ["missing", "latin1", "page", "huge"]) {
        pick = kept;
        assert.equal(await refresh(), false, kept);
        assert.equal(probe.cached(), good, kept);
    }
    hang = true;
    assert.equal(await refresh(300), false);
    assert.equal(probe.cached(), good);
    hang = false;
    pick = "newer";
    assert.equal(await refresh(), true);
    assert.equal(probe.cached(), newer);

    // The application's refresher: an answer that comes after a cancel is dropped; one
    // that comes in time is cached.
    let release;
    const held = new Promise((resolve) => (release = resolve));
    pick = "good";
    server.removeAllListeners("request");
    server.on("request", async (request, response) => {
        await held;
        response.writeHead(200, { "Content-Type": "text/xml" });
        response.end(answers[pick][1]);
    });
    probe.startRefresher(url);
    assert.equal(probe.runningRefreshes(), 1);
    probe.cancelRefresher();
    release();
    await new Promise((resolve) => setTimeout(resolve, 300));
    assert.equal(probe.cached(), newer);
    probe.startRefresher(url);
    await new Promise((resolve) => setTimeout(resolve, 300));
    assert.equal(probe.runningRefreshes(), 0);
    assert.equal(probe.cached(), good);

    server.closeAllConnections();
    server.close();
});
