// Which classes, against its definition: every combination of random name
// sets planned again by trying every choice of class with goals::plan, the
// ranking checked, the best rows found without planning everything equal to
// the whole table's, and with the classes fixed the race table of explore.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "goals/advise.h"
#include "goals/explore.h"
#include "sheet/tables.h"

namespace {

using goals::Goal;
using goals::Problem;
using skills::Copy;

int listIndex(std::span<const std::string_view> names, std::string_view name) {
  return int(std::find(names.begin(), names.end(), name) - names.begin());
}

int raceIndex(std::string_view race) {
  for (std::size_t i = 0; i < sheet::kRaceBonuses.size(); ++i)
    if (sheet::kRaceBonuses[i].race == race) return int(i);
  return -1;
}

// The rows of a combination that meet a name, the first class's first.
std::vector<Goal> rowsMeeting(const Problem& p, std::string_view name) {
  std::vector<Goal> out;
  for (Copy copy : {Copy::FirstClass, Copy::SecondClass}) {
    const auto rows = skills::rowsOf(copy == Copy::FirstClass ? p.firstClass : p.secondClass, copy);
    for (std::size_t i = 0; i < rows.size(); ++i)
      if (goals::skillNamed(goals::skillNameOf(rows[i].text)) == name)
        out.push_back({copy, int(i)});
  }
  return out;
}

struct Brute {
  std::vector<bool> kept;
  int points = 0;
};

// Every choice of row for the names in `chosen` (each with its options),
// planned together: the most points of a plan that meets them all, or none.
std::optional<int> bestOfChoices(Problem p, const std::vector<std::vector<Goal>>& chosen) {
  std::optional<int> best;
  std::vector<std::size_t> pick(chosen.size());
  for (;;) {
    p.goals.clear();
    for (std::size_t i = 0; i < chosen.size(); ++i) p.goals.push_back(chosen[i][pick[i]]);
    const goals::Plan plan = goals::plan(p);
    if (plan.dropped.empty()) best = std::max(best.value_or(-1), plan.pointsLeft);
    std::size_t i = 0;
    while (i < pick.size() && ++pick[i] == chosen[i].size()) pick[i++] = 0;
    if (i == pick.size()) return best;
  }
}

Brute brute(Problem p, const std::vector<std::string_view>& names) {
  Brute out;
  std::vector<std::vector<Goal>> kept;
  for (std::string_view name : names) {
    std::vector<Goal> rows = rowsMeeting(p, name);
    bool keep = !rows.empty();
    if (keep) {
      kept.push_back(rows);
      keep = bestOfChoices(p, kept).has_value();
      if (!keep) kept.pop_back();
    }
    out.kept.push_back(keep);
  }
  out.points = *bestOfChoices(p, kept);
  return out;
}

// How many classes teach a name, and the most a row of it needs of a value.
std::pair<int, int> reach(std::string_view name) {
  int classes = 0, most = 0;
  for (std::string_view cls : skills::kClassNames) {
    const Problem p{"Elf", std::string(cls), std::string(cls), 0, 0, {}};
    const std::vector<Goal> rows = rowsMeeting(p, name);
    classes += !rows.empty();
    for (const Goal& g : rows) {
      const skills::SkillRow& row = goals::rowOf(p, g);
      for (int i = 0; i < row.needCount; ++i) most = std::max<int>(most, row.needs[i].minimum);
    }
  }
  return {classes, most};
}

// Names taught by several classes, now and then one taught by few; or the
// demanding ones alone, that leave names to drop.
std::vector<std::string_view> randomNames(std::mt19937& random, int count, bool demanding = false) {
  const auto all = goals::skillNames();
  std::vector<std::string_view> out;
  while (int(out.size()) < count) {
    const std::string_view name =
        all[std::uniform_int_distribution<std::size_t>(0, all.size() - 1)(random)];
    const auto [classes, most] = reach(name);
    if (classes < 3 && random() % 4 != 0) continue;
    if (demanding && (classes < 2 || most < 60)) continue;
    if (std::find(out.begin(), out.end(), name) == out.end()) out.push_back(name);
  }
  return out;
}

void expectRanked(const goals::Advice& advice) {
  for (std::size_t i = 1; i < advice.rows.size(); ++i) {
    const goals::Suggestion &a = advice.rows[i - 1], &b = advice.rows[i];
    const auto key = [](const goals::Suggestion& s) {
      return std::tuple(-int(s.kept.size()), -s.pointsLeft, raceIndex(s.race),
                        listIndex(skills::kClassNames, s.firstClass),
                        listIndex(skills::kClassNames, s.secondClass));
    };
    ASSERT_LT(key(a), key(b)) << i;
  }
}

TEST(Advise, EveryRowIsTheBestChoiceOfClassesAsTriedOneByOne) {
  std::mt19937 random(2323);
  int dropped = 0, both = 0;
  for (int round = 0; round < 12; ++round) {
    goals::Question q;
    q.skills = randomNames(random, 3 + round % 4, round % 2 == 1);
    q.magicBonus = round % 3;
    q.physicalBonus = (round / 3) % 3;
    q.race = std::string(sheet::kRaceBonuses[std::size_t(round % 9)].race);
    const goals::Advice advice = goals::advise(q);
    ASSERT_EQ(advice.rows.size(), 256u);
    expectRanked(advice);
    for (const goals::Suggestion& row : advice.rows) {
      const Problem p = advice.problem(row);
      const Brute b = brute(p, advice.skills);
      for (std::size_t j = 0; j < advice.skills.size(); ++j)
        ASSERT_EQ(goals::givenBy(row, j) != "dropped", b.kept[j])
            << goals::rowWords(advice, row) << " " << advice.skills[j];
      ASSERT_EQ(row.pointsLeft, b.points) << goals::rowWords(advice, row);
      // The row's choice is a plan that keeps every name and leaves its points.
      const goals::Plan plan = goals::plan(p);
      ASSERT_TRUE(plan.dropped.empty());
      ASSERT_EQ(plan.pointsLeft, row.pointsLeft);
      for (const goals::Met& m : row.kept) {
        both += rowsMeeting(p, advice.skills[m.skill]).size() == 2;
        ASSERT_EQ(goals::skillNamed(goals::rowOf(p, m.goal).text), advice.skills[m.skill]);
      }
      // A name one class teaches is dropped for the reason the plan gives.
      for (const goals::Unmet& u : row.dropped) {
        ++dropped;
        const std::vector<Goal> rows = rowsMeeting(p, advice.skills[u.skill]);
        if (rows.size() != 1) continue;
        Problem with = p;
        with.goals.push_back(rows[0]);
        const goals::Plan tried = goals::plan(with);
        ASSERT_EQ(tried.dropped.size(), 1u);
        EXPECT_EQ(tried.dropped[0].reason, u.reason);
      }
    }
  }
  EXPECT_GT(dropped, 100);
  EXPECT_GT(both, 300);
}

TEST(Advise, TheBestRowsAloneAreTheWholeTablesFirst) {
  std::mt19937 random(77);
  for (int round = 0; round < 40; ++round) {
    goals::Question q;
    q.skills = randomNames(random, 1 + round % 12);
    q.magicBonus = round % 3;
    q.physicalBonus = (round / 3) % 3;
    if (round % 5 == 0) q.firstClass = std::string(skills::kClassNames[std::size_t(round % 16)]);
    const goals::Advice all = goals::advise(q);
    ASSERT_EQ(all.rows.size(), all.combinations);
    expectRanked(all);
    for (std::size_t top : {std::size_t(1), std::size_t(3), std::size_t(20)}) {
      const goals::Advice some = goals::advise(q, top);
      ASSERT_EQ(some.rows.size(), std::min(top, all.rows.size()));
      for (std::size_t i = 0; i < some.rows.size(); ++i) {
        ASSERT_EQ(goals::rowWords(some, some.rows[i]), goals::rowWords(all, all.rows[i])) << i;
        ASSERT_EQ(goals::givenWords(some, some.rows[i]), goals::givenWords(all, all.rows[i]));
      }
    }
  }
}

// With both classes fixed and each name taught by only one of them, there is
// no choice: each race's row is the plan of those goals, as explore's race
// table tells it.
TEST(Advise, WithTheClassesFixedAgreesWithTheRaceTable) {
  std::mt19937 random(5);
  for (int round = 0; round < 200; ++round) {
    const std::string first(skills::kClassNames[random() % 16]),
        second(skills::kClassNames[random() % 16]);
    Problem p{std::string(sheet::kRaceBonuses[0].race),
              first,
              second,
              int(random() % 3),
              int(random() % 3),
              {}};
    goals::Question q{{}, p.magicBonus, p.physicalBonus, std::nullopt, first, second};
    for (Copy copy : {Copy::FirstClass, Copy::SecondClass}) {
      const auto rows = skills::rowsOf(copy == Copy::FirstClass ? first : second, copy);
      for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string_view name = *goals::skillNamed(rows[i].text);
        if (random() % 4 == 0 && rowsMeeting(p, name).size() == 1) {
          q.skills.push_back(name);
          p.goals.push_back({copy, int(i)});
        }
      }
    }
    std::shuffle(p.goals.begin(), p.goals.end(), random);
    q.skills.clear();
    for (const Goal& g : p.goals) q.skills.push_back(*goals::skillNamed(goals::rowOf(p, g).text));
    const goals::Advice advice = goals::advise(q);
    const goals::Exploration e = goals::explore(p, goals::plan(p));
    ASSERT_EQ(advice.rows.size(), e.races.size());
    for (const goals::Suggestion& row : advice.rows) {
      const goals::RaceOutcome& r = e.races[std::size_t(raceIndex(row.race))];
      ASSERT_EQ(int(row.kept.size()), r.kept) << row.race;
      ASSERT_EQ(row.pointsLeft, r.pointsLeft) << row.race;
    }
    EXPECT_EQ(advice.rows[0].race, e.races[e.bestRace].race);
  }
}

