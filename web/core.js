// The planner core as the page's script and the tests call it. Appended to
// the module's script by the build, so one script brings both.
//
//   const core = await PlavetCore.load();
//   const plavet = core.open();             // a fresh plavet, as the page opens
//   const outcome = plavet.click("cmdstrt");
//   // outcome.messages: [{text, title, state}], outcome.state: the state after
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
    state() {
      return JSON.parse(decoder.decode(this.send("state")));
    }

    // The core's answer as bytes: `what` is the event ("click", "mouse_down",
    // "check", "type" or "state"), then the control's name and its argument
    // (a button code, a checked state, or a text's UTF-8 bytes).
    send(what, name, argument) {
      const types = ["number"];
      const args = [this.session];
      if (name !== undefined) {
        types.push("string");
        args.push(name);
      }
      if (argument instanceof Uint8Array) {
        types.push("array", "number");
        args.push(argument, argument.length);
      } else if (argument !== undefined) {
        types.push("number");
        args.push(Number(argument));
      }
      const answer = this.module.ccall("plavet_" + what, "number", types, args);
      if (!answer) throw new Error(`no control "${name}" takes a ${what}`);
      return copyText(this.module, answer);
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
      // The items each combo box offers, by the box's name.
      choices: () => JSON.parse(decoder.decode(copyText(module, module._plavet_choices()))),
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
