// The Skill Goals panel: every skill of the chosen classes with what it
// needs and how far the plavet is from it; the skills ticked are goals, and
// the best plan for them is shown and can be played into the plavet. The
// core keeps the goals and makes the plan (see web/goalsview.h); this shows
// what it answers.
"use strict";

var PlavetGoals = (function () {
  const ELEMENTS = ["Fire", "Earth", "Water", "Air", "Spirit"];

  function element(tag, attributes = {}, text = "") {
    const e = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes)) e.setAttribute(name, value);
    e.textContent = text;
    return e;
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
    const applyButton = byId("applyPlan");
    let plan = null; // the plan the panel shows

    function show(view) {
      hint.textContent = view.hint;
      area.hidden = !view.chosen;
      plan = view.chosen ? view.plan : null;
      applyButton.disabled = !plan;
      if (!view.chosen) return;
      bonuses.magic.value = String(view.magicBonus);
      bonuses.physical.value = String(view.physicalBonus);
      view.lists.forEach((list, copy) => showList(copy, list));
      showSummary();
    }

    // The rows are made again when the classes change; otherwise each row
    // takes its tick and how far the plavet is from it.
    function showList(copy, list) {
      const body = lists[copy].tBodies[0];
      if (titles[copy].textContent !== list.title || body.rows.length !== list.rows.length) {
        titles[copy].textContent = list.title;
        body.replaceChildren(...list.rows.map((row, index) => {
          const box = element("input", { type: "checkbox", "data-copy": copy, "data-row": index });
          const skill = element("label", { class: "skill", title: `Needs ${row.needs || "nothing"}` });
          skill.append(box, " " + row.text);
          const tr = element("tr");
          tr.append(element("td"), element("td"));
          tr.cells[0].append(skill);
          return tr;
        }));
      }
      list.rows.forEach((row, index) => {
        const tr = body.rows[index];
        tr.classList.toggle("met", row.met);
        tr.querySelector("input").checked = row.goal;
        const now = tr.cells[1];
        now.textContent = row.now;
        now.className = "now " + (row.met ? "met" : "unmet");
      });
    }

    // The plan in words: the points it leaves, the values before
    // multi-classing and at the end, the presses of each phase and the goals
    // it had to drop.
    function showSummary() {
      const p = plan;
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
      summary.replaceChildren(...parts);
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
      if (plan) page.applyPlan();
    }

    toggle.addEventListener("click", () => (isOpen() ? close() : open()));
    panel.querySelector(".close").addEventListener("click", close);
    for (const list of lists) {
      list.addEventListener("change", (event) => {
        const box = event.target;
        show(page.plavet().tick(Number(box.dataset.copy), Number(box.dataset.row), box.checked));
      });
    }
    for (const select of Object.values(bonuses)) {
      select.addEventListener("change", () =>
        show(page.plavet().setBonuses(Number(bonuses.magic.value), Number(bonuses.physical.value))));
    }
    byId("clearGoals").addEventListener("click", () => show(page.plavet().clearGoals()));
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
