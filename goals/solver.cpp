// The search for the best plan.
//
// Every point raised draws on its kind pool while that has points and on the
// Either pool after, whichever button makes the press. So the order of the
// presses never matters, only how many points each kind raises before and after
// multi-classing. A value is raised before multi-classing to the least its
// first-class skills need (or left where it starts) and after it to the least
// its second-class skills need; the one real choice is how much of a value's
// after-multi need to buy before multi-classing instead, where a point costs
// more but the halving may make it pay.
#include "goals/solver.h"

#include <algorithm>
#include <vector>

namespace goals {
namespace {

constexpr int kMagic = 0, kPhysical = 1;

int kindOf(int value) {
  return value < skills::kElementCount ? kMagic : kPhysical;
}

int halvedValue(int value, int raceBonus) {
  return raceBonus + (value - raceBonus) / 2;
}

// The pools after raising `magic` Magic and `physical` Physical points: each
// kind pays from its own pool while that has points, the Either pool pays the
// rest. An Either pool below 0 tells how many points are lacking.
PoolPoints spend(PoolPoints p, int magic, int physical) {
  const int fromEither = std::max(0, magic - p.magic) + std::max(0, physical - p.physical);
  return {std::max(0, p.magic - magic), std::max(0, p.physical - physical), p.either - fromEither};
}

PoolPoints multiClassed(PoolPoints p, PoolPoints topUp) {
  return {p.magic / 2 + topUp.magic, p.physical / 2 + topUp.physical, p.either / 2 + topUp.either};
}

// The plan that raises to `beforeMulti`, then each value to its final need.
Solution planOf(const Setup& setup, const Needs& needs, const Values& beforeMulti) {
  Solution s;
  s.beforeMulti = beforeMulti;
  s.afterMulti = halved(beforeMulti, setup.raceBonus);
  std::array<int, 2> before{}, after{};
  for (int v = 0; v < skills::kValueCount; ++v) {
    s.final[v] = std::max(s.afterMulti[v], needs.final[v]);
    before[kindOf(v)] += s.beforeMulti[v] - setup.start[v];
    after[kindOf(v)] += s.final[v] - s.afterMulti[v];
  }
  s.poolsBeforeMulti = spend(setup.pools, before[kMagic], before[kPhysical]);
  s.poolsAfterMulti = multiClassed(s.poolsBeforeMulti, setup.topUp);
  s.finalPools = spend(s.poolsAfterMulti, after[kMagic], after[kPhysical]);
  return s;
}

// What one value asks of a plan. Raised x points above `low` before
// multi-classing, it keeps (x + odd) / 2 of them after, so buying one of its
// after-multi points before costs two points, or one for the first when the
// part above the race bonus is odd at `low`.
struct ValueNeed {
  int low = 0;      // the least it holds before multi-classing
  int after = 0;    // the points it still needs after multi-classing, raised only to `low`
  int buyable = 0;  // how many of those can be bought before multi-classing, under the ceiling
  bool cheap = false;
};

// A kind's values together. `bought` is how many after-multi points of the
// kind are bought before multi-classing, the cheap ones first.
struct Kind {
  int base = 0;     // points to bring every value of the kind to its `low`
  int after = 0;    // points to raise after multi-classing when nothing is bought
  int cheap = 0;    // after-multi points that cost one point each before
  int buyable = 0;  // after-multi points that can be bought before at all
  int before(int bought) const { return base + bought + std::max(0, bought - cheap); }
  int afterMulti(int bought) const { return after - bought; }
};

// The amounts of after-multi points worth buying before multi-classing.
// Buying one at two points while the kind pool keeps two or more changes
// nothing that counts: after the halving the kind pool holds one point less
// and one point less is needed, so every pool at the end is the same. Once
// the kind pool is dry, two Either points buy what one Either point would
// after multi-classing, never better. So beyond the cheap ones only the one
// that spends an odd last point of the kind pool, which the halving would
// lose, can pay.
struct Candidates {
  std::array<int, skills::kElementCount + 2> amounts{};
  int count = 0;

