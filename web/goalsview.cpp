#include "web/goalsview.h"

#include <vector>

#include "web/json.h"

namespace web {
namespace {

using skills::Copy;

}  // namespace

void GoalsView::open() {
  replaced();
}

void GoalsView::follow() {
  planning_.followKept(planner_.state());
}

void GoalsView::replaced() {
  planning_.followKept(planner_.state(), true);
}

bool GoalsView::tick(Copy copy, int row, bool ticked) {
  return planning_.tick({copy, row}, ticked);
}

bool GoalsView::setBonuses(int magic, int physical) {
  return planning_.setBonuses(magic, physical);
}

bool GoalsView::move(Copy copy, int row, int delta) {
  return planning_.move({copy, row}, delta);
}

bool GoalsView::chooseRace(std::string_view race) {
  return planning_.chooseRace(race);
}

void GoalsView::clear() {
  planning_.clear();
}

std::optional<sheet::State> GoalsView::played() const {
  return planning_.played(planner_.state());
}

std::string GoalsView::json() const {
  std::string out = "{";
  json::flag(out, "chosen", planning_.chosen());
  json::text(out, "hint", planning_.hint("the planner"));
  if (!planning_.chosen()) return out + "}";
  json::number(out, "magicBonus", planning_.problem().magicBonus);
  json::number(out, "physicalBonus", planning_.problem().physicalBonus);
  json::text(out, "race", planning_.problem().race);
  json::flag(out, "raceChosen", planning_.raceChosen());
  json::key(out, "lists");
  out += '[';
  writeList(out, Copy::FirstClass);
  writeList(out, Copy::SecondClass);
  out += ']';
  json::key(out, "order");
  out += '[';
  for (const goals::Goal& goal : planning_.problem().goals) {
    json::item(out);
    out += '{';
    json::number(out, "copy", goal.copy == Copy::FirstClass ? 0 : 1);
    json::number(out, "row", goal.row);
    out += '}';
  }
  out += ']';
  writeRaces(out);
  json::key(out, "plan");
  writePlan(out);
  return out + "}";
}

// Every row of the class in catalogue order, each need against the plavet's
// values as they stand (met, or the points it still lacks), with its place
// among the goals and what the plan makes of it.
void GoalsView::writeList(std::string& out, Copy copy) const {
  const bool firstCopy = copy == Copy::FirstClass;
  const goals::Problem& problem = planning_.problem();
  const std::string& className = firstCopy ? problem.firstClass : problem.secondClass;
  json::item(out);
  out += '{';
  json::text(out, "title", (firstCopy ? "First class: " : "Second class: ") + className);
  json::key(out, "rows");
  out += '[';
  for (const goals::RowView& row : planning_.rows(copy, planner_.state())) {
    json::item(out);
    out += '{';
    json::text(out, "text", row.text);
    json::text(out, "needs", row.needs);
    json::text(out, "now", row.now.words);
    json::flag(out, "met", row.now.met);
    json::flag(out, "goal", row.order.has_value());
    json::key(out, "order");
    out += row.order ? std::to_string(*row.order) : "null";
    json::flag(out, "dropped", row.dropped.has_value());
    json::text(out, "reason", row.dropped.value_or(""));
    json::flag(out, "fixed", row.now.fixed);
    json::text(out, "labelNote", row.labelNote);
    json::text(out, "fit", row.fit);
    out += '}';
  }
  out += "]}";
}

void GoalsView::writeRaces(std::string& out) const {
  json::key(out, "races");
  out += '[';
  if (const auto& e = planning_.exploration()) {
    for (std::size_t i = 0; i < e->races.size(); ++i) {
      const goals::RaceOutcome& race = e->races[i];
      json::item(out);
      out += '{';
      json::text(out, "race", race.race);
      json::number(out, "kept", race.kept);
      json::number(out, "pointsLeft", race.pointsLeft);
      json::flag(out, "best", i == e->bestRace);
      json::flag(out, "chosen", race.race == planning_.problem().race);
      json::flag(out, "plavet", race.race == planning_.plavetRace());
      out += '}';
    }
  }
  out += ']';
}

void GoalsView::writePlan(std::string& out) const {
  if (!planning_.plan()) {
    out += "null";
    return;
  }
  const goals::Plan& p = *planning_.plan();
  const goals::Problem& problem = planning_.problem();
  out += '{';
  json::number(out, "pointsLeft", p.pointsLeft);
  json::key(out, "pools");
  out += '{';
  json::number(out, "magic", p.finalPools.magic);
  json::number(out, "physical", p.finalPools.physical);
  json::number(out, "either", p.finalPools.either);
  out += '}';
  json::key(out, "table");
  out += '[';
  const auto row = [&](std::string_view label, const skills::ElementValues& values, int first) {
    json::item(out);
    out += '{';
    json::text(out, "label", label);
    json::key(out, "values");
    out += '[';
    for (int e = 0; e < skills::kElementCount; ++e) {
      json::item(out);
      out += std::to_string(static_cast<int>(values[first + e]));
    }
    out += "]}";
  };
  row("M before multi-classing", p.beforeMulti, 0);
  row("P before multi-classing", p.beforeMulti, skills::kElementCount);
  row("M at the end", p.final, 0);
  row("P at the end", p.final, skills::kElementCount);
  out += ']';
  json::text(out, "beforeMulti", goals::pressesInWords(p.beforeMultiRaises));
  json::text(out, "afterMulti", goals::pressesInWords(p.afterMultiRaises));
  json::number(out, "goals", static_cast<long long>(problem.goals.size()));
  json::key(out, "dropped");
  out += '[';
  for (const goals::Dropped& d : p.dropped) {
    json::item(out);
    out += '{';
    json::text(out, "skill", goals::rowOf(problem, d.goal).text);
    json::text(out, "copy", d.goal.copy == Copy::FirstClass ? "first class" : "second class");
    json::text(out, "reason", d.reason);
    out += '}';
  }
  out += "]}";
}

}  // namespace web
