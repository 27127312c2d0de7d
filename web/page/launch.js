// The installed page as the system starts it (manifest.webmanifest):
//
// - with files (file_handlers): the browser hands them to launchQueue, also
//   to a page already running (launch_handler). The first opens as Open
//   opens a file, with its refusals; a second launched with it is compared
//   with the plavet opened (compareWithLaunched).
// - with a web+plavet: link (protocol_handlers): index.html?link=web+plavet:
//   plavet2-..., whose plavet opens as a # link's does.
// - with text shared to it (share_target, GET): index.html?text=...; the
//   text waits in the code field, ready to paste.
//
// A browser without launchQueue keeps Open and drop as they are; the page's
// address still brings links and shared text.
"use strict";

var PlavetLaunch = (function () {
  const SCHEME = "web+plavet:";

  // What an address of the page brings: {link, shared}, each a text or null.
  function fromAddress(address) {
    const params = new URL(address).searchParams;
    const shared = ["title", "text", "url"].map((name) => params.get(name)).filter(Boolean).join("\n");
    return { link: params.get("link"), shared: shared || null };
  }

  // A file of the system as Open reads one: a handle the browser can no
  // longer read is refused as a file that can't be read.
  async function fileOf(handle) {
    try {
      return await handle.getFile();
    } catch (error) {
      return { name: handle.name, size: 0, arrayBuffer: () => Promise.reject(error) };
    }
  }

  // The plavet opened from a file launched with it, compared with the one
  // launched after it: in the Compare panel (PlavetCompare.openCompare),
  // where the page has one, or by whatever is put in compareWith.
  const launch = { compareWith: null };
  function compareWithLaunched(file) {
    if (typeof launch.compareWith === "function") return launch.compareWith(file);
    if (typeof PlavetCompare === "object" && PlavetCompare.openCompare) return PlavetCompare.openCompare(file);
    return Promise.resolve(false); // no panel: the first file is open, the second is not read
  }

  // The page's part: openFile(file) opens a file as Open does and resolves
  // to the core's answer (null when none came); openLink(text, atLoad) opens
  // the plavet of a link's text; share(text) puts a text in the code field.
  function start(page) {
    const address = location.href;
    const { link, shared } = fromAddress(address);
    // Read once: a reload, or a link copied, carries none of it again.
    if (link !== null || shared !== null) {
      const url = new URL(address);
      url.search = "";
      history.replaceState(history.state, "", url);
    }
    if (link) page.openLink(link, true);
    else page.openLink(null, true); // the page's # link, if any
    if (shared) page.share(shared);
    if (!("launchQueue" in window)) return;
    let first = true;
    window.launchQueue.setConsumer(async (params) => {
      const atLoad = first;
      first = false;
      const files = Array.from(params.files ?? []);
      if (files.length > 0) {
        const [opened, compared] = await Promise.all(files.slice(0, 2).map(fileOf));
        const answer = await page.openFile(opened);
        if (compared && answer && answer.messages.length === 0) compareWithLaunched(compared);
        return;
      }
      // A running page that the system sends a link or a text to; the one
      // it was started with is read above.
      if (!params.targetURL || (atLoad && params.targetURL === address)) return;
      const sent = fromAddress(params.targetURL);
      if (sent.link) page.openLink(sent.link, false);
      if (sent.shared) page.share(sent.shared);
    });
  }

  // Where the page runs installed, a link that opens the installed page
  // from any program: web+plavet:CODE. Null in a browser's tab.
  function appLink(code) {
    const installed = ["standalone", "minimal-ui", "fullscreen", "window-controls-overlay"]
      .some((mode) => matchMedia(`(display-mode: ${mode})`).matches);
    return installed ? SCHEME + code : null;
  }

  return Object.assign(launch, { start, fromAddress, appLink, compareWithLaunched });
})();
