// The page: the planner's window drawn from a table of its controls, each
// user event handed to the core, and each answer shown as the window shows
// it: every message in a box over the state of its moment, then the state
// after the event. No rule of the planner lives here.
"use strict";

(function () {
  const APPLICATION_NAME = "PlavetProgram"; // a box without a title of its own shows it

  // ---- Building the window from its table of controls ----------------------------
  // The table is the core's (web/layoutjson.h), the one the desktop window is
  // built from: names, kinds, captions, places in twips, styles, lines,
  // keyboard order and the selection boxes' items.

  let table = null;
  const px = (twips) => Math.trunc(twips / table.twipsPerPixel);

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
    // A control that shows no caption of its own is named for screen readers.
    const label = c.accessible !== c.caption ? { "aria-label": c.accessible } : {};
    switch (c.kind) {
      case "label": {
        const e = named(c.buddy ? "label" : "div", c.buddy ? { for: c.buddy } : {}, c.caption);
        e.className = ["label", ...c.style].join(" ");
        return e;
      }
      case "number":
        return named("input", { class: "number", readonly: "", value: c.caption, ...label });
      case "combo": {
        // The list is there from the start, so that the box shows its
        // button from the start.
        const items = element("datalist", { id: c.name + "-items" });
        items.append(...table.items[c.name].map((item) => element("option", { value: item })));
        windowArea.append(items);
        byId("selectionWarnings").append(element("span", { id: c.name + "-warning" }));
        return named("input", {
          class: "combo", list: c.name + "-items", autocomplete: "off", spellcheck: "false", ...label,
          "aria-describedby": c.name + "-warning",
        });
      }
      case "button":
        return named("button", { type: "button", class: ["command", ...c.style].join(" ") }, c.caption);
      case "arrow": // "5" and "6": the glyphs of the window's symbol font
        return named("button", {
          type: "button", class: "arrow " + (c.caption === "5" ? "up" : "down"), ...label,
          title: `${c.accessible}: a left press moves 1 point, a right press 10.`,
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
    const [width, height] = table.size.map(px);
    Object.assign(windowArea.style, { width: width + "px", height: height + "px" });
    const onePixel = table.twipsPerPixel;
    for (const [x1, y1, x2, y2] of table.rules)
      windowArea.append(place(element("div", { class: "rule" }),
        [x1, y1, x2 - x1 + onePixel, y2 - y1 + onePixel]));
    // Labels first, then the controls that take focus in keyboard order, so
    // that the order of the page is the order of the keyboard.
    const byName = new Map(table.controls.map((c) => [c.name, c]));
    const focusable = table.tabOrder.map((name) => byName.get(name));
    const rest = table.controls.filter((c) => !table.tabOrder.includes(c.name));
    for (const c of [...rest, ...focusable]) windowArea.append(place(build(c), c.place));
  }

  // ---- Showing the core's state ----------------------------------------------

  function render(state) {
    for (const c of table.controls) {
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
          offers.get(c.name)?.follow();
          mark(e, state.warnings[c.name]);
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

  // A selection that names nothing of its list applies no rule: its box
  // says so in red and tells why on hover and to screen readers, as the
  // desktop's does.
  function mark(box, warning) {
    box.classList.toggle("warned", warning !== "");
    box.title = warning;
    byId(box.id + "-warning").textContent = warning;
  }

  // Each skill of a list tells what it needs on hover, as the desktop's do.
  function showTips(state) {
    const lists = table.controls.filter((c) => c.kind === "list");
    if (lists.every((c) => state[c.name].length === 0)) return;
    const tips = plavet.skillTips();
    for (const c of lists)
      Array.from(byId(c.name).options, (option, i) => (option.title = tips[c.name][i]));
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
  let reading = 0; // files being read, whose answers are still to come

  // Busy while an answer is on its way or being shown.
  const markBusy = () => windowArea.toggleAttribute("aria-busy", showing || reading > 0);

  function showMessage(title, text) {
    messageBox.querySelector(".title").textContent = title;
    messageBox.querySelector(".text").textContent = text;
    // Done as the box leaves the screen (OK, Enter or Escape), not at its
    // "close" event, which the browser sends a task later: a key typed in
    // between would find the page still showing the box and be lost.
    return new Promise((resolve) => {
      const closed = new MutationObserver(() => {
        if (messageBox.open) return;
        closed.disconnect();
        resolve();
      });
      closed.observe(messageBox, { attributes: true, attributeFilter: ["open"] });
      messageBox.showModal();
    });
  }

  // The core has run the whole rule; the page replays what the window showed.
  function show(answer) {
    current = answer.state;
    showing = true;
    markBusy();
    shown = (async () => {
      try {
        for (const message of answer.messages) {
          render(message.state);
          await showMessage(message.title || APPLICATION_NAME, message.text);
        }
        render(answer.state);
        showTips(answer.state);
        showHistory(answer);
        goalsView.follow();
        compareView.follow();
      } finally {
        showing = false;
        markBusy();
      }
    })();
    return shown;
  }

  // The bar's Undo and Redo, named after the step each would take, as the
  // desktop's menu names them; the title, after the plavet's file.
  function showHistory(answer) {
    const { undo, redo } = answer;
    for (const [button, command, step] of [[byId("undo"), "Undo", undo], [byId("redo"), "Redo", redo]]) {
      button.disabled = !step;
      button.title = button.textContent = step ? `${command} ${step}` : command;
    }
    PlavetTitle.follow(answer);
  }

  // ---- Events ------------------------------------------------------------------

  let plavet = null; // the core's plavet, once the module has loaded
  let maxFileBytes = 0; // the core's, likewise

  // The core's answer, or null when none came (no plavet yet, a box open).
  function send(event) {
    if (!plavet || showing) return null;
    const answer = event(plavet);
    show(answer);
    return answer;
  }

  // An event that comes by itself (a file read, a link opened) waits for
  // any box on screen to be closed.
  function sendWhenFree(event) {
    if (showing) return shown.then(() => sendWhenFree(event));
    return Promise.resolve(send(event));
  }

  const MOUSE_BUTTON_CODES = { 0: 1, 2: 2, 1: 4 }; // left, right, middle
  const takesText = (e) => ((e instanceof HTMLInputElement && e.type === "text") || e instanceof HTMLTextAreaElement) &&
    !e.readOnly && !e.disabled;
  let rightPressOnArrow = false;
  const offers = new Map(); // each selection box's offer of a name
  let completion = () => null; // the core's, once loaded

  function wire() {
    const help = byId("Explosion");
    help.querySelector(".close").addEventListener("click", () => help.close());
    byId("cmdhelp").addEventListener("click", () => {
      send((p) => p.click("cmdhelp")); // changes nothing, but ends typing in a box
      if (!help.open) help.show(); // not modal: the window stays usable
      help.scrollIntoView({ block: "nearest" }); // under the window, it may be out of sight
    });
    for (const c of table.controls) {
      const e = byId(c.name);
      switch (c.kind) {
        case "combo":
          // Only a text that changed is the user's typing: a paste of the
          // same text, or an input event of a press elsewhere, is not.
          e.addEventListener("input", () => {
            if (current && e.value !== current[c.name]) send((p) => p.type(c.name, e.value));
          });
          offers.set(c.name, PlavetOffer.wire(e, (typed) => completion(c.name, typed)));
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
    wireHistory();
    PlavetArrowKeys.wire(document.querySelectorAll("#Plavet .arrow"), byId("arrowKeys"), byId("arrowKeysHow"),
      (arrow, code) => send((p) => p.mouseDown(arrow, code)), () => send((p) => p.endTyping()));
    // The menu would open on the press or the release of a right button, and
    // over a message box opened by the press; an arrow's right press opens none.
    document.addEventListener("mousedown", () => (rightPressOnArrow = false), true);
    document.addEventListener("contextmenu", (event) => {
      if (rightPressOnArrow || event.target.closest?.(".arrow")) event.preventDefault();
      rightPressOnArrow = false;
    }, true);
  }

  // ---- Beyond the window: undo and redo, files, codes, links and skill goals ----

  // Undo and Redo, with the bar's buttons or the keys. A selection box that
  // takes typing keeps the browser's own Ctrl+Z for its text, as the
  // desktop's boxes keep theirs; what it undoes reaches the core as typing.
  function wireHistory() {
    byId("undo").addEventListener("click", () => send((p) => p.undo()));
    byId("redo").addEventListener("click", () => send((p) => p.redo()));
    document.addEventListener("keydown", (event) => {
      if (!(event.ctrlKey || event.metaKey) || event.altKey || takesText(event.target)) return;
      const key = event.key.toLowerCase();
      const undo = key === "z" && !event.shiftKey;
      const redo = (key === "z" && event.shiftKey) || (key === "y" && !event.shiftKey);
      if (!undo && !redo) return;
      event.preventDefault();
      send((p) => (undo ? p.undo() : p.redo()));
    });
    // Every other control of the page ends typing in a box, as the
    // desktop's menu commands do.
    for (const control of [byId("copyLink"), byId("openGoals"), byId("openAdvise"), byId("open"), document.querySelector("#Explosion .close"),
      document.querySelector("#SkillGoals .close"), byId("openCompare")])
      control.addEventListener("click", () => send((p) => p.endTyping()));
  }

  // ---- Files and codes -----------------------------------------------------------
  // Written and read by the desktop's own writer and reader, in the core:
  // the page only hands the bytes over. Save and Open answer Ctrl+S and
  // Ctrl+O anywhere in the page, the selection boxes too, which use neither.

  function wireFiles() {
    const chooser = byId("openFile");
    byId("save").addEventListener("click", saveFile);
    byId("open").addEventListener("click", () => chooser.click());
    chooser.addEventListener("change", () => {
      const file = chooser.files[0];
      chooser.value = ""; // the same file may be chosen again
      if (file) openFile(file);
    });
    document.addEventListener("keydown", (event) => {
      if (!(event.ctrlKey || event.metaKey) || event.altKey || event.shiftKey) return;
      const key = event.key.toLowerCase();
      if (key !== "s" && key !== "o") return;
      event.preventDefault(); // not the browser's own Save Page or Open File
      if (!plavet || showing) return;
      if (key === "s") saveFile();
      else byId("open").click();
    });
    // A file dropped anywhere on the page is opened, not shown by the browser
    // in the page's place.
    const carriesFiles = (event) => event.dataTransfer?.types.includes("Files");
    document.addEventListener("dragover", (event) => {
      if (!carriesFiles(event)) return;
      event.preventDefault();
      event.dataTransfer.dropEffect = "copy";
    });
    document.addEventListener("drop", (event) => {
      if (!carriesFiles(event)) return;
      event.preventDefault();
      if (event.dataTransfer.files.length > 0) openFile(event.dataTransfer.files[0]);
    });
    const codeText = byId("codeText");
    const paste = () => send((p) => {
      const answer = p.pasteCode(codeText.value);
      if (answer.messages.length === 0) codeText.value = ""; // taken
      return answer;
    });
    byId("paste").addEventListener("click", paste);
    codeText.addEventListener("keydown", (event) => {
      if (event.key !== "Enter" || event.shiftKey || event.isComposing) return; // Shift+Enter: a new line
      event.preventDefault();
      paste();
    });
  }

  // The plavet's file, downloaded; or a box saying why it can't be saved.
  function saveFile() {
    send((p) => {
      const answer = p.saveFile();
      if (answer.file) {
        const url = URL.createObjectURL(new Blob([answer.file.text], { type: "application/octet-stream" }));
        element("a", { href: url, download: answer.file.name }).click();
        setTimeout(() => URL.revokeObjectURL(url), 60000); // the download may start late
      }
      return answer;
    });
  }

  // A file larger than a plavet can be is refused by its size, unread.
  // Resolves to the core's answer (null when none came).
  async function openFile(file) {
    if (!plavet) return null;
    if (file.size > maxFileBytes) return sendWhenFree((p) => p.openLargeFile(file.name, file.size));
    let bytes;
    reading++;
    markBusy();
    try {
      bytes = new Uint8Array(await file.arrayBuffer());
    } catch (error) { // gone or changed since it was chosen
      return sendWhenFree((p) => {
        const answer = p.endTyping();
        const text = `The file ${file.name} cannot be opened: the browser could not read it (${error.message}).`;
        answer.messages.push({ text, title: "Open Plavet", state: answer.state });
        return answer;
      });
    } finally {
      reading--; // the answer is sent at once, or waits for a box while busy
    }
    return sendWhenFree((p) => p.openFile(file.name, bytes));
  }

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
  // The link the page opens with starts the history; one opened since is a
  // step that Undo takes back, as a pasted code is on the desktop.
  function openLink(atLoad = false, code = codeInLink()) {
    if (showing) return shown.then(() => openLink(atLoad, code));
    if (plavet && code) show(atLoad ? plavet.startWithCode(code) : plavet.openCode(code));
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
    // Installed, the page opens from any program by a link of its own.
    const appLink = PlavetLaunch.appLink(plavet.code());
    byId("appLink").value = appLink ?? "";
    byId("appLink").hidden = !appLink;
    // A link to a file names a place on this computer's disk.
    const reach = location.protocol === "file:"
      ? " This page was opened from a file, so the link opens only on this computer. To share " +
        "a plavet, put the page's folder on a web host and copy the link from the page there."
      : "";
    try {
      await navigator.clipboard.writeText(link);
      note.textContent = "The link is on the clipboard" +
        (reach ? "." + reach : ": whoever opens it sees this plavet.");
    } catch {
      note.textContent = "The browser did not let the page use the clipboard. The link is " +
        "selected below: copy it with Ctrl+C (\u2318C on a Mac)." + reach;
      field.focus();
      field.select();
    }
  }

  const goalsView = PlavetGoals.create(byId("SkillGoals"), byId("openGoals"), {
    plavet: () => plavet,
    applyPlan: () => send((p) => p.applyPlan()),
    showHistory,
  });
  const compareView = PlavetCompare.create(byId("Compare"), byId("openCompare"), {
    plavet: () => plavet,
    maxFileBytes: () => maxFileBytes,
    send,
  });

  // Find Classes (advise.js): Plan This puts the row's race and classes in a
  // fresh plavet, one step, and Skill Goals plans the row's skills.
  function wireAdvise() {
    const listed = (name) => [...byId(name + "-items").options].map((o) => o.value);
    window.plavetAdvise = PlavetAdvise.create(byId("FindClasses"), byId("openAdvise"), {
      plavet: () => plavet,
      races: listed("cmbrace"),
      classes: listed("cmbfc"),
      planThis(row, counts) {
        const lines = [row.race, row.firstClass, row.secondClass, counts.magic, counts.physical,
          ...row.goals.map((g) => `${g.copy} ${g.row}`)];
        send((p) => p.parsed(p.send("plan_this", new TextEncoder().encode(lines.join("\n")))));
        if (!goalsView.isOpen()) goalsView.open();
      },
    });
  }

  // Offline and installable, where the page comes from a web host (a page
  // from disk runs no worker): service-worker.js keeps the page's files. A
  // new version it finds waits until this page has everything it needs,
  // then takes over, so that the next load is the new version whole.
  async function keepForOffline() {
    if (location.protocol === "file:" || !("serviceWorker" in navigator)) return;
    try {
      const registration = await navigator.serviceWorker.register("service-worker.js");
      // A worker "installed" has every file of its version and waits.
      const takeOver = (worker) => {
        if (worker?.state === "installed") worker.postMessage("take over");
        else if (worker?.state === "installing")
          worker.addEventListener("statechange", () => takeOver(worker), { once: true });
      };
      takeOver(registration.waiting);
      takeOver(registration.installing);
      registration.addEventListener("updatefound", () => takeOver(registration.installing));
    } catch {
      // The page works as well without; it is only not kept for offline use.
    }
  }

  async function start() {
    const core = await PlavetCore.load();
    maxFileBytes = core.maxFileBytes;
    table = core.layout();
    buildWindow();
    byId(table.tabOrder[0]).focus();
    wire();
    byId("copyLink").addEventListener("click", copyLink);
    wireFiles();
    wireAdvise();
    window.addEventListener("hashchange", () => openLink());
    completion = core.completion;
    plavet = core.open();
    current = plavet.state();
    render(current);
    PlavetLaunch.start({
      openFile,
      openLink: (text, atLoad) => openLink(atLoad, text ?? codeInLink()),
      share: (text) => {
        byId("codeText").value = text;
        byId("codeText").focus();
      },
    });
    performance.mark("plavet-ready");
    document.documentElement.dataset.ready = "true";
    keepForOffline();
  }

  start().catch((error) => {
    document.body.append(element("p", { class: "failure" }, `The planner could not start: ${error}`));
  });
})();
