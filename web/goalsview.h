// The Skill Goals view behind the page's panel: every skill of the chosen
// classes with what it needs and how far the plavet is from it, the skills
// ticked as goals, and the best plan for them, played into the plavet on
// request. It follows the planner it watches; the page shows what json()
// writes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "goals/planning.h"
#include "sheet/planner.h"

namespace web {

class GoalsView {
 public:
  explicit GoalsView(const sheet::Planner& planner) : planner_(planner) {}

  // The panel opens with the goals and counts the plavet keeps.
  void open();
  // Catches up with the plavet after any event: the goals and clan-town
  // counts planned are those the plavet keeps (goals::Planning::followKept).
  void follow();
  // The plavet was put in place (a link opened, undo, Apply Plan): followed.
  void replaced();
  // The plavet with the goals and counts planned now, after a change here,
  // which the session puts in place as a step.
  sheet::State kept() const { return planning_.kept(planner_.state()); }
  // False, and nothing changes, for a row that is not shown or a count that
  // is not 0 to 2.
  bool tick(skills::Copy copy, int row, bool ticked);
  bool setBonuses(int magic, int physical);
  // A goal moved `delta` places in the goals' order (see goals::Planning::move).
  bool move(skills::Copy copy, int row, int delta);
  // Plans with a race chosen from the race table (see goals::Planning::chooseRace).
  bool chooseRace(std::string_view race);
  void clear();

  // The plavet the plan makes, played from a fresh one without a message;
  // the spells checked in the watched plavet stay checked. None without a
  // plan.
  std::optional<sheet::State> played() const;

  // {"chosen":false,"hint":"To plan skill goals, choose ..."} or
  // {"chosen":true,"hint":...,"magicBonus":0,"physicalBonus":0,
  //  "race":"Elf","raceChosen":false,
  //  "lists":[{"title","rows":[{"text","needs","now","met","goal",
  //            "order","dropped","reason","fixed","labelNote","fit"}...]} x2],
  //  (needs: "MFire 55 and MSpirit 40", as the rule applies them; now: each
  //  need against the plavet's values, "MFire 55: 20 more, MSpirit 40: met"
  //  or "qualifies (MFire 55: met)", or for a first-class row once
  //  multi-classed "learned at multi-classing" / "not learned: fixed at
  //  multi-classing", with fixed true; order: the goal's place from 0, null
  //  for no goal; dropped and reason: a goal the plan drops and why, else
  //  false and ""; labelNote: "label says 55; the rule needs 65" or "";
  //  fit: for no goal "fits: 15 points" or "doesn't fit: ...", else "")
  //  "order":[{"copy":0,"row":3}...] (the goals in order; copy 0 first class),
  //  "races":[{"race","kept","pointsLeft","best","chosen","plavet"}...]
  //  (every race in list order: the goals planned with it; chosen: the race
  //  planned for; plavet: the plavet's own race),
  //  "plan":{"pointsLeft","pools":{...},"table":[{"label","values"}...],
  //          "beforeMulti","afterMulti","goals","dropped":[{"skill","copy","reason"}...]}}
  std::string json() const;

  const goals::Problem& problem() const { return planning_.problem(); }

 private:
  void writeList(std::string& out, skills::Copy copy) const;
  void writeRaces(std::string& out) const;
  void writePlan(std::string& out) const;

  const sheet::Planner& planner_;
  goals::Planning planning_;
};

}  // namespace web
