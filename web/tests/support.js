// Shared by the page's tests: where the builds are, the browser, and a page
// driven as a user drives it, beside a mirror of the core that hears the
// same events, so that every answer the page shows can be checked.
"use strict";

const assert = require("node:assert/strict");
const { execFileSync } = require("node:child_process");
const fs = require("node:fs");
const http = require("node:http");
const path = require("node:path");

const root = path.resolve(__dirname, "../..");
// scripts/test says where the builds are; these are its defaults.
const site = process.env.PLAVET_SITE || path.join(root, "build-web/plavet");
const tools = process.env.PLAVET_TOOLS || path.join(root, "build/web/tests");

const loadCore = () => require(path.join(site, "plavet.js")).load();
const tool = (name) => path.join(tools, name);
// The desktop program of the same build, for `plavet plan`.
const program = process.env.PLAVET_PROGRAM || path.join(tools, "../../app/plavet");

// The best plan for a problem as the desktop program's `plavet plan --json`
// finds it: {race, first, second, magicBonus, physicalBonus, goals: [{copy:
// 0|1, skill}], explore} in, its JSON out (with what else fits and every
// race when `explore`).
function planNatively(problem) {
  const args = ["plan", "--json", "--race", problem.race, "--first", problem.first,
    "--second", problem.second, "--magic-bonus", String(problem.magicBonus),
    "--physical-bonus", String(problem.physicalBonus)];
  for (const goal of problem.goals)
    args.push(goal.copy === 0 ? "--first-skill" : "--second-skill", goal.skill);
  if (problem.explore) args.push("--explore");
  return JSON.parse(execFileSync(program, args, { encoding: "utf8" }));
}

// What the Qt window shows, read from its widgets (web/tests/layout_dump.cpp).
const windowLayout = () => JSON.parse(execFileSync(tool("web_layout"), { encoding: "utf8" }));

// Headless Chromium from Debian, on a machine without network or display;
// Playwright gives each launch a fresh profile folder, whose contexts are
// private windows. With a profile folder of its own, `profile`, the browser
// is one ordinary (not private) context, as a page is installed from.
async function launchBrowser(profile) {
  const { chromium } = require("playwright-core");
  const options = {
    executablePath: process.env.PLAVET_CHROMIUM || "/usr/bin/chromium",
    args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
      "--disable-component-update", "--disable-sync"],
  };
  return profile ? chromium.launchPersistentContext(profile, options) : chromium.launch(options);
}

const pageUrl = () => "file://" + path.join(site, "index.html");

