// What a plavet is planned for, beyond the window: the skill goals ticked in
// Skill Goals, in the player's order, and the clan-town counts the plan
// starts from. They are part of the plavet (State::goals), so undo, files,
// codes and the page keep them; no rule of the window reads or changes them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "skills/catalogue.h"

namespace sheet {

struct State;

// A skill asked for: a row of skills::rowsOf(class, copy), the first class for
// the first-class copy and the second class for the second-class copy.
struct Goal {
  skills::Copy copy = skills::Copy::FirstClass;
  int row = 0;
  bool operator==(const Goal&) const = default;
};

// Clan-town boxes the plan checks, 0 to 2 of each kind.
struct BonusCounts {
  int magic = 0, physical = 0;
  bool operator==(const BonusCounts&) const = default;
};
inline constexpr int kMostBonusCount = 2;

struct Goals {
  // The classes the goals are rows of: the goals hold while the plavet has
  // these classes, so a plavet that chooses others plans for none (and a
  // return to these brings them back). Empty without goals.
  std::string firstClass, secondClass;
  std::vector<Goal> rows;  // in the player's order, each once
  // Counts the player set against the boxes checked then (by Bonus): they
  // hold while the plavet's boxes stay so; otherwise, or without them, the
  // plan counts the boxes checked.
  struct Set {
    BonusCounts counts;
    std::array<bool, 4> boxesWhenSet{};
    bool operator==(const Set&) const = default;
  };
  std::optional<Set> counts;

  bool operator==(const Goals&) const = default;
};

// The goals that hold for the plavet: its goals while its classes are
// theirs, else none.
const std::vector<Goal>& goalsHeld(const State& plavet);
// The boxes checked, counted.
BonusCounts boxCounts(const std::array<bool, 4>& boxes);
// The counts its plan starts from.
BonusCounts countsHeld(const State& plavet);
// The plavet planning `rows` (of its classes) with `counts`, kept as every
// reader and writer keeps them: no classes without goals, and no counts of
// its own where the boxes say the same.
State withGoals(State plavet, std::vector<Goal> rows, BonusCounts counts);
// As withGoals, with what holds now: what a file or a code keeps.
State withGoalsHeld(State plavet);

}  // namespace sheet
