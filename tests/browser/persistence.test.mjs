// The application's files in the browser survive a reload: what a write replaced is in
// IndexedDB once the copy finishes, whole, and a new page finds it there.
import assert from "node:assert/strict";
import { createRequire } from "node:module";
import test from "node:test";

// The packages come from the browser build's own folder (web/node_modules).
const require = createRequire(process.env.MEVARA_NODE_MODULES + "/");
require("fake-indexeddb/auto");
const createProbe = require(process.env.MEVARA_PROBE);

async function page() {
    const probe = await createProbe();
    await probe.mevaraMountPersistent("/mevara");
    return probe;
}

test("a replaced file survives a reload whole, without the temporary beside it", async () => {
    const first = await page();
    assert.equal(first.writeAtomically("/mevara/Documents/userdata.dat", "first"), true);
    assert.equal(first.writeAtomically("/mevara/Documents/userdata.dat", "second, longer"), true);
    await first.mevaraFlushFiles();

    const second = await page();
    assert.equal(second.readUtf8("/mevara/Documents/userdata.dat"), "second, longer");
    // Nothing else: no temporary file was kept.
    assert.deepEqual(second.FS.readdir("/mevara/Documents").filter((n) => n !== "." && n !== ".."),
                     ["userdata.dat"]);
});

test("changes made while a copy runs are copied after it", async () => {
    const one = await page();
    for (let i = 0; i < 5; ++i) one.writeAtomically("/mevara/Caches/tests.xml", "v" + i);
    await one.mevaraFlushFiles();
    await one.mevaraFlushFiles();
    const two = await page();
    assert.equal(two.readUtf8("/mevara/Caches/tests.xml"), "v4");
});
