// The page's files, codes and marks in headless Chromium: Save and Open
// through the desktop's own writer and reader, every file that reader
// refuses refused alike, codes pasted from any text, and the marks on
// selection boxes whose text names nothing of their list. A mirror core
// hears the same events and says what the page must show.
"use strict";

const assert = require("node:assert/strict");
const { execFileSync } = require("node:child_process");
const fs = require("node:fs");
const path = require("node:path");
const { test, before, after } = require("node:test");
const { tool, loadCore, launchBrowser, openPage, pageUrl, Driver, chooseFile, dropFile, saveFile } =
  require("./support");

let browser, core;
before(async () => {
  browser = await launchBrowser(); // first, so that after() closes it whatever fails next
  core = await loadCore();
});
after(() => browser?.close());

async function startedPlavet(race, first, second) {
  const d = new Driver(await openPage(browser), core);
  await d.choose(race, first, second);
  await d.click("cmdstrt");
  return d;
}

const undoName = (page) => page.evaluate(() => document.getElementById("undo").title);

test("Save gives the writer's bytes; opened again, chosen or dropped, they give the same plavet", async () => {
  const d = await startedPlavet("Human", "Magic User", "Druid");
  for (const [arrow, button] of [["cmdmfu", "right"], ["cmdmwu", "right"], ["cmdpau", "left"]]) await d.press(arrow, button);
  await d.toggle("chkEndure");
  await d.click("cmdmulti");
  await d.press("cmdmsu", "right");
  await d.click("cmdshsk");
  const plavet = JSON.stringify(d.mirror.state());
  const saved = await saveFile(d.page);
  const written = d.mirror.saveFile().file;
  assert.deepEqual(saved, { name: "plavet.plavet", bytes: Buffer.from(written.text) });
  assert.equal(await undoName(d.page), "Undo Show current skills", "Save records nothing");

  // In a fresh page: the plavet whole, one step that Undo takes back, and
  // Save keeps the name.
  const opened = new Driver(await openPage(await browser.newContext()), core);
  await chooseFile(opened.page, "Mage.PLAVET", saved.bytes);
  const answer = await opened.expect(opened.mirror.openFile("Mage.PLAVET", saved.bytes));
  assert.equal(JSON.stringify(answer.state), plavet);
  assert.deepEqual([answer.undo, answer.redo], ["Open plavet file", ""]);
  await opened.page.focus("#cmbrace"); // the keys work from a selection box too
  assert.deepEqual(await saveFile(opened.page, "Control+s"), { name: "Mage.PLAVET", bytes: saved.bytes });

  // A note holding the code, dropped, and the file by Ctrl+O: a note names no file.
  const other = core.open();
  other.type("cmbrace", "Ogier");
  const note = Buffer.from(`Mine: ${other.code()}\n`);
  await dropFile(opened.page, "note.txt", note);
  await opened.expect(opened.mirror.openFile("note.txt", note));
  assert.equal((await saveFile(opened.page)).name, "plavet.plavet");
  await chooseFile(opened.page, "again.plavet", saved.bytes, () => opened.page.keyboard.press("Control+o"));
  assert.equal(JSON.stringify((await opened.expect(opened.mirror.openFile("again.plavet", saved.bytes))).state), plavet);
  assert.deepEqual([...d.page.errors, ...opened.page.errors], []);
  await opened.page.context().close();
});

