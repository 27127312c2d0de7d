// Takes the page's pictures for docs/: at scale factors 1 and 2 the window's
// client area with a started plavet, on the same road as the window's own
// pictures (scripts/screenshots); the whole page with the Skill Goals panel
// open beside the window; and the window with its bar, a selection typed
// that names no class and a chat line in the code field.
//   node web/screenshot.js DOCS_FOLDER
"use strict";

const path = require("node:path");
const { launchBrowser, openPage } = require("./tests/support");

async function shoot(browser, scale, file) {
  const context = await browser.newContext({ deviceScaleFactor: scale, viewport: { width: 640, height: 640 } });
  const page = await openPage(context);
  for (const [combo, text] of [["cmbrace", "Dwarf"], ["cmbfc", "Druid"], ["cmbsc", "Warrior"]])
    await page.fill("#" + combo, text);
  await page.click("#cmdstrt");
  await page.click("dialog#message button"); // "The Element List is ready to be used."
  for (const button of ["right", "right", "left"]) await page.click("#cmdmfu", { button }); // M Fire
  await page.click("#cmdpeu", { button: "right" }); // P Earth
  await page.click("#chkBless");
  await page.click("#cmdshsk");
  await page.mouse.move(0, 0); // no hover highlight in the picture
  await page.locator("#Plavet").screenshot({ path: file });
  await context.close();
}

// A plan for two skills.
async function shootGoals(browser, file) {
  const context = await browser.newContext({ viewport: { width: 1400, height: 700 } });
  const page = await openPage(context);
  for (const [combo, text] of [["cmbrace", "Dwarf"], ["cmbfc", "Artificer"], ["cmbsc", "Anti-Paladin"]])
    await page.fill("#" + combo, text);
  await page.click("#cmdstrt");
  await page.click("dialog#message button");
  await page.click("#openGoals");
  const tick = (list, text) => page.locator(`#${list} tbody tr`, { hasText: text }).locator("input").check();
  await tick("firstClassGoals", "Vorpalize");
  await tick("secondClassGoals", "Charge");
  await page.mouse.move(0, 0);
  await page.locator(".desk").screenshot({ path: file });
  await context.close();
}

async function shootBar(browser, file) {
  const context = await browser.newContext({ viewport: { width: 640, height: 700 } });
  const page = await openPage(context);
  for (const [combo, text] of [["cmbrace", "Dwarf"], ["cmbfc", "druid"], ["cmbsc", "Warrior"]])
    await page.fill("#" + combo, text);
  await page.fill("#codeText", "try this: plavet1-Ak8DBhASICAbAjcPAAAKAIsAoAC0obC1dBc !");
  await page.evaluate(() => document.activeElement.blur());
  await page.mouse.move(0, 0);
  await page.locator(".window").screenshot({ path: file });
  await context.close();
}

(async () => {
  const docs = process.argv[2] || path.join(__dirname, "..", "docs");
  const browser = await launchBrowser();
  try {
    for (const scale of [1, 2]) await shoot(browser, scale, path.join(docs, `page-scale${scale}.png`));
    await shootGoals(browser, path.join(docs, "page-goals.png"));
    await shootBar(browser, path.join(docs, "page-bar.png"));
  } finally {
    await browser.close();
  }
})();
