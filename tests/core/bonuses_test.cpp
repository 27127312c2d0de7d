// The four clan-town boxes, each case played on every box.
#include "sheet/messages.h"
#include "support.h"

namespace {

using namespace testing_support;
namespace text = sheet::text;
using sheet::Bonus;

constexpr Bonus kAllBoxes[] = {Bonus::PBonus1, Bonus::PBonus2, Bonus::MBonus1, Bonus::MBonus2};
constexpr double kStaleD = 999;

bool isMagic(Bonus b) {
  return b == Bonus::MBonus1 || b == Bonus::MBonus2;
}
Box valueBox(Bonus b, int element) {
  return Box((isMagic(b) ? 0 : 5) + element);
}
Box otherKindBox(Bonus b, int element) {
  return Box((isMagic(b) ? 5 : 0) + element);
}

struct Toggle {
  const char* name;
  bool checkedBefore;
  std::array<double, 5> before;
  std::array<double, 5> after;
  bool checkedAfter;
  std::string_view message = {};

  friend std::ostream& operator<<(std::ostream& os, const Toggle& c) { return os << c.name; }
};

const Toggle kToggles[] = {
    {"CheckingAddsFiveToEachValue", false, {10, 0, 195, 40, 7}, {15, 5, 200, 45, 12}, true},
    {"CheckingOver195Refuses",
     false,
     {10, 0, 196, 40, 7},
     {10, 0, 196, 40, 7},
     false,
     text::kBonusOver200},
    {"CheckingAt200Refuses",
     false,
     {200, 200, 200, 200, 200},
     {200, 200, 200, 200, 200},
     false,
     text::kBonusOver200},
    {"UncheckingTakesFiveFromEachValue", true, {5, 10, 200, 45, 12}, {0, 5, 195, 40, 7}, false},
    {"UncheckingBelow5Refuses",
     true,
     {15, 4, 200, 45, 12},
     {15, 4, 200, 45, 12},
     true,
     text::kBonusUnder0},
};

class Bonuses : public PlannerTest, public ::testing::WithParamInterface<Toggle> {};

TEST_P(Bonuses, PlayOnEveryBox) {
  const Toggle& t = GetParam();
  for (Bonus b : kAllBoxes) {
    SCOPED_TRACE("box " + std::to_string(int(b)));
    start("AR", "Bard", "Bard");
    sheet::State s = planner.state();
    s.bonuses[int(b)] = t.checkedBefore;
    for (int e = 0; e < 5; ++e) {
      s.boxes[int(valueBox(b, e))] = t.before[e];
      s.boxes[int(otherKindBox(b, e))] = 50 + e;
    }
    s.boxes[int(sheet::dBox(0))] = kStaleD;
    planner.restore(s);

    planner.toggleBonus(b, !t.checkedBefore);

    for (int e = 0; e < 5; ++e) {
      EXPECT_EQ(at(valueBox(b, e)), t.after[e]) << e;
      EXPECT_EQ(at(otherKindBox(b, e)), 50 + e) << e;
    }
    EXPECT_EQ(planner.isChecked(b), t.checkedAfter);
    EXPECT_EQ(at(Box::mpr), 240);
    EXPECT_EQ(at(Box::ppr), 240);
    EXPECT_EQ(at(Box::epr), 120);
    if (t.message.empty()) {
      EXPECT_TRUE(messages().empty());
      EXPECT_NE(at(sheet::dBox(0)), kStaleD);  // recomputed
    } else {
      ASSERT_EQ(messages(), std::vector{msg(t.message, text::kNoTitle)});
      // While the message is shown the box is as the user left it.
      EXPECT_EQ(messages()[0].shownOver.bonuses[int(b)], !t.checkedBefore);
      EXPECT_EQ(at(sheet::dBox(0)), kStaleD);  // no delement on a refusal
    }
    for (Bonus other : kAllBoxes) {
      if (other != b) {
        EXPECT_FALSE(planner.isChecked(other));
      }
    }
    messages().clear();
    planner.startReset();
    messages().clear();
  }
}

INSTANTIATE_TEST_SUITE_P(Rules, Bonuses, ::testing::ValuesIn(kToggles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlannerTest, BothBoxesOfARowAddTen) {
  start("Dwarf", "Druid", "Warrior");
  planner.toggleBonus(Bonus::MBonus1, true);
  planner.toggleBonus(Bonus::MBonus2, true);
  EXPECT_EQ(at(Box::mf), 25);
  EXPECT_EQ(at(Box::mw), 10);
  EXPECT_EQ(at(Box::pf), 15);
  EXPECT_EQ(text(Box::df), "18.3333333333333");
  planner.toggleBonus(Bonus::MBonus1, false);
  EXPECT_EQ(at(Box::mf), 20);
}

TEST_F(PlannerTest, BeforeAStartBonusBoxesClearThemselves) {
  for (Bonus b : kAllBoxes) {
    put({{sheet::dBox(2), kStaleD}});
    planner.toggleBonus(b, true);
    EXPECT_FALSE(planner.isChecked(b));
    EXPECT_EQ(at(sheet::dBox(2)), 0);  // delement ran
    for (int v = 0; v < 10; ++v) EXPECT_EQ(at(Box(v)), 0);
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(PlannerTest, BonusPointsLowerIntoTheKindPool) {
  start("Dwarf", "Druid", "Warrior");
  planner.toggleBonus(Bonus::PBonus2, true);
  EXPECT_EQ(at(Box::pw), 5);
  planner.pressArrow(V::PWater, sheet::Direction::Lower, sheet::kLeftButton);
  EXPECT_EQ(at(Box::pw), 4);
  EXPECT_EQ(at(Box::ppr), 121);
  EXPECT_EQ(at(Box::epr), 180);
}

TEST_F(PlannerTest, AfterARefusalTheNextToggleIsHandledNormally) {
  start("Dwarf", "Druid", "Warrior");
  put({{Box::me, 196}});
  planner.toggleBonus(Bonus::MBonus1, true);
  EXPECT_FALSE(planner.isChecked(Bonus::MBonus1));
  planner.pressArrow(V::MEarth, sheet::Direction::Lower, sheet::kLeftButton);
  messages().clear();
  planner.toggleBonus(Bonus::MBonus1, true);
  EXPECT_TRUE(planner.isChecked(Bonus::MBonus1));
  EXPECT_EQ(at(Box::me), 200);
  EXPECT_TRUE(messages().empty());
}

// A box must not stay checked over fresh values that never received its
// bonus, or a later uncheck would take away points never added.
TEST_F(PlannerTest, ResetClearsTheBonusBoxesButNotTheSpells) {
  start("Dwarf", "Druid", "Warrior");
  for (Bonus b : kAllBoxes) planner.toggleBonus(b, true);
  planner.toggleSpell(sheet::Spell::Bless, true);
  planner.startReset();
  EXPECT_EQ(messages(), std::vector{msg(text::kResetting, text::kYay)});
  for (Bonus b : kAllBoxes) EXPECT_FALSE(planner.isChecked(b));
  EXPECT_TRUE(planner.isChecked(sheet::Spell::Bless));
  for (int v = 0; v < 10; ++v) EXPECT_EQ(at(Box(v)), 0);

  start("Dwarf", "Druid", "Warrior");
  planner.toggleBonus(Bonus::MBonus1, true);  // a fresh bonus, not a stale uncheck
  EXPECT_EQ(at(Box::mf), 20);
  EXPECT_EQ(at(Box::mw), 5);
}

TEST_F(PlannerTest, MultiClassingHalvesBonusPointsAndUncheckingStillTakesFive) {
  start("Elf", "Druid", "Warrior");
  planner.toggleBonus(Bonus::MBonus1, true);  // M Earth 20, M Fire 5
  planner.multiClass();
  EXPECT_EQ(at(Box::me), 17);  // 15 + trunc(5 / 2)
  EXPECT_EQ(at(Box::mf), 2);
  EXPECT_TRUE(planner.isChecked(Bonus::MBonus1));
  messages().clear();
  planner.toggleBonus(Bonus::MBonus1, false);
  EXPECT_EQ(messages(), std::vector{msg(text::kBonusUnder0, text::kNoTitle)});
  EXPECT_TRUE(planner.isChecked(Bonus::MBonus1));
}

}  // namespace
