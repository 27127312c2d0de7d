// The page in headless Chromium: the window's layout and keyboard order,
// a typical use, every refusal with its title, the arrows' mouse buttons,
// the lists' order, the help panel, and where it loads. How fast it loads is
// measured in bench/ (page_startup.js), not here.
"use strict";

const assert = require("node:assert/strict");
const fs = require("node:fs");
const path = require("node:path");
const { test, before, after } = require("node:test");
const { site, loadCore, windowLayout, launchBrowser, openPage, serveSite, Driver } = require("./support");

const px = (twips) => Math.trunc(twips / 15);
const TEXTS = {
  selectFirst: ["Rededovi Program v1.33",
    "You must select a race, a class, and a class to multi to before planning a plavet."],
  ready: ["Ready!", "The Element List is ready to be used."],
  resetting: ["YAY!", "Resetting your plavet selections."],
  noPointsToTakeOut: ["Oops!", "You have no points to take out!"],
  maxedOut: ["Oops!", "You're maxed out in that element!"],
  noMorePoints: ["UH OH!", "You have no more points to study in that element!"],
  bonusOver200: ["PlavetProgram", "Because I'm lazy and don't want to fix it, you can't add a bonus unless you don't go over 200, which right now, you're going to. Remove a few points and add the bonus in."],
  bonusUnder0: ["PlavetProgram", "Because I'm lazy and don't want to fix it, you can't add a bonus unless you don't go under 0, which right now, you're going to. Add a few points and then take the bonus out."],
  notStarted: ["PlavetProgram", "You haven't started your set-up yet. Select a Class, Multi-Class, and Race before you multi."],
  alreadyMultied: ["PlavetProgram", "You already have multied!"],
  multied: ["Raar!", "You have now multied! Woo!"],
};
const message = ([title, text]) => ({ title, text });

let browser, core, table, qtWindow;
before(async () => {
  browser = await launchBrowser(); // first, so that after() closes it whatever fails next
  core = await loadCore();
  table = core.layout(); // the table both views are built from
  qtWindow = windowLayout(); // what the Qt window shows, read from its widgets
});
after(() => browser?.close());

async function driver() {
  return new Driver(await openPage(browser), core);
}
async function started(race = "Dwarf", first = "Druid", second = "Warrior") {
  const d = await driver();
  await d.choose(race, first, second);
  await d.click("cmdstrt");
  return d;
}
async function times(count, act) {
  for (let i = 0; i < count; i++) await act();
}

// What a view must show of the table, in pixels: each control by name.
function expectedView() {
  const px = (twips) => Math.trunc(twips / table.twipsPerPixel);
  const controls = Object.fromEntries(table.controls.map((c) => [c.name, {
    name: c.name, kind: c.kind, caption: c.caption, accessible: c.accessible, place: c.place.map(px),
    style: c.style, ...(c.kind === "label" && { buddy: c.buddy }),
    ...(c.kind === "combo" && { items: table.items[c.name] }),
  }]));
  return { size: table.size.map(px), controls, rules: table.rules.map((r) => r.map(px)) };
}

test("the Qt window shows the table of controls, control for control", () => {
  const expected = expectedView();
  assert.deepEqual(qtWindow.size, expected.size);
  assert.deepEqual(Object.fromEntries(qtWindow.controls.map((c) => [c.name, c])), expected.controls);
  assert.deepEqual(qtWindow.rules, expected.rules);
  assert.deepEqual(qtWindow.tabOrder, table.tabOrder);
});

