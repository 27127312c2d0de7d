// The page: the planner's window drawn from a table of its controls, each
// user event handed to the core, and each answer shown as the window shows
// it: every message in a box over the state of its moment, then the state
// after the event. No rule of the planner lives here.
"use strict";

(function () {
  const TWIPS_PER_PIXEL = 15;
  const px = (twips) => Math.trunc(twips / TWIPS_PER_PIXEL);
  const APPLICATION_NAME = "PlavetProgram"; // a box without a title of its own shows it

  // ---- The window's controls: name, kind, caption, place in twips, style ----

  const control = (name, kind, caption, left, top, width, height, style = {}) =>
    ({ name, kind, caption, place: [left, top, width, height], ...style });

  const CONTROLS = [
    // Top band
    control("lbltitle", "label", "Plavet Program v1.33.3 - It makes the plavet, not the character!",
      240, 120, 8175, 495, { centred: true, bold: true, large: true }),
    control("lblrace", "label", "Race", 240, 840, 1455, 255, { centred: true }),
    control("lblfc", "label", "First Class", 1920, 840, 1455, 255, { centred: true }),
    control("lblsc", "label", "Second Class", 3600, 840, 1455, 255, { centred: true }),
    control("cmbrace", "combo", "", 240, 1080, 1455, 315, { label: "Race" }),
    control("cmbfc", "combo", "", 1920, 1080, 1455, 315, { label: "First Class" }),
    control("cmbsc", "combo", "", 3600, 1080, 1455, 315, { label: "Second Class" }),
    control("cmdstrt", "button", "Start/Reset Plavet", 5520, 840, 2895, 495),
    // Pool band
    control("lblmhave", "label", "You have", 240, 1560, 735, 255),
    control("lblphave", "label", "You have", 240, 2040, 735, 255),
    control("lblehave", "label", "You have", 240, 2520, 735, 255),
    control("txtmpr", "number", "0", 1080, 1560, 615, 285, { label: "Magic Points remaining" }),
    control("txtppr", "number", "0", 1080, 2040, 615, 285, { label: "Physical Points remaining" }),
    control("txtepr", "number", "0", 1080, 2520, 615, 285, { label: "Either Points remaining" }),
    control("lblmpr", "label", "Magic Points remaining.", 1800, 1560, 1935, 255),
    control("lblppr", "label", "Physical Points remaining.", 1800, 2040, 1935, 255),
    control("lblepr", "label", "Either Points remaining.", 1800, 2520, 1935, 255),
    control("cmdmulti", "button", "Multi-Class Now!", 3840, 1560, 1215, 1215),
    control("cmdshsk", "button", "Show Current Skills", 5520, 1560, 2895, 495),
    control("cmdhelp", "button", "Help", 5520, 2280, 2895, 495),
    // Lower band
    control("lblfcabil", "label", "First Class Abilities...", 240, 4800, 2775, 255),
    control("fclstskill", "list", "", 240, 5160, 2895, 3375, { label: "First Class Abilities" }),
    control("lblscabil", "label", "Second Class Abilities...", 3360, 4800, 2775, 255),
    control("sclstskill", "list", "", 3360, 5160, 2895, 3375, { label: "Second Class Abilities" }),
    control("lblBonus", "label", "Element Effects", 6840, 4800, 1575, 255, { centred: true, bold: true }),
    control("lblSpells", "label", "Spell Effects", 6840, 5160, 1575, 255, { centred: true }),
    control("chkBless", "check", "Bless", 6720, 5520, 735, 255),
    control("chkShield", "check", "Shield", 7800, 5520, 735, 255),
    control("chkEndure", "check", "Endure", 7080, 5880, 1095, 255),
    control("lblClantown", "label", "Clantown Effects", 6960, 6360, 1335, 255, { centred: true }),
    control("lblPhysicalClantown", "label", "PElement Building", 6960, 6840, 1335, 255, { centred: true }),
    control("chkPBonus1", "check", "Bonus 1", 6600, 7320, 975, 255, { label: "PElement Building Bonus 1" }),
    control("chkPBonus2", "check", "Bonus 2", 7680, 7320, 975, 255, { label: "PElement Building Bonus 2" }),
    control("lblMElementClantown", "label", "MElement Amount", 6840, 7800, 1575, 255, { centred: true }),
    control("chkMBonus1", "check", "Bonus 1", 6600, 8280, 975, 255, { label: "MElement Amount Bonus 1" }),
    control("chkMBonus2", "check", "Bonus 2", 7680, 8280, 975, 255, { label: "MElement Amount Bonus 2" }),
  ];

  // The element grid: per element and kind an arrow pair, a label and a box.
  const COLUMNS = [
    { letter: "f", name: "Fire", arrowX: 120, labelX: 360, labelWidth: 480, boxX: 840 },
    { letter: "e", name: "Earth", arrowX: 1680, labelX: 1920, labelWidth: 615, boxX: 2640 },
    { letter: "w", name: "Water", arrowX: 3480, labelX: 3840, labelWidth: 615, boxX: 4560 },
    { letter: "a", name: "Air", arrowX: 5400, labelX: 5640, labelWidth: 495, boxX: 6240 },
    { letter: "s", name: "Spirit", arrowX: 7080, labelX: 7320, labelWidth: 615, boxX: 8040 },
  ];
  const ROWS = [
    { letter: "m", label: "M", y: 3120, raiseY: 3120, lowerY: 3360 },
    { letter: "p", label: "P", y: 3720, raiseY: 3600, lowerY: 3840 },
    { letter: "d", label: "D", y: 4320 },
  ];
  for (const col of COLUMNS) {
    for (const row of ROWS) {
      const suffix = row.letter + col.letter; // "mf"
      const caption = `${row.label} ${col.name}`; // "M Fire"
      CONTROLS.push(
        control("lbl" + suffix, "label", caption, col.labelX, row.y, col.labelWidth, 255,
          { rightAligned: true, for: "txt" + suffix }),
        control("txt" + suffix, "number", "0", col.boxX, row.y, 495, 285, { label: caption }));
      if (!row.raiseY) continue;
      CONTROLS.push(
        control(`cmd${suffix}u`, "arrow", "", col.arrowX, row.raiseY, 255, 195, { label: "Raise " + caption }),
        control(`cmd${suffix}d`, "arrow", "", col.arrowX, row.lowerY, 255, 195, { label: "Lower " + caption }));
    }
  }

  // Thin black lines, in twips: x1, y1, x2, y2.
  const RULES = [
    ...[720, 1440, 2880, 4200, 4680, 8640].map((y) => [120, y, 8760, y]),
    [120, 720, 120, 8640], [8760, 720, 8760, 8640], // the frame's sides
    [5160, 1440, 5160, 2880], // pools | buttons
    [6480, 4680, 6480, 8640], // the effects panel
    ...[5040, 5400, 6240, 6720, 7200, 7680, 8160].map((y) => [6480, y, 8760, y]),
  ];

  // The controls that take focus, in keyboard order.
  const TAB_ORDER = [
    ...ROWS.flatMap((row) => COLUMNS.map((col) => "txt" + row.letter + col.letter)),
    "cmbrace", "cmbfc", "txtmpr", "txtppr", "txtepr",
    ...COLUMNS.flatMap((col) =>
      ["mu", "md", "pu", "pd"].map(([kind, way]) => `cmd${kind}${col.letter}${way}`)),
    "cmdstrt", "cmbsc", "cmdmulti", "cmdhelp", "cmdshsk", "fclstskill", "sclstskill",
    "chkShield", "chkBless", "chkEndure", "chkPBonus1", "chkPBonus2", "chkMBonus1", "chkMBonus2",
  ];

  // ---- Building the page -----------------------------------------------------

  const byId = (id) => document.getElementById(id);
  const windowArea = byId("Plavet");

  function place(element, [left, top, width, height]) {
    Object.assign(element.style, {
      left: px(left) + "px", top: px(top) + "px", width: px(width) + "px", height: px(height) + "px",
    });
    return element;
  }

  function element(tag, attributes = {}, text = "") {
    const e = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes)) e.setAttribute(name, value);
    e.textContent = text;
    return e;
  }

  // Builds one control; returns what is placed in the window.
  function build(c) {
    const named = (tag, attributes, text) => element(tag, { id: c.name, ...attributes }, text);
    const label = c.label ? { "aria-label": c.label } : {};
    switch (c.kind) {
      case "label": {
        const e = named(c.for ? "label" : "div", c.for ? { for: c.for } : {}, c.caption);
        e.className = ["label", c.centred && "centred", c.rightAligned && "right", c.bold && "bold",
          c.large && "large"].filter(Boolean).join(" ");
        return e;
      }
      case "number":
        return named("input", { class: "number", readonly: "", value: c.caption, ...label });
      case "combo": {
        // Its items come from the core; the list is there from the start,
        // so that the box shows its button from the start.
        windowArea.append(element("datalist", { id: c.name + "-items" }));
        return named("input", {
          class: "combo", list: c.name + "-items", autocomplete: "off", spellcheck: "false", ...label,
        });
      }
      case "button":
        return named("button", { type: "button", class: "command" }, c.caption);
      case "arrow":
        return named("button", {
          type: "button", class: "arrow " + (c.name.endsWith("u") ? "up" : "down"), ...label,
          title: `${c.label}: a left press moves 1 point, a right press 10.`,
        });
      case "list":
        return named("select", { class: "list", size: "2", ...label });
      case "check": {
        const wrapper = element("label", { class: "check" });
        wrapper.append(named("input", { type: "checkbox", ...label }), c.caption);
        return wrapper;
      }
    }
    throw new Error(`unknown kind of control ${c.kind}`);
  }

  function buildWindow() {
    for (const [x1, y1, x2, y2] of RULES)
      windowArea.append(place(element("div", { class: "rule" }),
        [x1, y1, x2 - x1 + TWIPS_PER_PIXEL, y2 - y1 + TWIPS_PER_PIXEL]));
    // Labels first, then the controls that take focus in keyboard order, so
    // that the order of the page is the order of the keyboard.
    const byName = new Map(CONTROLS.map((c) => [c.name, c]));
    const focusable = TAB_ORDER.map((name) => byName.get(name));
    const rest = CONTROLS.filter((c) => !TAB_ORDER.includes(c.name));
    for (const c of [...rest, ...focusable]) windowArea.append(place(build(c), c.place));
  }

  // The items of the combo boxes, as the core has them.
  function offer(choices) {
    for (const [combo, items] of Object.entries(choices))
      byId(combo + "-items").replaceChildren(...items.map((item) => element("option", { value: item })));
  }

  // ---- Showing the core's state ----------------------------------------------

  function render(state) {
    for (const c of CONTROLS) {
      if (!(c.name in state)) continue;
      const e = byId(c.name);
      const value = state[c.name];
      switch (c.kind) {
        case "number":
          if (e.value !== value) {
            e.value = value;
            e.scrollLeft = 0; // a D value too long for its box shows its leading digits
            e.title = e.scrollWidth > e.clientWidth ? value : "";
          }
          break;
        case "combo":
          if (e.value !== value) e.value = value;
          e.readOnly = state.locked;
          break;
        case "check":
          e.checked = value;
          break;
        case "list":
          showList(e, value);
          break;
      }
    }
  }

  function showList(list, items) {
    const shown = Array.from(list.options, (o) => o.text);
    if (shown.length === items.length && shown.every((text, i) => text === items[i])) return;
    list.replaceChildren(...items.map((text) => element("option", {}, text)));
  }

  // ---- Messages ----------------------------------------------------------------

  const messageBox = byId("message");
  let showing = false; // while messages are on screen the page takes no events
  let shown = Promise.resolve(); // the answer being shown, done when it is
  let current = null; // the core's state after its last answer

  function showMessage(title, text) {
    messageBox.querySelector(".title").textContent = title;
    messageBox.querySelector(".text").textContent = text;
    return new Promise((resolve) => {
      messageBox.addEventListener("close", resolve, { once: true });
      messageBox.showModal();
    });
  }

  // The core has run the whole rule; the page replays what the window showed.
  function show(answer) {
    current = answer.state;
    showing = true;
    windowArea.setAttribute("aria-busy", "true");
    shown = (async () => {
      try {
        for (const message of answer.messages) {
          render(message.state);
          await showMessage(message.title || APPLICATION_NAME, message.text);
        }
        render(answer.state);
        goalsView.follow();
      } finally {
        showing = false;
        windowArea.removeAttribute("aria-busy");
      }
    })();
    return shown;
  }

  // ---- Events ------------------------------------------------------------------

  let plavet = null; // the core's plavet, once the module has loaded

  function send(event) {
    if (!plavet || showing) return;
    show(event(plavet));
  }

  const MOUSE_BUTTON_CODES = { 0: 1, 2: 2, 1: 4 }; // left, right, middle
  const takesText = (e) => e instanceof HTMLInputElement && e.type === "text" && !e.readOnly && !e.disabled;
  let rightPressOnArrow = false;

  function wire() {
    const help = byId("Explosion");
    help.querySelector(".close").addEventListener("click", () => help.close());
    byId("cmdhelp").addEventListener("click", () => {
      if (!help.open) help.show(); // not modal: the window stays usable
    });
    for (const c of CONTROLS) {
      const e = byId(c.name);
      switch (c.kind) {
        case "combo":
          // Only a text that changed is the user's typing: a paste of the
          // same text, or an input event of a press elsewhere, is not.
          e.addEventListener("input", () => {
            if (current && e.value !== current[c.name]) send((p) => p.type(c.name, e.value));
          });
          break;
        case "button":
          if (c.name !== "cmdhelp") e.addEventListener("click", () => send((p) => p.click(c.name)));
          break;
        case "check":
          e.addEventListener("change", () => send((p) => p.check(c.name, e.checked)));
          break;
        case "arrow":
          // The press does the work, with the button that made it; a click
          // (the release, or the keyboard) does nothing.
          e.addEventListener("mousedown", (event) => {
            const code = MOUSE_BUTTON_CODES[event.button];
            if (code === undefined) return;
            if (code !== 1) event.preventDefault(); // no scrolling or pasting either
            rightPressOnArrow = code === 2;
            send((p) => p.mouseDown(c.name, code));
          });
          break;
      }
    }
    // A middle press pastes the primary selection (on Linux, at its release)
    // into the text that has the focus. Only a box that takes text may take
    // a paste, and only when the press is on it: a middle press on a
    // button, an arrow, a list or a box pastes nothing, anywhere.
    for (const type of ["mousedown", "mouseup", "auxclick"]) {
      document.addEventListener(type, (event) => {
        if (event.button === 1 && !takesText(event.target)) event.preventDefault();
      }, true);
    }
    // The menu would open on the press or the release of a right button, and
    // over a message box opened by the press; an arrow's right press opens none.
    document.addEventListener("mousedown", () => (rightPressOnArrow = false), true);
    document.addEventListener("contextmenu", (event) => {
      if (rightPressOnArrow || event.target.closest?.(".arrow")) event.preventDefault();
      rightPressOnArrow = false;
    }, true);
  }

  // ---- Beyond the window: links and skill goals ---------------------------------

  // A link to the page whose fragment is the plavet's code; opening it shows
  // that plavet.
  const linkTo = (code) => location.href.replace(/#.*/s, "") + "#" + code;

  function codeInLink() {
    const fragment = location.hash.slice(1);
    try {
      return decodeURIComponent(fragment); // as some chat programs pass links on
    } catch {
      return fragment;
    }
  }

  // The plavet of the link the page was opened with, or of a link opened in
  // the same tab since (once any box on screen is closed); a code that can't
  // be used says why and changes nothing.
  function openLink() {
    if (showing) return shown.then(openLink);
    const code = codeInLink();
    if (plavet && code) show(plavet.openCode(code));
  }

  // The clipboard may be refused (a page from disk often is): the link then
  // waits selected in a text field for the user to copy.
  async function copyLink() {
    if (!plavet) return;
    const link = linkTo(plavet.code());
    const field = byId("link");
    const note = byId("linkNote");
    field.value = link;
    byId("linkBox").hidden = false;
    try {
      await navigator.clipboard.writeText(link);
      note.textContent = "The link is on the clipboard: whoever opens it sees this plavet.";
    } catch {
      note.textContent = "The browser did not let the page use the clipboard. The link is " +
        "selected below: copy it with Ctrl+C (\u2318C on a Mac).";
      field.focus();
      field.select();
    }
  }

  const goalsView = PlavetGoals.create(byId("SkillGoals"), byId("openGoals"), {
    plavet: () => plavet,
    applyPlan: () => send((p) => p.applyPlan()),
  });

  async function start() {
    buildWindow();
    byId("txtmf").focus();
    wire();
    byId("copyLink").addEventListener("click", copyLink);
    window.addEventListener("hashchange", openLink);
    const core = await PlavetCore.load();
    offer(core.choices());
    plavet = core.open();
    current = plavet.state();
    render(current);
    openLink();
    performance.mark("plavet-ready");
    document.documentElement.dataset.ready = "true";
  }

  start().catch((error) => {
    document.body.append(element("p", { class: "failure" }, `The planner could not start: ${error}`));
  });
})();
