// From skill goals to the best plan: the goals taken in order, the plan's
// numbers, the presses that play it and why each dropped goal was dropped.
#include <algorithm>

#include "goals/goals.h"
#include "goals/labels.h"
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
  return setupOf(*race, *pools, *topUp, p.magicBonus, p.physicalBonus);
}

Setup setupOf(const sheet::RaceBonus& race, const sheet::Pools& pools, const sheet::Pools& topUp,
              int magicBoxes, int physicalBoxes) {
  for (int boxes : {magicBoxes, physicalBoxes})
    if (boxes < 0 || boxes > kMostBoxes) throw BadProblem("not a count of clan-town boxes");
  Setup s;
  for (int e = 0; e < skills::kElementCount; ++e) {
    const int bonus = race.elements[e] ? race.bonus : 0;
    const int m = skills::index(skills::magicValue(e)),
              ph = skills::index(skills::physicalValue(e));
    s.raceBonus[m] = s.raceBonus[ph] = bonus;
    s.start[m] = bonus + kClanTownBonus * magicBoxes;
    s.start[ph] = bonus + kClanTownBonus * physicalBoxes;
  }
  setClasses(s, pools, topUp);
  s.ceiling = static_cast<int>(sheet::kMaxValue);
  return s;
}

void setClasses(Setup& setup, const sheet::Pools& pools, const sheet::Pools& topUp) {
  setup.pools = {pools.magic, pools.physical, pools.either};
  setup.topUp = {topUp.magic, topUp.physical, topUp.either};
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
    const int points = to[v] - from[v];
    if (points == 0) continue;
    int& kindPool = v < skills::kElementCount ? pools.magic : pools.physical;
    const int fromKind = std::min(points, kindPool);
    kindPool -= fromKind;
    pools.either -= points - fromKind;
    Raise r;
    r.value = static_cast<skills::Value>(v);
    r.points = points;
    r.presses = pressesFor(points);
    r.fromKindPool = fromKind;
    r.fromEither = points - fromKind;
    out.push_back(std::move(r));
  }
  return out;
}

skills::ElementValues elementValues(const Values& values) {
  skills::ElementValues out{};
  std::copy(values.begin(), values.end(), out.begin());
  return out;
}

// The goals kept of `copy` that need more of `value` than `have`, each once.
std::vector<Goal> goalsNeeding(const Problem& problem, const std::vector<Goal>& kept,
                               skills::Copy copy, skills::Value value, int have) {
  std::vector<Goal> out;
  for (const Goal& goal : kept) {
    if (goal.copy != copy) continue;
    const skills::SkillRow& row = rowOf(problem, goal);
    for (int i = 0; i < row.needCount; ++i)
      if (row.needs[i].value == value && row.needs[i].minimum > have &&
          std::find(out.begin(), out.end(), goal) == out.end())
        out.push_back(goal);
  }
  return out;
}

// The skills the goals name, each once: "Vorpalize, Charge".
std::string names(const Problem& problem, const std::vector<Goal>& goals) {
  std::vector<std::string_view> seen;
  std::string out;
  for (const Goal& goal : goals) {
    const std::string_view name = skillName(rowOf(problem, goal).text);
    if (std::find(seen.begin(), seen.end(), name) != seen.end()) continue;
    seen.push_back(name);
    out += (out.empty() ? "" : ", ") + std::string(name);
  }
  return out;
}

// Why points no first-class goal needs are raised before multi-classing:
// undone, the plan leaves fewer points (or doesn't fit), and by how many.
void explainEarly(Raise& r, const Problem& problem, const std::vector<Goal>& kept,
                  const Setup& setup, const Needs& needs, const Solution& best) {
  const int v = skills::index(r.value);
  const int low = std::max(setup.start[v], needs.beforeMulti[v]);
  r.early = best.beforeMulti[v] - low;
  if (r.early == 0) return;
  Values without = best.beforeMulti;
  without[v] = low;
  r.earlyFor = goalsNeeding(problem, kept, skills::Copy::SecondClass, r.value,
                            halved(without, setup.raceBonus)[v]);
  const std::optional<Solution> undone = planWith(setup, needs, without);
  r.fitsWithout = undone.has_value();
  r.gain = undone ? best.pointsLeft() - undone->pointsLeft() : 0;
  const bool odd = (low - setup.raceBonus[v]) % 2 == 1;  // the halving would lose its half point
  const std::string pool = v < skills::kElementCount ? "Magic" : "Physical";
  r.why = r.early > 1 || !odd
              ? "spends an odd point of the " + pool + " pool before halving, which halving " +
                    "would lose"
              : std::string("makes the part above the race bonus even before halving, so ") +
                    "halving keeps the point";
  r.why += undone ? ": " + std::to_string(r.gain) + (r.gain == 1 ? " more point" : " more points") +
                        " left"
                  : ": without it the goals don't all fit";
}

std::string purpose(const Problem& problem, const Raise& r) {
  std::string out;
  if (r.points > r.early) out = "for " + names(problem, r.goals);
  if (r.early > 0)
    out += (out.empty() ? "" : "; ") + std::to_string(r.early) + " early for " +
           names(problem, r.earlyFor) + ": " + r.why;
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
  for (Raise& r : result.beforeMultiRaises) {
    r.goals = goalsNeeding(problem, result.kept, skills::Copy::FirstClass, r.value,
                           setup.start[skills::index(r.value)]);
    explainEarly(r, problem, result.kept, setup, taken.needs, best);
  }
  for (Raise& r : result.afterMultiRaises)
    r.goals = goalsNeeding(problem, result.kept, skills::Copy::SecondClass, r.value,
                           afterMulti[skills::index(r.value)]);
  for (auto* phase : {&result.beforeMultiRaises, &result.afterMultiRaises})
    for (Raise& r : *phase) {
      r.purpose = purpose(problem, r);
      result.presses += r.presses.count();
    }
  result.pointsLeft = best.pointsLeft();
  return result;
}

}  // namespace goals
