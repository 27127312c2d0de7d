// What else fits, and which race: more plans of the same problem. A row
// appended as the last goal leaves every goal before it as it was, so the
// kept goals' needs are the same for every row and each row costs one solve.
#include "goals/explore.h"

#include <algorithm>

#include "goals/taking.h"
#include "sheet/tables.h"

namespace goals {
namespace {

using skills::Copy;

const std::string& classOf(const Problem& problem, Copy copy) {
  return copy == Copy::FirstClass ? problem.firstClass : problem.secondClass;
}

void addFits(Exploration& out, const Problem& problem, const Plan& plan) {
  const Setup setup = taking::setupOf(problem);
  Needs kept;
  for (const Goal& goal : plan.kept) taking::ask(kept, rowOf(problem, goal), goal.copy);
  for (Copy copy : {Copy::FirstClass, Copy::SecondClass}) {
    const auto rows = skills::rowsOf(classOf(problem, copy), copy);
    std::vector<bool> isGoal(rows.size());
    for (const Goal& goal : problem.goals) {
      if (goal.copy != copy) continue;
      rowOf(problem, goal);  // throws for a row the class doesn't have
      isGoal[static_cast<std::size_t>(goal.row)] = true;
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (isGoal[i]) continue;
      Fit fit;
      fit.goal = {copy, static_cast<int>(i)};
      Needs with = kept;
      if (!taking::ask(with, rows[i], copy)) {
        fit.fits = true;
      } else if (const std::optional<Solution> met = solve(setup, with)) {
        fit.fits = true;
        fit.cost = plan.pointsLeft - met->pointsLeft();
      } else {
        fit.reason = taking::reason(shortfall(setup, with), setup.ceiling);
      }
      out.fits.push_back(std::move(fit));
    }
  }
}

void addRaces(Exploration& out, const Problem& problem, const Plan& plan) {
  Problem asRace = problem;
  for (const sheet::RaceBonus& race : sheet::kRaceBonuses) {
    RaceOutcome outcome{race.race, static_cast<int>(plan.kept.size()), plan.pointsLeft};
    if (race.race != problem.race) {  // the problem's own race is the plan given
      asRace.race = race.race;
      const taking::Taken taken = taking::take(taking::setupOf(asRace), asRace);
      outcome.kept = static_cast<int>(taken.kept.size());
      outcome.pointsLeft = taken.best.pointsLeft();
    }
    out.races.push_back(outcome);
  }
  const auto better = [](const RaceOutcome& a, const RaceOutcome& b) {
    return a.kept != b.kept ? a.kept > b.kept : a.pointsLeft > b.pointsLeft;
  };
  out.bestRace = static_cast<std::size_t>(
      std::min_element(out.races.begin(), out.races.end(), better) - out.races.begin());
}

}  // namespace

const Fit* Exploration::fitOf(const Goal& goal) const {
  const auto at =
      std::find_if(fits.begin(), fits.end(), [&](const Fit& f) { return f.goal == goal; });
  return at == fits.end() ? nullptr : &*at;
}

Exploration explore(const Problem& problem, const Plan& plan) {
  Exploration out;
  addFits(out, problem, plan);
  addRaces(out, problem, plan);
  return out;
}

std::string fitWords(const Fit& fit, bool fromNew) {
  const std::string from = fromNew ? " from a new plavet: " : ": ";
  if (!fit.fits) return "doesn't fit" + from + fit.reason;
  if (fit.cost == 0) return "fits" + from + "0";
  return "fits" + from + std::to_string(fit.cost) + (fit.cost == 1 ? " point" : " points");
}

}  // namespace goals
