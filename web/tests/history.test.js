// Undo and Redo in the page against the native history: random runs of the
// page's own mouse and keys (typing in the boxes key by key, arrows, boxes,
// buttons, Ctrl+Z, Ctrl+Shift+Z, Ctrl+Y and the bar's Undo and Redo, Help,
// Copy link, Skill Goals, Apply Plan, Save and Ctrl+S, files opened or
// dropped, codes pasted), written by `web_trace history` with
// what the page must show after each action as the native session answers.
// The page must show it exactly: every message, the controls, and the Undo
// and Redo buttons with the names of their steps.
"use strict";

const assert = require("node:assert/strict");
const { execFileSync } = require("node:child_process");
const { test, before, after } = require("node:test");
const { tool, loadCore, launchBrowser, openPage, Driver, chooseFile, dropFile, saveFile } = require("./support");

const RUNS = Number(process.env.PLAVET_WEB_HISTORY_RUNS || 10);
const KEYS = { key: "Control+z", "key-shift": "Control+Shift+z", "key-y": "Control+y" };
const BUTTONS = { 1: "left", 2: "right", 4: "middle" };

let browser, core;
before(async () => {
  browser = await launchBrowser(); // first, so that after() closes it whatever fails next
  core = await loadCore();
});
after(() => browser?.close());

// One action of a history run, with the page's mouse and keys; Save gives
// the file downloaded.
async function act(page, action) {
  const [what, name, how, ...rest] = action.split(" ");
  const click = (selector) => page.click(selector, { position: { x: 6, y: 6 } });
  switch (what) {
    case "type":
      await click("#" + name);
      if (how === "replace") {
        await page.keyboard.press("Control+A");
        await page.keyboard.type(rest.join(" "));
      } else if (how === "append") {
        await page.keyboard.press("End");
        await page.keyboard.type(rest.join(" "));
      } else {
        await page.keyboard.press("End");
        for (let n = Number(rest[0]); n > 0; n--) await page.keyboard.press("Backspace");
      }
      return;
    case "click":
    case "check":
      return click("#" + name);
    case "mousedown": {
      const box = await page.locator("#" + name).boundingBox();
      await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
      await page.mouse.down({ button: BUTTONS[how] });
      return page.mouse.up({ button: BUTTONS[how] });
    }
    case "undo":
    case "redo":
      if (name === "button") {
        assert.ok(await page.isEnabled("#" + what), `${what} is enabled`);
        return page.click("#" + what);
      }
      await click("#lbltitle"); // away from the boxes, whose Ctrl+Z is their own
      return page.keyboard.press(KEYS[name]);
    case "help":
      await page.click("#cmdhelp");
      return page.click("#Explosion .close");
    case "copy":
      return page.click("#copyLink");
    case "goals":
      return page.click("#openGoals");
    case "apply":
      return page.click("#applyPlan");
    case "save":
      return saveFile(page, name === "key" && "Control+s");
    case "open": {
      const bytes = Buffer.from(rest[0] ?? "", "hex");
      return name === "chooser" ? chooseFile(page, how, bytes) : dropFile(page, how, bytes);
    }
    case "paste":
      await page.fill("#codeText", Buffer.from(how ?? "", "hex").toString());
      return name === "button" ? page.click("#paste") : page.press("#codeText", "Enter");
  }
  throw new Error(`no action ${action}`);
}

// The bar's Undo and Redo as the page shows them, and as the answer says.
const shownHistory = (page) => page.evaluate(() =>
  ["undo", "redo"].map((id) => ({ enabled: !document.getElementById(id).disabled, title: document.getElementById(id).title })));
const expectedHistory = ({ undo, redo }) =>
  [["Undo", undo], ["Redo", redo]].map(([command, step]) => ({ enabled: step !== "", title: step ? `${command} ${step}` : command }));

test(`${RUNS} random runs of mouse and keys: the page's Undo and Redo are the native history's`, async () => {
  const lines = execFileSync(tool("web_trace"), ["history", String(RUNS)], { encoding: "utf8" }).trim().split("\n");
  let d = null, run = "", steps = 0;
  for (let i = 0; i < lines.length; i++) {
    if (lines[i].startsWith("run ")) {
      await d?.page.context().close();
      const context = await browser.newContext({ viewport: { width: 1280, height: 900 } });
      d = new Driver(await openPage(context), core);
      run = lines[i];
      continue;
    }
    const action = lines[i];
    const answer = JSON.parse(lines[++i]);
    const where = `${run}, action ${action}`;
    const saved = await act(d.page, action);
    await d.expect(answer).catch((error) => assert.fail(`${where}: ${error.message}`));
    if (answer.file) assert.deepEqual(saved, { name: answer.file.name, bytes: Buffer.from(answer.file.text) }, where);
    assert.equal(JSON.stringify(await shownHistory(d.page)), JSON.stringify(expectedHistory(answer)), where);
    steps++;
  }
  await d?.page.context().close();
  assert.deepEqual(d.page.errors, []);
  assert.ok(steps > 30 * RUNS, `only ${steps} actions`);
});

test("Ctrl+Z in a selection box undoes its text, as the browser does, and the core hears it as typing", async () => {
  const d = new Driver(await openPage(browser), core);
  await d.page.click("#cmbrace", { position: { x: 6, y: 6 } });
  await d.page.keyboard.type("Dwarf");
  await d.page.keyboard.press("Control+z");
  const text = await d.page.inputValue("#cmbrace");
  assert.notEqual(text, "Dwarf", "the browser undid the typing");
  d.mirror.type("cmbrace", "Dwarf");
  const answer = await d.expect(d.mirror.type("cmbrace", text));
  assert.equal(answer.redo, "");
  assert.deepEqual(await shownHistory(d.page), expectedHistory(answer), "the page's history did not step back");
});
