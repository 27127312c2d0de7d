// Plans for real races and classes: the worked example, and thousands of
// random goal sets played through the planner and weighed against a search
// over every value a kind's goal values can take.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "../core/support.h"
#include "goals/goals.h"
#include "sheet/messages.h"
#include "sheet/tables.h"

namespace {

using goals::Goal;
using goals::Problem;
using skills::Copy;
using V = skills::Value;

Goal goalOf(const Problem& p, Copy copy, std::string_view text) {
  const auto rows = skills::rowsOf(copy == Copy::FirstClass ? p.firstClass : p.secondClass, copy);
  for (int i = 0; i < static_cast<int>(rows.size()); ++i)
    if (rows[i].text == text) return {copy, i};
  throw std::invalid_argument(std::string(text));
}

TEST(Plan, DwarfArtificerToAntiPaladinForVorpalizeAndCharge) {
  Problem p{"Dwarf", "Artificer", "Anti-Paladin", 0, 0, {}};
  p.goals = {goalOf(p, Copy::FirstClass, "Vorpalize (55 MFire)"),
             goalOf(p, Copy::SecondClass, "Charge (45 PAir/45 PSpirit)")};
  const goals::Plan plan = goals::plan(p);
  EXPECT_EQ(plan.beforeMultiRaises.size(), 1u);
  EXPECT_EQ(plan.beforeMultiRaises[0].value, V::MFire);
  EXPECT_EQ(plan.beforeMultiRaises[0].presses, 40);
  EXPECT_EQ(plan.beforeMultiRaises[0].fromKindPool, 40);
  EXPECT_EQ(plan.beforeMulti[skills::index(V::MFire)], 55);
  EXPECT_EQ(plan.afterMulti[skills::index(V::MFire)], 35);
  EXPECT_EQ(plan.poolsAfterMulti, (goals::PoolPoints{160, 270, 150}));
  ASSERT_EQ(plan.afterMultiRaises.size(), 2u);
  for (const goals::Raise& r : plan.afterMultiRaises) {
    EXPECT_TRUE(r.value == V::PAir || r.value == V::PSpirit);
    EXPECT_EQ(plan.final[skills::index(r.value)], 45);
  }
  EXPECT_EQ(plan.pointsLeft, 490);
  EXPECT_TRUE(plan.dropped.empty());
}

// The most points any plan leaves, searched over every value a goal's value
// can take before multi-classing: per kind, the fewest points left to raise
// after multi-classing for each number of points raised before, then every
// pair of those numbers. No plan: nothing.
std::optional<int> mostPointsLeft(const Problem& p, const std::vector<Goal>& goals) {
  const sheet::RaceBonus& race = *sheet::findRace(p.race);
  const sheet::Pools& pools = *sheet::findClass(sheet::kStartingPools, p.firstClass);
  const sheet::Pools& topUp = *sheet::findClass(sheet::kSecondClassTopUps, p.secondClass);
  goals::Needs needs;
  for (const Goal& g : goals) {
    const skills::SkillRow& row = goals::rowOf(p, g);
    auto& least = g.copy == Copy::FirstClass ? needs.beforeMulti : needs.final;
    for (int i = 0; i < row.needCount; ++i)
      least[skills::index(row.needs[i].value)] =
          std::max<int>(least[skills::index(row.needs[i].value)], row.needs[i].minimum);
  }
  constexpr int kNone = 1 << 20;
  std::array<std::vector<int>, 2> afterFor;  // by kind, indexed by points raised before
  const int most[2] = {pools.magic + pools.either, pools.physical + pools.either};
  for (int kind = 0; kind < 2; ++kind) {
    std::vector<int> after(most[kind] + 1, kNone);
    after[0] = 0;
    for (int e = 0; e < skills::kElementCount; ++e) {
      const int v = kind * skills::kElementCount + e;
      const int bonus = race.elements[e] ? race.bonus : 0;
      const int start = bonus + 5 * (kind == 0 ? p.magicBonus : p.physicalBonus);
      std::vector<int> next(after.size(), kNone);
      for (int a = std::max(start, needs.beforeMulti[v]); a <= 200; ++a) {
        const int afterMulti = bonus + (a - bonus) / 2;
        const int cost = std::max(0, needs.final[v] - afterMulti);
        for (int r = 0; r + a - start < int(after.size()); ++r)
          if (after[r] != kNone)
            next[r + a - start] = std::min(next[r + a - start], after[r] + cost);
      }
      after = next;
    }
    afterFor[kind] = after;
  }
  std::optional<int> best;
  for (int m = 0; m <= most[0]; ++m) {
    for (int ph = 0; ph <= most[1] && afterFor[0][m] != kNone; ++ph) {
      if (afterFor[1][ph] == kNone) continue;
      int either = pools.either - std::max(0, m - pools.magic) - std::max(0, ph - pools.physical);
      if (either < 0) continue;
      const int magic = std::max(0, pools.magic - m) / 2 + topUp.magic;
      const int physical = std::max(0, pools.physical - ph) / 2 + topUp.physical;
      either = either / 2 + topUp.either - std::max(0, afterFor[0][m] - magic) -
               std::max(0, afterFor[1][ph] - physical);
      if (either >= 0)
        best = std::max(best.value_or(0), either + std::max(0, magic - afterFor[0][m]) +
                                              std::max(0, physical - afterFor[1][ph]));
    }
  }
  return best;
}

int demand(const skills::SkillRow& row) {
  int sum = 0;
  for (int i = 0; i < row.needCount; ++i) sum += row.needs[i].minimum;
  return sum;
}

bool listed(const skills::SkillList& list, std::string_view text) {
  return std::find(list.items().begin(), list.items().end(), text) != list.items().end();
}

TEST(Plan, PlaysThroughThePlannerForEveryRaceAndClassPair) {
  std::mt19937 random(61);
  auto pick = [&](int n) { return std::uniform_int_distribution(0, n - 1)(random); };
  int dropped = 0, searched = 0;
  for (const sheet::RaceBonus& race : sheet::kRaceBonuses) {
    for (std::string_view first : skills::kClassNames) {
      for (std::string_view second : skills::kClassNames) {
        Problem p{
            std::string(race.race), std::string(first), std::string(second), pick(3), pick(3), {}};
        // Up to 60 goals from the rows of both classes, half of them the
        // most demanding of four rows, so that many sets can't all be met.
        const int goalCount = pick(61);
        for (int i = 0; i < goalCount; ++i) {
          const Copy copy = pick(2) ? Copy::FirstClass : Copy::SecondClass;
          const auto rows = skills::rowsOf(copy == Copy::FirstClass ? first : second, copy);
          int row = pick(int(rows.size()));
          for (int tries = pick(2) * 3; tries > 0; --tries) {
            const int other = pick(int(rows.size()));
            if (demand(rows[other]) > demand(rows[row])) row = other;
          }
          p.goals.push_back({copy, row});
        }
        const std::string problem = p.race + ", " + p.firstClass + ", " + p.secondClass +
                                    ", boxes " + std::to_string(p.magicBonus) + "/" +
                                    std::to_string(p.physicalBonus) + ", " +
                                    std::to_string(goalCount) + " goals";
        const goals::Plan plan = goals::plan(p);
        ASSERT_EQ(plan.kept.size() + plan.dropped.size(), p.goals.size()) << problem;

        testing_support::Recorder recorder;
        sheet::Planner planner(recorder);
        recorder.planner = &planner;
        goals::play(p, plan, planner);
        ASSERT_EQ(recorder.messages.size(), 2u) << problem << ": " << recorder.messages.back();
        ASSERT_EQ(recorder.messages[1].title, sheet::text::kRaar) << problem;
        // Every kept goal is listed in the plavet the plan leaves.
        for (const Goal& g : plan.kept) {
          const skills::SkillRow& row = goals::rowOf(p, g);
          ASSERT_TRUE(g.copy == Copy::FirstClass ? listed(planner.firstClassSkills(), row.text)
                                                 : listed(planner.secondClassSkills(), row.text))
              << problem << ": " << row.text;
        }
        double left = 0;
        for (sheet::Box pool : {sheet::Box::mpr, sheet::Box::ppr, sheet::Box::epr})
          left += planner.value(pool);
        ASSERT_EQ(left, plan.pointsLeft) << problem;
        for (int v = 0; v < skills::kValueCount; ++v)
          ASSERT_EQ(planner.value(sheet::Box(v)), plan.final[v]) << problem;

        // The search is slow: every sixth problem, and those with goals dropped.
        if (plan.dropped.empty() && pick(6) != 0) continue;
        ++searched;
        ASSERT_EQ(mostPointsLeft(p, plan.kept), plan.pointsLeft) << problem;
        for (const goals::Dropped& d : plan.dropped) {
          ++dropped;
          std::vector<Goal> more = plan.kept;
          more.push_back(d.goal);
          ASSERT_FALSE(mostPointsLeft(p, more)) << problem << ": " << goals::rowOf(p, d.goal).text;
          ASSERT_FALSE(d.reason.empty());
        }
      }
    }
  }
  EXPECT_GT(searched, 300);
  EXPECT_GT(dropped, 100);
}

// Which pool pays each press, in words: the kind pool, the Either pool, or both.
TEST(Plan, PressesInWordsNameThePoolsThatPay) {
  using skills::Value;
  const std::vector<std::pair<std::vector<goals::Raise>, std::string>> cases = {
      {{}, "no presses"},
      {{{Value::MFire, 40, 40, 0}}, "M Fire +40 (Magic pool)"},
      {{{Value::PAir, 10, 4, 6}, {Value::PSpirit, 3, 0, 3}},
       "P Air +10 (4 from the Physical pool, 6 from the Either pool), P Spirit +3 (Either pool)"},
  };
  for (const auto& [raises, words] : cases) EXPECT_EQ(goals::pressesInWords(raises), words);
}

}  // namespace
