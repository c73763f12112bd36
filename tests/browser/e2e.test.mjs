// The browser build in a real browser: Debian's Chromium, driven by puppeteer-core, loads
// the site from the catalogue server (--site) and is used as a person would, with taps on
// the canvas. Fails on any request to another origin, a console error or a page error.
//   MEVARA_SERVER       the native catalogue-server
//   MEVARA_SITE         the built site (build-web/site)
//   MEVARA_SCREENSHOTS  where pictures go (default: a temporary folder)
//   MEVARA_CHROMIUM     the browser (default /usr/bin/chromium)
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { spawn } from "node:child_process";
import { mkdtempSync, mkdirSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { createRequire } from "node:module";

const require = createRequire(join(process.cwd(), "web", "package.json"));
const puppeteer = require("puppeteer-core");

const shots = process.env.MEVARA_SCREENSHOTS || mkdtempSync(join(tmpdir(), "mevara-shots-"));
mkdirSync(shots, { recursive: true });
const port = 18000 + (process.pid % 1000);
const origin = `http://127.0.0.1:${port}`;
let server, browser;
const figures = [];

before(async () => {
    server = spawn(process.env.MEVARA_SERVER, ["--port", String(port), "--site",
                                                 process.env.MEVARA_SITE],
                   { stdio: ["ignore", "pipe", "inherit"] });
    await new Promise((resolve, reject) => {
        server.stdout.once("data", resolve);
        server.once("exit", (code) => reject(new Error(`the server ended with ${code}`)));
    });
    browser = await puppeteer.launch({
        executablePath: process.env.MEVARA_CHROMIUM || "/usr/bin/chromium",
        headless: true,
        // The canvas drawn through the GPU, as phones and tablets draw it; SwiftShader is
        // the GPU on a machine without one.
        args: ["--no-sandbox", "--disable-dev-shm-usage", "--no-first-run", "--disable-extensions", "--use-angle=swiftshader",
               "--enable-unsafe-swiftshader", "--enable-gpu-rasterization", "--ignore-gpu-blocklist"],
    });
});

after(async () => {
    await browser?.close();
    server?.kill();
    for (const line of figures) console.log(line);
    console.log(`pictures in ${shots}`);
});

const phone = { width: 375, height: 667, deviceScaleFactor: 2, isMobile: true, hasTouch: true };
const tablet = (landscape) => ({
    width: landscape ? 1024 : 768, height: landscape ? 768 : 1024, deviceScaleFactor: 2,
    isMobile: true, hasTouch: true,
});

// A fresh profile (its own storage and service worker) watched for what must not happen.
async function openPerson(viewport) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.setViewport(viewport);
    const problems = [];
    page.on("request", (request) => {
        const url = request.url();
        if (!url.startsWith(origin + "/") && !url.startsWith("data:") && !url.startsWith("blob:") &&
            url !== "about:srcdoc")
            problems.push(`a request left for ${url}`);
    });
    page.on("console", (message) => {
        if (message.type() !== "error") return;
        // Offline, the catalogue refresh fails as it should; the saved catalogue stays.
        const where = message.location()?.url || "";
        if (page.offline && where.includes("/kelvox/")) return;
        problems.push(`console: ${message.text()} ${where}`);
    });
    page.on("pageerror", (error) => problems.push(`page error: ${error.message}`));
    return { context, page, problems };
}

