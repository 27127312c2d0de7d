// The installed page as a document app, in headless Chromium: the names'
// offer and the arrows' keys as the core answers them, files launched by the
// system, web+plavet: links and shared text, and the title and the leave
// prompt following what is saved. (The manifest: offline.test.js.)
"use strict";

const assert = require("node:assert/strict");
const { test, before, after } = require("node:test");
const { loadCore, launchBrowser, openPage, pageUrl, Driver, saveFile } = require("./support");

let browser, core;
before(async () => {
  browser = await launchBrowser();
  core = await loadCore();
});
after(() => browser?.close());

// A random source that repeats: the same runs every time.
function random(start) {
  let state = start;
  return () => ((state = (state * 1103515245 + 12345) % 2147483648) / 2147483648);
}

test("the offer is the core's completion, and Tab, Enter, End, Right, Escape take it or leave the text as typed", async () => {
  const d = new Driver(await openPage(browser), core);
  const page = d.page;
  const rand = random(26);
  const pick = (items) => items[Math.floor(rand() * items.length)];
  const { items } = core.layout();
  for (let run = 0; run < 40; run++) {
    // A name of the list begun in any letter case, at times with a slip.
    const combo = pick(Object.keys(items));
    const name = pick(items[combo]);
    let typing = Array.from(name.slice(0, 1 + Math.floor(rand() * name.length)),
      (c) => (rand() < 0.5 ? c.toLowerCase() : c.toUpperCase())).join("");
    if (rand() < 0.25) typing += pick(["a", "e", "r", " "]);
    await page.fill("#" + combo, "");
    await d.expect(d.mirror.type(combo, ""));
    let text = "";
    for (const key of typing) {
      await page.keyboard.type(key);
      text += key;
      d.mirror.type(combo, text);
      assert.equal(await page.getAttribute("#" + combo, "data-offer"), core.completion(combo, text), text);
    }
    const offer = core.completion(combo, text);
    const key = pick(["Tab", "Enter", "End", "ArrowRight", "Escape"]);
    await page.keyboard.press(key);
    const taken = offer && key !== "Escape" ? offer : text;
    const answer = await d.expect(taken === text ? { messages: [], state: d.mirror.state() } : d.mirror.type(combo, taken));
    assert.equal(answer.state[combo], taken, `${text} + ${key}`);
    assert.equal(await page.getAttribute("#" + combo, "data-offer"), null);
  }
  await page.fill("#cmbrace", "lf");
  await page.keyboard.press("Home");
  await page.keyboard.type("e");
  assert.equal(await page.getAttribute("#cmbrace", "data-offer"), null, "typed before the end: no offer");
});

test("Space and Enter press a focused arrow as the mouse does once the setting is on, kept after a reload", async () => {
  const page = await openPage(browser);
  const d = new Driver(page, core);
  await d.choose("Elf", "Bard", "Monk (Winter)");
  await d.click("cmdstrt");
  const described = () => page.evaluate(() => document.getElementById(document.getElementById("cmdmfu")
    .getAttribute("aria-describedby").split(" ").at(-1)).textContent);
  await page.focus("#cmdmfu");
  await page.keyboard.press("Space");
  await d.expect({ messages: [], state: d.mirror.state() }); // off: nothing
  assert.match(await described(), /^Keys press it once/);
  await page.check("#arrowKeys");
  await d.expect(d.mirror.endTyping());
  assert.equal(await described(), "Space or Enter is a left press (1 point), Shift+Space or Shift+Enter a right press (10 points).");
  const rand = random(7);
  const arrows = await page.evaluate(() => Array.from(document.querySelectorAll(".arrow"), (e) => e.id));
  for (let i = 0; i < 40; i++) {
    const arrow = arrows[Math.floor(rand() * arrows.length)];
    const shift = rand() < 0.4;
    await page.focus("#" + arrow);
    await page.keyboard.press((shift ? "Shift+" : "") + (rand() < 0.5 ? "Space" : "Enter"));
    await d.expect(d.mirror.mouseDown(arrow, shift ? 2 : 1));
  }
  await openPage(browser);
  assert.equal(await page.isChecked("#arrowKeys"), true, "kept in the browser's storage");
  await page.uncheck("#arrowKeys");
});

// A page as the installed one runs: its launchQueue a stub that keeps the
// consumer, in a window of its own, and its Compare entry recording what it
// is given.
async function launchablePage() {
  const context = await browser.newContext();
  await context.addInitScript(() => {
    Object.defineProperty(window, "launchQueue", { configurable: true,
      value: { setConsumer: (consumer) => (window.launchConsumer = consumer) } });
    const media = window.matchMedia.bind(window);
    window.matchMedia = (query) => (query === "(display-mode: standalone)" ? { matches: true } : media(query));
  });
  const page = await openPage(context);
  await page.evaluate(() => {
    window.compared = [];
    PlavetLaunch.compareWith = (file) => window.compared.push(file.name);
  });
  return page;
}

