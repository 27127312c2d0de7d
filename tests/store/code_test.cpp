// Plavet codes: samples of every version, their length, typed texts, and a
// refusal for every way a code can be wrong.
#include <gtest/gtest.h>

#include "sheet/tables.h"
#include "store/code.h"
#include "store/codeframe.h"
#include "store/text.h"

namespace {

using sheet::Box;
using sheet::Selection;

sheet::State planned(std::string race, std::string first, std::string second) {
  sheet::State s;
  s.selections = {std::move(race), std::move(first), std::move(second)};
  return s;
}

double at(const sheet::State& s, Box b) {
  return s.boxes[static_cast<int>(b)];
}

// Codes once handed out must keep working: every version's samples stay.
TEST(PlavetCode, ReadsTheSamplesOfVersion1) {
  // A multi-classed Dwarf Druid to Warrior, Endure and one clan-town box on.
  const store::Loaded dwarf = store::decodeCode("plavet1-Ak8DBhASICAbAjcPAAAKAIsAoAC0obC1dA");
  ASSERT_TRUE(dwarf.state) << dwarf.reason;
  const sheet::State& s = *dwarf.state;
  EXPECT_EQ(s.selections, (std::array<std::string, 3>{"Dwarf", "Druid", "Warrior"}));
  EXPECT_TRUE(s.started && s.startResetToggle && s.multiClassed && s.selectionsLocked);
  EXPECT_EQ(s.spells, (std::array<bool, 3>{false, false, true}));
  EXPECT_EQ(s.bonuses, (std::array<bool, 4>{false, false, true, false}));
  const double values[] = {18, 32, 32, 27, 2, 55, 15, 0, 0, 10};
  for (int v = 0; v < 10; ++v) EXPECT_EQ(s.boxes[v], values[v]) << v;
  EXPECT_EQ(at(s, Box::mpr), 139);
  EXPECT_EQ(at(s, Box::ppr), 160);
  EXPECT_EQ(at(s, Box::epr), 180);
  EXPECT_EQ(at(s, Box::df), 53.3333333333334);  // as delement leaves it, Endure on
  EXPECT_EQ(s.firstClassSkills.items().size(), 8u);
  ASSERT_EQ(s.secondClassSkills.items().size(), 1u);
  EXPECT_EQ(s.secondClassSkills.items()[0], "Focus");

  // Typed texts of any bytes, Bless left checked over a reset.
  const store::Loaded typed = store::decodeCode(
      "plavet1-ABD___8AAAAAAAAAAAAAAAAAAAAAFE9naWVyICJ0aGUgdGFsbCIgXG8vGk3Dtm5rIChBdXR1bW4pIOeyvueB"
      "tSDwn5CJElRhYgloZXJlCmFuZCBOVUwALjGi5hw");
  ASSERT_TRUE(typed.state) << typed.reason;
  EXPECT_EQ(typed.state->selections[0], "Ogier \"the tall\" \\o/");
  EXPECT_EQ(typed.state->selections[1],
            "M\xc3\xb6nk (Autumn) \xe7\xb2\xbe\xe7\x81\xb5 \xf0\x9f\x90\x89");
  EXPECT_EQ(typed.state->selections[2], std::string("Tab\there\nand NUL\0.", 18));
  EXPECT_FALSE(typed.state->started);
  EXPECT_TRUE(typed.state->spells[0]);
  EXPECT_EQ(at(*typed.state, Box::ds), 10);
}

TEST(PlavetCode, ReadsTheSamplesOfVersion2) {
  // The Dwarf Druid to Warrior of tests/store/samples/multiclassed-v2.plavet,
  // which multi-classed with M Earth and M Water at 45.
  const store::Loaded dwarf =
      store::decodeCode("plavet2-Ck8DBhAZIxsZBTwjAAAKAJMAhwC0GS0tAAAtGQAAABhdDSg");
  ASSERT_TRUE(dwarf.state) << dwarf.reason;
  const sheet::State& s = *dwarf.state;
  EXPECT_EQ(s.valuesAtMultiClass, (skills::ElementValues{25, 45, 45, 0, 0, 45, 25, 0, 0, 0}));
  EXPECT_EQ(s.boxes[1], 35);  // M Earth now
  // The first-class list from the values then, the second-class one from now.
  EXPECT_EQ(s.firstClassSkills.items().size(), 16u);
  EXPECT_EQ(s.firstClassSkills.items()[1], "Barkskin (45 MEarth)");
  EXPECT_EQ(s.secondClassSkills.items().size(), 5u);
}

TEST(PlavetCode, FitsAChatLineWhenTheSelectionsAreListItems) {
  sheet::State s;
  s.started = s.startResetToggle = s.multiClassed = s.selectionsLocked = true;
  s.spells = {true, true, true};
  s.bonuses = {true, true, true, true};
  for (int v = 0; v < 10; ++v) s.boxes[v] = 200;
  for (Box pool : {Box::mpr, Box::ppr, Box::epr}) s.boxes[static_cast<int>(pool)] = 65535;
  for (const sheet::RaceBonus& race : sheet::kRaceBonuses)
    for (std::string_view first : skills::kClassNames)
      for (std::string_view second : skills::kClassNames) {
        s.selections = {std::string(race.race), std::string(first), std::string(second)};
        s.valuesAtMultiClass.reset();
        // Without values at multi-classing, as version 1 wrote it.
        const std::string plain = store::encodeCode(s);
        ASSERT_EQ(plain.size(), 42u) << plain;
        ASSERT_TRUE(plain.starts_with("plavet1-"));
        s.valuesAtMultiClass.emplace().fill(200);
        const std::string code = store::encodeCode(s);
        ASSERT_LE(code.size(), 60u) << code;
        ASSERT_EQ(code.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                         "0123456789-_"),
                  std::string::npos)
            << code;
      }
}

