// A selection box's offer, as the desktop's boxes make it: while the player
// types at the end of the text, the rest of the first name of the list that
// the text starts (the core's sheet::completion) shows in grey after it,
// without being part of the text. Tab takes it and goes on to the next
// control; Enter, End and the right arrow take it at the end of the text;
// Escape, leaving the box, or a text the page puts in (a plavet shown)
// withdraws it. A text taken reaches the core as typing.
"use strict";

var PlavetOffer = (function () {
  // `box`: the selection box (an input); `completion(text)`: the name it
  // offers, or null. Returns {follow()}: to be called once the page has put
  // a text of its own in the box.
  function wire(box, completion) {
    const shown = document.createElement("span");
    shown.className = "offer";
    shown.setAttribute("aria-hidden", "true");
    box.after(shown);
    // For screen readers: the box's autocomplete is inline, its offer named.
    box.setAttribute("aria-autocomplete", "inline");
    let name = null; // the list's name offered
    let offeredFor = null; // the text it was offered for

    function withdraw() {
      if (name === null) return;
      name = offeredFor = null;
      shown.hidden = true;
      shown.textContent = "";
      box.removeAttribute("data-offer");
    }

    function offer() {
      withdraw();
      const atEnd = box.selectionStart === box.value.length && box.selectionEnd === box.value.length;
      if (box.readOnly || !atEnd) return;
      const found = completion(box.value);
      if (!found) return;
      name = found;
      offeredFor = box.value;
      box.dataset.offer = found;
      // The rest in grey where the typed text ends: laid over the box's
      // text in the box's font, after the typed text drawn unseen.
      const style = getComputedStyle(box);
      const left = box.offsetLeft + box.clientLeft + parseFloat(style.paddingLeft);
      Object.assign(shown.style, {
        font: style.font, letterSpacing: style.letterSpacing,
        left: left + "px", top: box.offsetTop + box.clientTop + "px",
        width: Math.max(0, box.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight)) + "px",
        height: box.clientHeight + "px", lineHeight: box.clientHeight + "px",
        textIndent: -box.scrollLeft + "px",
      });
      const typed = document.createElement("span");
      typed.className = "typed";
      typed.textContent = box.value;
      shown.replaceChildren(typed, found.slice(box.value.length));
      shown.hidden = false;
    }

    function accept() {
      if (name === null) return false;
      const taken = name;
      withdraw();
      box.value = taken;
      box.dispatchEvent(new Event("input", { bubbles: true })); // as the player's typing
      return true;
    }

    box.addEventListener("input", (event) => {
      if (event.isTrusted) offer();
    });
    box.addEventListener("blur", withdraw);
    box.addEventListener("keydown", (event) => {
      if (name === null || event.isComposing) return;
      const plain = !event.ctrlKey && !event.altKey && !event.metaKey && !event.shiftKey;
      const atEnd = box.selectionStart === box.value.length && box.selectionEnd === box.value.length;
      switch (event.key) {
        case "Tab":
          if (plain) accept(); // and on to the next control
          break;
        case "Enter":
        case "End":
        case "ArrowRight":
          if (plain && atEnd && accept()) event.preventDefault();
          break;
        case "Escape":
          withdraw();
          event.preventDefault();
          break;
      }
    });
    return {
      follow() {
        if (name !== null && (box.value !== offeredFor || box.readOnly)) withdraw();
      },
    };
  }

  return { wire };
})();