// The page's folder (or a copy) on a static web host of its own (node's
// http, on a free port of this machine): {url, close()}. Closed, it answers
// nothing, as a host out of reach.
async function serveSite(folder = site) {
  const types = { ".html": "text/html", ".css": "text/css", ".js": "text/javascript",
    ".webmanifest": "application/manifest+json", ".svg": "image/svg+xml", ".png": "image/png" };
  const server = http.createServer((request, response) => {
    const file = path.join(folder, path.basename(new URL(request.url, "http://x").pathname) || "index.html");
    if (!fs.existsSync(file)) return response.writeHead(404).end();
    response.writeHead(200, { "Content-Type": types[path.extname(file)] || "application/octet-stream" });
    response.end(fs.readFileSync(file));
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () => new Promise((resolve) => {
      server.close(resolve);
      server.closeAllConnections();
    }),
  };
}

// Opens the page afresh, in a tab kept for the purpose: a new tab costs a
// new renderer process, far more than the page itself. `browser` may be a
// browser context as well.
async function openPage(browser, url = pageUrl()) {
  const tabs = (openPage.tabs ??= new Map());
  let page = tabs.get(browser);
  if (!page || page.isClosed()) {
    page = await browser.newPage();
    // A guard against a page that never answers, not a measure of speed: a
    // loaded machine may take many seconds for what an idle one does at once.
    page.setDefaultTimeout(120000);
    page.on("pageerror", (error) => page.errors.push(error));
    tabs.set(browser, page);
  }
  page.errors = [];
  await page.goto(url);
  await page.waitForSelector("html[data-ready]");
  return page;
}

// Waits until the page has shown a message box, or has done with the event
// if `box` is false; then tells what it shows: the box and every control
// that the core's state names.
function shown(page, names, box) {
  return page.evaluate(async ({ names, box }) => {
    const dialog = document.getElementById("message");
    const area = document.getElementById("Plavet");
    while (box ? !dialog.open : area.hasAttribute("aria-busy"))
      await new Promise((resolve) => setTimeout(resolve));
    const controls = {};
    for (const name of names) {
      const e = document.getElementById(name);
      if (!e) continue;
      if (e.type === "checkbox") controls[name] = e.checked;
      else if (e.tagName === "SELECT") controls[name] = Array.from(e.options, (o) => o.text);
      else controls[name] = e.value;
    }
    const combos = ["cmbrace", "cmbfc", "cmbsc"].map((n) => document.getElementById(n));
    controls.locked = combos.map((e) => e.readOnly);
    // A mark as the eye, the pointer and a screen reader find it.
    controls.warnings = Object.fromEntries(combos.map((e) => [e.id, {
      red: getComputedStyle(e).color === "rgb(190, 0, 0)", title: e.title,
      description: e.getAttribute("aria-describedby").split(" ")
        .map((id) => document.getElementById(id).textContent).join(" "),
    }]));
    const message = dialog.open && {
      title: dialog.querySelector(".title").textContent,
      text: dialog.querySelector(".text").textContent,
      modal: dialog.matches(":modal"),
    };
    return { message, controls };
  }, { names, box });
}

// The part of a core state that the page shows: the controls, and each
// selection box's mark, red with its reason on hover and for screen readers.
function visible(state) {
  const { started, startResetToggle, multiClassed, locked, warnings, ...controls } = state;
  const marks = Object.fromEntries(Object.entries(warnings).map(([name, warning]) =>
    [name, { red: warning !== "", title: warning, description: warning }]));
  return { ...controls, locked: [locked, locked, locked], warnings: marks };
}

// A page and a mirror core fed the same events. Every act returns the
// mirror's answer after checking that the page showed it: each message in a
// modal box with its title and text, over the state of its moment, and then
// the state after.
class Driver {
  constructor(page, core) {
    this.page = page;
    this.mirror = core.open();
    this.shownMessages = []; // {title, text} of every box the page showed
  }

  async type(combo, text) {
    await this.page.fill("#" + combo, text);
    return this.expect(this.mirror.type(combo, text));
  }
  async click(button) {
    await this.page.click("#" + button);
    return this.expect(this.mirror.click(button));
  }
  async press(arrow, button = "left") {
    const codes = { left: 1, right: 2, middle: 4 };
    this.places ??= await this.page.evaluate(() => Object.fromEntries(
      Array.from(document.querySelectorAll(".arrow"), (e) => {
        const r = e.getBoundingClientRect();
        return [e.id, [r.x + r.width / 2, r.y + r.height / 2]];
      })));
    await this.page.mouse.move(...this.places[arrow]);
    await this.page.mouse.down({ button });
    await this.page.mouse.up({ button });
    return this.expect(this.mirror.mouseDown(arrow, codes[button]));
  }
  async toggle(box) {
    const checked = !this.mirror.state()[box];
    await this.page.click("#" + box);
    return this.expect(this.mirror.check(box, checked));
  }
  async choose(race, first, second) {
    await this.type("cmbrace", race);
    await this.type("cmbfc", first);
    await this.type("cmbsc", second);
  }

  async expect(answer) {
    const names = Object.keys(answer.state);
    for (const message of answer.messages) {
      const now = await shown(this.page, names, true);
      const title = message.title || "PlavetProgram";
      assert.deepEqual(now.message, { title, text: message.text, modal: true });
      assert.deepEqual(now.controls, visible(message.state),
        `the page under "${message.text}" shows the state of that moment`);
      this.shownMessages.push({ title, text: message.text });
      await this.page.click("dialog#message button");
    }
    const after = await shown(this.page, names, false);
    assert.equal(after.message, false, "no box left open");
    assert.deepEqual(after.controls, visible(answer.state));
    return answer;
  }
}

// A file handed to the page as the player hands it over: chosen in the
// dialog that Open (or Ctrl+O, `open`) brings up, or dropped on the page.
async function chooseFile(page, name, bytes, open = () => page.click("#open")) {
  const [chooser] = await Promise.all([page.waitForEvent("filechooser"), open()]);
  await chooser.setFiles({ name, mimeType: "application/octet-stream", buffer: Buffer.from(bytes) });
}

async function dropFile(page, name, bytes) {
  const transfer = await page.evaluateHandle(({ name, base64 }) => {
    const transfer = new DataTransfer();
    transfer.items.add(new File([Uint8Array.from(atob(base64), (c) => c.charCodeAt(0))], name));
    return transfer;
  }, { name, base64: Buffer.from(bytes).toString("base64") });
  await page.dispatchEvent("#Plavet", "drop", { dataTransfer: transfer });
}

// Save, by its button or by `keys`: the file downloaded, {name, bytes}.
async function saveFile(page, keys) {
  const [download] = await Promise.all([page.waitForEvent("download"),
    keys ? page.keyboard.press(keys) : page.click("#save")]);
  return { name: download.suggestedFilename(), bytes: fs.readFileSync(await download.path()) };
}

module.exports = {
  chooseFile, dropFile, saveFile,
  site, tool, loadCore, planNatively, windowLayout, launchBrowser, openPage, pageUrl, serveSite, Driver,
};
