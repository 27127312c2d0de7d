#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "store/code.h"
#include "store/text.h"

namespace {

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A multi-classed Dwarf Druid to Warrior with Endure and MElement Amount 1.
sheet::State dwarf() {
  return store::decodeCode("plavet1-Ak8DBhASICAbAjcPAAAKAIsAoAC0obC1dA").state.value();
}

TEST(PlavetAsText, SaysWhatTheWindowShows) {
  const std::vector<std::string> lines = linesOf(store::plavetAsText(dwarf()));
  ASSERT_EQ(lines.size(), 28u);
  const std::vector<std::string> top(lines.begin(), lines.begin() + 6);
  EXPECT_EQ(top,
            (std::vector<std::string>{"Race: Dwarf", "First class: Druid", "Second class: Warrior",
                                      "Started: yes", "Multi-classed: yes", ""}));
  EXPECT_EQ(lines[6],
            "               Fire             Earth             Water    Air            Spirit");
  EXPECT_EQ(lines[7],
            "M                18                32                32     27                 2");
  EXPECT_EQ(lines[9],
            "D  53.3333333333334  25.8333333333334  13.3333333333334  11.25  9.16666666666666");
  EXPECT_EQ(lines[11], "Points remaining: Magic 139, Physical 160, Either 180");
  EXPECT_EQ(lines[12], "Spells: Endure");
  EXPECT_EQ(lines[13], "Clan-town bonuses: MElement Amount Bonus 1");
  EXPECT_EQ(lines[15], "First Class Abilities...");
  EXPECT_EQ(lines[16], "  Armor (20 MEarth)");
  EXPECT_EQ(lines[24], "Second Class Abilities...");
  EXPECT_EQ(lines[25], "  Focus");
  EXPECT_EQ(lines.back(), store::encodeCode(dwarf()));
}

TEST(PlavetAsText, SaysWhatTheFirstClassLearnedFrom) {
  const sheet::State learned =
      store::decodeCode("plavet2-Ck8DBhAZIxsZBTwjAAAKAJMAhwC0GS0tAAAtGQAAABhdDSg").state.value();
  const std::vector<std::string> lines = linesOf(store::plavetAsText(learned));
  ASSERT_EQ(lines.size(), 41u);
  EXPECT_EQ(lines[10], "");
  EXPECT_EQ(lines[11],
            "Learned before multi-classing: M Fire 25, M Earth 45, M Water 45, M Air 0, M Spirit "
            "0, P Fire 45, P Earth 25, P Water 0, P Air 0, P Spirit 0");
  EXPECT_EQ(lines[12], "Points remaining: Magic 147, Physical 135, Either 180");
  EXPECT_EQ(lines.back(), store::encodeCode(learned));
}

// Goals in their order and the plan's counts, after the boxes; a code that
// holds them last.
TEST(PlavetAsText, NamesTheGoalsInTheirOrder) {
  const sheet::State planned =
      store::decodeCode("plavet3-Ok8DBhAZIxsZBTwjAAAKAJMAhwC0GS0tAAAtGQAAAAMBhAkh0jc2Bg")
          .state.value();
  const std::vector<std::string> lines = linesOf(store::plavetAsText(planned));
  ASSERT_EQ(lines.size(), 43u);
  EXPECT_EQ(lines[14], "Clan-town bonuses: MElement Amount Bonus 1");
  EXPECT_EQ(lines[15],
            "Skill goals: 1. Starshine (30 MFire), first class; 2. Block (35 PEarth), second "
            "class; 3. Vigorize Light (25 MEarth/25 MWater), first class");
  EXPECT_EQ(lines[16], "Clan-town boxes for the plan: Magic 2, Physical 1");
  EXPECT_EQ(lines[17], "");
  EXPECT_EQ(store::decodeCodeIn(store::plavetAsText(planned)).state, planned);
}

TEST(PlavetAsText, KeepsItsLinesWhateverTheSelectionsHold) {
  sheet::State s;
  s.selections = {"", std::string("Elf\nElf\r\0", 9), "\xff\xfe"};
  const std::vector<std::string> lines = linesOf(store::plavetAsText(s));
  ASSERT_EQ(lines.size(), 21u);
  EXPECT_EQ(lines[0], "Race: (none)");
  EXPECT_EQ(lines[1],
            "First class: Elf\xef\xbf\xbd"
            "Elf\xef\xbf\xbd\xef\xbf\xbd");
  EXPECT_EQ(lines[2], "Second class: \xef\xbf\xbd\xef\xbf\xbd");
  EXPECT_EQ(lines[12], "Spells: none");
  EXPECT_EQ(lines[13], "Clan-town bonuses: none");
  EXPECT_EQ(lines[16], "  (none)");
  const store::Loaded back = store::decodeCode(lines.back());
  ASSERT_TRUE(back.state) << back.reason;
  EXPECT_EQ(back.state->selections, s.selections);  // the code keeps every byte
}

}  // namespace
