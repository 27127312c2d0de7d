// Find Classes on the page: the WebAssembly core's table against the
// desktop program's `plavet advise` for random questions, and the panel in
// headless Chromium: names typed, the table shown as the core answers, and
// Plan This leaving the plavet and a Skill Goals plan equal to the row.
"use strict";

const assert = require("node:assert/strict");
const { execFileSync } = require("node:child_process");
const path = require("node:path");
const { test, before, after } = require("node:test");
const { loadCore, launchBrowser, openPage, tool } = require("./support");

const program = process.env.PLAVET_PROGRAM || path.join(tool(""), "../../app/plavet");
const decoder = new TextDecoder();

let core, browser;
before(async () => {
  browser = await launchBrowser();
  core = await loadCore();
});
after(() => browser?.close());

const advised = (plavet, lines) => plavet.advise(lines.join("\n"));

test("the page's core ranks as plavet advise does", () => {
  const plavet = core.open();
  const names = JSON.parse(decoder.decode(plavet.send("skill_names"))).names;
  assert.equal(names.length, 206);
  let state = 7;
  const random = (n) => (state = (state * 1103515245 + 12345) % 2147483648) % n;
  for (let round = 0; round < 12; round++) {
    const skills = Array.from({ length: 1 + random(7) }, () => names[random(names.length)]);
    const [magic, physical] = [random(3), random(3)];
    const ours = advised(plavet, [magic, physical, 20, "", "", "", ...skills]);
    const args = ["advise", "--json", "--top", "20", "--magic-bonus", String(magic),
      "--physical-bonus", String(physical), ...skills.flatMap((s) => ["--skill", s])];
    const native = JSON.parse(execFileSync(program, args, { encoding: "utf8" }));
    assert.deepEqual(ours.skills, native.skills);
    assert.deepEqual(ours.rows.map((r) => [r.race, r.firstClass, r.secondClass, r.kept, r.pointsLeft]),
      native.rows.map((r) => [r.race, r.firstClass, r.secondClass, r.kept.length, r.pointsLeft]));
    // Each cell, written once for all the rows that share it, tells the row's own class or reason.
    ours.rows.forEach((row, i) => {
      const cells = native.skills.map((name) => {
        const kept = native.rows[i].kept.find((k) => k.skill === name);
        if (!kept) return { by: "dropped",
          words: `${name}: dropped, ${native.rows[i].dropped.find((d) => d.skill === name).reason}` };
        const by = kept.class === "first" ? row.firstClass : row.secondClass;
        return { by, words: `${name}: ${by} (${kept.class} class)` };
      });
      assert.deepEqual(row.skills, cells);
      assert.deepEqual(row.goals.map((g) => g.copy), native.rows[i].kept.map((k) => (k.class === "first" ? 0 : 1)));
    });
  }
  plavet.close();
});

test("the panel: typed names, the table, and Plan This", async () => {
  const page = await openPage(browser);
  await page.click("#openAdvise");
  for (const typed of ["kick", "Sanctuary", "fireball"]) {
    await page.fill("#adviseSkill", typed);
    await page.press("#adviseSkill", "Enter");
  }
  await page.fill("#adviseSkill", "Firebal");
  assert.match(await page.getAttribute("#adviseSkill", "title"), /Did you mean .Fireball.\?/);
  await page.waitForFunction(() => window.plavetAdvise.upToDate());
  const expected = advised(core.open(), [0, 0, 20, "", "", "", "Kick", "Sanctuary", "Fireball"]);
  const rows = await page.$$eval("#adviseTable tbody tr", (trs) => trs.map((tr) => tr.getAttribute("aria-label")));
  assert.deepEqual(rows, expected.rows.map((r) => r.words));

  // The second row, chosen by keys, planned.
  await page.focus("#adviseTable tbody tr");
  await page.keyboard.press("ArrowDown");
  await page.keyboard.press("Enter");
  const row = expected.rows[1];
  assert.deepEqual(await page.$$eval(["#cmbrace", "#cmbfc", "#cmbsc"].join(","), (es) => es.map((e) => e.value)),
    [row.race, row.firstClass, row.secondClass]);
  assert.equal(await page.isVisible("#SkillGoals"), true);
  assert.match(await page.textContent("#summary"), new RegExp(`Points left at the end: ${row.pointsLeft}\\b`));
  assert.deepEqual(page.errors, []);
});
