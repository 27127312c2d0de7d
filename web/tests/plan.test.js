// The Skill Goals view of the WebAssembly core against the desktop program's
// `plavet plan`: for random races, classes, clan-town counts and goals, the
// same plan; and Apply Plan leaves the plavet that the plan promises.
"use strict";

const assert = require("node:assert/strict");
const { test, before } = require("node:test");
const { loadCore, planNatively } = require("./support");

const PROBLEMS = Number(process.env.PLAVET_WEB_PLANS || 150);
const VALUE_BOXES = ["txtmf", "txtme", "txtmw", "txtma", "txtms", "txtpf", "txtpe", "txtpw", "txtpa", "txtps"];
const VALUE_KEYS = ["MFire", "MEarth", "MWater", "MAir", "MSpirit", "PFire", "PEarth", "PWater", "PAir", "PSpirit"];
const SPELLS = ["chkBless", "chkShield", "chkEndure"];

let core, races, classes;
before(async () => {
  core = await loadCore();
  ({ cmbrace: races, cmbfc: classes } = core.layout().items);
});

// Choices from a fixed start (mulberry32), so that a failing problem plays again.
function randomFrom(start) {
  let state = start;
  return (n) => {
    state = (state + 0x6d2b79f5) | 0;
    let t = Math.imul(state ^ (state >>> 15), 1 | state);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return ((t ^ (t >>> 14)) >>> 0) % n;
  };
}

function choose(plavet, race, first, second) {
  plavet.type("cmbrace", race);
  plavet.type("cmbfc", first);
  plavet.type("cmbsc", second);
}

// The summary's table as the ten values: "before multi-classing" or "at the end".
const tableValues = (plan, when) => plan.table.filter((row) => row.label.endsWith(when)).flatMap((row) => row.values);
const ticked = (view) => view.lists.flatMap((list, copy) => list.rows.flatMap((row, index) => (row.goal ? [[copy, index]] : [])));
const metRows = (list) => list.rows.filter((row) => row.met).map((row) => row.text).sort();

test(`${PROBLEMS} random problems: the view plans as plavet plan does, and Apply Plan plays the plan`, () => {
  for (let number = 1; number <= PROBLEMS; number++) {
    const random = randomFrom(number);
    const pick = (list) => list[random(list.length)];
    const [race, first, second] = [pick(races), pick(classes), pick(classes)];
    const plavet = core.open();
    choose(plavet, race, first, second);
    plavet.click("cmdstrt");
    const spells = SPELLS.filter(() => random(2));
    for (const spell of spells) plavet.check(spell, true);
    plavet.openGoals();
    const [magicBonus, physicalBonus] = [random(3), random(3)];
    let view = plavet.setBonuses(magicBonus, physicalBonus);
    // The command line names a skill by its text: only rows whose text is
    // their list's alone.
    const candidates = view.lists.flatMap((list, copy) => list.rows
      .filter((row) => list.rows.filter((other) => other.text === row.text).length === 1)
      .map((row) => ({ copy, index: list.rows.indexOf(row), skill: row.text })));
    const goals = [];
    for (let n = random(3) ? random(12) : 20 + random(60); n > 0 && candidates.length; n--) goals.push(...candidates.splice(random(candidates.length), 1));
    for (const goal of goals) view = plavet.tick(goal.copy, goal.index, true);

    const problem = `problem ${number}: ${race}, ${first} to ${second}, boxes ${magicBonus}/${physicalBonus}, ` +
      `goals ${goals.map((g) => g.skill).join("; ")}`;
    const native = planNatively({ race, first, second, magicBonus, physicalBonus, goals });
    const { plan } = view;
    assert.equal(plan.pointsLeft, native.pointsLeft, problem);
    assert.deepEqual(plan.pools, native.finalPools, problem);
    assert.deepEqual(tableValues(plan, "before multi-classing"), VALUE_KEYS.map((k) => native.beforeMulti[k]), problem);
    assert.deepEqual(tableValues(plan, "at the end"), VALUE_KEYS.map((k) => native.final[k]), problem);
    assert.deepEqual(plan.dropped.map((d) => [d.skill, d.copy, d.reason]),
      native.dropped.map((d) => [d.skill, `${d.class} class`, d.reason]), problem);

    const { messages, state } = plavet.applyPlan();
    assert.deepEqual(messages, [], problem);
    assert.deepEqual(VALUE_BOXES.map((box) => Number(state[box])), VALUE_KEYS.map((k) => native.final[k]), problem);
    assert.deepEqual([state.txtmpr, state.txtppr, state.txtepr].map(Number),
      [native.finalPools.magic, native.finalPools.physical, native.finalPools.either], problem);
    assert.deepEqual(SPELLS.map((spell) => state[spell]), SPELLS.map((spell) => spells.includes(spell)), problem);
    assert.deepEqual([state.chkMBonus1 + state.chkMBonus2, state.chkPBonus1 + state.chkPBonus2],
      [magicBonus, physicalBonus], problem);
    assert.ok(state.started && state.multiClassed && state.locked, problem);
    // The second-class list as "Show Current Skills" leaves it: the rows
    // whose needs the view now finds met. The first-class list as
    // multi-classing built it, when the first class learned its goals. Every
    // goal kept is listed.
    const after = plavet.goals();
    assert.deepEqual(ticked(after), ticked(view), problem);
    assert.deepEqual(state.sclstskill, metRows(after.lists[1]), problem);
    for (const kept of native.kept) {
      const list = kept.class === "first" ? state.fclstskill : state.sclstskill;
      assert.ok(list.includes(kept.skill), `${problem}: ${kept.skill} not listed`);
    }
    plavet.close();
  }
});

test("goals stay while the classes stay, go with other classes; without classes the view says what to choose", () => {
  const plavet = core.open();
  let view = plavet.openGoals();
  assert.equal(view.hint, "To plan skill goals, choose a race, a first class and a second class in the planner.");
  choose(plavet, "Dwarf", "Artificer", "Anti-Paladin");
  plavet.tick(0, 3, true);
  plavet.tick(1, 2, true);
  const steps = [
    ["another race", "cmbrace", "Elf", [[0, 3], [1, 2]]],
    ["a class not from its list", "cmbsc", "anti-paladin",
      'To plan skill goals, choose a second class from its list ("anti-paladin" is not one) in the planner.'],
    ["an empty race", "cmbrace", "", 'To plan skill goals, choose a race and a second class from its list ' +
      '("anti-paladin" is not one) in the planner.'],
    ["the same classes again", "cmbsc", "Anti-Paladin", "To plan skill goals, choose a race in the planner."],
    ["a race again", "cmbrace", "Elf", [[0, 3], [1, 2]]],
    ["another first class", "cmbfc", "Bard", []],
  ];
  for (const [what, combo, text, expected] of steps) {
    plavet.type(combo, text);
    view = plavet.goals();
    if (typeof expected === "string") {
      assert.deepEqual([view.chosen, view.hint], [false, expected], what);
      continue;
    }
    assert.deepEqual(ticked(view), expected, what);
    // Replanned for what is chosen now: as a view opened afresh on it.
    const fresh = core.open();
    choose(fresh, ...["cmbrace", "cmbfc", "cmbsc"].map((name) => plavet.state()[name]));
    fresh.openGoals();
    for (const [copy, index] of expected) fresh.tick(copy, index, true);
    assert.deepEqual(view.plan, fresh.goals().plan, what);
    fresh.close();
  }
});
