// The planner's window as a table: every control with its name, kind,
// caption, accessible name, place and style, the thin black lines, the
// keyboard order and what each selection box offers. The Qt window
// (app/layout.h) and the web page (web/layoutjson.h) are both built from it
// and from nothing else, so the two cannot drift apart.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace layout {

// Places are in twips, fifteen to a pixel, as the window was drawn.
inline constexpr int kTwipsPerPixel = 15;
constexpr int px(int twips) {
  return twips / kTwipsPerPixel;
}

// The client area.
inline constexpr int kWidthTwips = 8835;
inline constexpr int kHeightTwips = 8715;

enum class Kind { Label, NumberBox, Combo, Button, Arrow, List, Check };

enum Style : unsigned {
  Plain = 0,
  Centred = 1u << 0,
  RightAligned = 1u << 1,
  Bold = 1u << 2,
  Large = 1u << 3,  // 12 pt instead of 8.25 pt
  Wraps = 1u << 4,  // a button whose caption takes as many lines as it needs
};

struct Control {
  std::string name;  // the widget's objectName, the page element's id
  Kind kind;
  // What it shows. An arrow's is the glyph the window's symbol font drew:
  // "5" points up, "6" down.
  std::string caption;
  std::string accessible;        // what a screen reader says; empty: the caption
  int left, top, width, height;  // twips
  unsigned style = Plain;
  std::string buddy = {};  // a label's: the box it names ("lblmf" names "txtmf")

  // What a screen reader says.
  const std::string& spoken() const { return accessible.empty() ? caption : accessible; }
};

struct Rule {  // a thin black line from (x1, y1) to (x2, y2), in twips
  int x1, y1, x2, y2;
};

// Every control of the window, labels included, in the order they are made.
const std::vector<Control>& controls();
const std::vector<Rule>& rules();
// The names of the controls that take focus, in keyboard order; focus
// starts at the first.
const std::vector<std::string>& tabOrder();
// The items a selection box offers, in list order; none for a name that is
// no selection box.
std::span<const std::string_view> items(std::string_view combo);

}  // namespace layout
