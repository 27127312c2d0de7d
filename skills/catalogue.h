// The skill catalogue: per class, the skills it can learn and the element
// values each one needs.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "skills/elements.h"

namespace skills {

struct Requirement {
  Value value;
  std::int16_t minimum;
};

struct SkillRow {
  std::string_view text;
  std::array<Requirement, 3> needs;
  std::uint8_t needCount;

  // A row holds when every value it needs is at least its minimum; a row
  // without needs always holds.
  constexpr bool qualifies(const ElementValues& values) const {
    for (int i = 0; i < needCount; ++i)
      if (!(values[index(needs[i].value)] >= needs[i].minimum)) return false;
    return true;
  }
};

// The catalogue is kept twice, once for the first class and once for the
// second; the two copies differ in a few texts and in one row order.
enum class Copy : std::uint8_t { FirstClass, SecondClass };

inline constexpr int kClassCount = 16;
inline constexpr std::array<std::string_view, kClassCount> kClassNames = {
    "Anti-Paladin",  "Artificer",     "Barbarian",     "Bard",
    "Chaos Cleric",  "Druid",         "Magic User",    "Monk (Autumn)",
    "Monk (Spring)", "Monk (Summer)", "Monk (Winter)", "Order Cleric",
    "Paladin",       "Ranger",        "Thief",         "Warrior",
};

// The rows of the class whose name equals `className` exactly (case and
// spaces count), in catalogue order; no rows for any other text.
std::span<const SkillRow> rowsOf(std::string_view className, Copy copy);

}  // namespace skills
