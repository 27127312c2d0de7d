// The page beyond the window, in headless Chromium: links that carry a
// plavet, and the Skill Goals panel; a mirror core hears the same events and
// says what the page must show.
"use strict";

const assert = require("node:assert/strict");
const { test, before, after } = require("node:test");
const { loadCore, planNatively, launchBrowser, openPage, pageUrl, serveSite, Driver } = require("./support");

let browser, core;
before(async () => {
  browser = await launchBrowser(); // first, so that after() closes it whatever fails next
  core = await loadCore();
});
after(() => browser?.close());

// A page in a context of its own, opened at `url` as a link is opened.
async function freshPage(url) {
  const context = await browser.newContext();
  return openPage(context, url);
}

async function startedPlavet(race, first, second) {
  const d = new Driver(await openPage(browser), core);
  await d.choose(race, first, second);
  await d.click("cmdstrt");
  return d;
}

// ---- Links -----------------------------------------------------------------------

// Copy link with the clipboard refused or taken: what the page then shows.
async function copyLink(page, clipboardTakes) {
  await page.evaluate((takes) => {
    window.copied = null;
    navigator.clipboard.writeText = async (text) => {
      if (!takes) throw new DOMException("refused", "NotAllowedError");
      window.copied = text;
    };
  }, clipboardTakes);
  await page.click("#copyLink");
  await page.waitForFunction(() => document.getElementById("linkNote").textContent !== "");
  return page.evaluate(() => {
    const field = document.getElementById("link");
    return {
      link: field.value, copied: window.copied, note: document.getElementById("linkNote").textContent,
      selected: document.activeElement === field && field.selectionStart === 0 &&
        field.selectionEnd === field.value.length,
    };
  });
}