// Loads or reloads the page and waits for the program's first frame; answers the time
// from navigation to that frame in ms.
async function started(page, load) {
    await load();
    await page.waitForFunction(() => window.Module?.mevaraStats?.firstFrame > 0, { timeout: 20000 });
    // The pictures decode after the first frame; give them a moment.
    await sleep(600);
    return page.evaluate(() => Module.mevaraStats.firstFrame);
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Steps as the headless scripts write them: tap NAME, tap "TEXT", row TABLE N, alert N,
// wait SECONDS, shot NAME.
async function walk(page, steps) {
    for (const step of steps) {
        const [, verb, rest] = step.match(/^(\w+)\s*(.*)$/);
        if (verb === "wait") {
            await sleep(parseFloat(rest) * 1000);
            continue;
        }
        if (verb === "shot") {
            await page.screenshot({ path: join(shots, rest + ".png") });
            continue;
        }
        let how = "name", wanted = rest, row = 0;
        if (verb === "row") {
            [wanted, row] = rest.split(/\s+/);
            how = "row";
        } else if (verb === "alert") {
            wanted = "alertButton" + rest;
        } else if (rest.startsWith("\"")) {
            how = "text";
            wanted = JSON.parse(rest);
        }
        // A slow machine may still be moving the screen in.
        let at = null;
        for (let tries = 0; !at && tries < 30; ++tries) {
            if (tries > 0) await sleep(100);
            at = await page.evaluate((h, w, r) => Module.mevaraLocate(h, w, +r), how, wanted, row);
        }
        assert.ok(at, `nothing to touch for "${step}" on:\n${await dump(page)}`);
        await page.touchscreen.tap(at.x, at.y);
        await settled(page);
    }
}

// Until the screen stops moving: no frame asked for in a quarter of a second, or at most
// 1.5 s (the phone's "Tap Here To Start" row pulses as long as it shows).
async function settled(page) {
    await sleep(200);
    for (let last = -1, now = 0, waited = 0; waited < 1500; waited += 250) {
        now = await page.evaluate(() => Module.mevaraStats.frames);
        if (now === last) return;
        last = now;
        await sleep(250);
    }
}

// An information page is the browser's own, in an iframe where the screen shows it; a drag
// on the screen scrolls it.
async function pageShown(page, width) {
    const look = () => page.evaluate(() => {
        const frame = [...document.querySelectorAll("iframe.mevara-page")]
            .find((f) => f.style.visibility === "visible");
        const box = frame?.getBoundingClientRect();
        return frame && { text: frame.contentDocument.body.innerText.length, width: box.width,
                          x: box.x + box.width / 2, y: box.y + box.height / 2,
                          scrolled: frame.contentWindow.scrollY };
    });
    const shown = await look();
    assert.ok(shown && shown.text > 200 && shown.width > width, JSON.stringify(shown));
    await page.touchscreen.touchStart(shown.x, shown.y + 100);
    for (let step = 1; step <= 10; ++step) {
        await page.touchscreen.touchMove(shown.x, shown.y + 100 - step * 20);
        await sleep(16);
    }
    await page.touchscreen.touchEnd();
    await settled(page);
    assert.ok((await look()).scrolled > 100, "the page scrolls under a finger");
}

const dump = (page) => page.evaluate(() => Module.mevaraDump());

// The text of the first label whose name is `name` in a dump.
function labelText(text, name) {
    const line = text.split("\n").find((l) => l.includes(`#${name} `));
    return line?.match(/text="([^"]*)"/)?.[1];
}

test("a first use on a phone survives a reload and works offline", async () => {
    const { context, page, problems } = await openPerson(phone);
    const first = await started(page, () => page.goto(origin + "/"));
    figures.push(`phone: first frame ${first.toFixed(0)} ms after navigation`);
    assert.match(await dump(page), /^Window \(0, 0, 320, 480\)/, "a phone's screen");
    await walk(page, [
        "shot browser-phone-notice", "tap disclaimerButton", "wait 1", "row table 0", "wait 0.5",
        "tap chooseGenderRow", "wait 0.5", "row table 0", "wait 0.5",
        "tap chooseAgeRow", "wait 0.5", "row table 3", "wait 0.5", "tap saveButton", "wait 0.5",
        "tap chooseTestRow", "wait 0.5", "tap \"CT\"", "wait 0.5",
        "tap chooseBodyPartRow", "wait 0.5", "tap \"Head\"", "wait 0.5",
        "tap chooseNumberOfTestsRow", "wait 0.5", "row table 1", "wait 0.5",
        "tap saveButton", "wait 1", "shot browser-phone-home",
    ]);
    const home = await dump(page);
    const total = labelText(home, "totalLabel") ?? home.match(/4\.00/)?.[0];
    assert.match(home, /"CT"|CT, Head|Head/, "the test is listed");
    assert.match(home, /4\.00/, "two head CTs of 2 mSv");
    await walk(page, ["tap totalButton", "wait 1.5", "tap chernobylButton", "wait 1.2",
                      "shot browser-phone-comparison"]);

    await walk(page, ["tap \"More\"", "wait 1", "tap whatIsRadiationRow", "wait 1.5", "shot browser-phone-page"]);
    await pageShown(page, 300);
    // Escape is Back, as on the desktop.
    await page.keyboard.press("Escape");
    await settled(page);
    assert.match(await dump(page), /"More Information"/);

    // Saved and back after a reload, before any navigation.
    await started(page, () => page.reload());
    const again = await dump(page);
    assert.match(again, /4\.00/, `the total is still ${total}:\n${again}`);

    // Offline, from the service worker's copy.
    await page.evaluate(() => navigator.serviceWorker.ready);
    page.offline = true;
    await page.setOfflineMode(true);
    await started(page, () => page.reload());
    assert.match(await dump(page), /4\.00/, "offline, the test and total are there");
    await walk(page, ["tap totalButton", "wait 1.5", "shot browser-phone-offline"]);
    assert.deepEqual(problems, []);
    await context.close();
});

// A screen reader's way: every element found by its name in Chromium's accessibility tree
// (the page's mirror of the screen) and activated as a screen reader activates it.
async function pressByName(page, name) {
    let found = [];
    for (let tries = 0; found.length === 0 && tries < 30; ++tries) {
        if (tries > 0) await sleep(100);
        found = await page.$$(`::-p-aria([name="${name}"][role="button"])`);
        if (found.length === 0) found = await page.$$(`::-p-aria([name="${name}"][role="switch"])`);
    }
    const names = found.length ? "" : JSON.stringify(await page.accessibility.snapshot());
    assert.ok(found.length > 0, `nothing called "${name}" in the accessibility tree: ${names}`);
    await found[found.length - 1].evaluate((node) => node.click());
    await settled(page);
}

