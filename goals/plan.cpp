// From skill goals to the best plan: the goals taken in order, the plan's
// numbers, the presses that play it and why each dropped goal was dropped.
#include <algorithm>

#include "goals/goals.h"
#include "goals/taking.h"
#include "sheet/tables.h"

namespace goals {
namespace taking {
namespace {

constexpr int kClanTownBonus = 5;  // what each checked box adds to every value of its kind
constexpr int kMostBoxes = 2;      // boxes per kind

}  // namespace

Setup setupOf(const Problem& p) {
  const sheet::RaceBonus* race = sheet::findRace(p.race);
  const sheet::Pools* pools = sheet::findClass(sheet::kStartingPools, p.firstClass);
  const sheet::Pools* topUp = sheet::findClass(sheet::kSecondClassTopUps, p.secondClass);
  if (!race) throw BadProblem("not a race: \"" + p.race + "\"");
  if (!pools) throw BadProblem("not a class: \"" + p.firstClass + "\"");
  if (!topUp) throw BadProblem("not a class: \"" + p.secondClass + "\"");
  for (int boxes : {p.magicBonus, p.physicalBonus})
    if (boxes < 0 || boxes > kMostBoxes) throw BadProblem("not a count of clan-town boxes");

  Setup s;
  for (int e = 0; e < skills::kElementCount; ++e) {
    const int bonus = race->elements[e] ? race->bonus : 0;
    const int m = skills::index(skills::magicValue(e)),
              ph = skills::index(skills::physicalValue(e));
    s.raceBonus[m] = s.raceBonus[ph] = bonus;
    s.start[m] = bonus + kClanTownBonus * p.magicBonus;
    s.start[ph] = bonus + kClanTownBonus * p.physicalBonus;
  }
  s.pools = {pools->magic, pools->physical, pools->either};
  s.topUp = {topUp->magic, topUp->physical, topUp->either};
  s.ceiling = static_cast<int>(sheet::kMaxValue);
  return s;
}

bool ask(Needs& needs, const skills::SkillRow& row, skills::Copy copy) {
  Values& least = copy == skills::Copy::FirstClass ? needs.beforeMulti : needs.final;
  bool more = false;
  for (int i = 0; i < row.needCount; ++i) {
    int& n = least[skills::index(row.needs[i].value)];
    if (row.needs[i].minimum > n) {
      n = row.needs[i].minimum;
      more = true;
    }
  }
  return more;
}

Taken take(const Setup& setup, const Problem& problem) {
  Taken t;
  t.best = *solve(setup, t.needs);  // nothing asked: always met
  for (const Goal& goal : problem.goals) {
    Needs with = t.needs;
    if (!ask(with, rowOf(problem, goal), goal.copy)) {
      t.kept.push_back(goal);
    } else if (std::optional<Solution> met = solve(setup, with)) {
      t.needs = with;
      t.best = *met;
      t.kept.push_back(goal);
    } else {
      t.dropped.push_back(goal);
    }
  }
  return t;
}

std::string reason(const Shortfall& s, int ceiling) {
  const std::string when = s.afterMulti ? "after multi-classing" : "before multi-classing";
  if (s.pastCeiling)
    return valueName(*s.pastCeiling) + " would have to pass " + std::to_string(ceiling) + " " +
           when;
  const std::string pools = s.magic && s.physical ? "the Magic, Physical and Either pools"
                            : s.magic             ? "the Magic and Either pools"
                            : s.physical          ? "the Physical and Either pools"
                                                  : "the Either pool";
  return pools + " run " + std::to_string(s.points) + (s.points == 1 ? " point" : " points") +
         " short " + when;
}

}  // namespace taking

namespace {

// The presses from one set of values to the next, value by value, and which
// pool pays for each point.
std::vector<Raise> raises(const Values& from, const Values& to, PoolPoints pools) {
  std::vector<Raise> out;
  for (int v = 0; v < skills::kValueCount; ++v) {
    const int presses = to[v] - from[v];
    if (presses == 0) continue;
    int& kindPool = v < skills::kElementCount ? pools.magic : pools.physical;
    const int fromKind = std::min(presses, kindPool);
    kindPool -= fromKind;
    pools.either -= presses - fromKind;
    out.push_back({static_cast<skills::Value>(v), presses, fromKind, presses - fromKind});
  }
  return out;
}

skills::ElementValues elementValues(const Values& values) {
  skills::ElementValues out{};
  std::copy(values.begin(), values.end(), out.begin());
  return out;
}

}  // namespace

const skills::SkillRow& rowOf(const Problem& problem, const Goal& goal) {
  const auto rows = skills::rowsOf(
      goal.copy == skills::Copy::FirstClass ? problem.firstClass : problem.secondClass, goal.copy);
  if (goal.row < 0 || goal.row >= static_cast<int>(rows.size()))
    throw BadProblem("not a row of the class: " + std::to_string(goal.row));
  return rows[goal.row];
}

Plan plan(const Problem& problem) {
  const Setup setup = taking::setupOf(problem);
  taking::Taken taken = taking::take(setup, problem);
  Plan result;
  result.kept = std::move(taken.kept);
  // Each reason is told against all the goals kept, as the plan shows them.
  for (const Goal& goal : taken.dropped) {
    Needs with = taken.needs;
    taking::ask(with, rowOf(problem, goal), goal.copy);
    result.dropped.push_back({goal, taking::reason(shortfall(setup, with), setup.ceiling)});
  }
  const Solution& best = taken.best;

  const Values afterMulti = halved(best.beforeMulti, setup.raceBonus);
  result.started = elementValues(setup.start);
  result.beforeMulti = elementValues(best.beforeMulti);
  result.afterMulti = elementValues(afterMulti);
  result.final = elementValues(best.final);
  result.startPools = setup.pools;
  result.poolsBeforeMulti = best.poolsBeforeMulti;
  result.poolsAfterMulti = best.poolsAfterMulti;
  result.finalPools = best.finalPools;
  result.beforeMultiRaises = raises(setup.start, best.beforeMulti, setup.pools);
  result.afterMultiRaises = raises(afterMulti, best.final, best.poolsAfterMulti);
  result.pointsLeft = best.pointsLeft();
  return result;
}

}  // namespace goals
