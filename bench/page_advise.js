// How long the page's core takes to answer Find Classes: the same questions
// as goals_bench's BM_Advise* (30 random name sets of 4, 5 and 6 names with
// random clan-town counts, drawn with the same Mersenne twister from the
// same starts, and the names the most classes teach with both counts 2), the best 20 rows
// and every row. A figure is the time of plavet_advise over the WebAssembly
// build (planning, ranking and writing the table as JSON, copied out of the
// module), the mean per question of the fastest of five rounds; "read"
// adds what the page does with it before showing it (PlavetCore's advise:
// JSON.parse, and the table's rows as objects). bench/run runs it.
//
//   node bench/page_advise.js [ROUNDS]     (PLAVET_SITE: the built page's folder)
"use strict";

const { loadCore } = require("../web/tests/support");

const encoder = new TextEncoder();
const decoder = new TextDecoder();

// The standard library's 32-bit Mersenne twister, as the native benchmark
// draws its names.
function twister(start) {
  const state = new Uint32Array(624);
  let index = 624;
  state[0] = start >>> 0;
  for (let i = 1; i < 624; i++) {
    const prev = state[i - 1] ^ (state[i - 1] >>> 30);
    state[i] = (Math.imul(1812433253, prev) + i) >>> 0;
  }
  return () => {
    if (index >= 624) {
      for (let i = 0; i < 624; i++) {
        const y = (state[i] & 0x80000000) | (state[(i + 1) % 624] & 0x7fffffff);
        state[i] = state[(i + 397) % 624] ^ (y >>> 1) ^ (y & 1 ? 0x9908b0df : 0);
      }
      index = 0;
    }
    let y = state[index++];
    y ^= y >>> 11;
    y ^= (y << 7) & 0x9d2c5680;
    y ^= (y << 15) & 0xefc60000;
    y ^= y >>> 18;
    return y >>> 0;
  };
}

function randomQuestions(names, count) {
  const random = twister(count);
  const out = [];
  for (let q = 0; q < 30; q++) {
    const skills = [];
    while (skills.length < count) {
      const name = names[random() % names.length];
      if (!skills.includes(name)) skills.push(name);
    }
    const magic = random() % 3;
    const physical = random() % 3;
    out.push({ skills, magic, physical });
  }
  return out;
}

// The names the most classes teach, most first (as goals_bench orders them).
const mostTaught = ["Kick", "Detect Poison", "Ambidexterity", "Armor", "Block", "Retreat",
  "Create Light", "Archery", "Tread", "Silence", "Trip", "Cure Light"];

function time(plavet, questions, top, rounds, read) {
  const asked = questions.map((q) => [q.magic, q.physical, top, "", "", "", ...q.skills].join("\n"));
  const bytes = asked.map((text) => encoder.encode(text));
  let best = Infinity;
  for (let r = 0; r < rounds; r++) {
    const start = performance.now();
    for (let i = 0; i < asked.length; i++) {
      if (read) plavet.advise(asked[i]);
      else plavet.send("advise", bytes[i]);
    }
    best = Math.min(best, (performance.now() - start) / asked.length);
  }
  return best;
}

(async () => {
  const rounds = Number(process.argv[2] || 5);
  const core = await loadCore();
  const plavet = core.open();
  const names = JSON.parse(decoder.decode(plavet.send("skill_names"))).names;
  const rows = [];
  for (const n of [4, 5, 6]) rows.push([`Random, ${n} names`, randomQuestions(names, n)]);
  for (const n of [6, 12])
    rows.push([`Most taught, ${n} names`, [{ skills: mostTaught.slice(0, n), magic: 2, physical: 2 }]]);
  time(plavet, rows[0][1], 20, 1, false); // the first answer builds the catalogue's names
  console.log("question | best 20 | all | all, read as the page reads it (ms per question)");
  for (const [label, questions] of rows) {
    const best = time(plavet, questions, 20, rounds, false);
    const all = time(plavet, questions, 0, rounds, false);
    const read = time(plavet, questions, 0, rounds, true);
    console.log(`${label} | ${best.toFixed(2)} | ${all.toFixed(1)} | ${read.toFixed(1)}`);
  }
  plavet.close();
})().catch((error) => {
  console.error(error);
  process.exitCode = 1;
});