test("every file the desktop's reader refuses is refused with its reason, and nothing changes", async () => {
  // A sound file opened and Bless checked, then each refused file, as the
  // native core answers them (web_trace files).
  const lines = execFileSync(tool("web_trace"), ["files"], { maxBuffer: 64 << 20 }).toString("latin1").trim().split("\n");
  const d = new Driver(await openPage(browser), core);
  await d.page.evaluate(() => { // counts the files whose bytes the page reads
    window.reads = 0;
    const read = Blob.prototype.arrayBuffer;
    Blob.prototype.arrayBuffer = function () {
      window.reads++;
      return read.call(this);
    };
  });
  let before = null, refused = 0;
  for (let i = 0; i < lines.length; i += 2) {
    const [what, name, hex] = lines[i].split(" ");
    const answer = JSON.parse(Buffer.from(lines[i + 1], "latin1").toString());
    if (what === "check") {
      await d.page.click("#" + name);
      before = await d.expect(answer);
      continue;
    }
    const bytes = Buffer.from(hex, "hex");
    const readsBefore = await d.page.evaluate(() => window.reads);
    if (i % 4 === 0) await chooseFile(d.page, name, bytes);
    else await dropFile(d.page, name, bytes);
    await d.expect(answer);
    const reads = await d.page.evaluate(() => window.reads) - readsBefore;
    assert.equal(reads, bytes.length > core.maxFileBytes ? 0 : 1, `${name}: a file too large is not read`);
    if (!before) continue; // the sound file
    assert.equal(answer.messages.length, 1, name);
    assert.equal(answer.messages[0].title, "Open Plavet");
    assert.ok(answer.messages[0].text.startsWith(`The file ${name} cannot be opened: `), answer.messages[0].text);
    assert.deepEqual([answer.state, answer.undo], [before.state, "Check Bless"], `${name} changed nothing`);
    refused++;
  }
  assert.ok(refused >= 50, `only ${refused} refusals`);
  assert.deepEqual(d.page.errors, []);
});

test("Save refuses a plavet whose file could not be opened again, and downloads nothing", async () => {
  const d = new Driver(await openPage(browser), core);
  await d.type("cmbrace", "A".repeat(core.maxFileBytes));
  let downloads = 0;
  d.page.on("download", () => downloads++);
  await d.page.click("#save");
  await d.expect(d.mirror.saveFile());
  assert.deepEqual(d.shownMessages.map((m) => m.title), ["Save Plavet"]);
  assert.match(d.shownMessages[0].text,
    /^The plavet was not saved in plavet\.plavet: The plavet was not saved, since it could not be opened again: The file is too large/);
  await d.page.evaluate(() => new Promise((resolve) => setTimeout(resolve, 200)));
  assert.equal(downloads, 0);
});

test("Paste takes the first code of any text as one step; a text without a usable code says why", async () => {
  const d = await startedPlavet("Minotaur", "Thief", "Bard");
  const plavetOf = (race, first, second, press) => {
    const p = core.open();
    p.type("cmbrace", race);
    p.type("cmbfc", first);
    p.type("cmbsc", second);
    p.click("cmdstrt");
    if (press) p.mouseDown(press, 2);
    p.click("cmdshsk");
    return p;
  };
  const dwarf = plavetOf("Dwarf", "Druid", "Warrior", "cmdmeu");
  const shade = plavetOf("Shade", "Ranger", "Bard", "cmdpfu");
  const code = dwarf.code();
  // Copy as Text of a sample plavet, as the desktop's store writes it.
  const samples = path.join(__dirname, "../../tests/store/samples");
  const asText = fs.readFileSync(path.join(samples, "text-v2.txt"), "utf8");
  const sample = core.open();
  sample.openFile("sample.plavet", fs.readFileSync(path.join(samples, "multiclassed-v2.plavet")));
  const texts = [
    ["a chat line", `try this: ${code} !`, dwarf],
    ["a link", `${pageUrl()}#${code}`, dwarf],
    ["the plavet as text", asText, sample],
    ["several codes", `first ${shade.code()}, then ${code}`, shade],
    ["a code cut short", code.slice(0, 20)],
    ["a changed character", code.slice(0, -3) + (code.at(-3) === "A" ? "B" : "A") + code.slice(-2)],
    ["a newer version", code.replace(/^plavet\d/, "plavet9")],
    ["no code", "Dwarf Druid Warrior"],
    ["nothing", ""],
  ];
  for (const [i, [what, text, source]] of texts.entries()) {
    const last = await undoName(d.page);
    await d.page.fill("#codeText", text);
    if (i % 2) await d.page.click("#paste");
    else await d.page.press("#codeText", "Enter");
    const { messages, state } = await d.expect(d.mirror.pasteCode(text));
    const field = await d.page.inputValue("#codeText");
    if (source) {
      assert.deepEqual(messages, [], what);
      assert.deepEqual(state, source.state(), what);
      assert.equal(await undoName(d.page), "Undo Paste plavet code", what);
      assert.equal(field, "", `${what}: the field is emptied`);
    } else {
      assert.equal(messages.length, 1, what);
      assert.equal(messages[0].title, "Paste Plavet Code", what);
      assert.match(messages[0].text, /^The text holds no plavet code that can be used: \S/, what);
      assert.deepEqual([await undoName(d.page), field], [last, text], `${what}: nothing changes`);
    }
  }
  assert.equal(d.mirror.state().cmbrace, "Shade");
  assert.deepEqual(d.page.errors, []);
});