TEST(PlavetCode, ReadsTheSamplesOfVersion3) {
  // tests/store/samples/goals-v3.plavet: three goals, counts of 2 and 1.
  const store::Loaded planned =
      store::decodeCode("plavet3-Ok8DBhAZIxsZBTwjAAAKAJMAhwC0GS0tAAAtGQAAAAMBhAkh0jc2Bg");
  ASSERT_TRUE(planned.state) << planned.reason;
  const sheet::State& s = *planned.state;
  EXPECT_EQ(s.goals.rows, (std::vector<sheet::Goal>{{skills::Copy::FirstClass, 1},
                                                    {skills::Copy::SecondClass, 4},
                                                    {skills::Copy::FirstClass, 9}}));
  EXPECT_EQ(sheet::countsHeld(s), (sheet::BonusCounts{2, 1}));
  EXPECT_EQ(s.valuesAtMultiClass, (skills::ElementValues{25, 45, 45, 0, 0, 45, 25, 0, 0, 0}));
}

// Eight goals of the largest rows, counts of their own and the values at
// multi-classing: the longest code of list selections and eight goals.
TEST(PlavetCode, FitsAChatLineWithEightGoals) {
  sheet::State s;
  s.started = s.startResetToggle = s.multiClassed = s.selectionsLocked = true;
  s.spells = {true, true, true};
  s.bonuses = {true, true, true, true};
  for (int v = 0; v < 10; ++v) s.boxes[v] = 200;
  for (Box pool : {Box::mpr, Box::ppr, Box::epr}) s.boxes[static_cast<int>(pool)] = 65535;
  s.valuesAtMultiClass.emplace().fill(200);
  std::size_t longest = 0;
  for (const sheet::RaceBonus& race : sheet::kRaceBonuses)
    for (std::string_view first : skills::kClassNames)
      for (std::string_view second : skills::kClassNames) {
        s.selections = {std::string(race.race), std::string(first), std::string(second)};
        std::vector<sheet::Goal> goals;
        for (skills::Copy copy : {skills::Copy::FirstClass, skills::Copy::SecondClass}) {
          const int rows = int(skills::rowsOf(s.selections[1 + int(copy)], copy).size());
          ASSERT_LT(rows, 128) << s.selections[1 + int(copy)];  // a goal's byte holds its row
          for (int row = rows - 1; row >= std::max(0, rows - 4); --row)
            goals.push_back({copy, row});
        }
        goals.resize(8);
        const sheet::State planned = sheet::withGoals(s, goals, {0, 1});
        const std::string code = store::encodeCode(planned);
        longest = std::max(longest, code.size());
        ASSERT_TRUE(code.starts_with("plavet3-")) << code;
        ASSERT_EQ(store::decodeCode(code).state->goals, planned.goals) << code;
      }
  EXPECT_EQ(longest, 68u);  // within 72, room for a chat line
}

