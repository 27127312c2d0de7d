// Questions around a plan, each answered by planning again: which skills
// that are not goals would still fit and what each would cost, and how the
// same goals fare with every other race.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "goals/goals.h"

namespace goals {

// A row that is not a goal, appended as the last goal: the plan keeps it
// (fits) at the cost of the points it leaves fewer, or drops it for a reason.
struct Fit {
  Goal goal;
  bool fits = false;
  int cost = 0;  // when it fits: the plan's points left less the new plan's; 0 when met already
  std::string reason;  // when it doesn't: why the plan would drop it
};

// The problem planned with a race instead of its own.
struct RaceOutcome {
  std::string_view race;  // a name of the race list
  int kept = 0;           // goals kept
  int pointsLeft = 0;
};

struct Exploration {
  // Every row of both classes that is not a goal, in catalogue order: the
  // first class's rows, then the second class's.
  std::vector<Fit> fits;
  // Every race of the race list, in list order.
  std::vector<RaceOutcome> races;
  // The best of `races`: it keeps the most goals, then leaves the most
  // points, then comes first in the list.
  std::size_t bestRace = 0;

  // The fit of a row, or nullptr for a goal (or a row not of the classes).
  const Fit* fitOf(const Goal& goal) const;
};

// Both answers for a problem and its plan (goals::plan(problem)). Throws
// BadProblem as goals::plan does.
Exploration explore(const Problem& problem, const Plan& plan);

// A fit in words, for a row that is not a goal: "fits: 0", "fits: 1 point",
// "fits: 15 points", or "doesn't fit: " and the reason. Told `fromNew`, where
// the plavet has moved past what the plan starts from (a first-class row of
// a multi-classed plavet): "fits from a new plavet: 5 points", "doesn't fit
// from a new plavet: ...".
std::string fitWords(const Fit& fit, bool fromNew = false);

}  // namespace goals
