// `plavet advise` called in-process: its top row given to `plavet plan`
// leaves the same points; with the race and classes fixed it agrees with the
// race table of `plavet plan --explore`; and what it refuses.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "cli/advise.h"
#include "cli/plan.h"
#include "goals/advise.h"
#include "sheet/tables.h"

#include "tests/cli/ran.h"

namespace {

// The first value of `key` at or after `from`: a string's text or a number's
// digits; `from` moves past it.
std::string field(const std::string& json, const std::string& key, std::size_t& from) {
  const std::string head = "\"" + key + "\": ";
  const std::size_t at = json.find(head, from);
  EXPECT_NE(at, std::string::npos) << key;
  if (at == std::string::npos) return from = json.size(), "";
  std::size_t begin = at + head.size(), end;
  if (json[begin] == '"') {
    end = json.find('"', ++begin);
    from = end + 1;
  } else {
    end = json.find_first_not_of("-0123456789", begin);
    from = end;
  }
  return json.substr(begin, end - begin);
}

std::string field(const std::string& json, const std::string& key) {
  std::size_t from = 0;
  return field(json, key, from);
}

// The first row of an answer: race, classes, the kept rows as plan options, points.
struct TopRow {
  std::string race, first, second;
  std::vector<std::string> skills;  // --first-skill ROW --second-skill ROW ...
  int kept = 0, points = 0;
};

TopRow topRow(const std::string& json) {
  const std::string row = json.substr(json.find("\"rows\": [{"));
  TopRow t{field(row, "race"),
           field(row, "firstClass"),
           field(row, "secondClass"),
           {},
           0,
           std::stoi(field(row, "pointsLeft"))};
  const std::string kept = row.substr(0, row.find("\"dropped\""));
  for (std::size_t from = 0; kept.find("\"class\": ", from) != std::string::npos; ++t.kept) {
    t.skills.push_back(field(kept, "class", from) == "first" ? "--first-skill" : "--second-skill");
    t.skills.push_back(field(kept, "row", from));
  }
  return t;
}

TEST(AdviseCommand, TopRowPlannedAgainLeavesItsPointsAndMatchesTheRaceTable) {
  std::mt19937 random(99);
  const auto names = goals::skillNames();
  for (int round = 0; round < 30; ++round) {
    std::vector<std::string> args = {"--json", "--top", "3"};
    const std::string magic = std::to_string(round % 3), physical = std::to_string(round / 3 % 3);
    for (int i = 0; i < 2 + round % 6; ++i) {
      args.push_back("--skill");
      args.push_back(std::string(names[random() % names.size()]));
    }
    std::vector<std::string> boxes = {"--magic-bonus", magic, "--physical-bonus", physical};
    args.insert(args.end(), boxes.begin(), boxes.end());
    const Ran advised = run(cli::advise, args);
    ASSERT_EQ(advised.code, 0) << advised.err;
    const TopRow top = topRow(advised.out);

    std::vector<std::string> plan = {"--race",   top.race,   "--first", top.first,
                                     "--second", top.second, "--json",  "--explore"};
    plan.insert(plan.end(), boxes.begin(), boxes.end());
    plan.insert(plan.end(), top.skills.begin(), top.skills.end());
    const Ran planned = run(cli::plan, plan);
    ASSERT_EQ(planned.code, 0) << planned.err;
    EXPECT_EQ(std::stoi(field(planned.out, "pointsLeft")), top.points) << advised.out;
    EXPECT_EQ(planned.out.find("\"dropped\": []") != std::string::npos, true);

    // The same goals with the race and both classes fixed: one row, the
    // explore table's for that race.
    args.insert(args.end(), {"--race", top.race, "--first", top.first, "--second", top.second});
    const TopRow fixed = topRow(run(cli::advise, args).out);
    const std::string races = planned.out.substr(planned.out.find("\"races\""));
    const std::string entry = races.substr(races.find("{\"race\": \"" + top.race + "\""));
    EXPECT_EQ(std::stoi(field(entry, "kept")), fixed.kept);
    EXPECT_EQ(std::stoi(field(entry, "pointsLeft")), fixed.points);
  }
}

TEST(AdviseCommand, TextTableAndAllRows) {
  const Ran text = run(cli::advise, {"--skill", "kick", "--skill", "SANCTUARY", "--top", "2"});
  ASSERT_EQ(text.code, 0) << text.err;
  EXPECT_NE(text.out.find("Skills: Kick, Sanctuary;"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("The best 2 of 2304 combinations"), std::string::npos);
  EXPECT_NE(text.out.find("\n1     "), std::string::npos);
  EXPECT_NE(text.out.find("2 of 2"), std::string::npos);
  EXPECT_EQ(text.out.find("\n3     "), std::string::npos);

  const Ran all = run(cli::advise, {"--skill", "Kick", "--all", "--json", "--race", "elf"});
  ASSERT_EQ(all.code, 0) << all.err;
  std::size_t rows = 0;
  for (std::size_t at = all.out.find("\"race\": "); at != std::string::npos;
       at = all.out.find("\"race\": ", at + 1))
    ++rows;
  EXPECT_EQ(rows, 256u);
}

TEST(AdviseCommand, Refusals) {
  for (const auto& [args, why] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"--skill", "Kik"}, "\"Kik\" is not a skill any class teaches; did you mean \"Kick\"?"},
           {{"--skill", "Kick", "--race", "Gnome"}, "\"Gnome\" is not a race"},
           {{"--skill", "Kick", "--top", "0"}, "--top must be a count of rows from 1"},
           {{"--skill", "Kick", "--top", "5", "--all"}, "give --top or --all, not both"},
           {{"--skill", "Kick", "--magic-bonus", "3"}, "--magic-bonus must be 0, 1 or 2"},
           {{"--skil", "Kick"}, "unknown argument"}}) {
    const Ran r = run(cli::advise, args);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("plavet advise: " + why), std::string::npos) << r.err;
  }
}

}  // namespace
