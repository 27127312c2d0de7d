// The WebAssembly core against the native one: the core tests' random runs
// of user events with Undo and Redo among them (each ending with the
// plavet's code opened as a link, and opened damaged, its file saved and
// opened, its code pasted in a chat line), runs with the Skill
// Goals view open, and the numbers the core writes and reads, must give the
// same answers byte for byte.
"use strict";

const assert = require("node:assert/strict");
const { spawn, execFileSync } = require("node:child_process");
const { test } = require("node:test");
const { loadCore, tool } = require("./support");

const RUNS = Number(process.env.PLAVET_WEB_RUNS || 2000);
const GOAL_RUNS = Number(process.env.PLAVET_WEB_GOAL_RUNS || 300);

// The lines a child process writes, as bytes: the runs carry texts that are
// not UTF-8, and they must reach the core as they are.
async function* lines(stream) {
  let rest = Buffer.alloc(0);
  for await (const chunk of stream) {
    rest = Buffer.concat([rest, chunk]);
    let end;
    while ((end = rest.indexOf(10)) >= 0) {
      yield rest.subarray(0, end);
      rest = rest.subarray(end + 1);
    }
  }
}

// "click cmdstrt", "mousedown cmdmfu 2", "check chkBless 1", "type cmbrace 4477...",
// "undo", "open_code 706c...", "save_file", "open_file run.plavet 7b0a...",
// "goals_tick 0 3 1", "goals_race 456c66": the
// answer's bytes, none where the core gives none.
function replay(plavet, event) {
  const [what, name, argument] = event.split(" ");
  const numbers = event.split(" ").slice(1).map(Number);
  try {
    switch (what) {
      case "click": return plavet.send("click", name);
      case "mousedown": return plavet.send("mouse_down", name, Number(argument));
      case "check": return plavet.send("check", name, Number(argument));
      case "type": return plavet.send("type", name, Buffer.from(argument ?? "", "hex"));
      case "open_code":
      case "start_with_code":
      case "paste_code":
      case "goals_race": return plavet.send(what, Buffer.from(name ?? "", "hex"));
      case "open_file": return plavet.send(what, name, Buffer.from(argument ?? "", "hex"));
      default: return plavet.send(what, ...numbers);
    }
  } catch {
    return new Uint8Array();
  }
}

// Where two answers part, with some context.
function firstDifference(want, got) {
  let at = 0;
  while (at < want.length && want[at] === got[at]) at++;
  const around = (bytes) => Buffer.from(bytes).subarray(Math.max(0, at - 80), at + 80).toString();
  return `from byte ${at}:\n  native: ${around(want)}\n  wasm:   ${around(got)}`;
}

// Plays what `web_trace MODE COUNT` writes through the WebAssembly core.
async function sameAnswers(mode, count) {
  const core = await loadCore();
  const trace = spawn(tool("web_trace"), [mode, String(count)], { stdio: ["ignore", "pipe", "inherit"] });
  const exited = new Promise((resolve) => trace.on("close", resolve));
  let plavet = null, run = "", event = null, events = 0, runs = 0;
  for await (const line of lines(trace.stdout)) {
    const text = line.toString("latin1");
    if (text.startsWith("run ")) {
      plavet?.close();
      plavet = core.open();
      run = text;
      runs++;
    } else if (event === null) {
      event = text;
    } else {
      const got = replay(plavet, event);
      if (!Buffer.from(got).equals(line)) {
        trace.kill();
        assert.fail(`${run}, event ${events} (${event.slice(0, 200)}) answers differently ${firstDifference(line, got)}`);
      }
      event = null;
      events++;
    }
  }
  assert.equal(await exited, 0);
  assert.equal(runs, count);
  assert.ok(events > 20 * count, `only ${events} events`);
}

test(`${RUNS} random runs, each ending with links, give the same answers natively and in WebAssembly`,
  () => sameAnswers("runs", RUNS));

test(`${GOAL_RUNS} random runs with skill goals give the same answers natively and in WebAssembly`,
  () => sameAnswers("goals", GOAL_RUNS));

test("numbers are written and read as the native core writes and reads them", async () => {
  const core = await loadCore();
  const output = execFileSync(tool("web_trace"), ["numbers"], { maxBuffer: 64 << 20 });
  const bits = (value) => {
    const view = new DataView(new ArrayBuffer(8));
    view.setFloat64(0, value);
    return view.getBigUint64(0).toString(16).padStart(16, "0");
  };
  const fromBits = (hex) => {
    const view = new DataView(new ArrayBuffer(8));
    view.setBigUint64(0, BigInt("0x" + hex));
    return view.getFloat64(0);
  };
  let count = 0;
  for (const line of output.toString("latin1").trim().split("\n")) {
    const [first, second, read] = line.split(" ");
    if (first === "text") {
      const text = Buffer.from(second, "hex").toString("latin1");
      assert.equal(bits(core.parseNumber(text)), read, `"${text}" reads differently`);
    } else {
      assert.equal(core.formatNumber(fromBits(first)), second, `the number with bits ${first}`);
      assert.equal(bits(core.parseNumber(second)), read, `"${second}" reads differently`);
    }
    count++;
  }
  assert.ok(count > 300000, `only ${count} numbers`);
});
