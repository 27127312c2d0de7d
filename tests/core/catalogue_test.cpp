// The catalogue checked against what its own texts say: a skill text names
// its requirements in brackets ("Curse (30 MFire)"), so every row's
// requirement set must match its text, but for the rows listed below whose
// text and requirements are known to disagree.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "skills/catalogue.h"
#include "skills/skilllist.h"

namespace {

using skills::Copy;
using skills::Value;
using Needs = std::set<std::pair<Value, int>>;

const std::map<std::string, int> kRowCounts = {
    {"Anti-Paladin", 23}, {"Artificer", 28},     {"Barbarian", 15},     {"Bard", 33},
    {"Chaos Cleric", 55}, {"Druid", 46},         {"Magic User", 51},    {"Monk (Autumn)", 10},
    {"Monk (Spring)", 8}, {"Monk (Summer)", 10}, {"Monk (Winter)", 13}, {"Order Cleric", 53},
    {"Paladin", 32},      {"Ranger", 30},        {"Thief", 18},         {"Warrior", 15},
};

// Rows whose requirements are not what their text says.
const std::map<std::pair<std::string, std::string>, Needs> kDisagreeing = {
    {{"Barbarian", "Resist Poison (40 PWater)"}, {{Value::PAir, 40}}},
    {{"Bard", "Airwalk (35 MEarth/35 MSpirit/50 MAir)"},
     {{Value::MEarth, 35}, {Value::MWater, 35}, {Value::MAir, 50}}},
    {{"Magic User", "Airwalk (35 MEarth/35 MSpirit/50 MAir)"},
     {{Value::MEarth, 35}, {Value::MWater, 35}, {Value::MAir, 50}}},
    {{"Magic User", "Teleport Minor (45 MEarth/25 MEarth)"},
     {{Value::MEarth, 45}, {Value::MAir, 25}}},
    {{"Monk (Spring)", "Wall of Thorns (45 MAir)"}, {{Value::MEarth, 45}}},
    {{"Monk (Spring)", "Vitalize Mana (45 MAir)"}, {{Value::MEarth, 45}}},
    {{"Monk (Summer)", "Blindness (45 MAir)"}, {{Value::MFire, 35}}},
    {{"Monk (Summer)", "Firestorm (50 MFire/35 MSpirit)"}, {{Value::MFire, 50}, {Value::MAir, 35}}},
    {{"Monk (Winter)", "Ward (40 MWater/40 MSpirit)"}, {{Value::MWater, 40}, {Value::MAir, 40}}},
    {{"Paladin", "Tower of Strength (45 MAir/45 MSpirit)"},
     {{Value::MWater, 45}, {Value::MSpirit, 45}}},
    {{"Thief", "Dodge (40 PAir)"}, {{Value::PAir, 45}}},
    {{"Warrior", "Weapon Mastery (55 PFire/PSpirit)"}, {{Value::PFire, 65}, {Value::PSpirit, 55}}},
    {{"Warrior", "Weapon Mastery (55 PFire/55 PSpirit)"},
     {{Value::PFire, 65}, {Value::PSpirit, 55}}},
};

// The texts the second-class copy writes differently: class, row (from 1), text.
const std::vector<std::tuple<std::string, int, std::string>> kSecondCopyTexts = {
    {"Chaos Cleric", 35, "Heal Serious (60 MWater/60 MAir/ 40 MSpirit)"},
    {"Druid", 25, "Control Weather (35 MWater/35 MAir)"},
    {"Magic User", 23, "Locate Object (55 MEarth/55 MSpirit)"},
    {"Order Cleric", 35, "Heal Critical (80 MWater/80 MAir/60 MSpirit)"},
    {"Warrior", 8, "Weapon Mastery (55 PFire/55 PSpirit)"},
    {"Warrior", 9, "Weapon Mastery II (65 PFire/65 PSpirit)"},
};

// "(55 MEarth/MSpirit)": a part without a number takes the one before it; a
// minimum of 0 asks for nothing; the closing bracket may be missing; element
// names are read in any case ("Mair").
std::optional<Needs> needsNamedBy(const std::string& text) {
  const auto open = text.find('(');
  if (open == std::string::npos) return Needs{};
  std::string inner = text.substr(open + 1);
  if (!inner.empty() && inner.back() == ')') inner.pop_back();
  static const std::map<std::string, int> kElement = {
      {"fire", 0}, {"earth", 1}, {"water", 2}, {"air", 3}, {"spirit", 4}};
  Needs needs;
  int minimum = -1;
  std::istringstream parts(inner);
  for (std::string part; std::getline(parts, part, '/');) {
    std::size_t at = part.find_first_not_of(' ');
    if (at == std::string::npos) return std::nullopt;
    if (std::isdigit(static_cast<unsigned char>(part[at]))) {
      std::size_t used = 0;
      minimum = std::stoi(part.substr(at), &used);
      at = part.find_first_not_of(' ', at + used);
    }
    if (minimum < 0 || at == std::string::npos) return std::nullopt;
    std::string word = part.substr(at + 1);
    while (!word.empty() && word.back() == ' ') word.pop_back();
    for (char& c : word) c = char(std::tolower(static_cast<unsigned char>(c)));
    const char kind = char(std::toupper(static_cast<unsigned char>(part[at])));
    if ((kind != 'M' && kind != 'P') || !kElement.count(word)) return std::nullopt;
    if (minimum > 0) needs.insert({Value((kind == 'P' ? 5 : 0) + kElement.at(word)), minimum});
  }
  return needs;
}

Needs needsOf(const skills::SkillRow& row) {
  Needs needs;
  for (int i = 0; i < row.needCount; ++i) needs.insert({row.needs[i].value, row.needs[i].minimum});
  return needs;
}

bool lists(const std::string& className, Copy copy, const skills::ElementValues& values,
           std::string_view text) {
  skills::SkillList list;
  skills::addQualifying(list, className, copy, values);
  const auto items = list.items();
  return std::find(items.begin(), items.end(), text) != items.end();
}

struct CopyCase {
  Copy copy;
  const char* name;
};

class EveryClass : public ::testing::TestWithParam<CopyCase> {};

TEST_P(EveryClass, HasItsRowsWithDistinctTexts) {
  int total = 0;
  for (std::string_view name : skills::kClassNames) {
    const auto rows = skills::rowsOf(name, GetParam().copy);
    EXPECT_EQ(int(rows.size()), kRowCounts.at(std::string(name))) << name;
    total += int(rows.size());
    std::set<std::string_view> texts;
    for (const auto& row : rows) {
      EXPECT_TRUE(texts.insert(row.text).second) << name << ": " << row.text;
      EXPECT_FALSE(row.text.empty());
      EXPECT_NE(row.text.front(), ' ');
      EXPECT_NE(row.text.back(), ' ');
    }
  }
  EXPECT_EQ(total, 440);
}

TEST_P(EveryClass, RequirementsAreWhatTheTextsSayButForTheKnownRows) {
  int disagreeing = 0;
  for (std::string_view name : skills::kClassNames) {
    for (const auto& row : skills::rowsOf(name, GetParam().copy)) {
      const std::string text(row.text);
      const auto it = kDisagreeing.find({std::string(name), text});
      if (it != kDisagreeing.end()) {
        ++disagreeing;
        EXPECT_EQ(needsOf(row), it->second) << name << ": " << text;
        continue;
      }
      const auto named = needsNamedBy(text);
      ASSERT_TRUE(named) << name << ": " << text;
      EXPECT_EQ(needsOf(row), *named) << name << ": " << text;
      EXPECT_EQ(int(needsOf(row).size()), row.needCount) << name << ": " << text;
    }
  }
  EXPECT_EQ(disagreeing, 12);  // Weapon Mastery is written differently in each copy
}

// Each row is listed with every requirement at its minimum and the other
// values at 0, and not listed when any one requirement is one short.
TEST_P(EveryClass, EachRowIsListedExactlyWhenItsRequirementsHold) {
  for (std::string_view name : skills::kClassNames) {
    for (const auto& row : skills::rowsOf(name, GetParam().copy)) {
      skills::ElementValues values{};
      for (int i = 0; i < row.needCount; ++i)
        values[skills::index(row.needs[i].value)] = row.needs[i].minimum;
      EXPECT_TRUE(lists(std::string(name), GetParam().copy, values, row.text)) << row.text;
      for (int i = 0; i < row.needCount; ++i) {
        skills::ElementValues short_ = values;
        short_[skills::index(row.needs[i].value)] -= 1;
        EXPECT_FALSE(lists(std::string(name), GetParam().copy, short_, row.text))
            << row.text << " with requirement " << i << " one short";
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(BothCopies, EveryClass,
                         ::testing::Values(CopyCase{Copy::FirstClass, "FirstClass"},
                                           CopyCase{Copy::SecondClass, "SecondClass"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Catalogue, TheCopiesDifferInSixTextsAndOneRowOrder) {
  for (std::string_view name : skills::kClassNames) {
    const auto first = skills::rowsOf(name, Copy::FirstClass);
    const auto second = skills::rowsOf(name, Copy::SecondClass);
    ASSERT_EQ(first.size(), second.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
      std::size_t j = i;  // the first copy's row that stands at i in the second
      if (name == "Anti-Paladin" && (i == 18 || i == 19)) j = 37 - i;
      EXPECT_EQ(needsOf(first[j]), needsOf(second[i])) << name << " row " << i + 1;
      std::string expected(first[j].text);
      for (const auto& [cls, row, text] : kSecondCopyTexts)
        if (cls == name && row == int(i) + 1) expected = text;
      EXPECT_EQ(second[i].text, expected) << name << " row " << i + 1;
    }
  }
  EXPECT_EQ(skills::rowsOf("Anti-Paladin", Copy::SecondClass)[18].text,
            "Charge (45 PAir/45 PSpirit)");
  EXPECT_EQ(skills::rowsOf("Anti-Paladin", Copy::FirstClass)[18].text, "Block (35 PEarth)");
}

TEST(Catalogue, NamesMatchExactly) {
  for (const char* name : {"", "warrior", "Warrior ", " Warrior", "Monk(Autumn)", "Magic user",
                           "MONK (WINTER)", "Dwarf"}) {
    EXPECT_TRUE(skills::rowsOf(name, Copy::FirstClass).empty()) << name;
    EXPECT_TRUE(skills::rowsOf(name, Copy::SecondClass).empty()) << name;
  }
}

TEST(Catalogue, RowsWithoutRequirementsAreListedOnAnEmptySheet) {
  const std::vector<std::pair<const char*, const char*>> always = {
      {"Barbarian", "Focus"},
      {"Ranger", "Focus"},
      {"Thief", "Focus"},
      {"Warrior", "Focus"},
      {"Bard", "Detect Trap"},
      {"Thief", "Detect Trap"},
      {"Bard", "Magic Missile (0 Mearth)"},
      {"Magic User", "Magic Missile (0 MEarth)"},
      {"Chaos Cleric", "Cure Light (0 MWater)"},
      {"Druid", "Cure Light (0 MWater)"},
      {"Order Cleric", "Cure Light (0 MWater)"},
      {"Order Cleric", "Entreat"},
      {"Paladin", "Call Mount"},
  };
  for (const auto& [cls, text] : always)
    for (Copy copy : {Copy::FirstClass, Copy::SecondClass})
      EXPECT_TRUE(lists(cls, copy, {}, text)) << cls << ": " << text;
}

}  // namespace
