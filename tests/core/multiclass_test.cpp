// Multi-classing: refusals, pools, the race step, and the lists it fills.
#include "sheet/messages.h"
#include "support.h"

namespace {

using namespace testing_support;
namespace text = sheet::text;

TEST_F(PlannerTest, MultiClassingRefusesBeforeAStartAndAfterAReset) {
  for (int round = 0; round < 2; ++round) {
    const sheet::State before = planner.state();
    planner.multiClass();
    EXPECT_EQ(messages(), std::vector{msg(text::kNotStartedYet, text::kNoTitle)});
    EXPECT_EQ(planner.state(), before);
    start("Dwarf", "Druid", "Warrior");
    planner.startReset();
    messages().clear();
  }
}

TEST_F(PlannerTest, MultiClassingTwiceRefusesAndChangesNothing) {
  start("Dwarf", "Druid", "Warrior");
  planner.multiClass();
  EXPECT_EQ(messages(), std::vector{msg(text::kMultied, text::kRaar)});
  messages().clear();
  const sheet::State before = planner.state();
  planner.multiClass();
  EXPECT_EQ(messages(), std::vector{msg(text::kAlreadyMultied, text::kNoTitle)});
  EXPECT_EQ(planner.state(), before);
}

struct PoolCase {
  const char* secondClass;
  double magic, physical, either;     // before
  double magic2, physical2, either2;  // after
};

class Pools : public PlannerTest, public ::testing::WithParamInterface<PoolCase> {};

TEST_P(Pools, AreHalvedThenToppedUpForTheSecondClass) {
  const PoolCase& c = GetParam();
  start("Dwarf", "Druid", c.secondClass);
  put({{Box::mpr, c.magic}, {Box::ppr, c.physical}, {Box::epr, c.either}});
  planner.multiClass();
  EXPECT_EQ(at(Box::mpr), c.magic2);
  EXPECT_EQ(at(Box::ppr), c.physical2);
  EXPECT_EQ(at(Box::epr), c.either2);
}

INSTANTIATE_TEST_SUITE_P(SecondClasses, Pools,
                         ::testing::Values(PoolCase{"Warrior", 35, 0, 7, 77, 150, 93},
                                           PoolCase{"Anti-Paladin", 1, 1, 1, 60, 150, 90},
                                           PoolCase{"Artificer", 240, 240, 120, 240, 240, 120},
                                           PoolCase{"Bard", 0, 0, 0, 120, 120, 60},
                                           PoolCase{"Chaos Cleric", 300, 120, 180, 300, 120, 180},
                                           PoolCase{"Monk (Spring)", 11, 21, 31, 155, 100, 75},
                                           PoolCase{"Order Cleric", 0, 0, 0, 150, 60, 90},
                                           // Not a class: the pools are only halved.
                                           PoolCase{"warrior", 35, 0, 7, 17, 0, 3},
                                           PoolCase{"Mage", 300, 120, 180, 150, 60, 90}),
                         [](const auto& info) {
                           return caseName(info.index, info.param.secondClass);
                         });

TEST_F(PlannerTest, EverySecondClassTopsUpItsOwnAmounts) {
  const std::vector<std::tuple<const char*, double, double, double>> topUps = {
      {"Anti-Paladin", 60, 150, 90},  {"Artificer", 120, 120, 60},
      {"Barbarian", 60, 150, 90},     {"Bard", 120, 120, 60},
      {"Chaos Cleric", 150, 60, 90},  {"Druid", 150, 60, 90},
      {"Magic User", 150, 60, 90},    {"Monk (Autumn)", 150, 90, 60},
      {"Monk (Spring)", 150, 90, 60}, {"Monk (Summer)", 150, 90, 60},
      {"Monk (Winter)", 150, 90, 60}, {"Order Cleric", 150, 60, 90},
      {"Paladin", 60, 150, 90},       {"Ranger", 60, 150, 90},
      {"Thief", 60, 150, 90},         {"Warrior", 60, 150, 90}};
  for (const auto& [cls, magic, physical, either] : topUps) {
    start("Shade", "Bard", cls);
    put({{Box::mpr, 1}, {Box::ppr, 1}, {Box::epr, 1}});
    planner.multiClass();
    EXPECT_EQ(at(Box::mpr), magic) << cls;
    EXPECT_EQ(at(Box::ppr), physical) << cls;
    EXPECT_EQ(at(Box::epr), either) << cls;
    planner.startReset();
  }
}

struct RaceStep {
  const char* race;
  Box box;
  double before, after;
};

class RaceSteps : public PlannerTest, public ::testing::WithParamInterface<RaceStep> {};

TEST_P(RaceSteps, KeepTheRaceBonusWholeAndHalveTheRest) {
  const RaceStep& c = GetParam();
  start(c.race, "Warrior", "Druid");
  put({{c.box, c.before}});
  planner.multiClass();
  EXPECT_EQ(at(c.box), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Races, RaceSteps,
    ::testing::Values(RaceStep{"Elf", Box::me, 40, 27}, RaceStep{"Elf", Box::mf, 45, 22},
                      RaceStep{"Elf", Box::pw, 15, 15}, RaceStep{"Human", Box::ms, 5, 5},
                      RaceStep{"Human", Box::ps, 200, 102}, RaceStep{"Dwarf", Box::mf, 0, 8},
                      RaceStep{"Dwarf", Box::pe, 1, 8}, RaceStep{"Dwarf", Box::pw, 1, 0},
                      RaceStep{"AR", Box::ma, 31, 20}, RaceStep{"AR", Box::pa, 10, 10},
                      RaceStep{"Aracoix", Box::pa, 200, 107}, RaceStep{"Shade", Box::ms, 35, 25},
                      RaceStep{"Ogier", Box::ps, 16, 15}, RaceStep{"Minotaur", Box::mw, 199, 107},
                      RaceStep{"Half-Giant", Box::pa, 100, 57},
                      // Not a race: the values stay exactly as they are.
                      RaceStep{"elf", Box::me, 40, 40}, RaceStep{"Giant", Box::pf, 37, 37}),
    [](const auto& info) { return caseName(info.index, info.param.race); });

TEST_F(PlannerTest, MultiClassingRunsItsStepsInOrder) {
  start("Dwarf", "Druid", "Warrior");
  for (int i = 0; i < 3; ++i) planner.pressArrow(V::MWater, sheet::Direction::Raise, 2);
  planner.toggleSpell(sheet::Spell::Shield, true);
  planner.multiClass();
  ASSERT_EQ(messages(), std::vector{msg(text::kMultied, text::kRaar)});
  const sheet::State& during = messages()[0].shownOver;
  EXPECT_EQ(during, planner.state());  // every change is made before the box
  EXPECT_TRUE(planner.multiClassed());
  EXPECT_TRUE(planner.started());
  EXPECT_EQ(at(Box::mw), 15);
  EXPECT_EQ(at(Box::mf), 15);
  EXPECT_EQ(at(Box::mpr), 270 / 2 + 60);
  EXPECT_EQ(at(Box::ppr), 60 + 150);
  EXPECT_EQ(at(Box::epr), 90 + 90);
  EXPECT_EQ(text(Box::dw), "15");  // 5 + 10 for Shield
  // The first list comes from the values before halving (M Water 30), the
  // second from the values after (M Water 15).
  auto shown = [](const skills::SkillList& l) {
    return std::vector<std::string>(l.items().begin(), l.items().end());
  };
  EXPECT_EQ(shown(planner.firstClassSkills()),
            (std::vector<std::string>{"Create Water (25 MWater)", "Cure Light (0 MWater)",
                                      "Detect Poison (25 MWater)", "Remove Poison (30 MWater)",
                                      "Waterwalk (25 MWater)"}));
  EXPECT_EQ(shown(planner.secondClassSkills()), std::vector<std::string>{"Focus"});
}

TEST_F(PlannerTest, TheFirstClassMakesNoDifference) {
  std::vector<sheet::State> results;
  for (const char* first : {"Druid", "Warrior", "Thief", "nobody"}) {
    start("Minotaur", first, "Thief");
    put({{Box::mpr, 33}, {Box::ppr, 71}, {Box::epr, 9}, {Box::mf, 77}, {Box::pw, 44}});
    planner.multiClass();
    sheet::State s = planner.state();
    s.selections[1].clear();
    s.firstClassSkills.clear();
    results.push_back(s);
    planner.startReset();
    messages().clear();
  }
  for (const auto& r : results) EXPECT_EQ(r.boxes, results[0].boxes);
}

TEST_F(PlannerTest, ShowSkillsAfterMultiClassingRebuildsBothLists) {
  start("Dwarf", "Druid", "Warrior");
  planner.multiClass();
  for (int i = 0; i < 4; ++i) planner.pressArrow(V::PEarth, sheet::Direction::Raise, 2);
  planner.showSkills();
  EXPECT_GT(planner.secondClassSkills().items().size(), 1u);
  for (int i = 0; i < 4; ++i) planner.pressArrow(V::PEarth, sheet::Direction::Lower, 2);
  planner.showSkills();
  EXPECT_EQ(planner.secondClassSkills().items().size(), 1u);
}

}  // namespace