test("Copy link, and the link opened in a fresh page shows the same plavet", async () => {
  const d = await startedPlavet("Human", "Magic User", "Druid");
  for (const [arrow, button] of [["cmdmfu", "right"], ["cmdmfu", "right"], ["cmdmwu", "right"], ["cmdpau", "left"]])
    await d.press(arrow, button);
  await d.toggle("chkEndure");
  await d.toggle("chkPBonus1");
  await d.click("cmdmulti");
  await d.press("cmdmsu", "right");
  await d.click("cmdshsk"); // lists as a link's plavet has them
  const before = d.mirror.state();
  const code = d.mirror.code();
  assert.equal(await d.page.isVisible("#link"), false, "no link before Copy link");

  const refused = await copyLink(d.page, false);
  assert.equal(refused.link, `${pageUrl()}#${code}`);
  assert.match(refused.note, /did not let the page use the clipboard/);
  assert.ok(refused.selected, "the link waits selected for the user to copy");
  const taken = await copyLink(d.page, true);
  assert.deepEqual([taken.copied, taken.link], [refused.link, refused.link]);
  assert.match(taken.note, /on the clipboard/);
  // A page from disk makes links to a file of this computer, and says so.
  for (const { note } of [refused, taken])
    assert.match(note, /opens only on this computer\. To share a plavet, put the page's folder on a web host/);

  const opened = new Driver(await freshPage(refused.link), core);
  const { messages, state } = await opened.expect(opened.mirror.openCode(code));
  assert.deepEqual(messages, []);
  assert.deepEqual(state, before);
  assert.ok(state.fclstskill.length > 0 && state.sclstskill.length > 0);
  await opened.page.context().close();
});

test("Copy link on a page from a web host: whoever opens the link sees the plavet", async () => {
  const server = await serveSite();
  try {
    const page = await openPage(browser, server.url);
    const { note, link } = await copyLink(page, true);
    assert.equal(note, "The link is on the clipboard: whoever opens it sees this plavet.");
    assert.ok(link.startsWith(server.url + "#plavet1-"), link);
  } finally {
    await server.close();
  }
});

test("a link whose code can't be used says why, and the page is as at load", async () => {
  const good = (() => {
    const plavet = core.open();
    plavet.type("cmbrace", "Ogier");
    return plavet.code();
  })();
  const bad = {
    "a changed character": good.slice(0, -3) + (good.at(-3) === "A" ? "B" : "A") + good.slice(-2),
    "cut short": good.slice(0, 20),
    "a newer version": good.replace("1-", "9-"),
    "not a code": "Dwarf-Druid-Warrior",
  };
  const atLoad = core.open().state();
  for (const [what, code] of Object.entries(bad)) {
    const d = new Driver(await freshPage(`${pageUrl()}#${code}`), core);
    const answer = await d.expect(d.mirror.openCode(code));
    assert.equal(d.shownMessages.length, 1, what);
    assert.equal(d.shownMessages[0].title, "Plavet Link", what);
    assert.match(d.shownMessages[0].text, /^The link holds no plavet code that can be used: \S/, what);
    assert.deepEqual(answer.state, atLoad, what);
    await d.page.context().close();
  }
});

test("a link opened in the same tab replaces the plavet; a bad one changes nothing", async () => {
  const d = await startedPlavet("Minotaur", "Thief", "Bard");
  await d.press("cmdpfu", "right");
  const other = core.open();
  other.type("cmbrace", "Shade");
  other.type("cmbfc", "Druid");
  other.type("cmbsc", "Ranger");
  other.click("cmdstrt");
  other.mouseDown("cmdmeu", 2);
  other.click("cmdshsk");
  for (const code of [other.code(), other.code().slice(0, -1)]) {
    await d.page.evaluate((fragment) => (location.hash = fragment), code);
    await d.expect(d.mirror.openCode(code));
  }
  assert.deepEqual(d.mirror.state(), other.state());
  assert.equal(d.shownMessages.at(-1).title, "Plavet Link");
});

// ---- Skill Goals -------------------------------------------------------------------

const LISTS = ["firstClassGoals", "secondClassGoals"];

// What the panel shows of each row and race, and its counts and summary.
function shownGoals(page) {
  return page.evaluate((ids) => {
    const byId = (id) => document.getElementById(id);
    const seen = (e) => e.getClientRects().length > 0;
    const lists = ids.map((id) => ({
      title: byId(id + "-title").textContent,
      rows: Array.from(byId(id).tBodies[0].rows, (tr) => {
        const [order, skill, now, fit] = tr.cells;
        const label = skill.querySelector("label");
        const name = label.querySelector(".name");
        const note = skill.querySelector(".label-note");
        return {
          place: order.querySelector(".place").textContent,
          moves: Array.from(order.querySelectorAll("button"), (b) => seen(b) &&
            b.getAttribute("aria-label") + (b.getAttribute("aria-disabled") === "true" ? " (goes nowhere)" : ""))
            .filter(Boolean),
          text: name.textContent, needs: label.title.replace(/^Needs (nothing$)?/, ""),
          goal: label.querySelector("input").checked,
          struck: getComputedStyle(name).textDecorationLine === "line-through", tooltip: name.title,
          spoken: label.textContent, // the tick's name, as a screen reader says it
          labelNote: seen(note) ? note.textContent : "",
          now: now.textContent, met: tr.classList.contains("met"), fit: fit.textContent,
          colour: getComputedStyle(now).color,
        };
      }),
    }));
    const races = Array.from(byId("goalRaceRows").rows, (tr) => ({
      race: tr.querySelector("input").value, chosen: tr.querySelector("input").checked,
      badges: Array.from(tr.querySelectorAll(".badge"), (b) => seen(b) && b.textContent).filter(Boolean),
      kept: tr.cells[1].textContent, pointsLeft: Number(tr.cells[2].textContent),
    }));
    return {
      open: !byId("SkillGoals").hidden, hint: byId("goalsHint").textContent, chosen: !byId("goalsArea").hidden,
      lists, races, magicBonus: Number(byId("magicBonus").value), physicalBonus: Number(byId("physicalBonus").value),
      summary: byId("summary").innerText, dropped: Array.from(byId("summary").querySelectorAll("li"), (li) => li.textContent),
      table: Array.from(byId("summary").querySelectorAll(".values tbody tr"), (tr) =>
        Array.from(tr.cells).slice(1).map((td) => Number(td.textContent))),
    };
  }, LISTS);
}

// A row of the core's view as the panel must show it.
function rowMarks(row, goals) {
  const end = (at) => (at ? " (goes nowhere)" : "");
  return {
    place: row.goal ? String(row.order + 1) : "",
    moves: row.goal ? [`Move ${row.text} up${end(row.order === 0)}`, `Move ${row.text} down${end(row.order === goals - 1)}`] : [],
    text: row.text, needs: row.needs, goal: row.goal, struck: row.dropped, tooltip: row.reason,
    spoken: row.dropped ? `${row.text} (dropped: ${row.reason})` : row.text,
    labelNote: row.labelNote, now: row.now, met: row.met, fit: row.plan,
  };
}

// Checks the panel against the mirror's view; unmet is told in colour too.
async function expectGoals(page, view, what = "") {
  const shown = await shownGoals(page);
  assert.deepEqual([shown.open, shown.chosen, shown.hint], [true, view.chosen, view.hint], what);
  if (!view.chosen) return shown;
  assert.deepEqual([shown.magicBonus, shown.physicalBonus], [view.magicBonus, view.physicalBonus], what);
  const colours = new Map();
  for (const [copy, list] of view.lists.entries()) {
    assert.equal(shown.lists[copy].title, list.title, what);
    assert.deepEqual(shown.lists[copy].rows.map(({ colour, ...row }) => row),
      list.rows.map((row) => rowMarks(row, view.order.length)), what);
    for (const row of shown.lists[copy].rows) {
      if (!colours.has(row.met)) colours.set(row.met, row.colour);
      assert.equal(row.colour, colours.get(row.met), `${row.text}: the colour of its kind`);
    }
  }
  if (colours.size === 2) assert.notEqual(colours.get(true), colours.get(false));
  assert.deepEqual(shown.races, view.races.map((r) => ({
    race: r.race, chosen: r.chosen, badges: [r.best && "best", r.plavet && "the plavet's"].filter(Boolean),
    kept: `${r.kept} of ${view.plan.goals}`, pointsLeft: r.pointsLeft,
  })), what);
  return shown;
}

const rowBox = (page, list, text) => page.locator(`#${list} tbody tr`, { hasText: text }).locator("input");
const rowIndex = (view, copy, text) => view.lists[copy].rows.findIndex((row) => row.text.startsWith(text));

test("Skill Goals follows the plavet, plans as plavet plan does, and Apply Plan plays the plan", async () => {
  const d = new Driver(await openPage(browser), core);
  const { page, mirror } = d;
  await page.click("#openGoals");
  await expectGoals(page, mirror.openGoals());

  await d.choose("Aracoix", "Anti-Paladin", "Chaos Cleric");
  await d.click("cmdstrt");
  await d.toggle("chkBless");
  await d.toggle("chkMBonus1");
  await expectGoals(page, mirror.goals());
  await page.click("#SkillGoals .close");
  await page.click("#openGoals"); // takes the clan-town counts from the boxes again
  await expectGoals(page, mirror.openGoals());
  for (let i = 0; i < 3; i++) await d.press("cmdmsu", "right");
  await expectGoals(page, mirror.goals());

  const goals = [[1, "Black Mantle"], [1, "Heal Critical"], [0, "Ravage"], [1, "Deaths Door"]];
  let view = mirror.goals();
  for (const [copy, text] of goals) {
    await rowBox(page, copy ? "secondClassGoals" : "firstClassGoals", text).check();
    view = mirror.tick(copy, rowIndex(view, copy, text), true);
    await expectGoals(page, view);
  }
  await page.selectOption("#physicalBonus", "2");
  const shown = await expectGoals(page, mirror.setBonuses(1, 2));

  const native = planNatively({
    race: "Aracoix", first: "Anti-Paladin", second: "Chaos Cleric", magicBonus: 1, physicalBonus: 2,
    goals: goals.map(([copy, text]) => ({ copy, skill: view.lists[copy].rows[rowIndex(view, copy, text)].text })),
  });
  assert.match(shown.summary, new RegExp(`^Points left at the end: ${native.pointsLeft} \\(`));
  const values = (byKey) => Object.values(byKey);
  assert.deepEqual(shown.table, [values(native.beforeMulti).slice(0, 5), values(native.beforeMulti).slice(5),
    values(native.final).slice(0, 5), values(native.final).slice(5)]);
  assert.ok(native.dropped.length > 0);
  assert.deepEqual(shown.dropped, native.dropped.map((g) => `${g.skill} (${g.class} class): ${g.reason}`));

  // Copy Plan as Text: on the clipboard, or selected where the clipboard is refused.
  const checklist = mirror.goals().plan.checklist;
  assert.match(checklist, /\[ \] Multi-Class Now!/);
  await page.click("#copyPlan");
  // The clipboard answers later: wait for the note either way.
  await page.waitForFunction(() => document.getElementById("planNote").textContent !== "");
  const copied = await page.evaluate(() => ({ note: document.getElementById("planNote").textContent,
    text: document.getElementById("planText").hidden ? null : document.getElementById("planText").value }));
  assert.ok(copied.note === "The plan is on the clipboard." || copied.text === checklist, JSON.stringify(copied));
  // Print Plan prints the checklist alone.
  await page.emulateMedia({ media: "print" });
  assert.equal(await page.locator("#planPrint").innerText(), checklist);
  assert.equal(await page.locator("#SkillGoals").isVisible(), false);
  await page.emulateMedia({ media: "screen" });
  assert.equal(await page.locator("#planPrint").isVisible(), false);

  await page.click("#applyPlan");
  const { state } = await d.expect(mirror.applyPlan());
  assert.deepEqual(d.shownMessages, [{ title: "Ready!", text: "The Element List is ready to be used." }]);
  const boxes = ["mf", "me", "mw", "ma", "ms", "pf", "pe", "pw", "pa", "ps"].map((v) => Number(state["txt" + v]));
  assert.deepEqual(boxes, values(native.final));
  assert.equal(Number(state.txtmpr) + Number(state.txtppr) + Number(state.txtepr), native.pointsLeft);
  assert.ok(state.chkBless, "the player's spell stays checked");
  for (const kept of native.kept.filter((k) => k.class === "second")) assert.ok(state.sclstskill.includes(kept.skill));
  await d.click("cmdstrt"); // a reset: the view asks for selections again
  await expectGoals(page, mirror.goals());
  assert.deepEqual(page.errors, []);
});

test("the panel's marks, places and fits follow every tick, move, count and race; Apply Plan plays the race chosen", async () => {
  const d = await startedPlavet("Aracoix", "Warrior", "Chaos Cleric");
  const { page, mirror } = d;
  await page.click("#openGoals");
  let view = mirror.openGoals();
  await expectGoals(page, view);
  // Made once for these classes, the rows of the lists and of the race
  // table are kept through every act below.
  const rowsMade = "#firstClassGoals tbody tr, #secondClassGoals tbody tr, #goalRaceRows tr";
  await page.evaluate((rows) => document.querySelectorAll(rows).forEach((tr) => (tr.made = true)), rowsMade);
  const row = (copy, text) => page.locator(`#${LISTS[copy]} tbody tr`, { hasText: text });
  const at = (copy, text) => rowIndex(view, copy, text);
  const race = (name) => page.locator("#goalRaceRows tr", { hasText: name });
  const tick = (copy, text, ticked) => [`${ticked ? "tick" : "untick"} ${text}`,
    () => row(copy, text).locator("input").setChecked(ticked), () => mirror.tick(copy, at(copy, text), ticked)];
  // [what, the player's act, the mirror's, whether the focus and the lists' scrolling must stay]
  const acts = [
    tick(1, "Black Mantle", true), tick(1, "Heal Critical", true), tick(0, "Weapon Mastery (55", true),
    tick(1, "Deaths Door", true), tick(0, "Kick", true), tick(1, "Black Mantle", false),
    ["Deaths Door up by its button", () => page.click('button[aria-label="Move Deaths Door (120 MSpirit) up"]'),
      () => mirror.moveGoal(1, at(1, "Deaths Door"), -1)],
    ["Kick focused", () => row(0, "Kick").locator("input").focus(), () => view],
    ["Kick up with Alt+Up", () => page.keyboard.press("Alt+ArrowUp"), () => mirror.moveGoal(0, at(0, "Kick"), -1), true],
    ["Kick down with Alt+Down", () => page.keyboard.press("Alt+ArrowDown"), () => mirror.moveGoal(0, at(0, "Kick"), 1), true],
    ["Kick down again: the last goal goes nowhere", () => page.keyboard.press("Alt+ArrowDown"), () => view, true],
    ["Space unticks Kick", () => page.keyboard.press("Space"), () => mirror.tick(0, at(0, "Kick"), false), true],
    ["a Physical count", () => page.selectOption("#physicalBonus", "2"), () => mirror.setBonuses(view.magicBonus, 2)],
    ["a press in the window", () => d.press("cmdpfu", "right"), () => mirror.goals()],
    ["a clan-town box in the window", () => d.toggle("chkMBonus1"), () => mirror.goals()],
    // A Magic count that the page shows wrongly is not the player's: the core's is kept.
    ["a Physical count beside a stale Magic one", async () => {
      await page.evaluate(() => (document.getElementById("magicBonus").value = "2"));
      await page.selectOption("#physicalBonus", "1");
    }, () => mirror.setBonuses(view.magicBonus, 1)],
    ["Elf from the race table", () => race("Elf").locator("label").click(), () => mirror.chooseRace("Elf")],
    ["the next race by the arrow key", () => page.keyboard.press("ArrowDown"), () => mirror.chooseRace("Half-Giant")],
    ["Dwarf by its row", () => race("Dwarf").locator("td").nth(2).click(), () => mirror.chooseRace("Dwarf")],
  ];
  const kinds = new Set();
  for (const [what, act, expected, still] of acts) {
    const before = await page.evaluate((ids) => {
      window.focusBefore = document.activeElement;
      return ids.map((id) => document.getElementById(id).parentElement.scrollTop);
    }, LISTS);
    await act();
    view = expected();
    await expectGoals(page, view, what);
    const after = await page.evaluate(({ ids, rows }) => ({
      focus: document.activeElement === window.focusBefore,
      scroll: ids.map((id) => document.getElementById(id).parentElement.scrollTop),
      made: Array.from(document.querySelectorAll(rows)).every((tr) => tr.made),
    }), { ids: LISTS, rows: rowsMade });
    assert.ok(after.made, `${what}: rows made again`);
    if (still) assert.deepEqual([after.focus, after.scroll], [true, before], `${what}: focus and scrolling stay`);
    for (const r of view.lists.flat().flatMap((list) => list.rows))
      for (const kind of [r.dropped && "dropped", r.labelNote && "label note", r.fit.split(":")[0]]) kinds.add(kind);
  }
  assert.deepEqual(["dropped", "label note", "fits", "doesn't fit"].filter((k) => !kinds.has(k)), [], "every mark shown");

  const kept = view.lists.flatMap((list, copy) => list.rows.filter((r) => r.goal && !r.dropped).map((r) => [copy, r.text]));
  assert.ok(kept.some(([copy]) => copy === 0) && kept.some(([copy]) => copy === 1));
  await page.click("#applyPlan");
  const { state } = await d.expect(mirror.applyPlan());
  assert.equal(state.cmbrace, "Dwarf");
  for (const [copy, text] of kept) assert.ok(state[copy ? "sclstskill" : "fclstskill"].includes(text), text);
  view = await expectGoals(page, mirror.goals(), "after Apply Plan");
  assert.deepEqual(view.races.filter((r) => r.chosen).map((r) => [r.race, r.badges.includes("the plavet's")]),
    [["Dwarf", true]]);
  assert.deepEqual(page.errors, []);
});

test("ticks in the panel are steps of the plavet, and a link carries its goals to another page", async () => {
  const d = await startedPlavet("Dwarf", "Artificer", "Anti-Paladin");
  const { page, mirror } = d;
  await page.click("#openGoals");
  let view = mirror.openGoals();
  for (const [copy, text] of [[0, "Vorpalize (55"], [1, "Charge (45"]]) {
    await rowBox(page, LISTS[copy], text).check();
    view = mirror.tick(copy, rowIndex(view, copy, text), true);
    await expectGoals(page, view);
  }
  assert.equal(view.undo, "Tick Goal Charge");
  assert.equal(await page.getAttribute("#undo", "title"), "Undo Tick Goal Charge");
  const { link } = await copyLink(page, true);
  assert.match(link, /#plavet3-/);
  const other = await freshPage(link);
  await other.click("#openGoals");
  for (const [copy, text] of [[0, "Vorpalize (55"], [1, "Charge (45"]])
    assert.ok(await rowBox(other, LISTS[copy], text).isChecked(), text);
  await page.click("#undo");
  await d.expect(mirror.undo());
  assert.equal(await rowBox(page, LISTS[1], "Charge (45").isChecked(), false);
  assert.equal(await rowBox(page, LISTS[0], "Vorpalize (55").isChecked(), true);
  assert.deepEqual([...page.errors, ...other.errors], []);
});

test("the Skill Goals panel neither covers nor moves the window's controls", async () => {
  const page = await openPage(browser);
  const places = () => page.evaluate(() => {
    const panel = document.getElementById("SkillGoals").getBoundingClientRect();
    return Array.from(document.querySelectorAll("#Plavet [id]"), (e) => {
      const r = e.getBoundingClientRect();
      const covered = r.right > panel.left && r.left < panel.right && r.bottom > panel.top && r.top < panel.bottom;
      return [e.id, r.x, r.y, covered];
    });
  });
  const closed = await places();
  await page.click("#openGoals");
  const opened = await places();
  assert.deepEqual(opened.map(([id, x, y]) => [id, x, y]), closed.map(([id, x, y]) => [id, x, y]));
  assert.deepEqual(opened.filter(([, , , covered]) => covered), []);
});
