// The page offline and installable, over a web host of the test's own
// (node's http): after one visit the page opens and works with the host
// gone, a browser may install it, and a new version takes over whole at the
// next load. A page from disk runs no worker (the other tests load it so).
"use strict";

const assert = require("node:assert/strict");
const { execFileSync } = require("node:child_process");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const { test, before, after } = require("node:test");
const { site, loadCore, launchBrowser, openPage, serveSite, Driver } = require("./support");

let core;
const folders = [];
before(async () => {
  core = await loadCore();
});
after(() => folders.forEach((folder) => fs.rmSync(folder, { recursive: true, force: true })));

function folder(name) {
  folders.push(fs.mkdtempSync(path.join(os.tmpdir(), `plavet-${name}-`)));
  return folders.at(-1);
}

const controlled = (page) => page.waitForFunction(() => navigator.serviceWorker.controller !== null);

// A time limit only for a worker that never comes, far above a busy machine's times.
const HANG = { timeout: 300000 };

test("after one visit the page works with its host gone, and the browser may install it", HANG, async () => {
  const browser = await launchBrowser(folder("profile")); // an ordinary profile: a private one installs nothing
  const server = await serveSite();
  try {
    const page = await openPage(browser, server.url);
    await controlled(page);
    const cdp = await browser.newCDPSession(page);
    assert.deepEqual((await cdp.send("Page.getInstallabilityErrors")).installabilityErrors, []);
    // Installed, it opens .plavet files, web+plavet: links and text shared:
    // Chromium reads every member without an error, and each names files the
    // worker keeps, icons of the sizes they say.
    assert.deepEqual((await cdp.send("Page.getAppManifest")).errors, []);
    const manifest = JSON.parse(fs.readFileSync(path.join(site, "manifest.webmanifest"), "utf8"));
    const [handler] = manifest.file_handlers;
    assert.deepEqual([handler.accept, manifest.protocol_handlers[0].protocol], [{ "application/x-plavet": [".plavet"] }, "web+plavet"]);
    const kept = fs.readFileSync(path.join(site, "service-worker.js"), "utf8");
    const icons = [...manifest.icons, ...handler.icons];
    for (const url of icons.map((i) => i.src).concat(handler.action, manifest.share_target.action))
      assert.ok(kept.includes(`name: "${url}"`), `${url} is kept offline`);
    for (const icon of icons.filter((i) => i.type === "image/png")) {
      const png = fs.readFileSync(path.join(site, icon.src)); // IHDR: width and height at 16 and 20
      assert.equal(`${png.readUInt32BE(16)}x${png.readUInt32BE(20)}`, icon.sizes, icon.src);
    }
    await server.close();
    await page.reload();
    await page.waitForSelector("html[data-ready]");
    const d = new Driver(page, core);
    await d.choose("Elf", "Bard", "Monk (Winter)");
    const { state } = await d.click("cmdstrt");
    assert.ok(state.started);
    assert.deepEqual(d.shownMessages, [{ title: "Ready!", text: "The Element List is ready to be used." }]);
    assert.deepEqual(page.errors, []);
  } finally {
    await server.close();
    await browser.close();
  }
});

test("a new version takes over at the next load, whole", HANG, async () => {
  const copy = folder("site");
  fs.cpSync(site, copy, { recursive: true });
  const browser = await launchBrowser();
  const server = await serveSite(copy);
  try {
    const context = await browser.newContext();
    const page = await openPage(context, server.url);
    await controlled(page);
    // The new version: two of its files changed, and its worker written anew.
    const edit = (file, change) => fs.writeFileSync(path.join(copy, file), change(fs.readFileSync(path.join(copy, file), "utf8")));
    edit("index.html", (html) => html.replace("<title>Plavet Program v1.33</title>", "<title>new</title>"));
    edit("plavet.css", (css) => css + "\n:root { --version: new; }\n");
    execFileSync("cmake", [`-DSITE=${copy}`, `-DTEMPLATE=${path.join(__dirname, "../page/service-worker.js")}`,
      "-P", path.join(__dirname, "../offline.cmake")]);
    const version = /const VERSION = "(\w+)"/.exec(fs.readFileSync(path.join(copy, "service-worker.js"), "utf8"))[1];
    const shown = () => page.evaluate(() =>
      [document.title, getComputedStyle(document.documentElement).getPropertyValue("--version").trim()]);

    await page.reload(); // finds the new version, and shows the old one whole
    await page.waitForSelector("html[data-ready]");
    assert.deepEqual(await shown(), ["Plavet Program v1.33", ""]);
    while ((await page.evaluate(() => caches.keys())).join() !== "plavet-" + version)
      await new Promise((resolve) => setTimeout(resolve, 50)); // the new worker takes over
    await page.reload(); // the new version, whole
    await page.waitForSelector("html[data-ready]");
    assert.deepEqual(await shown(), ["new", "new"]);
    assert.deepEqual(page.errors, []);
  } finally {
    await server.close();
    await browser.close();
  }
});
