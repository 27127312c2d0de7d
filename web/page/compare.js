// The Compare panel: the page's plavet, live, beside a plavet from a file
// (chosen, or dropped on the panel) or from a code, a link or a chat line;
// every row with the difference marked by sign and symbol and in bold, the
// skill lists, and the presses that turn the plavet into the one compared.
// The core compares (web/compare.h); this shows what it answers.
//
//   PlavetCompare.openCompare(other)  // other: a File (or Blob with a name)
//                                     // or a text holding a code; opens the
//                                     // panel and compares the page's plavet
//                                     // with it. Resolves to true when read,
//                                     // false (the reason shown) when not.
"use strict";

var PlavetCompare = (function () {
  const encoder = new TextEncoder();
  const MARKS = { "=": "=", "\u2260": "\u2260" };
  let instance = null;

  function element(tag, attributes = {}, text = "") {
    const e = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes)) e.setAttribute(name, value);
    e.textContent = text;
    return e;
  }

  // "▲ +5", "▼ −3", "≠", "=": never a colour alone.
  function markOf(difference) {
    if (MARKS[difference]) return MARKS[difference];
    return (difference.startsWith("+") ? "\u25B2 " : "\u25BC ") + difference;
  }

  function build(panel) {
    const body = element("div", { class: "compare-body" });
    body.innerHTML = `
      <div class="compare-input">
        <button type="button" id="compareChoose" title="A .plavet file, or a note holding a plavet code; or drop a file on this panel">Choose File...</button>
        <input type="file" id="compareFile" accept=".plavet,.txt" hidden>
        <input id="compareText" autocomplete="off" spellcheck="false" placeholder="A plavet code, a link or a line holding one" aria-label="Plavet code to compare with">
        <button type="button" id="compareWithText">Compare</button>
      </div>
      <p id="compareStatus" role="status"></p>
      <div class="compare-tools" hidden>
        <label><input type="checkbox" id="compareOnly"> Only differences</label>
        <button type="button" id="comparePrevious" title="Ctrl+Up" aria-keyshortcuts="Control+ArrowUp">Previous Difference</button>
        <button type="button" id="compareNext" title="Ctrl+Down" aria-keyshortcuts="Control+ArrowDown">Next Difference</button>
        <button type="button" id="compareSwap" title="Exchanges the columns">Swap</button>
        <button type="button" id="compareReload" title="Reads the compared file again">Reload</button>
        <button type="button" id="compareOpen" title="Makes the compared plavet this page's; Undo takes it back">Open Compared</button>
      </div>
      <table id="compareRows" aria-label="The plavets row by row"><thead></thead><tbody></tbody></table>
      <p class="legend" hidden></p>
      <div id="compareDetails"></div>`;
    panel.append(body);
  }

  function create(panel, toggle, page) {
    build(panel);
    const byId = (id) => document.getElementById(id);
    const status = byId("compareStatus");
    const rowsBody = byId("compareRows").tBodies[0];
    const head = byId("compareRows").tHead;
    const tools = panel.querySelector(".compare-tools");
    const legend = panel.querySelector(".legend");
    const details = byId("compareDetails");
    const only = byId("compareOnly");
    let compared = null; // {name, bytes, kind (0 a file, 1 a text), file}
    let swapped = false;
    let shown = null; // the comparison as last shown

    const isOpen = () => !panel.hidden;
    function open() {
      panel.hidden = false;
      toggle.setAttribute("aria-expanded", "true");
      follow();
    }
    function close() {
      panel.hidden = true;
      toggle.setAttribute("aria-expanded", "false");
    }

    function ask(name, bytes, kind) {
      const plavet = page.plavet();
      return plavet.parsed(plavet.send("compare", name, bytes, kind, swapped ? 1 : 0));
    }

    // Read by the core as Open or Paste reads it; what can't be read is
    // refused with its reason, and the comparison shown stays as it was.
    function take(name, bytes, kind, file = null) {
      if (!page.plavet()) return false;
      const answer = ask(name, bytes, kind);
      if (answer.refused) {
        status.textContent = answer.refused;
        return false;
      }
      compared = { name, bytes, kind, file };
      swapped = false;
      show(answer.comparison);
      return true;
    }

    async function readFile(file) {
      const plavet = page.plavet();
      if (!plavet) return false;
      if (file.size > page.maxFileBytes()) {
        status.textContent = plavet.parsed(plavet.send("compare_large", file.name, file.size)).refused;
        return false;
      }
      let bytes;
      try {
        bytes = new Uint8Array(await file.arrayBuffer());
      } catch (error) {
        status.textContent = `The file ${file.name} cannot be compared: the browser could not read it (${error.message}).`;
        return false;
      }
      return take(file.name, bytes, 0, file);
    }

    function follow() {
      if (!isOpen() || !compared || !page.plavet()) return;
      const answer = ask(compared.name, compared.bytes, compared.kind);
      if (!answer.refused) show(answer.comparison);
    }

    function show(c) {
      shown = c;
      const differences = c.differences[0];
      status.textContent = `${c.compared[0]}: ${differences} ${differences === 1 ? "row differs" : "rows differ"}`;
      tools.hidden = legend.hidden = false;
      legend.textContent = "\u25B2 more there, \u25BC less there, \u2260 another text, = the same; rows that differ are bold";
      const heads = ["Row", c.base, c.compared[0], "Difference"];
      if (head.textContent !== heads.join("")) {
        const tr = element("tr");
        for (const h of heads) tr.append(element("th", { scope: "col" }, h));
        head.replaceChildren(tr);
      }
      while (rowsBody.rows.length < c.rows.length) rowsBody.append(element("tr", { tabindex: "-1" }));
      c.rows.forEach((row, i) => {
        const tr = rowsBody.rows[i];
        const cells = [row.name, row.base || "(none)", row.compared[0] || "(none)", markOf(row.differences[0])];
        if (tr.cells.length !== 4) tr.replaceChildren(...cells.map(() => element("td")));
        cells.forEach((text, k) => {
          if (tr.cells[k].textContent !== text) tr.cells[k].textContent = text;
        });
        const differs = row.differences[0] !== "=";
        tr.classList.toggle("differs", differs);
        tr.setAttribute("aria-label", row.spoken);
        tr.hidden = only.checked && !differs;
      });
      showDetails(c);
    }

    function list(items) {
      return items.length ? items.join(", ") : "none";
    }

    // "this plavet", "the code" within a sentence; a file's name as it is.
    const inSentence = (name) => (name === "This plavet" || name === "The code" ? name[0].toLowerCase() + name.slice(1) : name);

    function showDetails(c) {
      c = { ...c, base: inSentence(c.base), compared: c.compared.map(inSentence) };
      const parts = [];
      for (const s of c.skills[0]) {
        const p = element("p");
        p.append(element("b", {}, s.list === "first" ? "First-class skills" : "Second-class skills"),
          `: ${s.reached} reached. Only in ${c.base}: ${list(s.onlyBase)}. Only in ${c.compared[0]}: ` +
          `${list(s.onlyCompared)}. In both: ${list(s.both)}.`);
        parts.push(p);
      }
      const presses = c.presses[0];
      if (presses.whyNot) {
        const p = element("p");
        p.append(element("b", {}, `No presses turn ${c.base} into ${c.compared[0]}`), `: ${presses.whyNot}.`);
        parts.push(p);
      } else if (presses.length === 0) {
        parts.push(element("p", {}, `Nothing to press: ${c.base} is ${c.compared[0]} already.`));
      } else {
        parts.push(element("p", {}, `What turns ${c.base} into ${c.compared[0]}, in this order:`));
        const ol = element("ol");
        for (const step of presses) ol.append(element("li", {}, step.words));
        parts.push(ol);
      }
      details.replaceChildren(...parts);
    }

    function moveToDifference(direction) {
      if (!shown) return;
      const rows = [...rowsBody.rows];
      const at = rows.indexOf(document.activeElement);
      const from = at >= 0 ? at : direction > 0 ? -1 : rows.length;
      for (let i = from + direction; i >= 0 && i < rows.length; i += direction) {
        if (shown.rows[i].differences[0] === "=") continue;
        rows[i].focus();
        return;
      }
    }

    toggle.addEventListener("click", () => (isOpen() ? close() : open()));
    panel.querySelector(".close").addEventListener("click", close);
    const chooser = byId("compareFile");
    byId("compareChoose").addEventListener("click", () => chooser.click());
    chooser.addEventListener("change", () => {
      const file = chooser.files[0];
      chooser.value = "";
      if (file) readFile(file);
    });
    const text = byId("compareText");
    const withText = () => {
      if (text.value.trim() && take("The code", encoder.encode(text.value), 1)) text.value = "";
    };
    byId("compareWithText").addEventListener("click", withText);
    text.addEventListener("keydown", (event) => {
      if (event.key !== "Enter" || event.isComposing) return;
      event.preventDefault();
      withText();
    });
    // A file dropped on the panel is compared, not opened as the page's plavet.
    const carriesFiles = (event) => event.dataTransfer?.types.includes("Files");
    panel.addEventListener("dragover", (event) => {
      if (!carriesFiles(event)) return;
      event.preventDefault();
      event.stopPropagation();
      event.dataTransfer.dropEffect = "copy";
    });
    panel.addEventListener("drop", (event) => {
      if (!carriesFiles(event)) return;
      event.preventDefault();
      event.stopPropagation();
      if (event.dataTransfer.files.length > 0) readFile(event.dataTransfer.files[0]);
    });
    only.addEventListener("change", () => shown && show(shown));
    byId("compareNext").addEventListener("click", () => moveToDifference(1));
    byId("comparePrevious").addEventListener("click", () => moveToDifference(-1));
    panel.addEventListener("keydown", (event) => {
      const direction = { ArrowDown: 1, ArrowUp: -1 }[event.key];
      if (!direction || !(event.ctrlKey || event.metaKey) || event.target.closest("input")) return;
      event.preventDefault();
      moveToDifference(direction);
    });
    byId("compareSwap").addEventListener("click", () => {
      swapped = !swapped;
      follow();
    });
    byId("compareReload").addEventListener("click", async () => {
      if (!compared?.file) return;
      const keep = swapped;
      if (await readFile(compared.file)) {
        swapped = keep;
        follow();
      }
    });
    byId("compareOpen").addEventListener("click", () => {
      if (!compared) return;
      const { name, bytes, kind } = compared;
      page.send((p) => p.parsed(p.send("open_compared", name, bytes, kind)));
    });

    instance = {
      isOpen,
      open,
      close,
      follow,
      async openCompare(other) {
        open();
        if (typeof other === "string") return take("The code", encoder.encode(other), 1);
        return readFile(other);
      },
    };
    return instance;
  }

  return {
    create,
    openCompare: (other) => (instance ? instance.openCompare(other) : Promise.resolve(false)),
  };
})();
