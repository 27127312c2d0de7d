// The planner core as the page's script and the tests call it. Appended to
// the module's script by the build, so one script brings both.
//
//   const core = await PlavetCore.load();
//   const plavet = core.open();             // a fresh plavet, as the page opens
//   const outcome = plavet.click("cmdstrt");
//   // outcome.messages: [{text, title, state}], outcome.state: the state after,
//   // outcome.undo, outcome.redo: the steps Undo and Redo would take;
//   // outcome.fileName, .modified, .unsaved: the file, as the caption shows it
//   const link = "#" + plavet.code();
//   const saved = plavet.saveFile();       // saved.file: {name, text}
//
// Every event returns what the page must show: the messages in order, each
// over the state of its moment, then the state after the event.
var PlavetCore = (function () {
  "use strict";
  const decoder = new TextDecoder();
  const encoder = new TextEncoder();

  class Plavet {
    constructor(module) {
      this.module = module;
      this.session = module._plavet_open();
    }
    close() {
      this.module._plavet_close(this.session);
    }

    click(button) {
      return this.parsed(this.send("click", button));
    }
    mouseDown(arrow, buttonCode) {
      return this.parsed(this.send("mouse_down", arrow, buttonCode));
    }
    check(box, checked) {
      return this.parsed(this.send("check", box, checked));
    }
    type(combo, text) {
      return this.parsed(this.send("type", combo, encoder.encode(text)));
    }
    // Find Classes: the table for a question of lines (web/advise.cpp), each
    // row {race, firstClass, secondClass, kept, pointsLeft, words, skills:
    // [{by, words}] for each name asked, goals: [{copy, row}]}. Throws for a
    // question that is none.
    advise(text) {
      const answer = this.parsed(this.send("advise", encoder.encode(text)));
      const cells = answer.said.map(([by, words]) => ({ by, words }));
      answer.rows = answer.rows.map(([race, firstClass, secondClass, kept, pointsLeft, words, said, flat]) => {
        const goals = [];
        for (let k = 0; k < flat.length; k += 2) goals.push({ copy: flat[k], row: flat[k + 1] });
        return { race, firstClass, secondClass, kept, pointsLeft, words, skills: said.map((i) => cells[i]), goals };
      });
      delete answer.said;
      return answer;
    }
    state() {
      return JSON.parse(decoder.decode(this.send("state")));
    }

    // The undo history: each answers as an event does, and every answer
    // names the steps Undo and Redo would take (undo, redo; "" for none).
    // endTyping(): the user used a control that changes no plavet.
    undo() {
      return this.parsed(this.send("undo"));
    }
    redo() {
      return this.parsed(this.send("redo"));
    }
    endTyping() {
      return this.parsed(this.send("end_typing"));
    }

    // What each item of the skill lists needs, item for item:
    // {fclstskill: ["Needs MFire 55", ...], sclstskill: [...]}.
    skillTips() {
      return this.parsed(this.send("skill_tips"));
    }

    // The plavet's code, and a link's code opened (an event like the others:
    // a code that can't be used answers with a message saying why).
    code() {
      return decoder.decode(this.send("code"));
    }
    openCode(code) {
      return this.parsed(this.send("open_code", encoder.encode(code)));
    }
    // The link the page opens with: its plavet starts the history afresh.
    startWithCode(code) {
      return this.parsed(this.send("start_with_code", encoder.encode(code)));
    }

    // Files, read and written by the desktop's own reader and writer:
    // saveFile() answers with file: {name, text} when the plavet may be
    // saved (else with a message saying why); openFile(name, bytes) opens a
    // file's bytes (a Uint8Array) and starts the history afresh;
    // openLargeFile(name, size) refuses a file over core.maxFileBytes
    // without its bytes.
    saveFile() {
      return this.parsed(this.send("save_file"));
    }
    openFile(name, bytes) {
      return this.parsed(this.send("open_file", name, bytes));
    }
    openLargeFile(name, size) {
      return this.parsed(this.send("open_large_file", name, size));
    }
    // "Paste plavet code": the first code in any text, as one step.
    pasteCode(text) {
      return this.parsed(this.send("paste_code", encoder.encode(text)));
    }

    // The Skill Goals view: each call answers with the view as it then
    // stands (see web/goalsview.h); `copy` is 0 for the first class, 1 for
    // the second. A tick, a count, a move or Clear Goals is kept in the
    // plavet as a step: its view also names the steps Undo and Redo would
    // take (undo, redo). applyPlan() is an event.
    openGoals() {
      return this.parsed(this.send("goals_open"));
    }
    goals() {
      return this.parsed(this.send("goals_view"));
    }
    tick(copy, row, ticked) {
      return this.parsed(this.send("goals_tick", copy, row, ticked));
    }
    setBonuses(magic, physical) {
      return this.parsed(this.send("goals_bonuses", magic, physical));
    }
    clearGoals() {
      return this.parsed(this.send("goals_clear"));
    }
    // A goal `delta` places earlier (negative) or later in the goals' order.
    moveGoal(copy, row, delta) {
      return this.parsed(this.send("goals_move", copy, row, delta));
    }
    // Plans with a race of the race table; the plavet's own race ends the choice.
    chooseRace(race) {
      return this.parsed(this.send("goals_race", encoder.encode(race)));
    }
    applyPlan() {
      return this.parsed(this.send("apply_plan"));
    }

    // The core's answer as bytes: `what` names the function (plavet_click,
    // plavet_mouse_down, ...), then its arguments after the session: texts
    // (a control's name), bytes (a text's UTF-8, passed with its length),
    // numbers or flags.
    // Bytes go through the module's heap, not its stack: a file may take a
    // megabyte, the stack has 64 KB.
    send(what, ...args) {
      const module = this.module;
      const types = ["number"];
      const values = [this.session];
      const held = [];
      try {
        for (const arg of args) {
          if (typeof arg === "string") {
            types.push("string");
            values.push(arg);
          } else if (arg instanceof Uint8Array) {
            const at = module._malloc(Math.max(arg.length, 1));
            held.push(at);
            module.HEAPU8.set(arg, at);
            types.push("number", "number");
            values.push(at, arg.length);
          } else {
            types.push("number");
            values.push(Number(arg));
          }
        }
        const answer = module.ccall("plavet_" + what, "number", types, values);
        if (!answer) throw new Error(`plavet_${what} takes no ${args.join(", ")}`);
        return copyText(module, answer);
      } finally {
        for (const at of held) module._free(at);
      }
    }

    parsed(bytes) {
      return JSON.parse(decoder.decode(bytes));
    }
  }

  // The NUL-terminated text at `pointer`, copied out of the module's memory.
  function copyText(module, pointer) {
    const heap = module.HEAPU8;
    return heap.slice(pointer, heap.indexOf(0, pointer));
  }

  async function load() {
    const module = await createPlavetModule();
    return {
      open: () => new Plavet(module),
      // Larger files are refused by their size, unread (Plavet.openLargeFile).
      maxFileBytes: module._plavet_max_file_bytes(),
      // The window's table of controls (see web/layoutjson.h).
      layout: () => JSON.parse(decoder.decode(copyText(module, module._plavet_layout()))),
      // The name of a selection box's list that the text typed in it
      // completes to, as the desktop offers it (sheet::completion); null for
      // none. The text goes through the heap: a paste may be long.
      completion: (combo, typed) => {
        const bytes = encoder.encode(typed);
        const at = module._malloc(Math.max(bytes.length, 1));
        try {
          module.HEAPU8.set(bytes, at);
          const name = module.ccall("plavet_completion", "number", ["string", "number", "number"],
            [combo, at, bytes.length]);
          return name ? decoder.decode(copyText(module, name)) : null;
        } finally {
          module._free(at);
        }
      },
      // How the core writes and reads its numbers (for tests).
      formatNumber: (value) =>
        decoder.decode(copyText(module, module._plavet_format_number(value))),
      parseNumber: (text) => {
        const bytes = encoder.encode(text);
        return module.ccall("plavet_parse_number", "number", ["array", "number"], [bytes, bytes.length]);
      },
    };
  }

  return { load };
})();

if (typeof module === "object" && module.exports) module.exports = PlavetCore;
