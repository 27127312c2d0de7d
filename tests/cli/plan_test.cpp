// `plavet plan` called in-process: the worked example, the JSON it writes,
// and what it says and returns for arguments good and bad.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/plan.h"
#include "goals/explore.h"
#include "goals/labels.h"
#include "skills/catalogue.h"
#include "skills/needs.h"

#include "tests/cli/ran.h"

namespace {

Ran run(const std::vector<std::string>& args) {
  return ::run(&cli::plan, args);
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
        "\"finalPools\": {\"magic\": 160, \"physical\": 180, \"either\": 150}", "\"dropped\": []",
        "{\"phase\": \"beforeMulti\", \"value\": \"MFire\", \"points\": 40, \"right\": 4, "
        "\"left\": 0, \"fromKindPool\": 40, \"fromEither\": 0, \"goals\": [{\"class\": "
        "\"first\", \"skill\": \"Vorpalize (55 MFire)\"}], \"early\": 0, \"earlyFor\": [], "
        "\"gain\": 0, \"fitsWithout\": true, \"why\": \"\", \"purpose\": \"for Vorpalize\"}",
        "\"pressCount\": 22"})
    EXPECT_NE(r.out.find(part), std::string::npos) << part << "\nin " << r.out;
}

TEST(PlanCommand, WorkedExampleForPeople) {
  const Ran r = run(kExample);
  ASSERT_EQ(r.code, 0) << r.err;
  for (const char* part :
       {"M Fire    +40: 4 right; 15 to 55 (40 from the Magic pool); for Vorpalize",
        "P Air     +45: 4 right, 5 left; 0 to 45", "P Spirit  +45: 4 right, 5 left; 0 to 45",
        "Points left: 490\nPresses: 22\n"})
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
           {"--race=elf", "--first=bard", "--second=BARD"},
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
      {{"--race", "Dwraf"}, "\"Dwraf\" is not a race; did you mean \"Dwarf\"?"},
      {{"--race", "Gnome"}, "\"Gnome\" is not a race\n"},
      {{"--first", "Chaos Cleirc"},
       "\"Chaos Cleirc\" is not a class; did you mean \"Chaos Cleric\"?"},
      {{"--second", "Mage"}, "\"Mage\" is not a class\n"},
      {{"--first-skill", "Vorpalise"},
       "\"Vorpalise\" is not a skill of Artificer as first class; did you mean "
       "\"Vorpalize (55 MFire)\"?"},
      {{"--first-skill", "create"},
       "\"create\" fits 2 skills of Artificer as first class; give one of them:\n"
       "  Create Light (35 MFire)\n  Create Darkness (35 MEarth)\n"},
      {{"--first-skill", "charge"},
       "\"charge\" is not a skill of Artificer as first class; give it "
       "with --second-skill"},
      {{"--list-skills", "theif"}, "\"theif\" is not a class; did you mean \"Thief\"?"},
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

// A skill by its name alone or its row in any case: the same plan as by its row.
TEST(PlanCommand, TakesASkillByItsNameInAnyCase) {
  const Ran byRow = run(with(kExample, {"--json"}));
  for (const auto& [first, second] : std::vector<std::pair<std::string, std::string>>{
           {"vorpalize", "Charge"},
           {"VORPALIZE (55 mfire)", "charge (45 pair/45 pspirit)"},
           {"Vorpalize", "CHARGE"}}) {
    const Ran r = run(with(kExample, {"--first-skill", first, "--second-skill", second, "--json"}));
    ASSERT_EQ(r.code, 0) << first << ": " << r.err;
    // The same goals twice over: the plan of the goals once.
    EXPECT_EQ(r.out.substr(0, r.out.find("\"kept\"")),
              byRow.out.substr(0, byRow.out.find("\"kept\"")))
        << first << ", " << second;
  }
}

// Every row of the class's two copies, in catalogue order, with what its rule
// needs and where its label says otherwise.
TEST(PlanCommand, ListsAClassesSkills) {
  const Ran text = run({"--list-skills", "Thief"});
  const Ran json = run({"--list-skills=Thief", "--json"});
  ASSERT_EQ(text.code, 0) << text.err;
  ASSERT_EQ(json.code, 0) << json.err;
  ASSERT_TRUE(wellFormed(json.out)) << json.out;
  std::size_t at = 0, jsonAt = 0;
  for (skills::Copy copy : {skills::Copy::FirstClass, skills::Copy::SecondClass}) {
    const std::string title = copy == skills::Copy::FirstClass
                                  ? "Thief as first class (--first-skill)"
                                  : "Thief as second class (--second-skill)";
    at = text.out.find(title, at);
    ASSERT_NE(at, std::string::npos) << title;
    for (const skills::SkillRow& row : skills::rowsOf("Thief", copy)) {
      const std::string needs = skills::needsText(row), note = goals::labelNote(row);
      at = text.out.find("\n  " + std::string(row.text) + " ", at);
      ASSERT_NE(at, std::string::npos) << row.text;
      const std::string line = text.out.substr(at + 1, text.out.find('\n', at + 1) - at - 1);
      EXPECT_TRUE(line.ends_with(" " + (needs.empty() ? "nothing" : needs) +
                                 (note.empty() ? "" : " (" + note + ")")))
          << line;
      jsonAt = json.out.find("{\"skill\": \"" + std::string(row.text) + "\", \"needs\": \"" +
                                 needs + "\", \"labelNote\": \"" + note + "\"}",
                             jsonAt);
      EXPECT_NE(jsonAt, std::string::npos) << row.text;
    }
  }
  EXPECT_NE(text.out.find("PAir 45 (label says 40; the rule needs 45)"), std::string::npos);
}

TEST(PlanCommand, HelpDescribesEveryOptionWithAnExample) {
  const Ran r = run({"--help"});
  ASSERT_EQ(r.code, 0);
  for (const char* option :
       {"--race", "--first", "--second", "--magic-bonus", "--physical-bonus", "--first-skill",
        "--second-skill", "--explore", "--json", "--list-skills"}) {
    const std::string described = std::string("\n  ") + option + " ";
    const std::size_t at = r.out.find(described);
    ASSERT_NE(at, std::string::npos) << option;
    // Its example: the option again, after its description starts.
    EXPECT_NE(
        r.out.find(std::string(option) + (std::string_view(option).ends_with("json") ||
                                                  std::string_view(option).ends_with("explore")
                                              ? ""
                                              : " "),
                   at + described.size()),
        std::string::npos)
        << option;
  }
}

TEST(PlanCommand, OnePressIsOnePress) {
  const Ran r = run({"--race", "Aracoix", "--first", "Anti-Paladin", "--second", "Anti-Paladin",
                     "--physical-bonus", "1", "--second-skill", "Charge"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("P Air      +1: 1 left; 20 to 21"), std::string::npos) << r.out;
}

// --explore: every row that is no goal and every race, as goals::explore
// answers, in JSON and in the tables for people.
TEST(PlanCommand, ExploresWhatElseFitsAndEveryRace) {
  const std::vector<std::string> example = {
      "--race",         "Human", "--first",        "Chaos Cleric", "--second", "Chaos Cleric",
      "--second-skill", "Still", "--second-skill", "Black Mantle", "--explore"};
  const Ran json = run(with(example, {"--json"}));
  const Ran text = run(example);
  ASSERT_EQ(json.code, 0) << json.err;
  ASSERT_TRUE(wellFormed(json.out)) << json.out;
  goals::Problem p{"Human", "Chaos Cleric", "Chaos Cleric", 0, 0, {}};
  const auto rows = skills::rowsOf(p.secondClass, skills::Copy::SecondClass);
  for (int i = 0; i < int(rows.size()); ++i)
    if (rows[std::size_t(i)].text.starts_with("Still") ||
        rows[std::size_t(i)].text.starts_with("Black Mantle"))
      p.goals.push_back({skills::Copy::SecondClass, i});
  ASSERT_EQ(p.goals.size(), 2u);
  const goals::Exploration e = goals::explore(p, goals::plan(p));
  std::size_t at = json.out.find("\"fits\": ["), textAt = 0;
  int misfits = 0;
  for (const goals::Fit& f : e.fits) {
    const std::string row(goals::rowOf(p, f.goal).text);
    const std::string item = std::string("{\"class\": \"") +
                             (f.goal.copy == skills::Copy::FirstClass ? "first" : "second") +
                             "\", \"skill\": \"" + row + "\", \"fits\": " +
                             (f.fits ? "true, \"cost\": " + std::to_string(f.cost)
                                     : "false, \"reason\": \"" + f.reason + "\"") +
                             "}";
    at = json.out.find(item, at);
    ASSERT_NE(at, std::string::npos) << item;
    textAt = text.out.find(row, textAt);
    ASSERT_NE(textAt, std::string::npos) << row;
    const std::string line = text.out.substr(textAt, text.out.find('\n', textAt) - textAt);
    EXPECT_TRUE(line.ends_with("  " + goals::fitWords(f))) << line;
    misfits += !f.fits;
  }
  EXPECT_GT(misfits, 0);
  at = json.out.find("\"races\": [", at);
  for (std::size_t r = 0; r < e.races.size(); ++r) {
    const goals::RaceOutcome& race = e.races[r];
    at = json.out.find("{\"race\": \"" + std::string(race.race) +
                           "\", \"kept\": " + std::to_string(race.kept) +
                           ", \"pointsLeft\": " + std::to_string(race.pointsLeft) + "}",
                       at);
    EXPECT_NE(at, std::string::npos) << race.race;
    textAt = text.out.find(
        std::string(r == e.bestRace ? "  * " : "    ") + std::string(race.race) + " ", textAt);
    EXPECT_NE(textAt, std::string::npos) << race.race;
  }
  // Without --explore, neither.
  const Ran plain = run({"--race", "Human", "--first", "Bard", "--second", "Bard", "--json"});
  EXPECT_EQ(plain.out.find("\"fits\""), std::string::npos);
  EXPECT_EQ(plain.out.find("\"races\""), std::string::npos);
}

}  // namespace
