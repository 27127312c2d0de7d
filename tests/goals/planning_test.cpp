// goals::Planning as the views use it: the clan-town counts following the
// plavet, the goals' order, a race from the race table, what each row shows,
// and the words of the hint and of the labels.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>

#include "../core/support.h"
#include "goals/labels.h"
#include "goals/planning.h"
#include "sheet/tables.h"

namespace {

using goals::Goal;
using goals::Planning;
using sheet::Bonus;
using skills::Copy;

class PlanningTest : public testing_support::PlannerTest {
 protected:
  void startAs(std::string_view race, std::string_view first, std::string_view second) {
    choose(race, first, second);
    planner.startReset();
    planning.follow(planner.state());
  }
  Planning planning;
};

// Each step acts on the plavet or the view, then the counts planned for.
TEST_F(PlanningTest, ClanTownCountsFollowTheBoxesAndHoldWhatThePlayerSets) {
  startAs("Human", "Bard", "Druid");
  const sheet::State noBoxes = planner.state();
  planner.toggleBonus(Bonus::MBonus1, true);
  const sheet::State oneBox = planner.state();
  struct Step {
    const char* what;
    std::function<void()> act;
    int magic, physical;
  };
  const auto follow = [&] { planning.follow(planner.state()); };
  const std::vector<Step> steps = {
      {"the box checked before is seen", follow, 1, 0},
      {"the player sets 2 and 2", [&] { planning.setBonuses(2, 2); }, 2, 2},
      {"a press leaves the boxes as they were",
       [&] {
         planner.pressArrow(skills::Value::MFire, sheet::Direction::Raise, sheet::kLeftButton);
         follow();
       },
       2, 2},
      {"another box checked",
       [&] {
         planner.toggleBonus(Bonus::PBonus2, true);
         follow();
       },
       1, 1},
      {"the player sets 0 and 2", [&] { planning.setBonuses(0, 2); }, 0, 2},
      {"the same plavet put in place", [&] { planning.replaced(planner.state()); }, 1, 1},
      {"the player sets 2 and 0", [&] { planning.setBonuses(2, 0); }, 2, 0},
      {"undone to no boxes", [&] { planning.replaced(noBoxes); }, 0, 0},
      {"redone to one box", [&] { planning.replaced(oneBox); }, 1, 0},
      {"a count out of range changes nothing", [&] { planning.setBonuses(3, 0); }, 1, 0},
  };
  for (const Step& step : steps) {
    step.act();
    EXPECT_EQ(planning.problem().magicBonus, step.magic) << step.what;
    EXPECT_EQ(planning.problem().physicalBonus, step.physical) << step.what;
    ASSERT_TRUE(planning.plan()) << step.what;
    EXPECT_EQ(planning.plan()->pointsLeft, goals::plan(planning.problem()).pointsLeft) << step.what;
  }
}

// As the views follow a plavet: the goals and counts planned are those the
// plavet keeps, through its own changes, undo and other classes; what a
// view puts in place after a tick is read back the same; Apply Plan keeps
// the goals.
TEST_F(PlanningTest, TheGoalsAndCountsPlannedAreThoseThePlavetKeeps) {
  startAs("Human", "Bard", "Druid");
  const Goal a{Copy::FirstClass, 3}, b{Copy::SecondClass, 7};
  const sheet::State none = planner.state();
  const sheet::State two = sheet::withGoals(none, {b, a}, {2, 1});
  sheet::State otherClasses = two;
  otherClasses.selections[2] = "Thief";
  struct Step {
    const char* what;
    std::function<void()> act;
    std::vector<Goal> goals;
    int magic, physical;
  };
  const auto put = [&](const sheet::State& s, bool replaced) {
    planner.restore(s);
    planning.followKept(planner.state(), replaced);
  };
  const auto click = [&](Bonus box) {
    planner.toggleBonus(box, !planner.isChecked(box));
    planning.followKept(planner.state());
  };
  const std::vector<Step> steps = {
      {"a plavet with goals opened", [&] { put(two, true); }, {b, a}, 2, 1},
      {"a tick put in place",
       [&] {
         planning.tick(a, false);
         put(planning.kept(planner.state()), false);
       },
       {b},
       2,
       1},
      {"a box checked: the boxes count", [&] { click(Bonus::PBonus1); }, {b}, 0, 1},
      {"the box unchecked: the counts set hold again", [&] { click(Bonus::PBonus1); }, {b}, 2, 1},
      {"undone to no goals", [&] { put(none, true); }, {}, 0, 0},
      {"redone", [&] { put(two, true); }, {b, a}, 2, 1},
      {"other classes: no goals", [&] { put(otherClasses, false); }, {}, 2, 1},
      {"the classes back: the goals back", [&] { put(two, false); }, {b, a}, 2, 1},
      {"Apply Plan", [&] { put(*planning.played(planner.state()), true); }, {b, a}, 2, 1},
  };
  for (const Step& step : steps) {
    step.act();
    EXPECT_EQ(planning.problem().goals, step.goals) << step.what;
    EXPECT_EQ(planning.problem().magicBonus, step.magic) << step.what;
    EXPECT_EQ(planning.problem().physicalBonus, step.physical) << step.what;
    EXPECT_EQ(planning.kept(planner.state()), sheet::withGoalsHeld(planner.state())) << step.what;
  }
  EXPECT_EQ(planner.state().bonuses, (std::array<bool, 4>{true, false, true, true}));
}

// The goals' order is the order they are kept in, and moves change it.
TEST_F(PlanningTest, GoalsMoveInTheirOrder) {
  startAs("Dwarf", "Artificer", "Anti-Paladin");
  const Goal a{Copy::FirstClass, 6}, b{Copy::SecondClass, 18}, c{Copy::FirstClass, 12};
  for (const Goal& g : {a, b, c}) ASSERT_TRUE(planning.tick(g, true));
  struct Move {
    Goal goal;
    int delta;
    bool moved;
    std::vector<Goal> order;
  };
  const std::vector<Move> moves = {
      {c, -1, true, {a, c, b}},  {a, -1, false, {a, c, b}},
      {a, 5, true, {c, b, a}},   {{Copy::FirstClass, 0}, 1, false, {c, b, a}},
      {a, -10, true, {a, c, b}}, {b, 0, false, {a, c, b}},
      {c, 1, true, {a, b, c}},
  };
  for (const Move& m : moves) {
    const int made = planning.plansMade();
    EXPECT_EQ(planning.move(m.goal, m.delta), m.moved) << m.goal.row << " by " << m.delta;
    EXPECT_EQ(planning.problem().goals, m.order) << m.goal.row << " by " << m.delta;
    EXPECT_EQ(planning.plansMade(), made + (m.moved ? 1 : 0));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(planning.orderOf(m.order[std::size_t(i)]), i);
  }
}

// Whatever the goals, each row says its place, whether the plan drops it and
// why, and for a row that is no goal what it would cost.
TEST_F(PlanningTest, RowsShowTheGoalsThePlanAndWhatElseFits) {
  std::mt19937 random(31);
  auto pick = [&](int n) { return std::uniform_int_distribution(0, n - 1)(random); };
  int dropped = 0;
  for (int round = 0; round < 400; ++round) {
    startAs(sheet::kRaceBonuses[std::size_t(pick(9))].race,
            skills::kClassNames[std::size_t(pick(16))], skills::kClassNames[std::size_t(pick(16))]);
    planning.clear();
    const goals::Problem& p = planning.problem();
    // Every row of both classes ticked in a random order, or only some: the
    // most are ticked, the more are dropped.
    std::vector<Goal> rows;
    for (Copy copy : {Copy::FirstClass, Copy::SecondClass})
      for (int i = 0;
           i < int(skills::rowsOf(copy == Copy::FirstClass ? p.firstClass : p.secondClass, copy)
                       .size());
           ++i)
        rows.push_back({copy, i});
    std::shuffle(rows.begin(), rows.end(), random);
    rows.resize(std::size_t(pick(int(rows.size()) + 1)));
    for (const Goal& goal : rows) ASSERT_TRUE(planning.tick(goal, true));
    const std::string problem = "round " + std::to_string(round);
    const goals::Plan plan = goals::plan(p);
    ASSERT_EQ(planning.plan()->pointsLeft, plan.pointsLeft) << problem;
    const goals::Exploration e = goals::explore(p, plan);
    for (Copy copy : {Copy::FirstClass, Copy::SecondClass}) {
      for (const goals::RowView& row : planning.rows(copy, planner.state())) {
        const auto at = std::find(p.goals.begin(), p.goals.end(), row.goal);
        ASSERT_EQ(row.order.has_value(), at != p.goals.end()) << problem;
        ASSERT_EQ(row.order.value_or(-1), at == p.goals.end() ? -1 : at - p.goals.begin())
            << problem;
        const auto drop = std::find_if(plan.dropped.begin(), plan.dropped.end(),
                                       [&](const goals::Dropped& d) { return d.goal == row.goal; });
        ASSERT_EQ(row.dropped, drop == plan.dropped.end()
                                   ? std::nullopt
                                   : std::optional<std::string>(drop->reason))
            << problem;
        dropped += row.dropped.has_value();
        const goals::Fit* fit = e.fitOf(row.goal);
        ASSERT_EQ(row.fit, fit ? goals::fitWords(*fit) : "") << problem;
        ASSERT_EQ(row.fit.empty(), row.order.has_value()) << problem;
      }
    }
    planner.startReset();  // a reset: other classes next round
  }
  EXPECT_GT(dropped, 10);
}

// A race from the race table holds until the plavet's own race changes, and
// Apply Plan plays it.
TEST_F(PlanningTest, ARaceChosenFromTheTableHoldsUntilThePlavetsChanges) {
  startAs("Dwarf", "Artificer", "Anti-Paladin");
  ASSERT_TRUE(planning.tick({Copy::FirstClass, 6}, true));
  EXPECT_FALSE(planning.chooseRace("Gnome"));
  ASSERT_TRUE(planning.chooseRace("Elf"));
  EXPECT_TRUE(planning.raceChosen());
  EXPECT_EQ(planning.problem().race, "Elf");
  EXPECT_EQ(planning.hint("the main window"),
            "A Dwarf, first class Artificer, multi-classing into Anti-Paladin, planned as an Elf "
            "from the race table. Tick the skills you want; the plan below is the best plavet for "
            "them.");
  EXPECT_EQ(planning.played(planner.state())->selections[0], "Elf");
  planner.pressArrow(skills::Value::MFire, sheet::Direction::Raise, sheet::kLeftButton);
  planning.follow(planner.state());
  EXPECT_EQ(planning.problem().race, "Elf");  // a press is no other race

  ASSERT_TRUE(planning.chooseRace("Dwarf"));  // the plavet's own: the choice ends
  EXPECT_FALSE(planning.raceChosen());
  ASSERT_TRUE(planning.chooseRace("Ogier"));
  sheet::State human = planner.state();  // as a plavet opened from a file
  human.selections[0] = "Human";
  planning.replaced(human);
  EXPECT_FALSE(planning.raceChosen());
  EXPECT_EQ(planning.problem().race, "Human");
  EXPECT_EQ(planning.problem().goals.size(), 1u);  // the same classes: the goal stays
}

// Once multi-classed, what the first class learned is settled by the values
// at multi-classing; before, or without a record of them, as the values are.
TEST_F(PlanningTest, FirstClassRowsAreFixedAtMultiClassing) {
  startAs("Dwarf", "Artificer", "Anti-Paladin");
  for (int i = 0; i < 4; ++i)
    planner.pressArrow(skills::Value::MFire, sheet::Direction::Raise, sheet::kRightButton);
  const auto now = [&](Copy copy, int row) {
    return planning.rows(copy, planner.state())[std::size_t(row)].now;
  };
  // Vorpalize (55 MFire), Identify (45 MEarth); War Chant (25 MFire) of the second class.
  EXPECT_EQ(now(Copy::FirstClass, 6).words, "qualifies (MFire 55: met)");
  EXPECT_EQ(now(Copy::FirstClass, 9).words, "MEarth 45: 30 more");
  planner.multiClass();
  planning.follow(planner.state());
  const goals::Progress learned = now(Copy::FirstClass, 6), missed = now(Copy::FirstClass, 9);
  EXPECT_EQ(learned.words, "learned at multi-classing");
  EXPECT_TRUE(learned.met && learned.fixed);
  EXPECT_EQ(missed.words, "not learned: fixed at multi-classing");
  EXPECT_TRUE(!missed.met && missed.fixed);
  EXPECT_EQ(now(Copy::SecondClass, 0).words, "qualifies (MFire 25: met)");
  EXPECT_FALSE(now(Copy::SecondClass, 0).fixed);

  sheet::State unrecorded = planner.state();  // as from a file that did not keep them
  unrecorded.valuesAtMultiClass.reset();
  EXPECT_EQ(goals::progress(skills::rowsOf("Artificer", Copy::FirstClass)[6], Copy::FirstClass,
                            unrecorded)
                .words,
            "MFire 55: 20 more");
}

TEST_F(PlanningTest, TheHintNamesTheRaceWithItsArticle) {
  const std::map<std::string, std::string> articles = {
      {"Aracoix", "An"}, {"AR", "An"},      {"Dwarf", "A"},  {"Elf", "An"}, {"Half-Giant", "A"},
      {"Human", "A"},    {"Minotaur", "A"}, {"Ogier", "An"}, {"Shade", "A"}};
  for (const sheet::RaceBonus& race : sheet::kRaceBonuses) {
    planner.setSelectionText(sheet::Selection::Race, race.race);
    planner.setSelectionText(sheet::Selection::FirstClass, "Bard");
    planner.setSelectionText(sheet::Selection::SecondClass, "Thief");
    planning.follow(planner.state());
    EXPECT_EQ(planning.hint("the planner"),
              articles.at(std::string(race.race)) + " " + std::string(race.race) +
                  ", first class Bard, multi-classing into Thief. Tick the skills you want; the "
                  "plan below is the best plavet for them.");
  }
}

// Every label of the catalogue reads, and these are all that say otherwise
// than their rule.
TEST(Labels, EveryLabelThatDisagreesWithItsRuleIsFound) {
  const std::map<std::string, std::string> disagreeing = {
      {"Airwalk (35 MEarth/35 MSpirit/50 MAir)", "label says MSpirit 35; the rule needs MWater 35"},
      {"Blindness (45 MAir)", "label says MAir 45; the rule needs MFire 35"},
      {"Dodge (40 PAir)", "label says 40; the rule needs 45"},
      {"Firestorm (50 MFire/35 MSpirit)", "label says MSpirit 35; the rule needs MAir 35"},
      {"Resist Poison (40 PWater)", "label says PWater 40; the rule needs PAir 40"},
      {"Teleport Minor (45 MEarth/25 MEarth)", "label says MEarth 25; the rule needs MAir 25"},
      {"Tower of Strength (45 MAir/45 MSpirit)", "label says MAir 45; the rule needs MWater 45"},
      {"Vitalize Mana (45 MAir)", "label says MAir 45; the rule needs MEarth 45"},
      {"Wall of Thorns (45 MAir)", "label says MAir 45; the rule needs MEarth 45"},
      {"Ward (40 MWater/40 MSpirit)", "label says MSpirit 40; the rule needs MAir 40"},
      {"Weapon Mastery (55 PFire/PSpirit)", "label says PFire 55; the rule needs PFire 65"},
      {"Weapon Mastery (55 PFire/55 PSpirit)", "label says PFire 55; the rule needs PFire 65"},
  };
  std::map<std::string, std::string> found;
  int read = 0;
  for (std::string_view className : skills::kClassNames) {
    for (Copy copy : {Copy::FirstClass, Copy::SecondClass}) {
      for (const skills::SkillRow& row : skills::rowsOf(className, copy)) {
        const bool bracketed = row.text.find('(') != std::string_view::npos;
        EXPECT_EQ(goals::labelNeeds(row.text).has_value(), bracketed) << row.text;
        read += bracketed;
        if (const std::string note = goals::labelNote(row); !note.empty())
          found[std::string(row.text)] = note;
      }
    }
  }
  EXPECT_EQ(found, disagreeing);
  EXPECT_GT(read, 800);
  // Written otherwise, a label still reads as the catalogue means it.
  using skills::Value;
  const std::vector<std::pair<std::string, std::vector<skills::Requirement>>> forms = {
      {"Heal Serious (60 MWater/60MAir/ 40 MSpirit)",
       {{Value::MWater, 60}, {Value::MAir, 60}, {Value::MSpirit, 40}}},
      {"Heal Critical (80 MWater/80 Mair)", {{Value::MWater, 80}, {Value::MAir, 80}}},
      {"Spiritual Hammer (20 MWater/55 MSpirit", {{Value::MWater, 20}, {Value::MSpirit, 55}}},
      {"Control Weather (35 MWater/MAir)", {{Value::MWater, 35}, {Value::MAir, 35}}},
      {"Magic Missile (0 Mearth)", {}},
  };
  for (const auto& [text, needs] : forms) {
    const auto read = goals::labelNeeds(text);
    ASSERT_TRUE(read) << text;
    ASSERT_EQ(read->size(), needs.size()) << text;
    for (std::size_t i = 0; i < needs.size(); ++i)
      EXPECT_TRUE((*read)[i].value == needs[i].value && (*read)[i].minimum == needs[i].minimum)
          << text;
  }
  for (const char* unread : {"Focus", "Monk (Winter)", "X (MFire 55)", "X (1000 MFire)", "X ()"})
    EXPECT_FALSE(goals::labelNeeds(unread)) << unread;
}

}  // namespace
