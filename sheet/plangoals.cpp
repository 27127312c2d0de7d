#include "sheet/plangoals.h"

#include "sheet/planner.h"

namespace sheet {

const std::vector<Goal>& goalsHeld(const State& plavet) {
  static const std::vector<Goal> kNone;
  const Goals& g = plavet.goals;
  const bool theirs = g.firstClass == plavet.selections[static_cast<int>(Selection::FirstClass)] &&
                      g.secondClass == plavet.selections[static_cast<int>(Selection::SecondClass)];
  return theirs ? g.rows : kNone;
}

BonusCounts boxCounts(const std::array<bool, 4>& boxes) {
  const auto checked = [&](Bonus b) { return boxes[static_cast<int>(b)] ? 1 : 0; };
  return {checked(Bonus::MBonus1) + checked(Bonus::MBonus2),
          checked(Bonus::PBonus1) + checked(Bonus::PBonus2)};
}

BonusCounts countsHeld(const State& plavet) {
  const auto& set = plavet.goals.counts;
  return set && set->boxesWhenSet == plavet.bonuses ? set->counts : boxCounts(plavet.bonuses);
}

State withGoals(State plavet, std::vector<Goal> rows, BonusCounts counts) {
  Goals& g = plavet.goals;
  g = {};
  if (!rows.empty()) {
    g.firstClass = plavet.selections[static_cast<int>(Selection::FirstClass)];
    g.secondClass = plavet.selections[static_cast<int>(Selection::SecondClass)];
    g.rows = std::move(rows);
  }
  if (counts != boxCounts(plavet.bonuses)) g.counts = Goals::Set{counts, plavet.bonuses};
  return plavet;
}

State withGoalsHeld(State plavet) {
  std::vector<Goal> rows = goalsHeld(plavet);
  const BonusCounts counts = countsHeld(plavet);
  return withGoals(std::move(plavet), std::move(rows), counts);
}

}  // namespace sheet