TEST(PlavetCode, CarriesAnySelectionTextByteForByte) {
  const std::string texts[] = {"",
                               "dwarf",
                               "Dwarf ",
                               "\xff\xfe\xfd",
                               std::string("Dwarf\0", 6),
                               "\xe2\x80\xae"
                               "fwarD",
                               std::string(8000, 'A'),
                               std::string(127, 'x'),
                               std::string(128, 'y'),
                               std::string(16384, '\x80')};
  for (const std::string& text : texts)
    for (int i = 0; i < 3; ++i) {
      sheet::State s = planned("Elf", "Bard", "Thief");
      s.selections[i] = text;
      const store::Loaded back = store::decodeCode(store::encodeCode(s));
      ASSERT_TRUE(back.state) << back.reason;
      EXPECT_EQ(back.state->selections, s.selections) << "selection " << i;
    }
}

TEST(PlavetCode, IgnoresWhitespaceAroundIt) {
  const std::string code = store::encodeCode(planned("AR", "Monk (Spring)", "Paladin"));
  const store::Loaded loaded = store::decodeCode(" \t" + code + "\r\n");
  ASSERT_TRUE(loaded.state) << loaded.reason;
  EXPECT_EQ(loaded.state->selections[1], "Monk (Spring)");
}

// A version 1 payload of list selections and zeros, to be spoilt.
store::frame::Bytes plainPayload() {
  store::frame::Bytes p(21, 0);
  p[2] = 3;   // Dwarf
  p[3] = 6;   // Druid
  p[4] = 16;  // Warrior
  return p;
}

store::frame::Bytes with(store::frame::Bytes p, std::size_t at, std::uint8_t value) {
  p[at] = value;
  return p;
}

// A version 2 payload: the plain one multi-classed, with values at
// multi-classing of 10 to 19 after its fixed part.
store::frame::Bytes learnedPayload() {
  store::frame::Bytes p = with(plainPayload(), 0, 0x08);  // the values follow
  p[1] = 0x08;                                            // multi-classed
  for (std::uint8_t v = 10; v < 20; ++v) p.push_back(v);
  return p;
}

struct Refusal {
  const char* what;
  std::string code;
  const char* reason;  // a part of the reason given
};

// A version 3 payload: the version 2 one with two goals, Druid's first-class
// row 5 and Warrior's second-class row 1, and counts of 2 and 1.
store::frame::Bytes goalsPayload() {
  store::frame::Bytes p = with(learnedPayload(), 0, 0x38);
  p.insert(p.end(), {2, 0x05, 0x81, 0x21});
  return p;
}

