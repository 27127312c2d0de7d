#include "skills/needs.h"

#include <array>

namespace skills {

std::string_view valueWord(Value value) {
  static constexpr std::array<std::string_view, kValueCount> kWords = {
      "MFire", "MEarth", "MWater", "MAir", "MSpirit",
      "PFire", "PEarth", "PWater", "PAir", "PSpirit"};
  return kWords[index(value)];
}

std::string valueName(Value value) {
  const int v = index(value);
  return std::string(v < kElementCount ? "M " : "P ") +
         std::string(kElementNames[v % kElementCount]);
}

std::string needsText(const SkillRow& row) {
  std::string text;
  for (int i = 0; i < row.needCount; ++i) {
    if (i > 0) text += i + 1 == row.needCount ? " and " : ", ";
    text += valueWord(row.needs[i].value);
    text += ' ';
    text += std::to_string(row.needs[i].minimum);
  }
  return text;
}

std::string needsTip(const SkillRow& row) {
  const std::string needs = needsText(row);
  return needs.empty() ? "Needs nothing: always listed" : "Needs " + needs;
}

const SkillRow* findRow(std::string_view className, Copy copy, std::string_view text) {
  for (const SkillRow& row : rowsOf(className, copy))
    if (row.text == text) return &row;
  return nullptr;
}

}  // namespace skills
