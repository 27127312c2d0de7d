// Takes the page's picture for docs/ at scale factors 1 and 2: the window's
// client area with a started plavet, on the same road as the window's own
// pictures (scripts/screenshots).
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

(async () => {
  const docs = process.argv[2] || path.join(__dirname, "..", "docs");
  const browser = await launchBrowser();
  try {
    for (const scale of [1, 2]) await shoot(browser, scale, path.join(docs, `page-scale${scale}.png`));
  } finally {
    await browser.close();
  }
})();
