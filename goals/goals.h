// Skill goals: the best plavet for the skills a player wants.
//
// A plan is played with left presses only: start, check the clan-town boxes,
// raise values, multi-class, raise values again. It meets its goals when every
// first-class goal is listed by multi-classing and every second-class goal by
// "Show Current Skills" at the end; the best plan leaves the most points in
// the three pools. Goals that can't all be met are taken in their order, each
// kept when it can be met with those kept before it.
#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "goals/solver.h"
#include "sheet/planner.h"
#include "skills/catalogue.h"
#include "skills/needs.h"

namespace goals {

// A skill asked for (sheet/plangoals.h), as a plavet keeps it.
using sheet::Goal;

struct Problem {
  std::string race, firstClass, secondClass;  // names from their lists
  int magicBonus = 0, physicalBonus = 0;      // clan-town boxes checked, 0 to 2 each
  std::vector<Goal> goals;                    // in the player's order
};

// So many left presses on a value's raise arrow, and where their points come from.
struct Raise {
  skills::Value value;
  int presses = 0;
  int fromKindPool = 0;
  int fromEither = 0;
};

struct Dropped {
  Goal goal;
  std::string reason;  // in the player's words, told against all the goals kept
};

struct Plan {
  skills::ElementValues started{};      // after the start and the clan-town boxes
  skills::ElementValues beforeMulti{};  // when multi-classing
  skills::ElementValues afterMulti{};   // right after it
  skills::ElementValues final{};
  PoolPoints startPools, poolsBeforeMulti, poolsAfterMulti, finalPools;
  std::vector<Raise> beforeMultiRaises, afterMultiRaises;  // in the order played
  int pointsLeft = 0;
  std::vector<Goal> kept;
  std::vector<Dropped> dropped;  // in the goals' order
};

// The problem is not one of the lists' races, classes, box counts or rows.
struct BadProblem : std::invalid_argument {
  using std::invalid_argument::invalid_argument;
};

// The best plan for the goals that can be met, taken in their order.
Plan plan(const Problem& problem);

// The catalogue row a goal stands for. Throws BadProblem for a row that isn't one.
const skills::SkillRow& rowOf(const Problem& problem, const Goal& goal);

// Plays a plan through a planner as a player would: selects, starts (after
// resetting a started plavet), checks the boxes, presses, multi-classes and
// presses again; then fills the second-class list from the final values,
// leaving the first-class list as multi-classing built it. The planner's
// messages go to its sink.
void play(const Problem& problem, const Plan& plan, sheet::Planner& planner);

// The plavet a plan leaves: played into a fresh planner without a message,
// then the spells the player has checked (they are the player's, not the
// plan's) checked again. By sheet::Spell.
sheet::State played(const Problem& problem, const Plan& plan, const std::array<bool, 3>& spells);

using skills::valueName;  // "M Fire", "P Spirit"

// The presses of a phase in words: "M Fire +40 (Magic pool), P Air +10 (4
// from the Physical pool, 6 from the Either pool)"; "no presses" for none.
std::string pressesInWords(const std::vector<Raise>& raises);

}  // namespace goals
