// The Find Classes panel: the skills a player wants, typed by name in an
// order the player sets, and every race with every first and second class
// ranked for them by the core (goals::advise), best first; each row tells
// which class gives each skill and why one is dropped. Plan This puts a row
// into the plavet and Skill Goals. The core answers the question (see
// web/advise.cpp); this shows what it answers, in its words.
"use strict";

var PlavetAdvise = (function () {
  const TOP = 20;
  const decoder = new TextDecoder();
  const encoder = new TextEncoder();

  function element(tag, attributes = {}, text = "") {
    const e = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes)) e.setAttribute(name, value);
    e.textContent = text;
    return e;
  }

  // The core's answer to one of web/advise.cpp's calls, or null.
  function ask(plavet, what, text) {
    try {
      const bytes = text === undefined ? plavet.send(what) : plavet.send(what, encoder.encode(text));
      return JSON.parse(decoder.decode(bytes));
    } catch {
      return null;
    }
  }

  // Which class gives each skill, and why one is dropped, in the core's words.
  const given = (row) => row.skills.map((s) => s.words).join("; ");

  function select(id, label, options) {
    const s = element("select", { id, "aria-label": label });
    for (const o of options) s.append(element("option", { value: o }, o || "Any"));
    return s;
  }

  // page: {plavet(): the core's plavet, races, classes: the lists' names,
  // planThis(row, question): the row's plan put in place}.
  function create(panel, toggle, page) {
    const question = { skills: [], magic: 0, physical: 0, race: "", first: "", second: "" };
    let all = false;
    let answer = null; // the table shown
    let pending = 0; // a timer for the newest question
    let chosen = 0; // the row chosen, by its rank from 0

    const title = element("div", { class: "title" });
    title.append(element("span", { id: "FindClasses-title" }, "Find Classes"),
      element("button", { class: "close", "aria-label": "Close", title: "Close" }, "\u2715"));
    const input = element("input", { id: "adviseSkill", type: "text", list: "adviseSkill-items",
      autocomplete: "off", spellcheck: "false", "aria-label": "Skill to add",
      "aria-describedby": "adviseSkill-warning", placeholder: "A skill's name, as Kick (Enter adds it)" });
    const names = element("datalist", { id: "adviseSkill-items" });
    const warning = element("span", { id: "adviseSkill-warning", class: "unseen" });
    const add = element("button", { type: "button", id: "adviseAdd" }, "Add");
    const list = element("ol", { id: "adviseSkills", "aria-label": "Skills wanted, in order" });
    const magic = select("adviseMagic", "Magic clan-town boxes", ["0", "1", "2"]);
    const physical = select("advisePhysical", "Physical clan-town boxes", ["0", "1", "2"]);
    const race = select("adviseRace", "Race", ["", ...page.races]);
    const first = select("adviseFirst", "First class", ["", ...page.classes]);
    const second = select("adviseSecond", "Second class", ["", ...page.classes]);
    const status = element("p", { id: "adviseStatus", role: "status" });
    const showAll = element("input", { type: "checkbox", id: "adviseAll" });
    const allLabel = element("label", {}, " Show all rows");
    allLabel.prepend(showAll);
    const table = element("table", { id: "adviseTable", "aria-label": "Races and classes, the best first" });
    const head = element("thead");
    const body = element("tbody");
    table.append(head, body);
    const detail = element("p", { id: "adviseDetail", "aria-live": "polite" });
    const planButton = element("button", { type: "button", id: "planThis",
      title: "A new plavet with this row's race and classes, and Skill Goals planning its skills" }, "Plan This");

    const typing = element("div", { class: "advise-typing" });
    const skillLabel = element("label", {}, "Skill: ");
    skillLabel.append(input);
    typing.append(skillLabel, names, add, warning);
    const counts = element("div", { class: "bonuses" }, "Clan-town bonus boxes: ");
    const only = element("div", { class: "bonuses" }, "Only with: ");
    for (const [to, text, s] of [[counts, "Magic ", magic], [counts, "Physical ", physical],
      [only, "Race ", race], [only, "First class ", first], [only, "Second class ", second]]) {
      const l = element("label", {}, text);
      l.append(s);
      to.append(l, " ");
    }
    const scroller = element("div", { class: "scroller" });
    scroller.append(table);
    panel.append(title, typing, list, counts, only, status, allLabel, scroller, detail, planButton);

    function plavet() {
      return page.plavet();
    }

    function showSkills() {
      list.replaceChildren();
      question.skills.forEach((name, i) => {
        const li = element("li");
        const up = element("button", { type: "button", "data-delta": "-1", "aria-label": `Move ${name} up` }, "\u25B2");
        const down = element("button", { type: "button", "data-delta": "1", "aria-label": `Move ${name} down` }, "\u25BC");
        const remove = element("button", { type: "button", "data-remove": "", "aria-label": `Remove ${name}` }, "\u2715");
        li.dataset.index = String(i);
        li.append(element("span", {}, name + " "), up, down, remove);
        list.append(li);
      });
    }

    function mark(text) {
      const answer = ask(plavet(), "skill_warning", text);
      const why = answer ? answer.warning : "";
      input.classList.toggle("warned", why !== "");
      input.title = why;
      warning.textContent = why;
      return why;
    }

    function addTyped() {
      const text = input.value.trim();
      if (!text || mark(text) !== "") return;
      // The name as the catalogue writes it, found among the offers.
      const name = [...names.options].map((o) => o.value)
        .find((n) => n.toLowerCase() === text.toLowerCase()) ?? text;
      if (!question.skills.some((s) => s.toLowerCase() === name.toLowerCase())) question.skills.push(name);
      input.value = "";
      showSkills();
      refresh();
    }

    // The newest question replaces any still waiting, so that typing never
    // waits for a table.
    function refresh() {
      clearTimeout(pending);
      status.textContent = "Finding the best races and classes\u2026";
      pending = setTimeout(compute, 0);
    }

    function compute() {
      const p = plavet();
      if (!p) return;
      const lines = [question.magic, question.physical, all ? 0 : TOP, question.race, question.first,
        question.second, ...question.skills];
      try {
        answer = p.advise(lines.join("\n"));
      } catch {
        answer = null;
      }
      chosen = 0;
      showTable();
    }

    function showTable() {
      head.replaceChildren();
      body.replaceChildren();
      if (!answer) return;
      const heads = ["Rank", "Race", "First class", "Second class", "Kept", "Points left", ...answer.skills];
      const tr = element("tr");
      for (const h of heads) tr.append(element("th", { scope: "col" }, h));
      head.append(tr);
      answer.rows.forEach((row, i) => {
        const r = element("tr", { tabindex: i === chosen ? "0" : "-1", "aria-label": row.words,
          title: given(row), "aria-selected": i === chosen ? "true" : "false" });
        const cells = [String(i + 1), row.race, row.firstClass, row.secondClass,
          `${row.kept} of ${answer.skills.length}`, String(row.pointsLeft)];
        for (const c of cells) r.append(element("td", { "aria-label": row.words }, c));
        for (const s of row.skills) {
          const td = element("td", { title: s.words, "aria-label": `${row.words}. ${s.words}` }, s.by);
          if (s.by === "dropped") td.classList.add("dropped");
          r.append(td);
        }
        body.append(r);
      });
      status.textContent = answer.rows.length === answer.combinations
        ? `All ${answer.combinations} combinations, the best first`
        : `The best ${answer.rows.length} of ${answer.combinations} combinations`;
      choose(chosen, false);
    }

    function choose(index, focus = true) {
      const rows = [...body.rows];
      if (!rows.length) {
        detail.textContent = "";
        planButton.disabled = true;
        return;
      }
      chosen = Math.max(0, Math.min(index, rows.length - 1));
      rows.forEach((r, i) => {
        r.setAttribute("aria-selected", i === chosen ? "true" : "false");
        r.tabIndex = i === chosen ? 0 : -1;
      });
      detail.textContent = given(answer.rows[chosen]);
      planButton.disabled = false;
      if (focus) rows[chosen].focus();
    }

    function planThis() {
      if (!answer || !answer.rows[chosen]) return;
      page.planThis(answer.rows[chosen], { magic: question.magic, physical: question.physical });
    }

    function isOpen() {
      return !panel.hidden;
    }

    function open() {
      const p = plavet();
      if (!p) return;
      if (!names.options.length) {
        const offered = ask(p, "skill_names");
        for (const n of offered ? offered.names : []) names.append(element("option", { value: n }));
      }
      panel.hidden = false;
      toggle.setAttribute("aria-expanded", "true");
      if (!answer) compute();
    }

    function close() {
      panel.hidden = true;
      toggle.setAttribute("aria-expanded", "false");
    }

    toggle.addEventListener("click", () => (isOpen() ? close() : open()));
    title.querySelector(".close").addEventListener("click", close);
    input.addEventListener("input", () => mark(input.value));
    input.addEventListener("keydown", (event) => {
      if (event.key === "Enter") {
        event.preventDefault();
        addTyped();
      }
    });
    add.addEventListener("click", addTyped);
    list.addEventListener("click", (event) => {
      const button = event.target.closest("button");
      const li = event.target.closest("li");
      if (!button || !li) return;
      const i = Number(li.dataset.index);
      if (button.hasAttribute("data-remove")) question.skills.splice(i, 1);
      else {
        const to = i + Number(button.dataset.delta);
        if (to < 0 || to >= question.skills.length) return;
        [question.skills[i], question.skills[to]] = [question.skills[to], question.skills[i]];
      }
      showSkills();
      refresh();
    });
    for (const [key, s] of [["magic", magic], ["physical", physical], ["race", race], ["first", first],
      ["second", second]]) {
      s.addEventListener("change", () => {
        question[key] = key === "magic" || key === "physical" ? Number(s.value) : s.value;
        refresh();
      });
    }
    showAll.addEventListener("change", () => {
      all = showAll.checked;
      refresh();
    });
    // The table by keys: Up and Down, Home and End choose a row; Enter plans it.
    body.addEventListener("keydown", (event) => {
      const step = { ArrowUp: -1, ArrowDown: 1, PageUp: -10, PageDown: 10 }[event.key];
      if (step) choose(chosen + step);
      else if (event.key === "Home") choose(0);
      else if (event.key === "End") choose(Infinity);
      else if (event.key === "Enter") planThis();
      else return;
      event.preventDefault();
    });
    body.addEventListener("click", (event) => {
      const tr = event.target.closest("tr");
      if (tr) choose([...body.rows].indexOf(tr));
    });
    planButton.addEventListener("click", planThis);

    return {
      isOpen,
      open,
      close,
      // For tests: the question and the table shown for it.
      question: () => ({ ...question, skills: [...question.skills] }),
      answer: () => answer,
      upToDate: () => answer !== null && status.textContent.indexOf("\u2026") < 0,
    };
  }

  return { create };
})();
