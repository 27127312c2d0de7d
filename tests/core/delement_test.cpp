#include "support.h"

namespace {

using namespace testing_support;
using sheet::Spell;

struct DCase {
  double p, m;
  bool endure, shield, bless;
  const char* d;
};

class DValues : public PlannerTest, public ::testing::WithParamInterface<DCase> {};

TEST_P(DValues, FollowPAndMAndTheCheckedSpells) {
  const DCase& c = GetParam();
  start("Human", "Bard", "Bard");
  planner.toggleSpell(Spell::Endure, c.endure);
  planner.toggleSpell(Spell::Shield, c.shield);
  planner.toggleSpell(Spell::Bless, c.bless);
  for (int e = 0; e < 5; ++e) {
    // Put the case into one element, its neighbours stay at the Human 5.
    put({{Box(5 + e), c.p}, {Box(e), c.m}});
    planner.delement();
    EXPECT_EQ(text(sheet::dBox(e)), c.d) << "element " << e;
    put({{Box(5 + e), 5}, {Box(e), 5}});
  }
}

INSTANTIATE_TEST_SUITE_P(
    Spells, DValues,
    ::testing::Values(DCase{15, 15, false, false, false, "15"},
                      DCase{16, 15, false, false, false, "15.6666666666667"},
                      DCase{0, 0, false, true, true, "20"}, DCase{0, 0, false, false, true, "10"},
                      // Endure takes a quarter of the base, at most 25.
                      DCase{100, 100, true, false, false, "125"},
                      DCase{120, 120, true, false, false, "145"},
                      DCase{40, 40, true, false, false, "50"},
                      DCase{120, 120, true, true, true, "165"},
                      DCase{200, 200, true, true, true, "245"},
                      // The quarter is taken of the text the box shows: 15.6666666666667.
                      DCase{16, 15, true, false, false, "19.5833333333334"},
                      DCase{16, 15, true, true, true, "39.5833333333334"},
                      DCase{1, 0, false, false, false, "0.666666666666667"},
                      DCase{0, 1, true, false, false, "0.416666666666666"}));

TEST_F(PlannerTest, SpellsCannotBeCheckedBeforeAStart) {
  for (Spell s : {Spell::Bless, Spell::Shield, Spell::Endure}) {
    planner.toggleSpell(s, true);
    EXPECT_FALSE(planner.isChecked(s));
    for (int e = 0; e < 5; ++e) EXPECT_EQ(text(sheet::dBox(e)), "0");
  }
  EXPECT_TRUE(messages().empty());
}

// A spell left checked over a reset takes its effect with it when unchecked.
TEST_F(PlannerTest, UncheckingASpellAfterAResetClearsItsEffect) {
  start("Dwarf", "Druid", "Warrior");
  planner.toggleSpell(Spell::Shield, true);
  planner.toggleSpell(Spell::Bless, true);
  planner.startReset();
  EXPECT_EQ(text(Box::df), "20");
  planner.toggleSpell(Spell::Shield, false);
  EXPECT_FALSE(planner.isChecked(Spell::Shield));
  for (int e = 0; e < 5; ++e) EXPECT_EQ(text(sheet::dBox(e)), "10");
  planner.toggleSpell(Spell::Bless, false);
  for (int e = 0; e < 5; ++e) EXPECT_EQ(text(sheet::dBox(e)), "0");
}

TEST_F(PlannerTest, SpellTogglesRecomputeWhileStarted) {
  start("Dwarf", "Druid", "Warrior");
  planner.toggleSpell(Spell::Endure, true);
  EXPECT_EQ(text(Box::df), "18.75");
  planner.toggleSpell(Spell::Endure, false);
  EXPECT_EQ(text(Box::df), "15");
  EXPECT_TRUE(messages().empty());
}

}  // namespace
