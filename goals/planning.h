// Planning for goals as a window or a page shows it: it follows the race,
// classes and clan-town boxes a plavet has chosen, keeps the skills ticked
// as goals in the order they are kept or dropped (while the classes stay;
// other classes are other skills), the best plan for them and what else
// would fit, and says in words how far the plavet is from each skill.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "goals/explore.h"
#include "goals/goals.h"

namespace goals {

// A row against a plavet's values: each need met or the points it still
// lacks ("MFire 55: 20 more, MSpirit 40: met"); a row whose needs all hold
// says so first ("qualifies (MFire 55: met)", "qualifies (needs nothing)").
struct Progress {
  std::string words;
  bool met = false;
  // Judged by the values at multi-classing: a first-class row of a plavet
  // that has multi-classed, which no press can change any longer.
  bool fixed = false;
};
Progress progress(const skills::SkillRow& row, const skills::ElementValues& values);
// A row of `copy` against a plavet: as above, but a first-class row of a
// multi-classed plavet that kept its values at multi-classing reads
// "learned at multi-classing" (met) or "not learned: fixed at multi-classing".
Progress progress(const skills::SkillRow& row, skills::Copy copy, const sheet::State& plavet);

// One row of a class as a view shows it.
struct RowView {
  Goal goal;                 // the row, whether or not it is a goal
  std::string_view text;     // its label
  std::string needs;         // what its rule needs: "MFire 55 and MSpirit 40"; empty for nothing
  std::string labelNote;     // where the label says otherwise: "label says 55; the rule needs 65"
  Progress now;              // against the plavet
  std::optional<int> order;  // its place among the goals, from 0; none for no goal
  std::optional<std::string> dropped;  // a goal the plan drops: why
  std::string fit;  // a row that is no goal: fitWords() ("fits: 15 points"); empty for a goal
};

class Planning {
 public:
  // Catches up with the plavet after any event: its selections, and its
  // clan-town boxes when they are other than last seen. True when the
  // selections name other classes than before (the goals are gone, and the
  // rows to show are others).
  bool follow(const sheet::State& plavet);
  // A plavet put in place of the one followed (New, Open, Paste, Undo, Redo,
  // Apply Plan): followed as above, with the clan-town counts read from its
  // boxes again even where they look the same.
  bool replaced(const sheet::State& plavet);
  // The clan-town box counts of the plan, from the plavet's boxes.
  void takeBonuses(const sheet::State& plavet);
  // Follows a plavet that keeps its goals, as the views do: as follow(), or
  // replaced() when `replaced`, and then the goals and clan-town counts
  // planned are those the plavet keeps (sheet::goalsHeld, countsHeld).
  // True as for follow.
  bool followKept(const sheet::State& plavet, bool replaced = false);
  // The plavet with the goals and counts planned kept in it (unchanged while
  // no race and classes are chosen): what a view puts in place after a
  // tick, a move, a count set or Clear Goals.
  sheet::State kept(const sheet::State& plavet) const;

  // False, and nothing changes, while no race and classes are chosen, for a
  // row its class doesn't have, or a count that is not 0 to 2.
  bool tick(const Goal& goal, bool ticked);
  // A count the player sets holds until the plavet's boxes change or the
  // plavet is replaced.
  bool setBonuses(int magic, int physical);
  // Moves a goal `delta` places in the goals' order (negative: earlier, kept
  // before the others), stopping at either end. False, and nothing changes,
  // for a row that is no goal or a move that goes nowhere.
  bool move(const Goal& goal, int delta);
  // Plans with another race of the race list, as chosen from the race table,
  // until the plavet's own race changes; the plavet's own race ends the
  // choice. False, and nothing changes, for a name not of the list or while
  // no race and classes are chosen.
  bool chooseRace(std::string_view race);
  void clear();

  // Whether the selections name a race and two classes of their lists.
  bool chosen() const { return chosen_; }
  // The problem planned: the race chosen from the race table or else the
  // plavet's, its classes, the clan-town counts and the goals in order.
  const Problem& problem() const { return problem_; }
  const std::optional<Plan>& plan() const { return plan_; }
  // What else fits the plan, and the race table; kept with the plan.
  const std::optional<Exploration>& exploration() const { return exploration_; }
  // The race as the plavet has it, and whether the plan is for another one
  // chosen from the race table.
  const std::string& plavetRace() const { return race_; }
  bool raceChosen() const { return chosenRace_.has_value(); }
  bool isGoal(const Goal& goal) const { return orderOf(goal).has_value(); }
  std::optional<int> orderOf(const Goal& goal) const;
  // Why the plan drops a goal; none for a goal kept and for no goal.
  std::optional<std::string> droppedWhy(const Goal& goal) const;
  // Counts the plans made, so a view knows when to show the plan again.
  int plansMade() const { return plansMade_; }

  // What to do next, in words: which selections to choose (in `where`, "the
  // main window"), or the race and classes planned for ("An Elf, first
  // class ...").
  std::string hint(std::string_view where) const;

  // Every row of a class in catalogue order, against `plavet`; none while no
  // race and classes are chosen.
  std::vector<RowView> rows(skills::Copy copy, const sheet::State& plavet) const;

  // The plavet the plan makes, with the spells checked in `plavet`: played
  // with the race planned for, keeping the goals.
  std::optional<sheet::State> played(const sheet::State& plavet) const;

 private:
  void countBoxes(const std::array<bool, 4>& boxes);
  void replan();
  // follow() but for planning: whether the classes are others, and whether
  // to plan again.
  std::pair<bool, bool> catchUp(const sheet::State& plavet);

  std::string race_, firstClass_, secondClass_;   // as the plavet has them
  std::optional<std::string> chosenRace_;         // from the race table
  std::optional<std::array<bool, 4>> boxesSeen_;  // the plavet's clan-town boxes, by sheet::Bonus
  Problem problem_;
  std::optional<Plan> plan_;
  std::optional<Exploration> exploration_;
  bool chosen_ = false;
  int plansMade_ = 0;
};

}  // namespace goals
