// The solver against a search of every plan, on problems made small: one to
// three values in play, a low ceiling and small pools, so that every value
// before multi-classing (a) and at the end (f) can be tried.
#include <gtest/gtest.h>

#include <random>

#include "goals/solver.h"

namespace {

using goals::Needs;
using goals::PoolPoints;
using goals::Setup;
using goals::Values;

// The pools after spending: each kind pays while it can, the Either pool pays
// the rest; no value when that runs dry.
std::optional<PoolPoints> spend(PoolPoints p, int magic, int physical) {
  p.either -= std::max(0, magic - p.magic) + std::max(0, physical - p.physical);
  if (p.either < 0) return std::nullopt;
  return PoolPoints{std::max(0, p.magic - magic), std::max(0, p.physical - physical), p.either};
}

// How a plan ranks: the most points left, then the fewest points raised,
// then the fewest Magic and Physical points raised before multi-classing,
// then the fewest presses; the least key is the best plan.
using Rank = std::array<int, 5>;

Rank rankOf(const Setup& setup, const goals::Solution& s) {
  Rank r{-s.pointsLeft(), 0, 0, 0, 0};
  const Values h = goals::halved(s.beforeMulti, setup.raceBonus);
  for (int v = 0; v < skills::kValueCount; ++v) {
    const int before = s.beforeMulti[v] - setup.start[v], after = s.final[v] - h[v];
    r[1] += before + after;
    r[2 + v / 5] += before;
    r[4] += goals::pressesFor(before).count() + goals::pressesFor(after).count();
  }
  return r;
}

struct Searched {
  std::optional<int> best;   // the most points left by a plan that meets the needs
  std::optional<Rank> rank;  // of the best plan
  bool anyFitsBeforeMulti = false;
};

class Search {
 public:
  Search(const Setup& setup, const Needs& needs, std::vector<int> inPlay)
      : setup_(setup), needs_(needs), inPlay_(std::move(inPlay)) {}

  // The points a plan leaves, or none when it breaks a rule or misses a need.
  std::optional<int> pointsLeft(const Values& a, const Values& f) const {
    int spent[2][2] = {};  // [before/after][magic/physical]
    const Values h = goals::halved(a, setup_.raceBonus);
    for (int v = 0; v < skills::kValueCount; ++v) {
      if (a[v] < setup_.start[v] || f[v] < h[v] || f[v] > setup_.ceiling) return std::nullopt;
      if (a[v] < needs_.beforeMulti[v] || f[v] < needs_.final[v]) return std::nullopt;
      spent[0][v / 5] += a[v] - setup_.start[v];
      spent[1][v / 5] += f[v] - h[v];
    }
    auto before = spend(setup_.pools, spent[0][0], spent[0][1]);
    if (!before) return std::nullopt;
    const PoolPoints& t = setup_.topUp;
    PoolPoints after{before->magic / 2 + t.magic, before->physical / 2 + t.physical,
                     before->either / 2 + t.either};
    auto final = spend(after, spent[1][0], spent[1][1]);
    if (!final) return std::nullopt;
    return final->total();
  }

  Searched run() {
    a_ = f_ = setup_.start;
    result_ = {};
    next(0);
    return result_;
  }

 private:
  // Every a of the values in play from `i` on, and for each every f.
  void next(std::size_t i) {
    if (i == inPlay_.size()) {
      int spent[2] = {};
      for (int v = 0; v < skills::kValueCount; ++v) spent[v / 5] += a_[v] - setup_.start[v];
      if (!spend(setup_.pools, spent[0], spent[1])) return;
      result_.anyFitsBeforeMulti = true;
      const Values h = goals::halved(a_, setup_.raceBonus);
      for (int v = 0; v < skills::kValueCount; ++v) f_[v] = h[v];
      nextFinal(0, h);
      return;
    }
    const int v = inPlay_[i];
    for (a_[v] = std::max(setup_.start[v], needs_.beforeMulti[v]); a_[v] <= setup_.ceiling; ++a_[v])
      next(i + 1);
    a_[v] = setup_.start[v];
  }
  void nextFinal(std::size_t i, const Values& h) {
    if (i == inPlay_.size()) {
      if (auto left = pointsLeft(a_, f_)) {
        result_.best = std::max(result_.best.value_or(-1), *left);
        goals::Solution s;
        s.beforeMulti = a_;
        s.final = f_;
        s.finalPools.either = *left;
        const Rank r = rankOf(setup_, s);
        if (!result_.rank || r < *result_.rank) result_.rank = r;
      }
      return;
    }
    const int v = inPlay_[i];
    for (f_[v] = std::max(h[v], needs_.final[v]); f_[v] <= setup_.ceiling; ++f_[v])
      nextFinal(i + 1, h);
    f_[v] = h[v];
  }

