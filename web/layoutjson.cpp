#include "web/layoutjson.h"

#include <array>
#include <initializer_list>
#include <utility>

#include "layout/window.h"
#include "web/json.h"

namespace web {
namespace {

std::string_view kindName(layout::Kind kind) {
  switch (kind) {
    case layout::Kind::Label:
      return "label";
    case layout::Kind::NumberBox:
      return "number";
    case layout::Kind::Combo:
      return "combo";
    case layout::Kind::Button:
      return "button";
    case layout::Kind::Arrow:
      return "arrow";
    case layout::Kind::List:
      return "list";
    case layout::Kind::Check:
      return "check";
  }
  return "";
}

void numbers(std::string& out, std::initializer_list<int> values) {
  out += '[';
  for (int value : values) {
    json::item(out);
    out += std::to_string(value);
  }
  out += ']';
}

void control(std::string& out, const layout::Control& c) {
  static constexpr std::array<std::pair<layout::Style, std::string_view>, 5> kStyles = {{
      {layout::Centred, "centred"},
      {layout::RightAligned, "right"},
      {layout::Bold, "bold"},
      {layout::Large, "large"},
      {layout::Wraps, "wraps"},
  }};
  out += '{';
  json::text(out, "name", c.name);
  json::text(out, "kind", kindName(c.kind));
  json::text(out, "caption", c.caption);
  json::text(out, "accessible", c.spoken());
  json::key(out, "place");
  numbers(out, {c.left, c.top, c.width, c.height});
  json::key(out, "style");
  out += '[';
  for (const auto& [style, word] : kStyles) {
    if (!(c.style & style)) continue;
    json::item(out);
    json::quoted(out, word);
  }
  out += ']';
  json::text(out, "buddy", c.buddy);
  out += '}';
}

}  // namespace

std::string layoutJson() {
  std::string out = "{";
  json::key(out, "size");
  numbers(out, {layout::kWidthTwips, layout::kHeightTwips});
  json::number(out, "twipsPerPixel", layout::kTwipsPerPixel);
  json::key(out, "controls");
  out += '[';
  for (const layout::Control& c : layout::controls()) {
    json::item(out);
    control(out, c);
  }
  out += ']';
  json::key(out, "rules");
  out += '[';
  for (const layout::Rule& r : layout::rules()) {
    json::item(out);
    numbers(out, {r.x1, r.y1, r.x2, r.y2});
  }
  out += ']';
  json::texts(out, "tabOrder", layout::tabOrder());
  json::key(out, "items");
  out += '{';
  for (const layout::Control& c : layout::controls())
    if (c.kind == layout::Kind::Combo) json::texts(out, c.name, layout::items(c.name));
  return out + "}}";
}

}  // namespace web
