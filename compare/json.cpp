#include "compare/json.h"

#include "skills/needs.h"

namespace compare {
namespace {

void quoted(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
  out += '"';
}

void key(std::string& out, std::string_view name) {
  if (out.back() != '{') out += ", ";
  quoted(out, name);
  out += ": ";
}

template <class Items, class Write>
void array(std::string& out, const Items& items, Write write) {
  out += '[';
  bool first = true;
  for (const auto& item : items) {
    if (!first) out += ", ";
    first = false;
    write(item);
  }
  out += ']';
}

void texts(std::string& out, const auto& items) {
  array(out, items, [&](const auto& t) { quoted(out, t); });
}

void step(std::string& out, const Step& s) {
  out += '{';
  key(out, "words");
  quoted(out, s.words());
  key(out, "kind");
  if (s.kind == Step::Kind::Press) {
    out += "\"press\"";
    key(out, "value");
    quoted(out, skills::valueName(s.value));
    key(out, "direction");
    out += s.direction == sheet::Direction::Raise ? "\"raise\"" : "\"lower\"";
    key(out, "rights");
    out += std::to_string(s.rights);
    key(out, "lefts");
    out += std::to_string(s.lefts);
    key(out, "rightsFirst");
    out += s.rightsFirst ? "true" : "false";
  } else {
    out += s.kind == Step::Kind::Spell ? "\"spell\"" : "\"bonus\"";
    key(out, "check");
    out += s.check ? "true" : "false";
  }
  out += '}';
}

}  // namespace

std::string asJson(const Comparison& c, bool onlyDifferences) {
  std::string out = "{";
  key(out, "base");
  quoted(out, c.base);
  key(out, "compared");
  array(out, c.compared, [&](const Against& a) { quoted(out, a.name); });
  key(out, "rows");
  std::vector<std::string> names;
  for (const Against& a : c.compared) names.push_back(a.name);
  std::vector<const Row*> rows;
  for (const Row& r : c.rows)
    if (!onlyDifferences || r.differs()) rows.push_back(&r);
  array(out, rows, [&](const Row* r) {
    out += '{';
    key(out, "name");
    quoted(out, r->name);
    key(out, "base");
    quoted(out, r->base);
    key(out, "compared");
    array(out, r->compared, [&](const Cell& cell) { quoted(out, cell.value); });
    key(out, "differences");
    array(out, r->compared, [&](const Cell& cell) { quoted(out, cell.difference); });
    key(out, "spoken");
    quoted(out, spoken(*r, names));
    out += '}';
  });
  key(out, "differences");
  array(out, c.compared, [&](const Against& a) { out += std::to_string(a.differences); });
  key(out, "skills");
  array(out, c.compared, [&](const Against& a) {
    array(out, a.skills, [&](const Skills& s) {
      out += '{';
      key(out, "list");
      out += s.list == 0 ? "\"first\"" : "\"second\"";
      key(out, "onlyBase");
      texts(out, s.onlyBase);
      key(out, "onlyCompared");
      texts(out, s.onlyCompared);
      key(out, "both");
      texts(out, s.both);
      key(out, "reached");
      quoted(out, s.reached());
      out += '}';
    });
  });
  key(out, "presses");
  array(out, c.compared, [&](const Against& a) {
    if (!a.presses.possible()) {
      out += '{';
      key(out, "whyNot");
      quoted(out, a.presses.whyNot);
      out += '}';
      return;
    }
    array(out, a.presses.steps, [&](const Step& s) { step(out, s); });
  });
  return out + "}";
}

}  // namespace compare
