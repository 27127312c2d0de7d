// `plavet plan` called in-process: the worked example, the JSON it writes,
// and what it says and returns for arguments good and bad.
#include <gtest/gtest.h>

#include <sstream>

#include "app/plancommand.h"
#include "skills/catalogue.h"

namespace {

struct Ran {
  int code;
  std::string out, err;
};

Ran run(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int code = planCommand(args, out, err);
  return {code, out.str(), err.str()};
}

const std::vector<std::string> kExample = {"--race",         "Dwarf",
                                           "--first",        "Artificer",
                                           "--second",       "Anti-Paladin",
                                           "--first-skill",  "Vorpalize (55 MFire)",
                                           "--second-skill", "Charge (45 PAir/45 PSpirit)"};

std::vector<std::string> with(std::vector<std::string> args, std::vector<std::string> more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

// Whether every string, object and array of `text` is closed, with no raw
// control character inside a string, as JSON wants.
bool wellFormed(std::string_view text) {
  int depth = 0;
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString && static_cast<unsigned char>(c) < 0x20) return false;
    if (inString && c == '\\')
      ++i;
    else if (c == '"')
      inString = !inString;
    else if (!inString && (c == '{' || c == '['))
      ++depth;
    else if (!inString && (c == '}' || c == ']') && --depth < 0)
      return false;
  }
  return depth == 0 && !inString;
}

TEST(PlanCommand, WorkedExampleAsJson) {
  const Ran r = run(with(kExample, {"--json"}));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  ASSERT_TRUE(wellFormed(r.out)) << r.out;
  std::size_t at = 0;  // the keys in the order they were asked for
  for (const char* key :
       {"\"pointsLeft\"", "\"beforeMulti\"", "\"final\"", "\"finalPools\"", "\"dropped\""}) {
    at = r.out.find(key, at);
    EXPECT_NE(at, std::string::npos) << key;
  }
  for (const char* part :
       {"{\"pointsLeft\": 490, ",
        "\"beforeMulti\": {\"MFire\": 55, \"MEarth\": 15, \"MWater\": 0, \"MAir\": 0, "
        "\"MSpirit\": 0, \"PFire\": 15, \"PEarth\": 15, \"PWater\": 0, \"PAir\": 0, \"PSpirit\": "
        "0}",
        "\"final\": {\"MFire\": 35, \"MEarth\": 15, \"MWater\": 0, \"MAir\": 0, \"MSpirit\": 0, "
        "\"PFire\": 15, \"PEarth\": 15, \"PWater\": 0, \"PAir\": 45, \"PSpirit\": 45}",
        "\"finalPools\": {\"magic\": 160, \"physical\": 180, \"either\": 150}", "\"dropped\": []"})
    EXPECT_NE(r.out.find(part), std::string::npos) << part << "\nin " << r.out;
}

TEST(PlanCommand, WorkedExampleForPeople) {
  const Ran r = run(kExample);
  ASSERT_EQ(r.code, 0) << r.err;
  for (const char* part :
       {"M Fire     40 left presses on its raise arrow, 15 to 55 (40 from the Magic pool)",
        "P Air      45 left presses", "P Spirit   45 left presses", "Points left: 490"})
    EXPECT_NE(r.out.find(part), std::string::npos) << part << "\nin " << r.out;
  EXPECT_LT(r.out.find("M Fire  "), r.out.find("Multi-class."));
  EXPECT_GT(r.out.find("P Air  "), r.out.find("Multi-class."));
}

TEST(PlanCommand, DroppedGoalsWithTheirReasons) {
  // Every second-class Chaos Cleric skill on top of an Anti-Paladin: too many.
  std::vector<std::string> args = {"--race",       "Human",    "--first",
                                   "Anti-Paladin", "--second", "Chaos Cleric"};
  for (const skills::SkillRow& row : skills::rowsOf("Chaos Cleric", skills::Copy::SecondClass))
    args.insert(args.end(), {"--second-skill", std::string(row.text)});
  const Ran r = run(with(args, {"--json"}));
  ASSERT_EQ(r.code, 0) << r.err;
  ASSERT_TRUE(wellFormed(r.out)) << r.out;
  EXPECT_NE(r.out.find("\"dropped\": [{\"class\": \"second\", \"skill\": \""), std::string::npos);
  EXPECT_NE(r.out.find("\"reason\": \"the Magic and Either pools run "), std::string::npos);
  const Ran text = run(args);
  EXPECT_NE(text.out.find("Dropped goals:\n  \""), std::string::npos) << text.out;
}

TEST(PlanCommand, AcceptsEveryFormOfItsOptions) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--race=Elf", "--first=Bard", "--second=Bard"},
           {"--race", "AR", "--first", "Monk (Winter)", "--second", "Warrior", "--magic-bonus", "2",
            "--physical-bonus", "0"},
           {"--json", "--physical-bonus=1", "--second=Thief", "--first=Thief", "--race=Shade",
            "--first-skill", "Hide (25 PSpirit)", "--first-skill", "Hide (25 PSpirit)"},
       }) {
    const Ran r = run(args);
    EXPECT_EQ(r.code, 0) << args[0] << ": " << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out, "");
  }
}

TEST(PlanCommand, RefusesWhatItDoesNotKnowAndSuggestsTheNearest) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--race", "dwarf"}, "\"dwarf\" is not a race; did you mean \"Dwarf\"?"},
      {{"--race", "Gnome"}, "\"Gnome\" is not a race\n"},
      {{"--first", "Chaos Cleirc"},
       "\"Chaos Cleirc\" is not a class; did you mean \"Chaos Cleric\"?"},
      {{"--second", "Mage"}, "\"Mage\" is not a class\n"},
      {{"--first-skill", "Vorpalize"},
       "\"Vorpalize\" is not a skill of Artificer as first class; did you mean "
       "\"Vorpalize (55 MFire)\"?"},
      {{"--second-skill", "Charge (45 PAir/45 PSpirt)"},
       "did you mean \"Charge (45 PAir/45 PSpirit)\"?"},
      {{"--first-skill", "Charge (45 PAir/45 PSpirit)"}, "give it with --second-skill"},
      {{"--magic-bonus", "3"}, "--magic-bonus must be 0, 1 or 2, not \"3\""},
      {{"--physical-bonus=-1"}, "--physical-bonus must be 0, 1 or 2, not \"-1\""},
      {{"--magic-bonus", "one"}, "not \"one\""},
      {{"--colour", "red"}, "unknown argument \"--colour\"\nusage: plavet plan"},
      {{"--second"}, "--second needs a value"},
  };
  // Each case spoils the worked example: a later option wins over an earlier one.
  for (const auto& [spoil, said] : cases) {
    const Ran r = run(with(kExample, spoil));
    EXPECT_EQ(r.code, 2) << said;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(said), std::string::npos) << r.err;
  }
  const Ran missing = run({"--race", "Dwarf", "--second", "Bard"});
  EXPECT_EQ(missing.code, 2);
  EXPECT_NE(missing.err.find("--first is missing"), std::string::npos) << missing.err;
}

}  // namespace
