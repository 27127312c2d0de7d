// The Skill Goals panel: every skill of the chosen classes with what it
// needs and how far the plavet is from it; the skills ticked are goals, kept
// or dropped in the order the player gives them, and the best plan for them
// is shown, beside how the same goals fare with every race, and can be
// played into the plavet. The core keeps the goals and makes the plan (see
// web/goalsview.h); this shows what it answers, in its words.
"use strict";

var PlavetGoals = (function () {
  const ELEMENTS = ["Fire", "Earth", "Water", "Air", "Spirit"];

  function element(tag, attributes = {}, text = "") {
    const e = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes)) e.setAttribute(name, value);
    e.textContent = text;
    return e;
  }

  // The panel follows every press of the window: what is already shown is
  // left alone, so that the browser lays out only what changed.
  function setText(e, text) {
    if (e.textContent !== text) e.textContent = text;
  }
  function setAttribute(e, name, value) {
    if (value === null) e.removeAttribute(name);
    else if (e.getAttribute(name) !== value) e.setAttribute(name, value);
  }

  // One row of a class: its place among the goals with the buttons that move
  // it, its tick and label (and where the label errs, the rule's needs),
  // how far the plavet is from it, and what it would cost the plan.
  function makeRow(row) {
    const r = {
      place: element("span", { class: "place" }),
      // Out of the Tab order: a list of fifty rows is walked by its ticks,
      // and Alt+Up/Alt+Down move the goal of a focused row.
      up: element("button", { type: "button", class: "move", tabindex: "-1", "data-delta": "-1",
        "aria-label": `Move ${row.text} up`, title: "Earlier among the goals: kept before those after it (Alt+Up)" }, "\u25B2"),
      down: element("button", { type: "button", class: "move", tabindex: "-1", "data-delta": "1",
        "aria-label": `Move ${row.text} down`, title: "Later among the goals (Alt+Down)" }, "\u25BC"),
      box: element("input", { type: "checkbox" }),
      name: element("span", { class: "name" }, row.text),
      why: element("span", { class: "unseen" }),
      note: element("span", { class: "label-note" }),
      now: element("td", { class: "now" }),
      fit: element("td", { class: "fit" }),
      tr: element("tr"),
    };
    const skill = element("label", { class: "skill", title: `Needs ${row.needs || "nothing"}` });
    skill.append(r.box, r.name, r.why);
    const order = element("td", { class: "order" });
    order.append(r.place, r.up, r.down);
    const skillCell = element("td");
    skillCell.append(skill, r.note);
    r.tr.append(order, skillCell, r.now, r.fit);
    return r;
  }

  function showRow(r, row, goals) {
    const { tr } = r;
    tr.classList.toggle("met", row.met);
    tr.classList.toggle("goal", row.goal);
    tr.classList.toggle("dropped", row.dropped);
    r.box.checked = row.goal;
    setText(r.place, row.goal ? String(row.order + 1) : "");
    if (r.up.hidden === row.goal) r.up.hidden = r.down.hidden = !row.goal;
    // At either end a move goes nowhere; the button stays where it is, so
    // that a focused one keeps the focus.
    setAttribute(r.up, "aria-disabled", row.goal && row.order === 0 ? "true" : null);
    setAttribute(r.down, "aria-disabled", row.goal && row.order === goals - 1 ? "true" : null);
    setAttribute(r.name, "title", row.dropped ? row.reason : null);
    setText(r.why, row.dropped ? ` (dropped: ${row.reason})` : "");
    setText(r.note, row.labelNote);
    if (r.note.hidden !== !row.labelNote) r.note.hidden = !row.labelNote;
    setText(r.now, row.now);
    setAttribute(r.now, "class", "now " + (row.met ? "met" : "unmet") + (row.fixed ? " fixed" : ""));
    setText(r.fit, row.fit);
  }

  // One race of the race table: a radio button, so that choosing it with
  // the mouse or the arrow keys plans with it.
  function makeRace(race) {
    const r = {
      input: element("input", { type: "radio", name: "goalRace", value: race.race }),
      best: element("span", { class: "badge best" }, "best"),
      own: element("span", { class: "badge own" }, "the plavet's"),
      kept: element("td", { class: "count" }),
      points: element("td", { class: "count" }),
      tr: element("tr"),
    };
    const label = element("label");
    label.append(r.input, " " + race.race, r.best, r.own);
    const name = element("td");
    name.append(label);
    r.tr.append(name, r.kept, r.points);
    return r;
  }

  function showRace(r, race, goals) {
    r.input.checked = race.chosen;
    r.tr.classList.toggle("chosen", race.chosen);
    r.best.hidden = !race.best;
    r.own.hidden = !race.plavet;
    setText(r.kept, `${race.kept} of ${goals}`);
    setText(r.points, String(race.pointsLeft));
  }

  // The plan in words: the points it leaves, the values before
  // multi-classing and at the end, the presses of each phase and the goals
  // it had to drop.
  function summaryOf(p) {
    const points = element("p");
    points.append(element("b", {}, `Points left at the end: ${p.pointsLeft}`),
      ` (Magic ${p.pools.magic}, Physical ${p.pools.physical}, Either ${p.pools.either})`);
    const table = element("table", { class: "values" });
    const header = table.createTHead().insertRow();
    for (const name of ["", ...ELEMENTS]) header.append(element("th", {}, name));
    const body = table.createTBody();
    for (const row of p.table) {
      const tr = body.insertRow();
      tr.append(element("th", { scope: "row" }, row.label),
        ...row.values.map((value) => element("td", {}, String(value))));
    }
    const presses = element("p", { class: "presses" });
    presses.append(`Before multi-classing: ${p.beforeMulti}.`, element("br"),
      `After multi-classing: ${p.afterMulti}.`);
    const parts = [points, table, presses];
    if (p.goals === 0) parts.push(element("p", {}, "Tick the skills you want: the plan follows every tick."));
    if (p.dropped.length) {
      const heading = element("p");
      heading.append(element("b", {}, "Dropped goals"), " (they can't be met with the goals before them):");
      const items = element("ul", { class: "dropped" });
      for (const d of p.dropped) items.append(element("li", {}, `${d.skill} (${d.copy}): ${d.reason}`));
      parts.push(heading, items);
    }
    return parts;
  }

  // `page.plavet()` is the core's plavet (null until it has loaded);
  // `page.applyPlan()` plays the plan as a user event.
  function create(panel, toggle, page) {
    const byId = (id) => document.getElementById(id);
    const hint = byId("goalsHint");
    const area = byId("goalsArea");
    const lists = [byId("firstClassGoals"), byId("secondClassGoals")];
    const titles = [byId("firstClassGoals-title"), byId("secondClassGoals-title")];
    const bonuses = { magic: byId("magicBonus"), physical: byId("physicalBonus") };
    const summary = byId("summary");
    const raceRows = byId("goalRaceRows");
    const applyButton = byId("applyPlan");
    let view = null; // the core's view as last shown
    let planShown = ""; // the plan the summary shows, as JSON
    const rows = [[], []]; // each list's rows, as makeRow made them
    let races = []; // the race table's rows, as makeRace made them

    function show(next) {
      view = next;
      setText(hint, view.hint);
      area.hidden = !view.chosen;
      applyButton.disabled = !(view.chosen && view.plan);
      if (!view.chosen) return;
      // The counts are the core's after every event: a select never keeps
      // a value the core has replaced (the plavet's boxes changed, or it was
      // replaced).
      bonuses.magic.value = String(view.magicBonus);
      bonuses.physical.value = String(view.physicalBonus);
      view.lists.forEach((list, copy) => showList(copy, list));
      const planJson = JSON.stringify(view.plan);
      if (planJson !== planShown) {
        planShown = planJson;
        summary.replaceChildren(...(view.plan ? summaryOf(view.plan) : []));
      }
      showRaces();
    }

    // The rows are made again when the classes change; otherwise each row
    // takes its marks in place, so that the focus and the lists' scrolling
    // stay where they are.
    function showList(copy, list) {
      if (titles[copy].textContent !== list.title || rows[copy].length !== list.rows.length) {
        titles[copy].textContent = list.title;
        rows[copy] = list.rows.map(makeRow);
        lists[copy].tBodies[0].replaceChildren(...rows[copy].map((r) => r.tr));
      }
      list.rows.forEach((row, index) => showRow(rows[copy][index], row, view.order.length));
    }

    function showRaces() {
      if (races.length !== view.races.length || races.some((r, i) => r.input.value !== view.races[i].race)) {
        races = view.races.map(makeRace);
        raceRows.replaceChildren(...races.map((r) => r.tr));
      }
      const goals = view.plan ? view.plan.goals : 0;
      view.races.forEach((race, i) => showRace(races[i], race, goals));
    }

    // A change the core refuses (a row or race no longer shown, a move that
    // goes nowhere) changes nothing: the panel then shows the view as it is.
    // A change the plavet keeps (a tick, a move, a count, Clear Goals) is a
    // step of its history: the view then names Undo's and Redo's steps.
    function act(change) {
      const plavet = page.plavet();
      if (!plavet) return;
      let next;
      try {
        next = change(plavet);
      } catch {
        next = plavet.goals();
      }
      show(next);
      if (typeof next.undo === "string") page.showHistory(next);
    }

    // Where the player ticked or pressed: the class (0 first) and the row.
    function rowOf(target) {
      const tr = target.closest("tr");
      const copy = lists.findIndex((list) => list.contains(tr));
      const index = copy < 0 ? -1 : rows[copy].findIndex((r) => r.tr === tr);
      return index < 0 ? null : { copy, index, row: view.lists[copy].rows[index] };
    }

    function move(target, delta) {
      const at = rowOf(target);
      if (!at || !at.row.goal) return false;
      const to = at.row.order + delta;
      if (to >= 0 && to < view.order.length) act((p) => p.moveGoal(at.copy, at.index, delta));
      return true;
    }

    function isOpen() {
      return !panel.hidden;
    }

    // Opening takes the clan-town counts from the plavet's boxes.
    function open() {
      const plavet = page.plavet();
      if (!plavet) return;
      panel.hidden = false;
      toggle.setAttribute("aria-expanded", "true");
      show(plavet.openGoals());
    }

    function close() {
      panel.hidden = true;
      toggle.setAttribute("aria-expanded", "false");
    }

    function applyPlan() {
      if (view && view.chosen && view.plan) page.applyPlan();
    }

    toggle.addEventListener("click", () => (isOpen() ? close() : open()));
    panel.querySelector(".close").addEventListener("click", close);
    for (const list of lists) {
      list.addEventListener("change", (event) => {
        const at = rowOf(event.target);
        if (at) act((p) => p.tick(at.copy, at.index, event.target.checked));
      });
      list.addEventListener("click", (event) => {
        const button = event.target.closest("button.move");
        if (button) move(button, Number(button.dataset.delta));
      });
      list.addEventListener("keydown", (event) => {
        const delta = { ArrowUp: -1, ArrowDown: 1 }[event.key];
        if (!event.altKey || !delta) return;
        if (move(event.target, delta)) event.preventDefault();
      });
    }
    // Only the count the player changed is the player's; the other is the
    // core's, never what a select may still show.
    for (const [kind, select] of Object.entries(bonuses)) {
      select.addEventListener("change", () => act((p) => {
        const now = p.goals();
        if (!now.chosen) return now;
        const counts = { magic: now.magicBonus, physical: now.physicalBonus, [kind]: Number(select.value) };
        return p.setBonuses(counts.magic, counts.physical);
      }));
    }
    raceRows.addEventListener("change", (event) => act((p) => p.chooseRace(event.target.value)));
    // A press anywhere on a race's row chooses it, as a press on its name does.
    raceRows.addEventListener("click", (event) => {
      const tr = event.target.closest("tr");
      if (tr && !event.target.closest("label")) races.find((r) => r.tr === tr)?.input.click();
    });
    byId("clearGoals").addEventListener("click", () => act((p) => p.clearGoals()));
    applyButton.addEventListener("click", applyPlan);
    panel.addEventListener("keydown", (event) => {
      if (event.key === "Enter" && (event.ctrlKey || event.metaKey)) {
        event.preventDefault();
        applyPlan();
      }
    });

    return {
      isOpen,
      open,
      close,
      // After every event of the page: the panel follows the plavet.
      follow() {
        if (isOpen() && page.plavet()) show(page.plavet().goals());
      },
    };
  }

  return { create };
})();
