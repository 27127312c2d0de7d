// The parts of a plavet that a file or a code holds, with the names a file
// gives them. The D values are not among them: they follow from the rest.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "sheet/planner.h"

namespace store::fields {

// The ten M and P values as a file names them, in the order of skills::Value.
inline constexpr std::array<std::string_view, skills::kValueCount> kValueKeys = {
    "mFire", "mEarth", "mWater", "mAir", "mSpirit", "pFire", "pEarth", "pWater", "pAir", "pSpirit"};

// The eleven yes-or-no fields. A code packs them into bits in this order.
// clang-format off
enum Flag : std::uint8_t {
  SelectionsLocked, Started, StartResetToggle, MultiClassed,
  Bless, Shield, Endure,
  PBonus1, PBonus2, MBonus1, MBonus2,
};
// clang-format on
inline constexpr int kFlagCount = 11;

inline bool& flag(sheet::State& s, int f) {
  switch (f) {
    case SelectionsLocked:
      return s.selectionsLocked;
    case Started:
      return s.started;
    case StartResetToggle:
      return s.startResetToggle;
    case MultiClassed:
      return s.multiClassed;
    case Bless:
      return s.spells[static_cast<int>(sheet::Spell::Bless)];
    case Shield:
      return s.spells[static_cast<int>(sheet::Spell::Shield)];
    case Endure:
      return s.spells[static_cast<int>(sheet::Spell::Endure)];
    default:
      return s.bonuses[f - PBonus1];  // in the order of sheet::Bonus
  }
}
inline bool flag(const sheet::State& s, int f) {
  return flag(const_cast<sheet::State&>(s), f);
}

inline constexpr std::array<sheet::Box, 3> kPools = {sheet::Box::mpr, sheet::Box::ppr,
                                                     sheet::Box::epr};

// Record: the ten values at multi-classing, or none. Goals: the skill goals
// of the plavet's classes; Counts: the clan-town counts its plan starts
// from, or none when they are the boxes checked.
enum class Kind : std::uint8_t { Text, Flag, Value, Pool, List, Record, Goals, Counts };

struct Field {
  std::string_view key;
  Kind kind;
  int index;      // the selection, Flag, skills::Value, pool (in kPools) or list
  int since = 1;  // the first version of the file that holds it
};

// A file's fields after its format and version, in the order it writes
// them: the window read from top to bottom, with what the plavet learned at
// multi-classing next to the flag that says it did, and what the plavet is
// planned for last.
// clang-format off
inline constexpr auto kFileFields = std::to_array<Field>({
    {"race", Kind::Text, 0},
    {"firstClass", Kind::Text, 1},
    {"secondClass", Kind::Text, 2},
    {"selectionsLocked", Kind::Flag, SelectionsLocked},
    {"started", Kind::Flag, Started},
    {"startResetToggle", Kind::Flag, StartResetToggle},
    {"multiClassed", Kind::Flag, MultiClassed},
    {"valuesAtMultiClass", Kind::Record, 0, 2},
    {"magicPool", Kind::Pool, 0},
    {"physicalPool", Kind::Pool, 1},
    {"eitherPool", Kind::Pool, 2},
    {kValueKeys[0], Kind::Value, 0}, {kValueKeys[1], Kind::Value, 1},
    {kValueKeys[2], Kind::Value, 2}, {kValueKeys[3], Kind::Value, 3},
    {kValueKeys[4], Kind::Value, 4},
    {kValueKeys[5], Kind::Value, 5}, {kValueKeys[6], Kind::Value, 6},
    {kValueKeys[7], Kind::Value, 7}, {kValueKeys[8], Kind::Value, 8},
    {kValueKeys[9], Kind::Value, 9},
    {"bless", Kind::Flag, Bless},
    {"shield", Kind::Flag, Shield},
    {"endure", Kind::Flag, Endure},
    {"pBonus1", Kind::Flag, PBonus1},
    {"pBonus2", Kind::Flag, PBonus2},
    {"mBonus1", Kind::Flag, MBonus1},
    {"mBonus2", Kind::Flag, MBonus2},
    {"firstClassSkills", Kind::List, 0},
    {"secondClassSkills", Kind::List, 1},
    {"goals", Kind::Goals, 0, 3},
    {"clanTownCounts", Kind::Counts, 0, 3},
});
// clang-format on

inline skills::SkillList& list(sheet::State& s, int which) {
  return which == 0 ? s.firstClassSkills : s.secondClassSkills;
}
inline const skills::SkillList& list(const sheet::State& s, int which) {
  return which == 0 ? s.firstClassSkills : s.secondClassSkills;
}

// Which copy of the catalogue a list is filled from, and by which selection.
inline skills::Copy copyOf(int which) {
  return which == 0 ? skills::Copy::FirstClass : skills::Copy::SecondClass;
}
inline int classSelectionOf(int which) {
  return which + 1;
}

// A goal names its class by the selection's field: "firstClass" for a row
// of the first-class copy, "secondClass" for the second-class copy.
inline constexpr std::array<std::string_view, 2> kGoalClassKeys = {"firstClass", "secondClass"};
inline constexpr std::string_view kGoalRowKey = "row";
inline constexpr std::array<std::string_view, 2> kCountKeys = {"magic", "physical"};

// Whether the plavet keeps goals or counts of its own, which only a file or
// a code of version 3 holds.
inline bool keepsGoals(const sheet::State& s) {
  return !sheet::goalsHeld(s).empty() || sheet::countsHeld(s) != sheet::boxCounts(s.bonuses);
}

}  // namespace store::fields
