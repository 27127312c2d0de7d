// Plans for real races and classes: the worked example, and thousands of
// random goal sets played through the planner and weighed against a search
// over every value a kind's goal values can take.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "../core/support.h"
#include "goals/checklist.h"
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
  EXPECT_EQ(plan.beforeMultiRaises[0].points, 40);
  EXPECT_EQ(plan.beforeMultiRaises[0].presses.right, 4);
  EXPECT_EQ(plan.beforeMultiRaises[0].presses.left, 0);
  EXPECT_EQ(goals::raiseWords(plan.beforeMultiRaises[0]),
            "M Fire +40: 4 right (Magic pool), for Vorpalize");
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

// The points a plan leaves played through the planner with left presses
// only, raising each value to `before` and then to `final`; none when a press
// is refused.
std::optional<int> leftPressesOnly(const Problem& p, const skills::ElementValues& before,
                                   const skills::ElementValues& final) {
  testing_support::Recorder recorder;
  sheet::Planner planner(recorder);
  planner.setSelectionText(sheet::Selection::Race, p.race);
  planner.setSelectionText(sheet::Selection::FirstClass, p.firstClass);
  planner.setSelectionText(sheet::Selection::SecondClass, p.secondClass);
  planner.startReset();
  constexpr sheet::Bonus boxes[2][2] = {{sheet::Bonus::MBonus1, sheet::Bonus::MBonus2},
                                        {sheet::Bonus::PBonus1, sheet::Bonus::PBonus2}};
  for (int i = 0; i < p.magicBonus; ++i) planner.toggleBonus(boxes[0][i], true);
  for (int i = 0; i < p.physicalBonus; ++i) planner.toggleBonus(boxes[1][i], true);
  const std::size_t shown = recorder.messages.size();
  for (const auto* to : {&before, &final}) {
    if (to == &final) planner.multiClass();
    for (int v = 0; v < skills::kValueCount; ++v)
      while (planner.value(sheet::Box(v)) < (*to)[v] && recorder.messages.size() <= shown + 1)
        planner.pressArrow(skills::Value(v), sheet::Direction::Raise, sheet::kLeftButton);
  }
  if (recorder.messages.size() != shown + 1) return std::nullopt;  // only "multied"
  double left = 0;
  for (sheet::Box pool : {sheet::Box::mpr, sheet::Box::ppr, sheet::Box::epr})
    left += planner.value(pool);
  return int(left);
}

bool listed(const skills::SkillList& list, std::string_view text) {
  return std::find(list.items().begin(), list.items().end(), text) != list.items().end();
}

TEST(Plan, PlaysThroughThePlannerForEveryRaceAndClassPair) {
  std::mt19937 random(61);
  auto pick = [&](int n) { return std::uniform_int_distribution(0, n - 1)(random); };
  int dropped = 0, searched = 0, early = 0;
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
        ASSERT_EQ(planner.valuesAtMultiClass(), plan.beforeMulti) << problem;

        // Each raise is its points in right and left presses, and says what
        // it is for; points raised early, undone, leave fewer points.
        for (const auto* phase : {&plan.beforeMultiRaises, &plan.afterMultiRaises})
          for (const goals::Raise& r : *phase) {
            ASSERT_EQ(r.presses.right * 10 + r.presses.left, r.points) << problem;
            ASSERT_LT(r.presses.left, 10) << problem;
            ASSERT_FALSE(r.purpose.empty()) << problem;
            ASSERT_EQ(r.goals.empty(), r.points == r.early) << problem;
            if (r.early == 0) continue;
            ++early;
            ASSERT_FALSE(r.earlyFor.empty()) << problem;
            skills::ElementValues before = plan.beforeMulti;
            before[skills::index(r.value)] -= r.early;
            const std::optional<int> undone = leftPressesOnly(p, before, plan.final);
            ASSERT_EQ(undone.has_value(), r.fitsWithout) << problem;
            if (undone) {
              ASSERT_EQ(plan.pointsLeft - *undone, r.gain) << problem;
            }
            ASSERT_TRUE(!undone || r.gain > 0) << problem << ": " << goals::raiseWords(r);
          }

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
  EXPECT_GT(early, 100);
}

// A raise in words: its presses, the pools that pay, what it is for.
TEST(Plan, RaisesInWordsCountPressesAndNameThePoolsThatPay) {
  using skills::Value;
  const auto raise = [](Value v, int points, int kind, std::string purpose) {
    goals::Raise r;
    r.value = v;
    r.points = points;
    r.presses = goals::pressesFor(points);
    r.fromKindPool = kind;
    r.fromEither = points - kind;
    r.purpose = std::move(purpose);
    return r;
  };
  const std::vector<std::pair<std::vector<goals::Raise>, std::string>> cases = {
      {{}, "no presses"},
      {{raise(Value::MFire, 35, 35, "for Fireball, Shield")},
       "M Fire +35: 3 right, 5 left (Magic pool), for Fireball, Shield"},
      {{raise(Value::PAir, 10, 4, ""), raise(Value::PSpirit, 3, 0, "")},
       "P Air +10: 1 right (4 from the Physical pool, 6 from the Either pool); P Spirit +3: 3 "
       "left (Either pool)"},
  };
  for (const auto& [raises, words] : cases) EXPECT_EQ(goals::pressesInWords(raises), words);
}

}  // namespace

namespace {

// The checklist follows the plan's steps in the order a player takes them,
// with every D value to two decimals at most.
TEST(Plan, ChecklistTakesTheStepsInOrder) {
  Problem p{"Dwarf", "Artificer", "Anti-Paladin", 1, 0, {}};
  p.goals = {goalOf(p, Copy::FirstClass, "Vorpalize (55 MFire)"),
             goalOf(p, Copy::SecondClass, "Charge (45 PAir/45 PSpirit)")};
  const goals::Plan plan = goals::plan(p);
  const std::string text =
      goals::checklist(p, plan, goals::played(p, plan, {false, false, true}));  // Endure
  std::size_t at = 0;
  for (const std::string& step :
       {std::string("[ ] Choose Dwarf, Artificer and Anti-Paladin"),
        std::string("[ ] Check MElement Amount Bonus 1"),
        "Before multi-classing (" + std::to_string(plan.beforeMultiRaises[0].presses.count()),
        "[ ] " + goals::raiseWords(plan.beforeMultiRaises[0]), std::string("[ ] Multi-Class Now!"),
        "[ ] " + goals::raiseWords(plan.afterMultiRaises[0]), std::string("Then listed:"),
        std::string("Vorpalize (55 MFire)"), std::string("Charge (45 PAir/45 PSpirit)"),
        "Points left: " + std::to_string(plan.pointsLeft)}) {
    at = text.find(step, at);
    ASSERT_NE(at, std::string::npos) << step << "\nin\n" << text;
  }
  const std::size_t d = text.find("\n    D ");
  ASSERT_NE(d, std::string::npos) << text;
  const std::string line = text.substr(d + 1, text.find('\n', d + 1) - d - 1);
  for (std::size_t dot = line.find('.'); dot != std::string::npos; dot = line.find('.', dot + 1))
    EXPECT_TRUE(dot + 3 >= line.size() || line[dot + 3] == ' ') << line;
  EXPECT_NE(line.find('.'), std::string::npos) << line;  // Endure makes fractions
}

}  // namespace