  Candidates(const Kind& kind, int pool) {
    for (int bought = 0; bought <= kind.cheap; ++bought) amounts[count++] = bought;
    const int free = pool - kind.before(kind.cheap);
    const int lastOdd = kind.cheap + (free + 1) / 2;
    if (free > 0 && free % 2 == 1 && lastOdd <= kind.buyable) amounts[count++] = lastOdd;
  }
  const int* begin() const { return amounts.data(); }
  const int* end() const { return amounts.data() + count; }
};

// The pools of a plan for how much each kind buys before multi-classing.
struct Outcome {
  PoolPoints beforeMulti, afterMulti, final;
  int raised = 0;  // points raised in both phases
  bool fitsBeforeMulti() const { return beforeMulti.either >= 0; }
  bool fits() const { return fitsBeforeMulti() && final.either >= 0; }
};

class Search {
 public:
  Search(const Setup& setup, const Needs& needs) : setup_(setup), needs_(needs) {
    for (int v = 0; v < skills::kValueCount; ++v) {
      ValueNeed& need = values_[v];
      const int bonus = setup.raceBonus[v];
      need.low = std::max(setup.start[v], needs.beforeMulti[v]);
      if (need.low > setup.ceiling) pastCeiling(v, false);
      if (needs.final[v] > setup.ceiling) pastCeiling(v, true);
      const int kept = halvedValue(need.low, bonus);
      need.after = std::max(0, needs.final[v] - kept);
      need.buyable =
          std::clamp(halvedValue(setup.ceiling, bonus) - kept, 0, std::max(0, need.after));
      need.cheap = need.buyable > 0 && (need.low - bonus) % 2 == 1;

      Kind& kind = kinds_[kindOf(v)];
      kind.base += need.low - setup.start[v];
      kind.after += need.after;
      kind.cheap += need.cheap;
      kind.buyable += need.buyable;
    }
  }

  std::optional<Solution> best() const {
    if (shortfall_.pastCeiling) return std::nullopt;
    // Ties go to the fewest points raised, then to the fewest Magic and then
    // Physical points bought before multi-classing: the first one met. How
    // the points bought are placed on the values changes none of these, so
    // the presses choose that alone.
    std::optional<std::pair<int, int>> chosen;
    Outcome top;
    forEachPlan([&](int magic, int physical, const Outcome& o) {
      if (!o.fits()) return;
      if (!chosen || o.final.total() > top.final.total() ||
          (o.final.total() == top.final.total() && o.raised < top.raised)) {
        chosen = {magic, physical};
        top = o;
      }
    });
    if (!chosen) return std::nullopt;
    return solution(chosen->first, chosen->second);
  }

  Shortfall shortfall() const {
    if (shortfall_.pastCeiling) return shortfall_;
    const Outcome cheapest = outcome(0, 0);
    if (!cheapest.fitsBeforeMulti())
      return {false, std::nullopt, -cheapest.beforeMulti.either,
              kinds_[kMagic].before(0) > setup_.pools.magic,
              kinds_[kPhysical].before(0) > setup_.pools.physical};
    Shortfall least{true, std::nullopt, 0, false, false};
    bool any = false;
    forEachPlan([&](int magic, int physical, const Outcome& o) {
      if (!o.fitsBeforeMulti() || (any && -o.final.either >= least.points)) return;
      any = true;
      least.points = std::max(0, -o.final.either);
      least.magic = kinds_[kMagic].afterMulti(magic) > o.afterMulti.magic;
      least.physical = kinds_[kPhysical].afterMulti(physical) > o.afterMulti.physical;
    });
    return least;
  }

 private:
  void pastCeiling(int value, bool afterMulti) {
    if (!shortfall_.pastCeiling) {
      shortfall_.pastCeiling = static_cast<skills::Value>(value);
      shortfall_.afterMulti = afterMulti;
    }
  }

  Outcome outcome(int magic, int physical) const {
    const Kind& m = kinds_[kMagic];
    const Kind& p = kinds_[kPhysical];
    Outcome o;
    o.beforeMulti = spend(setup_.pools, m.before(magic), p.before(physical));
    o.afterMulti = multiClassed(o.beforeMulti, setup_.topUp);
    o.final = spend(o.afterMulti, m.afterMulti(magic), p.afterMulti(physical));
    o.raised = m.before(magic) + p.before(physical) + m.afterMulti(magic) + p.afterMulti(physical);
    return o;
  }

