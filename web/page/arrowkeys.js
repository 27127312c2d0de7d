// "Space and Enter Press Arrows", the desktop's setting: off unless the
// player turns it on, kept in the browser's storage. On, Space or Enter on
// a focused arrow button is a left press and Shift+Space or Shift+Enter a
// right press; a key held down is one press, as a mouse button is. Off, the
// keys do nothing to an arrow. Each arrow tells screen readers which.
"use strict";

var PlavetArrowKeys = (function () {
  const STORED = "plavet.arrowKeys";
  const HOW_ON = "Space or Enter is a left press (1 point), Shift+Space or Shift+Enter a right press (10 points).";
  const HOW_OFF = "Keys press it once Space and Enter Press Arrows is on.";

  // Storage may be refused (a page from disk, a private window): the
  // setting then lasts as long as the page.
  function stored() {
    try {
      return localStorage.getItem(STORED) === "on";
    } catch {
      return false;
    }
  }
  function store(on) {
    try {
      localStorage.setItem(STORED, on ? "on" : "off");
    } catch {
      // kept for this page only
    }
  }

  // `setting`: the check box; `how`: the element the arrows are described
  // by; `press(arrow, buttonCode)`: a press as the mouse makes it;
  // `used()`: the setting changed (typing in a box ends).
  function wire(arrows, setting, how, press, used) {
    const show = () => (how.textContent = setting.checked ? HOW_ON : HOW_OFF);
    setting.checked = stored();
    show();
    setting.addEventListener("change", () => {
      store(setting.checked);
      show();
      used();
    });
    for (const arrow of arrows) {
      const described = arrow.getAttribute("aria-describedby");
      arrow.setAttribute("aria-describedby", described ? `${described} ${how.id}` : how.id);
      arrow.addEventListener("keydown", (event) => {
        if (!setting.checked || (event.key !== " " && event.key !== "Enter")) return;
        if (event.ctrlKey || event.altKey || event.metaKey) return;
        event.preventDefault();
        if (!event.repeat) press(arrow.id, event.shiftKey ? 2 : 1);
      });
    }
  }

  return { wire, HOW_ON, HOW_OFF };
})();
