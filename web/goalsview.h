// The Skill Goals view behind the page's panel: every skill of the chosen
// classes with what it needs and how far the plavet is from it, the skills
// ticked as goals, and the best plan for them, played into the plavet on
// request. It follows the planner it watches; the page shows what json()
// writes.
#pragma once

#include <optional>
#include <string>

#include "goals/planning.h"
#include "sheet/planner.h"

namespace web {

class GoalsView {
 public:
  explicit GoalsView(const sheet::Planner& planner) : planner_(planner) {}

  // The panel opens: the clan-town counts are taken from the plavet's boxes.
  void open();
  // Catches up with the plavet after any event: goals stay while the classes
  // stay, and go when other classes are chosen.
  void follow();
  // False, and nothing changes, for a row that is not shown or a count that
  // is not 0 to 2.
  bool tick(skills::Copy copy, int row, bool ticked);
  bool setBonuses(int magic, int physical);
  void clear();

  // The plavet the plan makes, played from a fresh one without a message;
  // the spells checked in the watched plavet stay checked. None without a
  // plan.
  std::optional<sheet::State> played() const;

  // {"chosen":false,"hint":"To plan skill goals, choose ..."} or
  // {"chosen":true,"hint":...,"magicBonus":0,"physicalBonus":0,
  //  "lists":[{"title","rows":[{"text","needs","now","met","goal"}...]} x2],
  //  (needs: "MFire 55 and MSpirit 40", as the rule applies them; now: each
  //  need against the plavet's values, "MFire 55: 20 more, MSpirit 40: met"
  //  or "qualifies (MFire 55: met)")
  //  "plan":{"pointsLeft","pools":{...},"table":[{"label","values"}...],
  //          "beforeMulti","afterMulti","goals","dropped":[{"skill","copy","reason"}...]}}
  std::string json() const;

  const goals::Problem& problem() const { return planning_.problem(); }

 private:
  void writeList(std::string& out, skills::Copy copy) const;
  void writePlan(std::string& out) const;

  const sheet::Planner& planner_;
  goals::Planning planning_;
};

}  // namespace web
