// Planning for goals as a window or a page shows it: it follows the race and
// classes a plavet has chosen, keeps the skills ticked as goals (while the
// classes stay; other classes are other skills) and the best plan for them,
// and says in words how far the plavet is from each skill.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "goals/goals.h"

namespace goals {

// A row against a plavet's values: each need met or the points it still
// lacks ("MFire 55: 20 more, MSpirit 40: met"); a row whose needs all hold
// says so first ("qualifies (MFire 55: met)", "qualifies (needs nothing)").
struct Progress {
  std::string words;
  bool met = false;
};
Progress progress(const skills::SkillRow& row, const skills::ElementValues& values);

class Planning {
 public:
  // Catches up with the plavet's selections; true when they name other
  // classes than before (the goals are gone, and the rows to show are others).
  bool follow(const sheet::State& plavet);
  // The clan-town box counts of the plan, from the plavet's boxes.
  void takeBonuses(const sheet::State& plavet);

  // False, and nothing changes, while no race and classes are chosen, for a
  // row its class doesn't have, or a count that is not 0 to 2.
  bool tick(const Goal& goal, bool ticked);
  bool setBonuses(int magic, int physical);
  void clear();

  // Whether the selections name a race and two classes of their lists.
  bool chosen() const { return chosen_; }
  const Problem& problem() const { return problem_; }
  const std::optional<Plan>& plan() const { return plan_; }
  bool isGoal(const Goal& goal) const;
  // Counts the plans made, so a view knows when to show the plan again.
  int plansMade() const { return plansMade_; }

  // What to do next, in words: which selections to choose (in `where`, "the
  // main window"), or the race and classes planned for.
  std::string hint(std::string_view where) const;

  // The plavet the plan makes, with the spells checked in `plavet`.
  std::optional<sheet::State> played(const sheet::State& plavet) const;

 private:
  void replan();

  std::string race_, firstClass_, secondClass_;  // as the plavet has them
  Problem problem_;
  std::optional<Plan> plan_;
  bool chosen_ = false;
  int plansMade_ = 0;
};

}  // namespace goals
