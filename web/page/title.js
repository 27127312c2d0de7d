// What is saved, as the desktop's caption tells it: the page's title is the
// program's own until the plavet has a file, then the file's name, with "*"
// while it differs from what was saved ("name.plavet* - Plavet Program
// v1.33"). Leaving or reloading the page asks first (the browser's own
// prompt) exactly while leaving would lose changes, as the desktop asks to
// save. The core says which (the answers' fileName, modified and unsaved).
"use strict";

var PlavetTitle = (function () {
  const caption = document.title;
  let armed = false;

  function guard(event) {
    event.preventDefault();
    event.returnValue = ""; // what older browsers need to ask
  }

  function follow({ fileName, modified, unsaved }) {
    const title = fileName ? `${fileName}${modified ? "*" : ""} - ${caption}` : caption;
    if (document.title !== title) document.title = title;
    if (unsaved === armed) return;
    armed = unsaved;
    if (armed) window.addEventListener("beforeunload", guard);
    else window.removeEventListener("beforeunload", guard);
  }

  return { follow };
})();