test("the page shows the table of controls, control for control", async () => {
  const page = await openPage(browser);
  const shown = await page.evaluate(() => {
    const origin = document.getElementById("Plavet").getBoundingClientRect();
    const kindOf = (e) => e.classList.contains("label") ? "label" : e.type === "checkbox" ? "check"
      : e.list ? "combo" : e.tagName === "INPUT" ? "number" : e.tagName === "SELECT" ? "list"
      : e.classList.contains("arrow") ? "arrow" : "button";
    const controls = {};
    for (const e of document.querySelectorAll("#Plavet [id]:not(datalist)")) {
      const kind = kindOf(e);
      const r = (e.closest(".check") || e).getBoundingClientRect();
      const style = getComputedStyle(e);
      // An arrow's triangle is the border of its ::before that has width.
      const pointsUp = getComputedStyle(e, "::before").borderTopWidth === "0px";
      const caption = kind === "check" ? e.closest(".check").textContent
        : kind === "arrow" ? (pointsUp ? "5" : "6") : e.tagName === "INPUT" ? e.value : e.textContent;
      controls[e.id] = {
        name: e.id, kind, caption, accessible: e.getAttribute("aria-label") ?? caption,
        place: [r.left - origin.left, r.top - origin.top, r.width, r.height],
        style: [kind === "label" && style.textAlign === "center" && "centred",
          kind === "label" && style.textAlign === "right" && "right",
          Number(style.fontWeight) >= 700 && "bold", style.fontSize === "16px" && "large", // 12 pt
          kind === "button" && style.whiteSpace !== "nowrap" && "wraps"].filter(Boolean),
        ...(kind === "label" && { buddy: e.htmlFor ?? "" }),
        ...(kind === "combo" && { items: Array.from(e.list.options, (o) => o.value) }),
      };
      if (kind === "number" && !(e.readOnly && style.textAlign === "right")) controls[e.id].kind = "?";
      if (kind === "list" && !(e.size > 1)) controls[e.id].kind = "?";
    }
    const rules = Array.from(document.querySelectorAll("#Plavet .rule"), (e) => {
      const r = e.getBoundingClientRect();
      return [r.left - origin.left, r.top - origin.top, r.right - origin.left - 1, r.bottom - origin.top - 1];
    });
    return { size: [origin.width, origin.height], controls, rules };
  });
  assert.deepEqual(shown, expectedView());
});

test("the keyboard goes through the controls in the window's order, from txtmf", async () => {
  const page = await openPage(browser);
  const order = [await page.evaluate(() => document.activeElement.id)];
  for (let i = 1; i < table.tabOrder.length; i++) {
    await page.keyboard.press("Tab");
    order.push(await page.evaluate(() => document.activeElement.id));
  }
  assert.deepEqual(order, table.tabOrder);
});

test("a typical use: choose, start, right presses, skills, multi-class, skills again, reset", async () => {
  const d = await driver();
  await d.choose("Dwarf", "Druid", "Warrior");
  let { state } = await d.click("cmdstrt");
  assert.deepEqual([state.txtmf, state.txtpe, state.txtmpr, state.txtppr, state.txtepr, state.txtdf],
    ["15", "15", "300", "120", "180", "15"]);
  state = (await d.press("cmdmfu", "right")).state;
  assert.deepEqual([state.txtmpr, state.txtmf], ["290", "25"]);
  await d.press("cmdpfu", "right");
  await times(3, () => d.press("cmdmwu", "right"));
  state = (await d.click("cmdshsk")).state;
  assert.ok(state.fclstskill.length > 1 && state.sclstskill.length === 0);
  state = (await d.click("cmdmulti")).state;
  assert.ok(state.sclstskill.length > 0 && state.locked);
  await d.toggle("chkShield");
  await d.press("cmdpau", "right");
  await d.press("cmdpad", "left");
  await d.click("cmdshsk");
  state = (await d.click("cmdstrt")).state;
  assert.ok(Object.keys(state).filter((n) => n.startsWith("txt") && n[3] !== "d").every((n) => state[n] === "0"));
  assert.deepEqual([state.cmbrace, state.cmbfc, state.cmbsc, state.locked], ["", "", "", false]);
  assert.deepEqual(d.shownMessages, [TEXTS.ready, TEXTS.multied, TEXTS.resetting].map(message));
  assert.deepEqual(d.page.errors, []);
});

// Each refusal, reached as a user reaches it; the driver checks the page
// against the core at every step, the case checks the last box shown.
const refusals = {
  "an arrow before choosing": [TEXTS.selectFirst, async () => {
    const d = await driver();
    await d.type("cmbrace", "Dwarf");
    await d.press("cmdmfu");
    return d;
  }],
  "a left lower at 0": [TEXTS.noPointsToTakeOut, async () => {
    const d = await started();
    await d.press("cmdmwd");
    return d;
  }],
  "a left raise at 200": [TEXTS.maxedOut, async () => {
    const d = await started();
    await times(18, () => d.press("cmdmfu", "right"));
    await times(6, () => d.press("cmdmfu"));
    return d;
  }],
  "a raise with both pools empty": [TEXTS.noMorePoints, async () => {
    const d = await started();
    await times(20, () => d.press("cmdpwu", "right"));
    await times(10, () => d.press("cmdpau", "right"));
    await d.press("cmdpsu", "right");
    await d.press("cmdpsu");
    return d;
  }],
  "a bonus over 200": [TEXTS.bonusOver200, async () => {
    const d = await started();
    await times(18, () => d.press("cmdmeu", "right"));
    await d.press("cmdmeu");
    const { state } = await d.toggle("chkMBonus1");
    assert.equal(state.chkMBonus1, false);
    return d;
  }],
  "a bonus taken out under 0": [TEXTS.bonusUnder0, async () => {
    const d = await started();
    await d.toggle("chkMBonus1");
    await times(5, () => d.press("cmdmwd"));
    const { state } = await d.toggle("chkMBonus1");
    assert.equal(state.chkMBonus1, true);
    return d;
  }],
  "multi-classing before a start": [TEXTS.notStarted, async () => {
    const d = await driver();
    await d.click("cmdmulti");
    return d;
  }],
  "multi-classing twice": [TEXTS.alreadyMultied, async () => {
    const d = await started();
    await d.click("cmdmulti");
    await d.click("cmdmulti");
    return d;
  }],
};

