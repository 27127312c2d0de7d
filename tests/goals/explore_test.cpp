// What else fits and which race, against their definitions: each row that is
// no goal planned as the last goal, each race planned in place of the
// problem's own, on thousands of random problems.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "goals/explore.h"
#include "sheet/tables.h"

namespace {

using goals::Goal;
using goals::Problem;
using skills::Copy;

const std::string& classOf(const Problem& p, Copy copy) {
  return copy == Copy::FirstClass ? p.firstClass : p.secondClass;
}

int demand(const skills::SkillRow& row) {
  int sum = 0;
  for (int i = 0; i < row.needCount; ++i) sum += row.needs[i].minimum;
  return sum;
}

TEST(Explore, AnswersAsPlanningAgainDoesOnRandomProblems) {
  std::mt19937 random(4242);
  auto pick = [&](int n) { return std::uniform_int_distribution(0, n - 1)(random); };
  int fits = 0, misfits = 0, costly = 0, otherBest = 0;
  for (int round = 0; round < 5000; ++round) {
    Problem p{std::string(sheet::kRaceBonuses[std::size_t(pick(9))].race),
              std::string(skills::kClassNames[std::size_t(pick(16))]),
              std::string(skills::kClassNames[std::size_t(pick(16))]),
              pick(3),
              pick(3),
              {}};
    // Up to twenty random goals, or in half of the problems the few most
    // demanding rows: they leave rows that fit and rows that don't.
    std::vector<Goal> rows;
    for (Copy copy : {Copy::FirstClass, Copy::SecondClass})
      for (int i = 0; i < int(skills::rowsOf(classOf(p, copy), copy).size()); ++i)
        rows.push_back({copy, i});
    std::shuffle(rows.begin(), rows.end(), random);
    if (pick(2))
      std::stable_sort(rows.begin(), rows.end(), [&](const Goal& a, const Goal& b) {
        return demand(goals::rowOf(p, a)) > demand(goals::rowOf(p, b));
      });
    p.goals.assign(rows.begin(), rows.begin() + std::min<int>(pick(21), int(rows.size())));
    const std::string problem = "round " + std::to_string(round) + ": " + p.race + ", " +
                                p.firstClass + ", " + p.secondClass + ", " +
                                std::to_string(p.goals.size()) + " goals";
    const goals::Plan plan = goals::plan(p);
    const goals::Exploration e = goals::explore(p, plan);

    // Every row that is no goal, first class then second, in catalogue order.
    std::vector<Goal> expected;
    for (Copy copy : {Copy::FirstClass, Copy::SecondClass})
      for (int i = 0; i < int(skills::rowsOf(classOf(p, copy), copy).size()); ++i)
        if (std::find(p.goals.begin(), p.goals.end(), Goal{copy, i}) == p.goals.end())
          expected.push_back({copy, i});
    ASSERT_EQ(e.fits.size(), expected.size()) << problem;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      const goals::Fit& fit = e.fits[i];
      ASSERT_EQ(fit.goal, expected[i]) << problem;
      Problem more = p;
      more.goals.push_back(fit.goal);
      const goals::Plan again = goals::plan(more);
      const bool kept = !again.kept.empty() && again.kept.back() == fit.goal;
      ASSERT_EQ(fit.fits, kept) << problem << ": row " << fit.goal.row;
      if (kept) {
        ++fits;
        costly += fit.cost > 0;
        ASSERT_EQ(fit.cost, plan.pointsLeft - again.pointsLeft) << problem;
        ASSERT_EQ(e.fitOf(fit.goal), &fit);
      } else {
        ++misfits;
        ASSERT_EQ(fit.reason, again.dropped.back().reason) << problem;
        ASSERT_EQ(goals::fitWords(fit), "doesn't fit: " + fit.reason);
      }
    }
    for (const Goal& goal : p.goals) ASSERT_EQ(e.fitOf(goal), nullptr) << problem;

    // Every race in list order, and the best by its three rules.
    ASSERT_EQ(e.races.size(), sheet::kRaceBonuses.size()) << problem;
    std::size_t best = 0;
    for (std::size_t r = 0; r < e.races.size(); ++r) {
      Problem asRace = p;
      asRace.race = sheet::kRaceBonuses[r].race;
      const goals::Plan withRace = goals::plan(asRace);
      ASSERT_EQ(e.races[r].race, asRace.race) << problem;
      ASSERT_EQ(e.races[r].kept, int(withRace.kept.size())) << problem << " as " << asRace.race;
      ASSERT_EQ(e.races[r].pointsLeft, withRace.pointsLeft) << problem << " as " << asRace.race;
      const goals::RaceOutcome& b = e.races[best];
      if (e.races[r].kept > b.kept ||
          (e.races[r].kept == b.kept && e.races[r].pointsLeft > b.pointsLeft))
        best = r;
    }
    ASSERT_EQ(e.bestRace, best) << problem;
    otherBest += e.races[best].race != p.race;
  }
  // The runs reach every kind of answer.
  EXPECT_GT(fits, 100000);
  EXPECT_GT(misfits, 800);
  EXPECT_GT(costly, 50000);
  EXPECT_GT(otherBest, 3000);
}

TEST(Explore, FitsInWords) {
  const std::vector<std::pair<goals::Fit, std::string>> cases = {
      {{{}, true, 0, ""}, "fits: 0"},
      {{{}, true, 1, ""}, "fits: 1 point"},
      {{{}, true, 15, ""}, "fits: 15 points"},
      {{{}, false, 0, "M Fire would have to pass 200 before multi-classing"},
       "doesn't fit: M Fire would have to pass 200 before multi-classing"},
  };
  for (const auto& [fit, words] : cases) EXPECT_EQ(goals::fitWords(fit), words);
}

}  // namespace