TEST(Advise, NamesInAnyCaseOrAsTheirRowAndRefusals) {
  EXPECT_EQ(goals::skillNames().size(), 206u);
  EXPECT_EQ(goals::skillNamed("protection from good"), "Protection from Good");
  EXPECT_EQ(goals::skillNamed("heal serious"), "Heal Serious");
  EXPECT_EQ(goals::skillNamed("KICK (25 PAIR)"), "Kick");
  EXPECT_EQ(goals::skillNamed("Kick (25"), std::nullopt);
  EXPECT_THROW(goals::advise({{"Kik"}, 0, 0, {}, {}, {}}), goals::BadProblem);
  EXPECT_THROW(goals::advise({{"Kick"}, 3, 0, {}, {}, {}}), goals::BadProblem);
  EXPECT_THROW(goals::advise({{"Kick"}, 0, 0, "elf", {}, {}}), goals::BadProblem);
  const goals::Advice none = goals::advise({{"kick", "Kick"}, 0, 0, "Elf", "Druid", "Druid"});
  ASSERT_EQ(none.rows.size(), 1u);
  EXPECT_EQ(none.skills.size(), 1u);
  EXPECT_EQ(goals::givenWords(none, none.rows[0]), "Kick: dropped, Druid doesn't teach it");
  EXPECT_EQ(goals::advise({{"Kick"}, 0, 0, {}, {}, {}}, 0).rows.size(), 0u);
}

// The words a screen reader and a tooltip give, for a class of each copy and a name neither
// teaches.
TEST(Advise, TheWordsOfARow) {
  const goals::Advice a =
      goals::advise({{"Starshine", "Kick", "Fireball"}, 0, 0, "Dwarf", "Druid", "Warrior"});
  ASSERT_EQ(a.rows.size(), 1u);
  EXPECT_EQ(goals::rowWords(a, a.rows[0]),
            "Dwarf, Druid then Warrior: 2 of 3 kept, 567 points left");
  const char* expected[] = {"Starshine: Druid (first class)", "Kick: Warrior (second class)",
                            "Fireball: dropped, neither Druid nor Warrior teaches it"};
  for (std::size_t j = 0; j < 3; ++j) EXPECT_EQ(goals::givenWords(a, a.rows[0], j), expected[j]);
  EXPECT_EQ(goals::givenWords(a, a.rows[0]),
            std::string(expected[0]) + "; " + expected[1] + "; " + expected[2]);
}

}  // namespace