  const Setup& setup_;
  const Needs& needs_;
  std::vector<int> inPlay_;
  Values a_{}, f_{};
  Searched result_;
};

TEST(Solver, LeavesAsManyPointsAsTheBestOfEveryPlan) {
  std::mt19937 random(20240610);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(random); };
  int met = 0, unmet = 0;
  for (int round = 0; round < 3000; ++round) {
    const int count = pick(1, 3);
    const int span = std::array{0, 22, 12, 7}[count];
    std::vector<int> inPlay;
    while (int(inPlay.size()) < count) {
      const int v = pick(0, 9);
      if (std::find(inPlay.begin(), inPlay.end(), v) == inPlay.end()) inPlay.push_back(v);
    }
    goals::Setup setup;
    Needs needs;
    setup.ceiling = span + pick(0, 4);
    for (int v : inPlay) {
      setup.raceBonus[v] = pick(0, 3);
      setup.start[v] = setup.raceBonus[v] + pick(0, 4);
      if (pick(0, 1)) needs.beforeMulti[v] = pick(0, setup.ceiling + 1);
      if (pick(0, 2)) needs.final[v] = pick(0, setup.ceiling + 1);
    }
    setup.pools = {pick(0, 2 * span), pick(0, 2 * span), pick(0, 2 * span)};
    setup.topUp = {pick(0, span), pick(0, span), pick(0, span)};
    std::string problem = "round " + std::to_string(round);

    const Searched searched = Search(setup, needs, inPlay).run();
    const auto solved = goals::solve(setup, needs);
    ASSERT_EQ(solved.has_value(), searched.best.has_value()) << problem;
    if (solved) {
      ++met;
      ASSERT_EQ(solved->pointsLeft(), *searched.best) << problem;
      ASSERT_EQ(Search(setup, needs, inPlay).pointsLeft(solved->beforeMulti, solved->final),
                solved->pointsLeft())
          << problem;
      ASSERT_EQ(rankOf(setup, *solved), *searched.rank) << problem;
      const auto again = goals::planWith(setup, needs, solved->beforeMulti);
      ASSERT_TRUE(again && again->final == solved->final && again->finalPools == solved->finalPools)
          << problem;
      continue;
    }
    // The shortfall is exact: that many more Either points make the phase
    // fit, one fewer does not.
    ++unmet;
    const goals::Shortfall s = goals::shortfall(setup, needs);
    if (s.pastCeiling) {
      const int v = skills::index(*s.pastCeiling);
      EXPECT_GT((s.afterMulti ? needs.final : needs.beforeMulti)[v], setup.ceiling) << problem;
      continue;
    }
    ASSERT_GT(s.points, 0) << problem;
    ASSERT_EQ(s.afterMulti, searched.anyFitsBeforeMulti) << problem;
    for (int extra : {s.points - 1, s.points}) {
      goals::Setup more = setup;
      (s.afterMulti ? more.topUp : more.pools).either += extra;
      const Searched again = Search(more, needs, inPlay).run();
      EXPECT_EQ(s.afterMulti ? again.best.has_value() : again.anyFitsBeforeMulti, extra == s.points)
          << problem << " with " << extra << " more";
    }
  }
  EXPECT_GT(met, 1000);
  EXPECT_GT(unmet, 300);
}

}  // namespace