TEST(PlavetCode, RefusesEveryWrongCodeWithItsReason) {
  using store::frame::seal;
  store::frame::Bytes noGoals = with(learnedPayload(), 0, 0x18);
  noGoals.push_back(0);
  store::frame::Bytes typedGoal = with(goalsPayload(), 3, 255);
  typedGoal.insert(typedGoal.end(), {6, 'D', 'r', 'u', 'i', 'd', ' '});
  const std::string good = seal(1, plainPayload());
  std::string changed = good;
  changed[20] = changed[20] == 'A' ? 'B' : 'A';
  store::frame::Bytes typedElf = with(plainPayload(), 2, 255);
  typedElf.insert(typedElf.end(), {3, 'E', 'l', 'f'});
  store::frame::Bytes typedTooLong = typedElf;
  typedTooLong[21] = 5;
  const Refusal refusals[] = {
      {"empty", "", "not a plavet code: a plavet code starts with \"plavet\""},
      {"other text", "Hello there", "not a plavet code: a plavet code starts with \"plavet\""},
      {"upper case", "PLAVET1-AAAA", "starts with \"plavet\""},
      {"no version", "plavet-AAAA", "followed by the code's version and a dash"},
      {"version 0", "plavet0-AAAA", "followed by the code's version and a dash"},
      {"no dash", "plavet1AAAA", "followed by the code's version and a dash"},
      {"newer", "plavet4-AAAA", "version 4, newer than this program reads (version 3)"},
      {"padding", good + "=", "character 43 cannot be part of a code"},
      {"inner space", good.substr(0, 20) + " " + good.substr(20), "character 21 cannot be"},
      {"cut short", good.substr(0, 30), "cut short: at least 12 characters are missing"},
      {"no payload", "plavet1-", "cut short: at least 34 characters are missing"},
      {"text cut short", seal(1, typedElf).substr(0, 45),
       "cut short: at least 2 characters are missing"},
      {"a character changed", changed, "damaged: its checksum does not match"},
      {"a character added", good + "A", "damaged: its checksum does not match"},
      {"another version's", "plavet4" + good.substr(7), "version 4, newer"},
      {"another version's, read", "plavet2" + good.substr(7), "damaged: its checksum"},
      {"too long", "plavet1-" + std::string(store::kMaxCodeLength, 'A'), "too long"},
      {"a value over 200", seal(1, with(plainPayload(), 5, 201)),
       "out of range: M Fire is 201, not from 0 to 200"},
      {"P Spirit over 200", seal(1, with(plainPayload(), 14, 255)), "P Spirit is 255"},
      {"a tenth race", seal(1, with(plainPayload(), 2, 10)),
       "the race is 10, not 0, an item from 1 to 9 or 255"},
      {"a 17th class", seal(1, with(plainPayload(), 4, 17)), "the second class is 17"},
      {"unknown flags", seal(1, with(plainPayload(), 0, 0x08)), "its flags are 2048"},
      {"texts shorter than said", seal(1, typedTooLong), "cut short"},
      {"bytes after the end", seal(1, store::frame::Bytes(23, 0)), "2 bytes too many"},
      {"values at multi-classing cut short", seal(2, learnedPayload()).substr(0, 50),
       "cut short: at least 5 characters are missing"},
      {"a value at multi-classing over 200", seal(2, with(learnedPayload(), 22, 201)),
       "out of range: M Earth at multi-classing is 201, not from 0 to 200"},
      {"values at multi-classing, not multi-classed", seal(2, with(learnedPayload(), 1, 0)),
       "holds values at multi-classing, but its plavet is not multi-classed"},
      {"a flag after version 2's", seal(2, with(learnedPayload(), 0, 0x18)),
       "its flags are 6152, of which only the low 12 bits may be set"},
      {"a flag after version 3's", seal(3, with(goalsPayload(), 0, 0x78)),
       "its flags are 30728, of which only the low 14 bits may be set"},
      {"goals cut short", seal(3, goalsPayload()).substr(0, 56),
       "cut short: at least 4 characters are missing"},
      {"a row the class has not", seal(3, with(goalsPayload(), 32, 0x7f)),
       "not a skill of the plavet: goal 1 is row 127 of the first-class skills of \"Druid\", "
       "which has "},
      {"a second-class row the class has not", seal(3, with(goalsPayload(), 33, 0xff)),
       "goal 2 is row 127 of the second-class skills of \"Warrior\""},
      {"a goal twice", seal(3, with(goalsPayload(), 33, 5)), "goal 2 is goal 1 again"},
      {"goals, but none", seal(3, noGoals), "says that goals follow, but it holds none"},
      {"goals of a typed class", seal(3, typedGoal), "of \"Druid \", which has 0"},
      {"a count over 2", seal(3, with(goalsPayload(), 34, 0x31)),
       "the plan's Magic count is 3, not from 0 to 2"},
  };
  for (const Refusal& r : refusals) {
    const store::Loaded loaded = store::decodeCode(r.code);
    EXPECT_FALSE(loaded.state) << r.what;
    EXPECT_NE(loaded.reason.find(r.reason), std::string::npos)
        << r.what << ": the reason is \"" << loaded.reason << '"';
  }
  // The codes they were made from are sound.
  ASSERT_TRUE(store::decodeCode(good).state);
  ASSERT_TRUE(store::decodeCode(seal(2, learnedPayload())).state);
  ASSERT_TRUE(store::decodeCode(seal(3, goalsPayload())).state);
}

