#include "sheet/messages.h"
#include "support.h"

namespace {

using namespace testing_support;
namespace text = sheet::text;
using sheet::Selection;

constexpr Box kValueBoxes[] = {Box::mf, Box::me, Box::mw, Box::ma, Box::ms,
                               Box::pf, Box::pe, Box::pw, Box::pa, Box::ps};

struct RaceCase {
  const char* race;
  std::array<double, 5> start;  // M and P alike, Fire..Spirit
};

class RaceRows : public PlannerTest, public ::testing::WithParamInterface<RaceCase> {};

TEST_P(RaceRows, StartWritesTheRaceBonusIntoMAndPOfEachBonusElement) {
  start(GetParam().race, "Warrior", "Druid");
  for (int e = 0; e < 5; ++e) {
    EXPECT_EQ(at(kValueBoxes[e]), GetParam().start[e]) << "M element " << e;
    EXPECT_EQ(at(kValueBoxes[5 + e]), GetParam().start[e]) << "P element " << e;
    EXPECT_EQ(at(sheet::dBox(e)), GetParam().start[e]) << "D element " << e;
  }
}

INSTANTIATE_TEST_SUITE_P(
    EveryRace, RaceRows,
    ::testing::Values(RaceCase{"Aracoix", {15, 0, 0, 15, 0}}, RaceCase{"AR", {10, 10, 10, 10, 10}},
                      RaceCase{"Dwarf", {15, 15, 0, 0, 0}}, RaceCase{"Elf", {0, 15, 15, 0, 0}},
                      RaceCase{"Half-Giant", {0, 0, 15, 15, 0}}, RaceCase{"Human", {5, 5, 5, 5, 5}},
                      RaceCase{"Minotaur", {15, 0, 15, 0, 0}}, RaceCase{"Ogier", {0, 15, 0, 0, 15}},
                      RaceCase{"Shade", {0, 0, 0, 15, 15}},
                      // Names match exactly, case and spaces included.
                      RaceCase{"dwarf", {0, 0, 0, 0, 0}}, RaceCase{"Dwarf ", {0, 0, 0, 0, 0}},
                      RaceCase{"Zwerg", {0, 0, 0, 0, 0}}),
    [](const auto& info) { return caseName(info.index, info.param.race); });

struct ClassCase {
  const char* firstClass;
  double magic, physical, either;
};

class ClassRows : public PlannerTest, public ::testing::WithParamInterface<ClassCase> {};

TEST_P(ClassRows, StartSetsTheFirstClassPools) {
  start("Elf", GetParam().firstClass, "Thief");
  EXPECT_EQ(at(Box::mpr), GetParam().magic);
  EXPECT_EQ(at(Box::ppr), GetParam().physical);
  EXPECT_EQ(at(Box::epr), GetParam().either);
}

INSTANTIATE_TEST_SUITE_P(
    EveryClass, ClassRows,
    ::testing::Values(
        ClassCase{"Anti-Paladin", 120, 300, 180}, ClassCase{"Artificer", 240, 240, 120},
        ClassCase{"Barbarian", 120, 300, 180}, ClassCase{"Bard", 240, 240, 120},
        ClassCase{"Chaos Cleric", 300, 120, 180}, ClassCase{"Druid", 300, 120, 180},
        ClassCase{"Magic User", 300, 120, 180}, ClassCase{"Monk (Autumn)", 300, 180, 120},
        ClassCase{"Monk (Spring)", 300, 180, 120}, ClassCase{"Monk (Summer)", 300, 180, 120},
        ClassCase{"Monk (Winter)", 300, 180, 120}, ClassCase{"Order Cleric", 300, 120, 180},
        ClassCase{"Paladin", 120, 300, 180}, ClassCase{"Ranger", 120, 300, 180},
        ClassCase{"Thief", 120, 300, 180}, ClassCase{"Warrior", 120, 300, 180},
        ClassCase{"warrior", 0, 0, 0}, ClassCase{"Monk(Winter)", 0, 0, 0}),
    [](const auto& info) { return caseName(info.index, info.param.firstClass); });

TEST_F(PlannerTest, TheGuardRefusesWhileAnySelectionIsEmpty) {
  const std::array<std::array<const char*, 3>, 4> choices = {
      {{"", "Druid", "Warrior"}, {"Dwarf", "", "Warrior"}, {"Dwarf", "Druid", ""}, {"", "", ""}}};
  for (const auto& c : choices) {
    choose(c[0], c[1], c[2]);
    const sheet::State before = planner.state();
    planner.startReset();
    EXPECT_EQ(messages(), std::vector{msg(text::kSelectFirst, text::kProgramTitle)});
    EXPECT_EQ(planner.state(), before);
    messages().clear();
  }
}

TEST_F(PlannerTest, StartShowsReadyOverZerosThenWritesTheSheet) {
  choose("Dwarf", "Druid", "Warrior");
  planner.startReset();
  ASSERT_EQ(messages(), std::vector{msg(text::kReady, text::kReadyTitle)});
  const sheet::State& during = messages()[0].shownOver;
  for (double v : during.boxes) EXPECT_EQ(v, 0);
  EXPECT_TRUE(during.selectionsLocked);
  EXPECT_FALSE(during.started);

  EXPECT_TRUE(planner.started());
  EXPECT_TRUE(planner.selectionsLocked());
  EXPECT_EQ(at(Box::mf), 15);
  EXPECT_EQ(at(Box::pe), 15);
  EXPECT_EQ(at(Box::mw), 0);
  EXPECT_EQ(at(Box::mpr), 300);
  EXPECT_EQ(at(Box::ppr), 120);
  EXPECT_EQ(at(Box::epr), 180);
  EXPECT_EQ(text(Box::df), "15");
  EXPECT_EQ(text(Box::de), "15");
  EXPECT_EQ(text(Box::dw), "0");
}

TEST_F(PlannerTest, LockedSelectionsIgnoreNewText) {
  start("Dwarf", "Druid", "Warrior");
  planner.setSelectionText(Selection::Race, "Elf");
  EXPECT_EQ(planner.selectionText(Selection::Race), "Dwarf");
}

TEST_F(PlannerTest, StartResetStartAgainNeedsNewSelections) {
  start("AR", "Bard", "Warrior");
  planner.pressArrow(V::MFire, sheet::Direction::Raise, sheet::kRightButton);
  planner.showSkills();
  planner.startReset();  // reset
  ASSERT_EQ(messages(), std::vector{msg(text::kResetting, text::kYay)});
  EXPECT_TRUE(messages()[0].shownOver.selectionsLocked);  // unlocked after the box
  EXPECT_FALSE(planner.started());
  EXPECT_FALSE(planner.selectionsLocked());
  for (auto s : {Selection::Race, Selection::FirstClass, Selection::SecondClass})
    EXPECT_EQ(planner.selectionText(s), "");
  for (int b = 0; b < sheet::kBoxCount; ++b) EXPECT_EQ(planner.text(Box(b)), "0") << b;
  EXPECT_TRUE(planner.firstClassSkills().empty());
  EXPECT_TRUE(planner.secondClassSkills().empty());

  messages().clear();
  planner.startReset();  // the reset emptied the selections
  EXPECT_EQ(messages(), std::vector{msg(text::kSelectFirst, text::kProgramTitle)});
  EXPECT_FALSE(planner.started());
}

TEST_F(PlannerTest, ResetKeepsTheSpellsAndTheirEffect) {
  start("Human", "Monk (Winter)", "Bard");
  planner.toggleSpell(sheet::Spell::Shield, true);
  planner.startReset();
  EXPECT_TRUE(planner.isChecked(sheet::Spell::Shield));
  for (int e = 0; e < 5; ++e) EXPECT_EQ(text(sheet::dBox(e)), "10");
  // On the next start its effect is included again.
  start("Human", "Monk (Winter)", "Bard");
  for (int e = 0; e < 5; ++e) EXPECT_EQ(text(sheet::dBox(e)), "15");
}

TEST_F(PlannerTest, BeforeAnyStartEveryBoxShowsZero) {
  for (int b = 0; b < sheet::kBoxCount; ++b) EXPECT_EQ(planner.text(Box(b)), "0");
  EXPECT_FALSE(planner.started());
}

}  // namespace
