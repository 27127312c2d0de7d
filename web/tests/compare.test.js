// The Compare panel: a file dropped on it is compared with the page's
// plavet, not opened; the panel follows every press; Only differences hides
// the rows alike; Open Compared is a step Undo takes back; a file that can't
// be read is refused with its reason.
"use strict";

const assert = require("node:assert/strict");
const { test, before, after } = require("node:test");
const { loadCore, launchBrowser, openPage, Driver } = require("./support");

let browser, core;
before(async () => {
  browser = await launchBrowser();
  core = await loadCore();
});
after(() => browser?.close());

async function dropOnPanel(page, name, bytes) {
  const transfer = await page.evaluateHandle(({ name, base64 }) => {
    const transfer = new DataTransfer();
    transfer.items.add(new File([Uint8Array.from(atob(base64), (c) => c.charCodeAt(0))], name));
    return transfer;
  }, { name, base64: Buffer.from(bytes).toString("base64") });
  await page.dispatchEvent("#Compare", "drop", { dataTransfer: transfer });
}

// What the panel shows: its status and each row's cells, boldness and visibility.
const panel = (page) => page.evaluate(() => ({
  status: document.getElementById("compareStatus").textContent,
  rows: Array.from(document.querySelectorAll("#compareRows tbody tr"), (tr) => ({
    cells: Array.from(tr.cells, (td) => td.textContent),
    bold: getComputedStyle(tr).fontWeight === "700",
    hidden: tr.hidden,
    spoken: tr.getAttribute("aria-label"),
  })),
}));

// The comparison the core gives for the mirror's plavet and these bytes.
const compared = (mirror, name, bytes) =>
  mirror.parsed(mirror.send("compare", name, new Uint8Array(bytes), 0, 0)).comparison;

async function showsComparison(d, name, bytes) {
  const want = compared(d.mirror, name, bytes);
  let got;
  for (let i = 0; i < 50; i++) { // the file is read asynchronously
    got = await panel(d.page);
    if (got.status.startsWith(name)) break;
    await d.page.waitForTimeout(20);
  }
  assert.equal(got.status, `${name}: ${want.differences[0]} rows differ`);
  assert.equal(got.rows.length, 29);
  want.rows.forEach((row, i) => {
    const differs = row.differences[0] !== "=";
    assert.equal(got.rows[i].cells[0], row.name);
    assert.equal(got.rows[i].cells[2], row.compared[0] || "(none)");
    assert.equal(got.rows[i].bold, differs, row.name);
    assert.equal(got.rows[i].spoken, row.spoken);
  });
  return got;
}

test("a file dropped on the panel is compared, followed press by press, and opened as one step", async () => {
  const d = new Driver(await openPage(browser), core);
  await d.choose("Human", "Druid", "Bard");
  await d.click("cmdstrt");
  const other = core.open();
  for (const [combo, text] of [["cmbrace", "Human"], ["cmbfc", "Druid"], ["cmbsc", "Bard"]]) other.type(combo, text);
  other.click("cmdstrt");
  other.mouseDown("cmdmfu", 2);
  other.mouseDown("cmdpau", 1);
  const bytes = Buffer.from(other.saveFile().file.text);

  await d.page.click("#openCompare");
  await dropOnPanel(d.page, "guide.plavet", bytes);
  let shown = await showsComparison(d, "guide.plavet", bytes);
  assert.equal(await d.page.evaluate(() => document.getElementById("undo").title), "Undo Start plavet",
    "the page's plavet is not replaced");
  assert.equal(shown.status, "guide.plavet: 6 rows differ"); // M Fire, P Air, their D values, two pools

  await d.press("cmdmfu", "right");
  shown = await showsComparison(d, "guide.plavet", bytes);
  assert.equal(shown.status, "guide.plavet: 3 rows differ"); // P Air, D Air, Physical pool

  await d.page.click("#compareOnly");
  shown = await panel(d.page);
  assert.deepEqual(shown.rows.filter((r) => !r.hidden).map((r) => r.cells[0]), ["P Air", "D Air", "Physical pool"]);

  await d.page.click("#compareOpen");
  const answer = await d.expect(d.mirror.parsed(d.mirror.send("open_compared", "guide.plavet", new Uint8Array(bytes), 0)));
  assert.equal(answer.undo, "Open compared plavet");
  assert.deepEqual(answer.state, other.state());
  await showsComparison(d, "guide.plavet", bytes);
  assert.equal((await panel(d.page)).status, "guide.plavet: 0 rows differ");

  await dropOnPanel(d.page, "broken.plavet", Buffer.from("{\"format\": \"plavet\""));
  await d.page.waitForFunction(() => document.getElementById("compareStatus").textContent.startsWith("The file"));
  assert.match((await panel(d.page)).status, /^The file broken\.plavet cannot be compared: The file is not a plavet/);
  assert.deepEqual(d.page.errors, []);
});
