#include "cli/plan.h"

#include <algorithm>
#include <iomanip>
#include <iostream>
#include <optional>
#include <sstream>
#include <string_view>

#include "cli/json.h"
#include "cli/options.h"
#include "goals/explore.h"
#include "goals/goals.h"
#include "goals/labels.h"
#include "sheet/names.h"
#include "skills/needs.h"

namespace cli {
namespace {

constexpr std::string_view kUsage =
    "usage: plavet plan --race R --first C1 --second C2 [--magic-bonus N] "
    "[--physical-bonus N] [--first-skill SKILL]... [--second-skill SKILL]... [--explore] "
    "[--json]\n"
    "       plavet plan --list-skills CLASS [--json]\n"
    "       plavet plan --help\n";

constexpr std::string_view kHelp =
    "The best plavet for the skills you want: the presses to make before and after\n"
    "multi-classing that leave the most points, with the goals that can't all be\n"
    "met taken in the order given, each kept when it can be met with those before it.\n"
    "\n"
    "  --race R              the race, as the race list names it (in any letter\n"
    "                        case): --race Dwarf\n"
    "  --first C             the first class, likewise: --first artificer\n"
    "  --second C            the class to multi-class into: --second \"Anti-Paladin\"\n"
    "  --magic-bonus N       MElement clan-town boxes checked, 0 to 2 (default 0):\n"
    "                        --magic-bonus 1\n"
    "  --physical-bonus N    PElement clan-town boxes checked, 0 to 2 (default 0):\n"
    "                        --physical-bonus 2\n"
    "  --first-skill SKILL   a goal among the first class's skills, learned at\n"
    "                        multi-classing; by its name in any case or its whole row:\n"
    "                        --first-skill vorpalize, --first-skill \"Vorpalize (55 MFire)\"\n"
    "  --second-skill SKILL  a goal among the second class's skills, listed at the end:\n"
    "                        --second-skill Charge\n"
    "  --explore             also what else fits (each skill that is no goal, appended\n"
    "                        as the last goal: its cost in points, or why it doesn't\n"
    "                        fit) and how the goals fare with every race: --explore\n"
    "  --json                the answer as one JSON object: --json\n"
    "  --list-skills CLASS   the class's skills as first class and as second class,\n"
    "                        each with what its rule needs: --list-skills Druid\n"
    "  --help                this text\n"
    "\n"
    "Each option takes its value as the next word or after '=' (--race=Elf); a later\n"
    "option wins over an earlier one, the skills add up in their order. Example:\n"
    "  plavet plan --race Dwarf --first Artificer --second Anti-Paladin \\\n"
    "      --first-skill Vorpalize --second-skill Charge --explore\n";

// ---- Reading the arguments -------------------------------------------------

struct Request {
  goals::Problem problem;
  bool json = false, help = false, explore = false;
  std::optional<std::string> listSkills;  // the class whose rows to list
};

std::vector<std::string_view> skillTexts(std::string_view className, skills::Copy copy) {
  std::vector<std::string_view> texts;
  for (const skills::SkillRow& row : skills::rowsOf(className, copy)) texts.push_back(row.text);
  return texts;
}

// The goal a skill option names, among the rows of its class and copy.
goals::Goal goalOf(const goals::Problem& p, skills::Copy copy, const std::string& text) {
  const bool firstCopy = copy == skills::Copy::FirstClass;
  const std::string& className = firstCopy ? p.firstClass : p.secondClass;
  const std::vector<std::string_view> texts = skillTexts(className, copy);
  const std::string what =
      "a skill of " + className + (firstCopy ? " as first" : " as second") + " class";
  const std::vector<int> meant = sheet::rowsMeant(texts, text);
  if (meant.size() == 1) return {copy, meant[0]};
  if (meant.size() > 1) {
    std::string why = "\"" + text + "\" fits " + std::to_string(meant.size()) + " skills of " +
                      className + (firstCopy ? " as first" : " as second") +
                      " class; give one of them:";
    for (int row : meant) why += "\n  " + std::string(texts[std::size_t(row)]);
    throw BadArguments{why};
  }
  const auto otherCopy = firstCopy ? skills::Copy::SecondClass : skills::Copy::FirstClass;
  if (!sheet::rowsMeant(skillTexts(firstCopy ? p.secondClass : p.firstClass, otherCopy), text)
           .empty())
    throw BadArguments{"\"" + text + "\" is not " + what + "; give it with " +
                       (firstCopy ? "--second-skill" : "--first-skill")};
  known(text, texts, what);  // throws, with the nearest name
  return {};
}

const OptionKinds kOptions = {
    .flags = {"--json", "--help", "--explore"},
    .valued = {"--race", "--first", "--second", "--magic-bonus", "--physical-bonus",
               "--list-skills"},
    .repeated = {"--first-skill", "--second-skill"},
};

Request parse(const std::vector<std::string>& args) {
  const Options o = readOptions(args, kOptions);
  Request r{{}, o.has("--json"), o.has("--help"), o.has("--explore"), std::nullopt};
  if (r.help) return r;
  if (const std::string* className = o.value("--list-skills")) {
    r.listSkills = knownClass(*className);
    return r;
  }
  for (const char* option : {"--race", "--first", "--second"})
    if (!o.value(option)) throw BadArguments{std::string(option) + " is missing", true};
  r.problem.race = knownRace(*o.value("--race"));
  r.problem.firstClass = knownClass(*o.value("--first"));
  r.problem.secondClass = knownClass(*o.value("--second"));
  for (auto [option, boxes] : {std::pair{"--magic-bonus", &r.problem.magicBonus},
                               {"--physical-bonus", &r.problem.physicalBonus}})
    if (const std::string* count = o.value(option)) *boxes = boxCount(option, *count);
  for (const auto& [option, text] : o.repeated)
    r.problem.goals.push_back(goalOf(
        r.problem, option == "--first-skill" ? skills::Copy::FirstClass : skills::Copy::SecondClass,
        text));
  return r;
}

// ---- Writing the plan ------------------------------------------------------

const char* className(skills::Copy copy) {
  return copy == skills::Copy::FirstClass ? "first" : "second";
}

std::string json(const goals::PoolPoints& p) {
  return "{\"magic\": " + std::to_string(p.magic) +
         ", \"physical\": " + std::to_string(p.physical) +
         ", \"either\": " + std::to_string(p.either) + "}";
}

std::string json(const goals::Problem& problem, const goals::Goal& goal,
                 const std::string* reason = nullptr) {
  std::string out = std::string("{\"class\": \"") + className(goal.copy) +
                    "\", \"skill\": " + jsonString(goals::rowOf(problem, goal).text);
  if (reason) out += ", \"reason\": " + jsonString(*reason);
  return out + "}";
}

// "fits": every row that is no goal, "races": every race, as --explore adds them.
void writeJson(std::ostream& out, const goals::Problem& problem, const goals::Exploration& e) {
  out << ", \"fits\": [";
  for (std::size_t i = 0; i < e.fits.size(); ++i) {
    const goals::Fit& f = e.fits[i];
    out << (i ? ", " : "") << "{\"class\": \"" << className(f.goal.copy)
        << "\", \"skill\": " << jsonString(goals::rowOf(problem, f.goal).text)
        << ", \"fits\": " << (f.fits ? "true" : "false");
    if (f.fits)
      out << ", \"cost\": " << f.cost << "}";
    else
      out << ", \"reason\": " << jsonString(f.reason) << "}";
  }
  out << "], \"races\": [";
  for (std::size_t i = 0; i < e.races.size(); ++i)
    out << (i ? ", " : "") << "{\"race\": " << jsonString(e.races[i].race)
        << ", \"kept\": " << e.races[i].kept << ", \"pointsLeft\": " << e.races[i].pointsLeft
        << "}";
  out << "]";
}

void writeJson(std::ostream& out, const goals::Problem& problem, const goals::Plan& plan,
               const std::optional<goals::Exploration>& exploration) {
  out << "{\"pointsLeft\": " << plan.pointsLeft
      << ", \"beforeMulti\": " << jsonValues(plan.beforeMulti)
      << ", \"final\": " << jsonValues(plan.final) << ", \"finalPools\": " << json(plan.finalPools)
      << ", \"dropped\": [";
  for (std::size_t i = 0; i < plan.dropped.size(); ++i)
    out << (i ? ", " : "") << json(problem, plan.dropped[i].goal, &plan.dropped[i].reason);
  out << "], \"afterMulti\": " << jsonValues(plan.afterMulti)
      << ", \"started\": " << jsonValues(plan.started)
      << ", \"startPools\": " << json(plan.startPools)
      << ", \"poolsBeforeMulti\": " << json(plan.poolsBeforeMulti)
      << ", \"poolsAfterMulti\": " << json(plan.poolsAfterMulti) << ", \"presses\": [";
  bool firstPress = true;
  for (const auto& [phase, raises] : {std::pair{"beforeMulti", &plan.beforeMultiRaises},
                                      {"afterMulti", &plan.afterMultiRaises}}) {
    for (const goals::Raise& r : *raises) {
      const auto goalList = [&](const std::vector<goals::Goal>& goals) {
        std::string list = "[";
        for (std::size_t i = 0; i < goals.size(); ++i)
          list += (i ? ", " : "") + json(problem, goals[i]);
        return list + "]";
      };
      out << (firstPress ? "" : ", ") << "{\"phase\": \"" << phase << "\", \"value\": \""
          << jsonKey(r.value) << "\", \"points\": " << r.points
          << ", \"right\": " << r.presses.right << ", \"left\": " << r.presses.left
          << ", \"fromKindPool\": " << r.fromKindPool << ", \"fromEither\": " << r.fromEither
          << ", \"goals\": " << goalList(r.goals) << ", \"early\": " << r.early
          << ", \"earlyFor\": " << goalList(r.earlyFor) << ", \"gain\": " << r.gain
          << ", \"fitsWithout\": " << (r.fitsWithout ? "true" : "false")
          << ", \"why\": " << jsonString(r.why) << ", \"purpose\": " << jsonString(r.purpose)
          << "}";
      firstPress = false;
    }
  }
  out << "], \"pressCount\": " << plan.presses;
  out << ", \"kept\": [";
  for (std::size_t i = 0; i < plan.kept.size(); ++i)
    out << (i ? ", " : "") << json(problem, plan.kept[i]);
  out << "]";
  if (exploration) writeJson(out, problem, *exploration);
  out << "}\n";
}

// Each raise as a player makes it: "M Fire    +40: 4 right; 15 to 55 (40
// from the Magic pool); for Vorpalize".
void writePresses(std::ostream& out, const std::vector<goals::Raise>& raises,
                  const skills::ElementValues& from) {
  if (raises.empty()) out << "  nothing to raise\n";
  for (const goals::Raise& r : raises) {
    const int v = skills::index(r.value);
    const char* kind = v < skills::kElementCount ? "Magic" : "Physical";
    out << "  " << std::left << std::setw(9) << goals::valueName(r.value) << std::right
        << std::setw(4) << ("+" + std::to_string(r.points)) << ": " << goals::pressWords(r.presses)
        << "; " << from[v] << " to " << from[v] + r.points << " (";
    if (r.fromKindPool) out << r.fromKindPool << " from the " << kind << " pool";
    if (r.fromKindPool && r.fromEither) out << ", ";
    if (r.fromEither) out << r.fromEither << " from the Either pool";
    out << ")";
    if (!r.purpose.empty()) out << "; " << r.purpose;
    out << "\n";
  }
}

std::string padded(std::string_view text, std::size_t width) {
  std::string out(text);
  if (out.size() < width) out.resize(width, ' ');
  return out;
}

std::size_t widestRow(std::string_view className) {
  std::size_t widest = 0;
  for (skills::Copy copy : {skills::Copy::FirstClass, skills::Copy::SecondClass})
    for (const skills::SkillRow& row : skills::rowsOf(className, copy))
      widest = std::max(widest, row.text.size());
  return widest;
}

void writeText(std::ostream& out, const goals::Problem& problem, const goals::Exploration& e) {
  out << "\nWhat else fits (each skill that is no goal, as the last goal):\n";
  const std::size_t width =
      std::max(widestRow(problem.firstClass), widestRow(problem.secondClass)) + 2;
  for (skills::Copy copy : {skills::Copy::FirstClass, skills::Copy::SecondClass}) {
    const std::string& name =
        copy == skills::Copy::FirstClass ? problem.firstClass : problem.secondClass;
    out << "  " << (copy == skills::Copy::FirstClass ? "First" : "Second") << " class, " << name
        << ":\n";
    bool any = false;
    for (const goals::Fit& f : e.fits) {
      if (f.goal.copy != copy) continue;
      out << "    " << padded(goals::rowOf(problem, f.goal).text, width) << goals::fitWords(f)
          << "\n";
      any = true;
    }
    if (!any) out << "    every skill is a goal\n";
  }
  out << "\nRaces (the same goals planned with each; * the best):\n"
      << "    " << std::left << std::setw(12) << "Race" << std::right << std::setw(6) << "Kept"
      << std::setw(13) << "Points left"
      << "\n";
  for (std::size_t i = 0; i < e.races.size(); ++i)
    out << (i == e.bestRace ? "  * " : "    ") << std::left << std::setw(12) << e.races[i].race
        << std::right << std::setw(6) << e.races[i].kept << std::setw(13) << e.races[i].pointsLeft
        << "\n";
}

// The class's rows as either option takes them, each with what its rule needs.
void writeSkills(std::ostream& out, std::string_view className, bool json) {
  const std::size_t width = widestRow(className) + 2;
  if (json) out << "{\"class\": " << jsonString(className);
  for (skills::Copy copy : {skills::Copy::FirstClass, skills::Copy::SecondClass}) {
    const bool first = copy == skills::Copy::FirstClass;
    const auto rows = skills::rowsOf(className, copy);
    if (json) {
      out << ", \"" << (first ? "first" : "second") << "\": [";
      for (std::size_t i = 0; i < rows.size(); ++i)
        out << (i ? ", " : "") << "{\"skill\": " << jsonString(rows[i].text)
            << ", \"needs\": " << jsonString(skills::needsText(rows[i]))
            << ", \"labelNote\": " << jsonString(goals::labelNote(rows[i])) << "}";
      out << "]";
      continue;
    }
    out << (first ? "" : "\n") << className << " as " << (first ? "first" : "second") << " class ("
        << (first ? "--first-skill" : "--second-skill") << "), " << rows.size()
        << " skills, each with what its rule needs:\n";
    for (const skills::SkillRow& row : rows) {
      const std::string needs = skills::needsText(row);
      const std::string note = goals::labelNote(row);
      out << "  " << padded(row.text, width) << (needs.empty() ? "nothing" : needs)
          << (note.empty() ? "" : " (" + note + ")") << "\n";
    }
  }
  if (json) out << "}\n";
}

void writeText(std::ostream& out, const goals::Problem& problem, const goals::Plan& plan) {
  out << problem.race << ", " << problem.firstClass << " multi-classing to " << problem.secondClass
      << ", clan-town boxes checked: " << problem.magicBonus << " Magic, " << problem.physicalBonus
      << " Physical.\n\n"
      << "Before multi-classing:\n";
  writePresses(out, plan.beforeMultiRaises, plan.started);
  out << "Multi-class.\nAfter multi-classing:\n";
  writePresses(out, plan.afterMultiRaises, plan.afterMulti);

  out << "\n" << std::left << std::setw(14) << "Values" << std::right;
  for (int v = 0; v < skills::kValueCount; ++v)
    out << std::setw(9) << goals::valueName(skills::Value(v));
  for (const auto& [label, values] : {std::pair{"Start", &plan.started},
                                      {"Before multi", &plan.beforeMulti},
                                      {"After multi", &plan.afterMulti},
                                      {"Final", &plan.final}}) {
    out << "\n" << std::left << std::setw(14) << label << std::right;
    for (double value : *values) out << std::setw(9) << value;
  }
  out << "\n\n"
      << std::left << std::setw(14) << "Pools" << std::right << std::setw(9) << "Magic"
      << std::setw(9) << "Physical" << std::setw(9) << "Either";
  for (const auto& [label, pools] : {std::pair{"Start", &plan.startPools},
                                     {"Before multi", &plan.poolsBeforeMulti},
                                     {"After multi", &plan.poolsAfterMulti},
                                     {"Final", &plan.finalPools}})
    out << "\n"
        << std::left << std::setw(14) << label << std::right << std::setw(9) << pools->magic
        << std::setw(9) << pools->physical << std::setw(9) << pools->either;
  out << "\n\nPoints left: " << plan.pointsLeft << "\nPresses: " << plan.presses << "\n";
  if (plan.dropped.empty()) return;
  out << "\nDropped goals:\n";
  for (const goals::Dropped& d : plan.dropped)
    out << "  \"" << goals::rowOf(problem, d.goal).text << "\" (" << className(d.goal.copy)
        << " class): " << d.reason << "\n";
}

}  // namespace

int plan(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    const Request request = parse(args);
    if (request.help) {
      out << kUsage << "\n" << kHelp;
      return kDone;
    }
    if (request.listSkills) {
      writeSkills(out, *request.listSkills, request.json);
      return kDone;
    }
    const goals::Plan plan = goals::plan(request.problem);
    std::optional<goals::Exploration> exploration;
    if (request.explore) exploration = goals::explore(request.problem, plan);
    if (request.json) {
      writeJson(out, request.problem, plan, exploration);
      return kDone;
    }
    writeText(out, request.problem, plan);
    if (exploration) writeText(out, request.problem, *exploration);
    return kDone;
  } catch (const BadArguments& bad) {
    return refuse(bad, "plan", kUsage, err);
  }
}

}  // namespace cli