for (const [name, [expected, play]] of Object.entries(refusals)) {
  test(`refusal: ${name}`, async () => {
    const d = await play();
    assert.deepEqual(d.shownMessages.at(-1), message(expected));
  });
}

test("a right press moves ten points without a context menu; middle presses and keys move none", async () => {
  const d = await started();
  await d.page.evaluate(() => {
    window.menus = [];
    window.addEventListener("contextmenu", (e) => window.menus.push(e.defaultPrevented));
  });
  const { state } = await d.press("cmdmau", "right");
  assert.equal(state.txtma, "10");
  await d.press("cmdmad", "right");
  await d.press("cmdmad", "right"); // refused: a box opens over the arrow
  assert.deepEqual(d.shownMessages.at(-1), message(TEXTS.noPointsToTakeOut));
  const menus = await d.page.evaluate(() => window.menus);
  assert.ok(menus.length >= 2 && menus.every(Boolean), `context menus: ${menus}`);

  const before = d.mirror.state();
  await d.press("cmdmau", "middle");
  await d.page.focus("#cmdmau");
  await d.page.keyboard.press("Space");
  await d.page.keyboard.press("Enter");
  await d.expect({ messages: [], state: before });
});

// A middle press pastes the primary selection on Linux, on real input only:
// the mouse and keys below go through the browser's own input pipeline.
// Typing "Elf", selecting it and typing "Warrior" over it leaves "Elf" as
// the primary selection and the focus in the Second Class box.
const middlePressed = {
  "an arrow": "#cmdmfu", "a button": "#cmdstrt", "a number box": "#txtmf", "a list": "#fclstskill",
  "a check box": "#chkBless", "a label": "#lbltitle", "the bar": "#copyLink",
  "a goal's tick": "#firstClassGoals tbody input", "the goals' clan-town count": "#magicBonus",
  "Apply Plan": "#applyPlan", "the plan": "#summary",
};
for (const [what, target] of Object.entries(middlePressed)) {
  test(`a middle press on ${what} pastes nothing and changes nothing`, async () => {
    const d = await driver();
    await d.page.click("#openGoals");
    for (const [combo, text] of [["cmbrace", "Dwarf"], ["cmbfc", "Druid"], ["cmbsc", "Elf"]]) {
      await d.page.click("#" + combo, { position: { x: 8, y: 8 } });
      await d.page.keyboard.type(text);
    }
    await d.page.keyboard.press("Control+A");
    await d.page.keyboard.type("Warrior");
    for (const [combo, text] of [["cmbrace", "Dwarf"], ["cmbfc", "Druid"], ["cmbsc", "Warrior"]])
      d.mirror.type(combo, text); // what the page's core heard, keystroke by keystroke
    await d.page.locator(target).first().click({ button: "middle" });
    if (target === "#cmdmfu") d.mirror.mouseDown("cmdmfu", 4);
    await d.expect({ messages: [], state: d.mirror.state() });
    assert.equal(await d.page.evaluate(() => document.activeElement.id), "cmbsc");
  });
}

test("a middle press on a selection box pastes there, as the user's typing", async () => {
  const d = await driver();
  await d.page.click("#cmbsc", { position: { x: 8, y: 8 } });
  await d.page.keyboard.type("Elf");
  await d.page.keyboard.press("Control+A");
  await d.page.click("#cmbrace", { button: "middle", position: { x: 8, y: 8 } });
  const pasted = await d.page.inputValue("#cmbrace");
  assert.equal(pasted, "Elf");
  d.mirror.type("cmbsc", "Elf");
  await d.expect(d.mirror.type("cmbrace", pasted));
});