test("a first use on a phone by a screen reader's names", async () => {
    const { context, page, problems } = await openPerson(phone);
    await started(page, () => page.goto(origin + "/"));
    for (const name of ["I Understand", "Tap Here To Start", "Gender", "Female", "Age Range",
                        "30 - 39", "Save", "Test Type", "CT", "Test Location", "Head",
                        "Number of Tests", "1", "Save"])
        await pressByName(page, name);
    const tree = JSON.stringify(await page.accessibility.snapshot());
    assert.match(tree, /CT, Head, 1 test, 2\.00 millisieverts/);
    assert.match(tree, /2\.00 millisieverts/);
    await pressByName(page, "Total Exposure");
    // A new screen puts the reader on its heading.
    assert.equal(await page.evaluate(() => document.activeElement.textContent),
                 "Compare Your Exposure");
    await pressByName(page, "Chernobyl");
    assert.match(JSON.stringify(await page.accessibility.snapshot()), /"Chernobyl Exposure"/);
    assert.deepEqual(problems, []);
    await context.close();
});

test("a tablet's road to the results by a screen reader's names", async () => {
    const { context, page, problems } = await openPerson(tablet(true));
    await started(page, () => page.goto(origin + "/"));
    for (const name of ["I Understand", "Let's Get Started", "Gender", "Male", "Age Range",
                        "40 - 49", "Save", "Test Type", "CT", "Test Location", "Head",
                        "Number of Tests", "1", "Add Tests", "View Comparisons"])
        await pressByName(page, name);
    const tree = JSON.stringify(await page.accessibility.snapshot());
    assert.match(tree, /"2\.00 millisieverts"/);
    assert.match(tree, /"More About Your Estimated Medical Exposure"/);
    assert.deepEqual(problems, []);
    await context.close();
});

for (const landscape of [true, false]) {
    const side = landscape ? "landscape" : "portrait";
    test(`a tablet held ${side} walks the wizard to the results`, async () => {
        const { context, page, problems } = await openPerson(tablet(landscape));
        const first = await started(page, () => page.goto(origin + "/"));
        figures.push(`tablet ${side}: first frame ${first.toFixed(0)} ms after navigation`);
        const size = landscape ? "1024, 768" : "768, 1024";
        assert.match(await dump(page), new RegExp(`^Window \\(0, 0, ${size}\\)`));
        // The notice by the keyboard: Tab to its button, Enter.
        await page.keyboard.press("Tab");
        await page.keyboard.press("Enter");
        await settled(page);
        await walk(page, [
            "wait 1", `shot browser-tablet-${side}-welcome`,
            "tap step0_imagingTestsButton", "wait 0.5",
        ]);
        await pageShown(page, 500);
        await walk(page, [
            "tap step0_modalCloseButton", "wait 0.5", "tap step0_startButton", "wait 0.5",
            "tap step1_genderButton", "wait 0.5", "row table 0", "wait 0.5",
            "tap step1_ageButton", "wait 0.5", "row table 4", "wait 0.5",
            "tap step1_saveButton", "wait 0.5",
            "tap step2_testTypeButton", "wait 0.5", "row table 1", "wait 0.5",
            "tap step2_bodyPartButton", "wait 0.5", "row table 0", "wait 0.5",
            "tap step2_numberOfTestsButton", "wait 0.5", "row table 0", "wait 0.5",
            "tap step2_addTestsButton", "wait 0.8",
        ]);
        const before = await page.evaluate(() => Module.mevaraStats.frameTimes.length);
        await walk(page, ["tap step3_compareButton", "wait 1.5", `shot browser-tablet-${side}-results`]);
        const times = await page.evaluate((from) => Module.mevaraStats.frameTimes.slice(from), before);
        figures.push(`tablet ${side}: results animation ${times.length} frames, slowest ` +
                     `${Math.max(...times).toFixed(1)} ms`);
        if (process.env.MEVARA_FRAME_TIMES) figures.push(times.map((t) => t.toFixed(1)).join(" "));

        // Nothing moves: no frames and no timers while the page sits idle.
        const idle = await page.evaluate(async () => {
            const { frames, timers } = Module.mevaraStats;
            await new Promise((resolve) => setTimeout(resolve, 5000));
            return { frames: Module.mevaraStats.frames - frames, timers: Module.mevaraStats.timers - timers };
        });
        figures.push(`tablet ${side}: idle 5 s, ${idle.frames} frames, ${idle.timers} timers`);
        assert.deepEqual(idle, { frames: 0, timers: 0 });

        // Turned, the results turn with it.
        await page.setViewport(tablet(!landscape));
        await sleep(1200);
        const turned = landscape ? "768, 1024" : "1024, 768";
        assert.match(await dump(page), new RegExp(`^Window \\(0, 0, ${turned}\\)`));
        await page.screenshot({ path: join(shots, `browser-tablet-${side}-turned.png`) });
        assert.deepEqual(problems, []);
        await context.close();
    });
}
