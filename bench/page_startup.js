// How soon the web page is ready for use, opened from disk in headless
// Chromium: from the start of the navigation to the mark the page sets once
// its window is built and its core answers (performance mark
// "plavet-ready"). Each load is in a fresh browser context, so nothing is
// cached. Prints every time and the median; bench/run runs it.
//
//   node bench/page_startup.js [RUNS]     (PLAVET_SITE: the built page's folder)
"use strict";

const { launchBrowser, pageUrl } = require("../web/tests/support");

async function readyTime(browser) {
  const context = await browser.newContext();
  try {
    const page = await context.newPage();
    await page.goto(pageUrl());
    await page.waitForSelector("html[data-ready]", { timeout: 0 });
    return await page.evaluate(() => performance.getEntriesByName("plavet-ready")[0].startTime);
  } finally {
    await context.close();
  }
}

(async () => {
  const runs = Number(process.argv[2] || 21);
  const browser = await launchBrowser();
  try {
    await readyTime(browser); // the browser's own first start is not the page's
    const times = [];
    for (let i = 0; i < runs; i++) times.push(await readyTime(browser));
    times.sort((a, b) => a - b);
    const median = times[Math.floor(times.length / 2)];
    console.log(`ready after (ms, sorted): ${times.map((t) => t.toFixed(0)).join(" ")}`);
    console.log(`page ready from disk: median ${median.toFixed(0)} ms over ${runs} loads ` +
      `(target under 300 ms: ${median < 300 ? "met" : "MISSED"})`);
  } finally {
    await browser.close();
  }
})().catch((error) => {
  console.error(error);
  process.exitCode = 1;
});