// A code found in whatever text holds it: the first one, as far as the
// code's characters go, and not the end of a longer word.
TEST(PlavetCode, IsFoundInAnyText) {
  const std::string dwarf = "plavet1-Ak8DBhASICAbAjcPAAAKAIsAoAC0obC1dA";
  const std::string learned = "plavet2-Ck8DBhAZIxsZBTwjAAAKAJMAhwC0GS0tAAAtGQAAABhdDSg";
  const std::string asText = store::plavetAsText(store::decodeCode(learned).state.value());
  const struct {
    const char* what;
    std::string text;
    std::string found;   // "" for none
    const char* reason;  // a part of decodeCodeIn's reason, "" when it takes the code
  } cases[] = {
      {"alone", dwarf, dwarf, ""},
      {"a chat line", "try this: " + dwarf + " !", dwarf, ""},
      {"Copy as Text", asText, learned, ""},
      {"a link to the page", "https://x/plavet/index.html#" + learned, learned, ""},
      {"in brackets, at a sentence's end", "(" + dwarf + ").", dwarf, ""},
      {"several", "old " + learned + ", new " + dwarf, learned, ""},
      {"after a word's end, then a code", "myplavet1-AAAA or " + dwarf, dwarf, ""},
      {"damaged", "try " + dwarf.substr(0, 30) + "X" + dwarf.substr(31) + " !",
       dwarf.substr(0, 30) + "X" + dwarf.substr(31), "damaged: its checksum does not match"},
      {"cut short", "try " + dwarf.substr(0, 30) + "!", dwarf.substr(0, 30), "cut short"},
      {"a newer one", "plavet12-AAAA", "plavet12-AAAA", "version 12, newer"},
      {"none", "my Dwarf Druid, plavet-less", "", "This is not a plavet code"},
      {"only the end of a word", "myplavet1-AAAA", "", "This is not a plavet code"},
      {"starts wrong", " plavet-AAAA", "", "\"plavet\" must be followed by the code's version"},
      {"empty", "", "", "This is not a plavet code"},
  };
  for (const auto& c : cases) {
    const std::optional<std::string_view> found = store::findCode(c.text);
    EXPECT_EQ(found.value_or(""), c.found) << c.what;
    const store::Loaded loaded = store::decodeCodeIn(c.text);
    if (*c.reason == '\0') {
      EXPECT_EQ(loaded.state, store::decodeCode(c.found).state) << c.what << ": " << loaded.reason;
      EXPECT_TRUE(loaded.state) << c.what;
    } else {
      EXPECT_FALSE(loaded.state) << c.what;
      EXPECT_NE(loaded.reason.find(c.reason), std::string::npos)
          << c.what << ": the reason is \"" << loaded.reason << '"';
    }
  }
}

TEST(PlavetCode, ChecksumIsTheUsualCrc32) {
  const std::string_view check = "123456789";
  EXPECT_EQ(
      store::frame::crc32({reinterpret_cast<const std::uint8_t*>(check.data()), check.size()}),
      0xcbf43926u);
}

}  // namespace
