// Skill lists: ascending order, what "Show Current Skills" rebuilds and when.
#include "sheet/messages.h"
#include "support.h"

namespace {

using namespace testing_support;
namespace text = sheet::text;

std::vector<std::string> shown(const skills::SkillList& list) {
  return {list.items().begin(), list.items().end()};
}

// Every qualifying row of a class, by a direct walk of the catalogue.
std::vector<std::string> expectedFor(std::string_view cls, skills::Copy copy,
                                     const sheet::Planner& p) {
  skills::ElementValues values{};
  for (int v = 0; v < skills::kValueCount; ++v) values[v] = p.value(Box(v));
  std::vector<std::string> texts;
  for (const auto& row : skills::rowsOf(cls, copy))
    if (row.qualifies(values)) texts.emplace_back(row.text);
  std::sort(texts.begin(), texts.end());
  return texts;
}

TEST(SkillList, ShowsItsItemsInAscendingCharacterOrder) {
  const auto rows = skills::rowsOf("Magic User", skills::Copy::FirstClass);
  skills::SkillList list;
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) list.add(*it);
  const auto items = list.items();
  ASSERT_EQ(items.size(), rows.size());
  EXPECT_TRUE(std::is_sorted(items.begin(), items.end()));
  // A space sorts before any letter; capitals before small letters.
  const auto at = [&](std::string_view t) { return std::find(items.begin(), items.end(), t); };
  EXPECT_LT(at("Magic Missile (0 MEarth)"), at("Magical Vestment (25 MSpirit)"));
}

TEST_F(PlannerTest, ShowSkillsBeforeAStartFillsNothing) {
  choose("Dwarf", "Druid", "Warrior");
  planner.showSkills();
  EXPECT_TRUE(planner.firstClassSkills().empty());
  EXPECT_TRUE(messages().empty());
  choose("Dwarf", "", "Warrior");
  planner.showSkills();
  EXPECT_EQ(messages(), std::vector{msg(text::kSelectFirst, text::kProgramTitle)});
  EXPECT_TRUE(planner.firstClassSkills().empty());
}

TEST_F(PlannerTest, ShowSkillsRebuildsTheFirstListOnlyUntilMultiClassing) {
  start("Dwarf", "Druid", "Warrior");
  planner.showSkills();
  EXPECT_EQ(shown(planner.firstClassSkills()),
            expectedFor("Druid", skills::Copy::FirstClass, planner));
  EXPECT_EQ(shown(planner.firstClassSkills()), std::vector<std::string>{"Cure Light (0 MWater)"});
  EXPECT_TRUE(planner.secondClassSkills().empty());

  // Raising values changes nothing until the lists are asked for again.
  for (int i = 0; i < 3; ++i) planner.pressArrow(V::MWater, sheet::Direction::Raise, 2);
  EXPECT_EQ(planner.firstClassSkills().items().size(), 1u);
  planner.showSkills();
  planner.showSkills();  // twice: still each text once
  EXPECT_EQ(shown(planner.firstClassSkills()),
            expectedFor("Druid", skills::Copy::FirstClass, planner));
  EXPECT_GT(planner.firstClassSkills().items().size(), 1u);
  EXPECT_TRUE(planner.secondClassSkills().empty());
  EXPECT_TRUE(messages().empty());
}

TEST_F(PlannerTest, SpellsNeverChangeAList) {
  start("Human", "Bard", "Bard");
  planner.showSkills();
  const auto before = shown(planner.firstClassSkills());
  planner.toggleSpell(sheet::Spell::Bless, true);
  planner.toggleSpell(sheet::Spell::Endure, true);
  planner.showSkills();
  EXPECT_EQ(shown(planner.firstClassSkills()), before);
}

TEST_F(PlannerTest, AClassTextThatIsNoClassGivesAnEmptyListQuietly) {
  start("Dwarf", "druid", "Warriors");
  planner.showSkills();
  EXPECT_TRUE(planner.firstClassSkills().empty());
  planner.multiClass();
  EXPECT_TRUE(planner.secondClassSkills().empty());
  EXPECT_EQ(messages(), std::vector{msg(text::kMultied, text::kRaar)});
}

TEST_F(PlannerTest, TheSameClassTwiceDiffersOnlyInTheSecondCopysTexts) {
  start("AR", "Warrior", "Warrior");
  for (int i = 0; i < 6; ++i) planner.pressArrow(V::PFire, sheet::Direction::Raise, 2);
  for (int i = 0; i < 6; ++i) planner.pressArrow(V::PSpirit, sheet::Direction::Raise, 2);
  planner.multiClass();
  for (int i = 0; i < 10; ++i) planner.pressArrow(V::PFire, sheet::Direction::Raise, 2);
  for (int i = 0; i < 6; ++i) planner.pressArrow(V::PSpirit, sheet::Direction::Raise, 2);
  planner.showSkills();
  const auto first = shown(planner.firstClassSkills());
  const auto second = shown(planner.secondClassSkills());
  ASSERT_EQ(first.size(), second.size());
  EXPECT_NE(std::find(first.begin(), first.end(), "Weapon Mastery (55 PFire/PSpirit)"),
            first.end());
  EXPECT_NE(std::find(second.begin(), second.end(), "Weapon Mastery (55 PFire/55 PSpirit)"),
            second.end());
}

}  // namespace
