// What the page's exports share: how a function is kept for the script, and
// the text an export hands out.
#pragma once

#include <string>

#ifdef __EMSCRIPTEN__
#include <emscripten/em_macros.h>
#define PLAVET_EXPORT EMSCRIPTEN_KEEPALIVE
#else
#define PLAVET_EXPORT
#endif

namespace web {

// `text` for the script to copy out, living until an export hands out the
// next; a null pointer for an empty text (an answer of none).
inline const char* handOut(std::string text) {
  static std::string handedOut;
  if (text.empty()) return nullptr;
  handedOut = std::move(text);
  return handedOut.c_str();
}

}  // namespace web