test("skill lists show their items in ascending order, each with its needs on hover", async () => {
  const d = await started("Human", "Magic User", "Druid");
  for (const arrow of ["cmdmfu", "cmdmeu", "cmdmwu", "cmdmau", "cmdmsu"]) await times(5, () => d.press(arrow, "right"));
  const shownLists = () => d.page.evaluate(() => Object.fromEntries(["fclstskill", "sclstskill"].map((id) =>
    [id, Array.from(document.getElementById(id).options, (o) => [o.text, o.title])])));
  const titles = (items) => items.map(([, title]) => title);
  await d.click("cmdmulti");
  const lists = await shownLists();
  const tips = d.mirror.skillTips();
  for (const [id, items] of Object.entries(lists)) {
    const texts = items.map(([text]) => text);
    assert.ok(texts.length > 10);
    assert.deepEqual(texts, [...texts].sort());
    assert.deepEqual(titles(items), tips[id]);
  }
  const all = Object.values(tips).flat();
  assert.ok(all.includes("Needs nothing: always listed") && all.some((tip) => /^Needs M[A-Z][a-z]+ \d+/.test(tip)), all);
});

test("the help text is the window's, in a panel that leaves the page usable", async () => {
  const d = await driver();
  await d.page.click("#cmdhelp");
  await d.page.click("#cmdhelp");
  assert.equal(await d.page.locator("dialog#Explosion[open]").count(), 1);
  assert.equal(await d.page.textContent("#lbldescription"), qtWindow.help);
  assert.equal(await d.page.evaluate(() => document.getElementById("Explosion").matches(":modal")), false);
  await d.choose("Ogier", "Bard", "Thief");
  await d.click("cmdstrt"); // the page works with the help open
  await d.page.click("#Explosion .close");
  assert.equal(await d.page.locator("dialog#Explosion[open]").count(), 0);
  await d.page.click("#cmdhelp");
  assert.equal(await d.page.locator("dialog#Explosion[open]").count(), 1);
});

test("the help panel, at any width from 600 px, neither moves nor covers a control, nor widens the page", async () => {
  for (const width of [600, 650, 750, 900, 1100, 1400]) {
    const context = await browser.newContext({ viewport: { width, height: 800 } });
    const page = await openPage(context);
    await page.click("#openGoals");
    const seen = () => page.evaluate(() => {
      const box = (e) => { // in the page's coordinates: opening the help may scroll it into sight
        const r = e.getBoundingClientRect();
        return [r.left + scrollX, r.top + scrollY, r.right + scrollX, r.bottom + scrollY];
      };
      const controls = Array.from(document.querySelectorAll("#Plavet [id]:not(datalist), .bar button, #SkillGoals"),
        (e) => [e.id, box(e)]);
      const help = document.getElementById("Explosion");
      return { controls, help: help.open && box(help), window: box(document.querySelector(".window")),
        scrollWidth: document.documentElement.scrollWidth };
    });
    const closed = await seen();
    await page.click("#cmdhelp");
    const open = await seen();
    const where = `at ${width} px`;
    assert.deepEqual(open.controls.filter(([id]) => id !== "SkillGoals"), closed.controls.filter(([id]) => id !== "SkillGoals"), where);
    assert.equal(open.scrollWidth, closed.scrollWidth, where);
    const [left, top, right, bottom] = open.help;
    assert.ok(right <= Math.max(width, closed.scrollWidth), `${where}: the help reaches ${right}`);
    for (const [id, [l, t, r, b]] of open.controls)
      assert.ok(r <= left || l >= right || b <= top || t >= bottom, `${where}: the help covers ${id}`);
    const beside = open.window[2] + 12 + (right - left) <= width;
    assert.ok(beside ? top === open.window[1] : top >= open.window[3], `${where}: the help is ${beside ? "beside" : "under"} the window`);
    await context.close();
  }
});

test("the page works from a static web host, and the folder is under 600 KB", async () => {
  const files = fs.readdirSync(site);
  const bytes = files.reduce((sum, f) => sum + fs.statSync(path.join(site, f)).size, 0);
  console.log(`${files.length} files, ${bytes} bytes`);
  assert.ok(bytes < 600 * 1024);

  const server = await serveSite();
  try {
    const page = await openPage(browser, server.url);
    const d = new Driver(page, core);
    await d.choose("Shade", "Thief", "Ranger");
    await d.click("cmdstrt");
    assert.deepEqual(d.shownMessages, [message(TEXTS.ready)]);
  } finally {
    server.close();
  }
});