  template <class Visit>
  void forEachPlan(Visit visit) const {
    for (int magic : Candidates(kinds_[kMagic], setup_.pools.magic))
      for (int physical : Candidates(kinds_[kPhysical], setup_.pools.physical))
        visit(magic, physical, outcome(magic, physical));
  }

  // The values of the plan that buys these amounts, placed on the values
  // where they make the fewest presses.
  Solution solution(int magic, int physical) const {
    Values beforeMulti{};
    for (int v = 0; v < skills::kValueCount; ++v) beforeMulti[v] = values_[v].low;
    place(kMagic, magic, beforeMulti);
    place(kPhysical, physical, beforeMulti);
    return planOf(setup_, needs_, beforeMulti);
  }

  // Puts `bought` after-multi points of a kind on its values: while there are
  // cheap ones, a cheap one each on as many values; past them, one on every
  // cheap value and the rest two points each, anywhere under the ceiling.
  // Every such placement raises as many points in each phase, so the one
  // with the fewest presses is found value by value over the number placed.
  void place(int kind, int bought, Values& beforeMulti) const {
    if (bought == 0) return;
    const bool dear = bought > kinds_[kind].cheap;
    constexpr int kNone = 1 << 30;
    std::vector<int> least(static_cast<std::size_t>(bought) + 1, kNone);
    std::vector<std::array<int, skills::kElementCount>> split(least.size());
    least[0] = 0;
    const int first = kind * skills::kElementCount;
    for (int e = 0; e < skills::kElementCount; ++e) {
      const ValueNeed& need = values_[first + e];
      const int start = setup_.start[first + e];
      const int lowest = dear && need.cheap ? 1 : 0;
      const int most = dear ? need.buyable : need.cheap ? 1 : 0;
      std::vector<int> next(least.size(), kNone);
      std::vector<std::array<int, skills::kElementCount>> nextSplit(least.size());
      for (int had = 0; had <= bought; ++had) {
        if (least[had] == kNone) continue;
        for (int x = lowest; x <= most && had + x <= bought; ++x) {
          const int raise = need.low - start + 2 * x - (need.cheap && x > 0 ? 1 : 0);
          const int presses =
              least[had] + pressesFor(raise).count() + pressesFor(need.after - x).count();
          if (presses < next[had + x]) {
            next[had + x] = presses;
            nextSplit[had + x] = split[had];
            nextSplit[had + x][e] = x;
          }
        }
      }
      least = std::move(next);
      split = std::move(nextSplit);
    }
    for (int e = 0; e < skills::kElementCount; ++e) {
      const ValueNeed& need = values_[first + e];
      const int x = split[bought][e];
      beforeMulti[first + e] += 2 * x - (need.cheap && x > 0 ? 1 : 0);
    }
  }

  const Setup& setup_;
  const Needs& needs_;
  std::array<ValueNeed, skills::kValueCount> values_{};
  std::array<Kind, 2> kinds_{};
  Shortfall shortfall_;  // holds a value past the ceiling, when one is
};

}  // namespace

Values halved(const Values& values, const Values& raceBonus) {
  Values h{};
  for (int v = 0; v < skills::kValueCount; ++v) h[v] = halvedValue(values[v], raceBonus[v]);
  return h;
}

Presses pressesFor(int points) {
  return {points / 10, points % 10};
}

std::optional<Solution> solve(const Setup& setup, const Needs& needs) {
  return Search(setup, needs).best();
}

Shortfall shortfall(const Setup& setup, const Needs& needs) {
  return Search(setup, needs).shortfall();
}

std::optional<Solution> planWith(const Setup& setup, const Needs& needs,
                                 const Values& beforeMulti) {
  for (int v = 0; v < skills::kValueCount; ++v)
    if (beforeMulti[v] < std::max(setup.start[v], needs.beforeMulti[v]) ||
        beforeMulti[v] > setup.ceiling || needs.final[v] > setup.ceiling)
      return std::nullopt;
  const Solution s = planOf(setup, needs, beforeMulti);
  if (s.poolsBeforeMulti.either < 0 || s.finalPools.either < 0) return std::nullopt;
  return s;
}

}  // namespace goals
