// The plavet as text for a forum post or a note: what the window shows, in
// the window's words, with the code last so that a reader can paste it.
#include "store/text.h"

#include <algorithm>
#include <array>

#include "sheet/numbers.h"
#include "skills/needs.h"
#include "store/code.h"
#include "store/fields.h"
#include "store/utf8.h"

namespace store {
namespace {

// A selection as a line of text shows it: control characters would break
// the lines, so they show as U+FFFD like broken UTF-8.
std::string selection(std::string_view text) {
  if (text.empty()) return "(none)";
  std::string out;
  for (char c : wellFormed(text)) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
      out += "\xef\xbf\xbd";
    else
      out += c;
  }
  return out;
}

std::string yesNo(bool b) {
  return b ? "yes" : "no";
}

// The M, P and D rows under the five elements, each column as wide as its
// widest number, numbers to the right as in the window's boxes.
std::string valueTable(const sheet::State& s) {
  using Cells = std::array<std::string, skills::kElementCount>;
  auto cells = [](auto&& cell) {
    Cells row;
    for (int e = 0; e < skills::kElementCount; ++e) row[e] = cell(e);
    return row;
  };
  auto number = [&](auto box) {
    return [&, box](int e) { return sheet::formatNumber(s.boxes[box(e)]); };
  };
  const std::array<std::pair<std::string_view, Cells>, 4> rows = {{
      {" ", cells([](int e) { return std::string(skills::kElementNames[e]); })},
      {"M", cells(number([](int e) { return skills::index(skills::magicValue(e)); }))},
      {"P", cells(number([](int e) { return skills::index(skills::physicalValue(e)); }))},
      {"D", cells(number([](int e) { return static_cast<int>(sheet::dBox(e)); }))},
  }};
  std::string out;
  for (const auto& [heading, row] : rows) {
    out += heading;
    for (int e = 0; e < skills::kElementCount; ++e) {
      std::size_t width = 0;
      for (const auto& other : rows) width = std::max(width, other.second[e].size());
      out += std::string(2 + width - row[e].size(), ' ') + row[e];
    }
    out += "\n";
  }
  return out;
}

std::string checkedOnes(const sheet::State& s,
                        std::initializer_list<std::pair<int, const char*>> boxes) {
  std::string out;
  for (auto [flag, name] : boxes)
    if (fields::flag(s, flag)) out += (out.empty() ? "" : ", ") + std::string(name);
  return out.empty() ? "none" : out;
}

std::string skillList(std::string_view heading, const skills::SkillList& list) {
  std::string out = std::string(heading) + "\n";
  for (std::string_view item : list.items()) out += "  " + std::string(item) + "\n";
  if (list.empty()) out += "  (none)\n";
  return out;
}

// The values the first class learned from, in the window's words.
std::string learnedLine(const sheet::State& s) {
  if (!s.valuesAtMultiClass) return {};
  std::string out = "Learned before multi-classing: ";
  for (int v = 0; v < skills::kValueCount; ++v)
    out += (v > 0 ? ", " : "") + skills::valueName(skills::Value(v)) + " " +
           sheet::formatNumber((*s.valuesAtMultiClass)[v]);
  return out + "\n";
}

// The goals in their order and the counts the plan starts from, when the
// plavet keeps any.
std::string goalLines(const sheet::State& s) {
  std::string out;
  const std::vector<sheet::Goal>& goals = sheet::goalsHeld(s);
  if (!goals.empty()) {
    out = "Skill goals: ";
    for (std::size_t i = 0; i < goals.size(); ++i) {
      const int which = static_cast<int>(goals[i].copy);
      const auto rows =
          skills::rowsOf(s.selections[fields::classSelectionOf(which)], fields::copyOf(which));
      out += (i > 0 ? "; " : "") + std::to_string(i + 1) + ". " +
             std::string(rows[static_cast<std::size_t>(goals[i].row)].text) +
             (which == 0 ? ", first class" : ", second class");
    }
    out += "\n";
  }
  if (const sheet::BonusCounts counts = sheet::countsHeld(s); counts != sheet::boxCounts(s.bonuses))
    out += "Clan-town boxes for the plan: Magic " + std::to_string(counts.magic) + ", Physical " +
           std::to_string(counts.physical) + "\n";
  return out;
}

}  // namespace

std::string plavetAsText(const sheet::State& s) {
  using namespace fields;
  auto pool = [&](int i) { return sheet::formatNumber(s.boxes[static_cast<int>(kPools[i])]); };
  return "Race: " + selection(s.selections[0]) + "\n" +
         "First class: " + selection(s.selections[1]) + "\n" +
         "Second class: " + selection(s.selections[2]) + "\n" + "Started: " + yesNo(s.started) +
         "\n" + "Multi-classed: " + yesNo(s.multiClassed) + "\n\n" + valueTable(s) + "\n" +
         learnedLine(s) + "Points remaining: Magic " + pool(0) + ", Physical " + pool(1) +
         ", Either " + pool(2) + "\n" +
         "Spells: " + checkedOnes(s, {{Bless, "Bless"}, {Shield, "Shield"}, {Endure, "Endure"}}) +
         "\n" + "Clan-town bonuses: " +
         checkedOnes(s, {{PBonus1, "PElement Building Bonus 1"},
                         {PBonus2, "PElement Building Bonus 2"},
                         {MBonus1, "MElement Amount Bonus 1"},
                         {MBonus2, "MElement Amount Bonus 2"}}) +
         "\n" + goalLines(s) + "\n" + skillList("First Class Abilities...", s.firstClassSkills) +
         skillList("Second Class Abilities...", s.secondClassSkills) + "\n" + encodeCode(s);
}

}  // namespace store