const launch = (page, files, targetURL) => page.evaluate(({ files, targetURL }) => window.launchConsumer({
  targetURL, files: files.map(([name, text]) => ({ kind: "file", name, getFile: async () => text === null
    ? Promise.reject(new DOMException("A requested file could not be read", "NotReadableError")) : new File([text], name) })),
}), { files, targetURL });

test("files launched open as Open opens them, a second is compared, a bad one is refused and changes nothing", async () => {
  const page = await launchablePage();
  const d = new Driver(page, core);
  const other = core.open();
  other.type("cmbrace", "Ogier");
  const saved = other.saveFile().file.text;
  for (const [files, compared] of [
    [[["one.plavet", saved]], []], [[["bad.plavet", "{\"format\": 9}"]], []],
    [[["bad.plavet", "nothing"], ["two.plavet", saved]], []], [[["gone.plavet", null]], []],
    [[["first.plavet", saved], ["second.plavet", saved], ["third.plavet", saved]], ["second.plavet"]],
  ]) {
    const before = JSON.stringify(d.mirror.state());
    await launch(page, files);
    const [name, text] = files[0]; // one gone since it was launched is refused as Open refuses it
    const expected = text === null ? d.mirror.endTyping() : d.mirror.openFile(name, Buffer.from(text));
    if (text === null) expected.messages.push({ title: "Open Plavet", state: expected.state,
      text: `The file ${name} cannot be opened: the browser could not read it (A requested file could not be read).` });
    const answer = await d.expect(expected);
    if (answer.messages.length > 0) assert.equal(JSON.stringify(answer.state), before, name);
    assert.deepEqual(await page.evaluate(() => window.compared.splice(0)), compared);
  }
  assert.equal(await page.title(), "first.plavet - Plavet Program v1.33");
  assert.deepEqual(page.errors, []);
});

test("a web+plavet: link opens its plavet, a shared text waits in the code field; sent to a running page too", async () => {
  const other = core.open();
  other.type("cmbrace", "Minotaur");
  const code = other.code();
  const link = "web+plavet:" + code;
  let d = new Driver(await openPage(browser, `${pageUrl()}?link=${encodeURIComponent(link)}`), core);
  await d.expect(d.mirror.startWithCode(link));
  assert.equal(await d.page.evaluate(() => location.search), "", "read once: a reload opens the page as it stands");

  const chat = `look at mine: ${code} :)`;
  d = new Driver(await openPage(browser, `${pageUrl()}?title=Plavet&text=${encodeURIComponent(chat)}`), core);
  const field = () => d.page.evaluate(() => [document.getElementById("codeText").value, document.activeElement.id]);
  assert.deepEqual(await field(), ["Plavet\n" + chat, "codeText"]);
  await d.page.keyboard.press("Enter");
  await d.expect(d.mirror.pasteCode("Plavet\n" + chat));

  const page = await launchablePage();
  d = new Driver(page, core);
  await launch(page, [], pageUrl()); // the launch the page was started by: read at load
  other.type("cmbrace", "Shade");
  await launch(page, [], `${pageUrl()}?link=${encodeURIComponent("web+plavet:" + other.code())}`);
  const answer = await d.expect(d.mirror.openCode("web+plavet:" + other.code()));
  assert.equal(answer.undo, "Paste plavet code", "a link sent to a running page is a step");
  await launch(page, [], `${pageUrl()}?text=${encodeURIComponent("hi")}`);
  assert.equal(await page.inputValue("#codeText"), "hi");
  await page.click("#copyLink");
  await d.expect(d.mirror.endTyping());
  assert.equal(await page.inputValue("#appLink"), "web+plavet:" + other.code(), "Copy link offers the installed form");
});

test("the title follows the file, Save and every change; leaving asks exactly while changes are unsaved", async () => {
  const d = new Driver(await openPage(browser), core);
  const page = d.page;
  const other = core.open();
  for (const [combo, text] of [["cmbrace", "Elf"], ["cmbfc", "Bard"], ["cmbsc", "Druid"]]) other.type(combo, text);
  other.click("cmdstrt");
  const [none, saved, changed] = ["", "plavet.plavet - ", "plavet.plavet* - "].map((f) => f + "Plavet Program v1.33");
  const paste = async () => {
    await page.fill("#codeText", other.code());
    await page.click("#paste");
    await d.expect(d.mirror.pasteCode(other.code()));
  };
  for (const [act, title, asks] of [
    [async () => {}, none, false], [() => d.choose("Human", "Bard", "Druid"), none, false], // nothing to lose
    [() => d.click("cmdstrt"), none, true], // started, never saved
    [() => saveFile(page).then(() => d.mirror.saveFile()), saved, false], [() => d.press("cmdmfu"), changed, true],
    [() => page.click("#undo").then(() => d.expect(d.mirror.undo())), saved, false],
    [() => page.click("#redo").then(() => d.expect(d.mirror.redo())), changed, true],
    [paste, none, true], // a code has no file until saved
  ]) {
    await act();
    assert.deepEqual(await page.evaluate(() => {
      const leaving = new Event("beforeunload", { cancelable: true });
      window.dispatchEvent(leaving);
      return [document.title, leaving.defaultPrevented];
    }), [title, asks], title);
  }
});