// As every command of the desktop's, each ends typing in a box, whether it
// changed the plavet or not: Undo then takes back the second typing alone.
test("Save, a refused Open and a refused Paste end typing in a selection box", async () => {
  const between = {
    save: (page) => saveFile(page),
    open: (page) => chooseFile(page, "empty.plavet", Buffer.alloc(0)),
    paste: async (page) => {
      await page.fill("#codeText", "no code");
      await page.click("#paste");
    },
  };
  for (const [what, act] of Object.entries(between)) {
    const page = await openPage(browser);
    await page.fill("#cmbrace", "Elf");
    await act(page);
    if (what !== "save") await page.click("dialog#message button");
    await page.fill("#cmbrace", "Human");
    await page.click("#undo");
    assert.equal(await page.inputValue("#cmbrace"), "Elf", what);
  }
});

// The box leaves the screen at once; the browser's "close" event comes a
// task later. Typing in that moment is the player's, as any other.
test("typing at once after a message box's OK is taken, as typing", async () => {
  const page = await openPage(browser);
  await page.fill("#cmbrace", "Elf");
  await page.fill("#codeText", "no code");
  await page.click("#paste");
  await page.waitForSelector("dialog#message[open]");
  const shown = await page.evaluate(async () => {
    document.querySelector("dialog#message button").click();
    for (let i = 0; i < 20; i++) await null; // the same task: no "close" event yet
    const box = document.getElementById("cmbrace");
    box.value = "Human";
    box.dispatchEvent(new Event("input", { bubbles: true }));
    await new Promise((resolve) => setTimeout(resolve));
    return box.value;
  });
  assert.equal(shown, "Human");
  await page.click("#undo");
  assert.equal(await page.inputValue("#cmbrace"), "Elf");
});

test("a selection that names nothing of its list is marked with the core's reason, and only while it does", async () => {
  const d = new Driver(await openPage(browser), core);
  const table = [
    ["cmbrace", "human", "“human” is not a race of the list, so no race rule applies. Did you mean “Human”?"],
    ["cmbrace", "Human", ""],
    ["cmbfc", "druid", "“druid” is not a class of the list, so no class rule applies. Did you mean “Druid”?"],
    ["cmbsc", "Monk", "“Monk” is not a class of the list, so no class rule applies. Did you mean “Monk (Autumn)”?"],
    ["cmbfc", "", ""],
    ["cmbrace", "AR", ""],
  ];
  // Driver.expect checks each box's colour, tooltip and description too.
  for (const [box, text, warning] of table)
    assert.equal((await d.type(box, text)).state.warnings[box], warning, `${box} "${text}"`);
  const colour = () => d.page.evaluate(() => getComputedStyle(document.getElementById("cmbsc")).color);
  assert.equal(await colour(), "rgb(190, 0, 0)");
  await d.type("cmbsc", "Monk (Autumn)");
  assert.equal(await colour(), "rgb(0, 0, 0)");
});
