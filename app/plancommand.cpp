#include "app/plancommand.h"

#include <algorithm>
#include <cctype>
#include <iomanip>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string_view>

#include "goals/goals.h"
#include "sheet/tables.h"

namespace {

constexpr int kBadArguments = 2;
constexpr std::string_view kUsage =
    "usage: plavet plan --race R --first C1 --second C2 [--magic-bonus N] "
    "[--physical-bonus N] [--first-skill TEXT]... [--second-skill TEXT]... [--json]\n";

struct BadArguments {
  std::string why;
  bool showUsage = false;
};

// ---- Finding what was meant ------------------------------------------------

std::string lowered(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// How many letters to add, drop or change to turn one text into the other.
std::size_t editDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// The name that `text` most likely meant, if one is close: the same letters
// in another case, a skill's name without its bracketed needs, or a slip of a
// letter or two (one in four letters). The first of equally close names wins.
template <class Names>
std::optional<std::string_view> nearest(std::string_view text, const Names& names) {
  const std::string typed = lowered(text);
  const std::size_t allowed = std::max<std::size_t>(1, typed.size() / 4);
  std::optional<std::string_view> best;
  std::size_t bestDistance = allowed + 1;
  for (std::string_view name : names) {
    const std::string candidate = lowered(name);
    const std::string shortName = candidate.substr(0, candidate.find(" ("));
    const std::size_t d = std::min(editDistance(typed, candidate), editDistance(typed, shortName));
    if (d < bestDistance) {
      best = name;
      bestDistance = d;
    }
  }
  return best;
}

template <class Names>
std::string_view known(std::string_view text, const Names& names, const std::string& what) {
  for (std::string_view name : names)
    if (name == text) return name;
  std::ostringstream why;
  why << '"' << text << "\" is not " << what;
  if (auto near = nearest(text, names)) why << "; did you mean \"" << *near << "\"?";
  throw BadArguments{why.str()};
}

// ---- Reading the arguments -------------------------------------------------

struct Request {
  goals::Problem problem;
  bool json = false;
  bool help = false;
};

std::vector<std::string_view> skillTexts(std::string_view className, skills::Copy copy) {
  std::vector<std::string_view> texts;
  for (const skills::SkillRow& row : skills::rowsOf(className, copy)) texts.push_back(row.text);
  return texts;
}

int boxCount(const std::string& option, const std::string& text) {
  if (text != "0" && text != "1" && text != "2")
    throw BadArguments{option + " must be 0, 1 or 2, not \"" + text + "\""};
  return text[0] - '0';
}

// The goal a skill option names, among the rows of its class and copy.
goals::Goal goalOf(const goals::Problem& p, skills::Copy copy, const std::string& text) {
  const bool firstCopy = copy == skills::Copy::FirstClass;
  const std::string& className = firstCopy ? p.firstClass : p.secondClass;
  const std::vector<std::string_view> texts = skillTexts(className, copy);
  const std::string what =
      "a skill of " + className + (firstCopy ? " as first" : " as second") + " class";
  const auto otherCopy = firstCopy ? skills::Copy::SecondClass : skills::Copy::FirstClass;
  if (std::find(texts.begin(), texts.end(), text) == texts.end() &&
      std::ranges::count(skillTexts(firstCopy ? p.secondClass : p.firstClass, otherCopy), text))
    throw BadArguments{"\"" + text + "\" is not " + what + "; give it with " +
                       (firstCopy ? "--second-skill" : "--first-skill")};
  const std::string_view found = known(text, texts, what);
  return {copy, static_cast<int>(std::find(texts.begin(), texts.end(), found) - texts.begin())};
}

// The options as given, "--name value" or "--name=value"; a later one wins.
struct Options {
  std::map<std::string, std::string> last;
  std::vector<std::pair<skills::Copy, std::string>> skills;  // in their order
  bool json = false, help = false;
};

Options readOptions(const std::vector<std::string>& args) {
  static const std::set<std::string> kWithValue = {
      "--race",           "--first",       "--second",      "--magic-bonus",
      "--physical-bonus", "--first-skill", "--second-skill"};
  Options o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string option = args[i];
    std::optional<std::string> value;
    if (const auto eq = option.find('='); option.starts_with("--") && eq != std::string::npos) {
      value = option.substr(eq + 1);
      option.resize(eq);
    }
    if ((option == "--json" || option == "--help") && !value) {
      (option == "--json" ? o.json : o.help) = true;
      continue;
    }
    if (!kWithValue.contains(option))
      throw BadArguments{"unknown argument \"" + args[i] + "\"", true};
    if (!value && i + 1 == args.size()) throw BadArguments{option + " needs a value", true};
    if (!value) value = args[++i];
    if (option == "--first-skill" || option == "--second-skill")
      o.skills.emplace_back(
          option == "--first-skill" ? skills::Copy::FirstClass : skills::Copy::SecondClass, *value);
    else
      o.last[option] = *value;
  }
  return o;
}

Request parse(const std::vector<std::string>& args) {
  Options o = readOptions(args);
  Request r{{}, o.json, o.help};
  if (r.help) return r;
  for (const char* option : {"--race", "--first", "--second"})
    if (!o.last.contains(option)) throw BadArguments{std::string(option) + " is missing", true};
  std::vector<std::string_view> races;
  for (const sheet::RaceBonus& row : sheet::kRaceBonuses) races.push_back(row.race);
  r.problem.race = known(o.last["--race"], races, "a race");
  r.problem.firstClass = known(o.last["--first"], skills::kClassNames, "a class");
  r.problem.secondClass = known(o.last["--second"], skills::kClassNames, "a class");
  for (auto [option, boxes] : {std::pair{"--magic-bonus", &r.problem.magicBonus},
                               {"--physical-bonus", &r.problem.physicalBonus}})
    if (o.last.contains(option)) *boxes = boxCount(option, o.last[option]);
  for (const auto& [copy, text] : o.skills)
    r.problem.goals.push_back(goalOf(r.problem, copy, text));
  return r;
}

// ---- Writing the plan ------------------------------------------------------

const char* className(skills::Copy copy) {
  return copy == skills::Copy::FirstClass ? "first" : "second";
}

std::string jsonString(std::string_view s) {
  std::ostringstream out;
  out << '"';
  for (unsigned char c : s) {
    if (c == '"' || c == '\\')
      out << '\\' << c;
    else if (c < 0x20)
      out << "\\u" << std::hex << std::setw(4) << std::setfill('0') << int(c) << std::dec;
    else
      out << c;
  }
  out << '"';
  return out.str();
}

std::string jsonKey(skills::Value v) {
  std::string name = goals::valueName(v);
  name.erase(1, 1);  // "M Fire" is "MFire"
  return name;
}

std::string json(const skills::ElementValues& values) {
  std::string out = "{";
  for (int v = 0; v < skills::kValueCount; ++v)
    out += (v ? ", " : "") + jsonString(jsonKey(skills::Value(v))) + ": " +
           std::to_string(static_cast<int>(values[v]));
  return out + "}";
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

void writeJson(std::ostream& out, const goals::Problem& problem, const goals::Plan& plan) {
  out << "{\"pointsLeft\": " << plan.pointsLeft << ", \"beforeMulti\": " << json(plan.beforeMulti)
      << ", \"final\": " << json(plan.final) << ", \"finalPools\": " << json(plan.finalPools)
      << ", \"dropped\": [";
  for (std::size_t i = 0; i < plan.dropped.size(); ++i)
    out << (i ? ", " : "") << json(problem, plan.dropped[i].goal, &plan.dropped[i].reason);
  out << "], \"afterMulti\": " << json(plan.afterMulti) << ", \"started\": " << json(plan.started)
      << ", \"startPools\": " << json(plan.startPools)
      << ", \"poolsBeforeMulti\": " << json(plan.poolsBeforeMulti)
      << ", \"poolsAfterMulti\": " << json(plan.poolsAfterMulti) << ", \"presses\": [";
  bool firstPress = true;
  for (const auto& [phase, raises] : {std::pair{"beforeMulti", &plan.beforeMultiRaises},
                                      {"afterMulti", &plan.afterMultiRaises}}) {
    for (const goals::Raise& r : *raises) {
      out << (firstPress ? "" : ", ") << "{\"phase\": \"" << phase << "\", \"value\": \""
          << jsonKey(r.value) << "\", \"button\": \"left\", \"presses\": " << r.presses
          << ", \"fromKindPool\": " << r.fromKindPool << ", \"fromEither\": " << r.fromEither
          << "}";
      firstPress = false;
    }
  }
  out << "], \"kept\": [";
  for (std::size_t i = 0; i < plan.kept.size(); ++i)
    out << (i ? ", " : "") << json(problem, plan.kept[i]);
  out << "]}\n";
}

void writePresses(std::ostream& out, const std::vector<goals::Raise>& raises,
                  const skills::ElementValues& from) {
  if (raises.empty()) out << "  nothing to raise\n";
  for (const goals::Raise& r : raises) {
    const int v = skills::index(r.value);
    const char* kind = v < skills::kElementCount ? "Magic" : "Physical";
    out << "  " << std::left << std::setw(9) << goals::valueName(r.value) << std::right
        << std::setw(4) << r.presses << " left presses on its raise arrow, " << from[v] << " to "
        << from[v] + r.presses << " (";
    if (r.fromKindPool) out << r.fromKindPool << " from the " << kind << " pool";
    if (r.fromKindPool && r.fromEither) out << ", ";
    if (r.fromEither) out << r.fromEither << " from the Either pool";
    out << ")\n";
  }
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
  out << "\n\nPoints left: " << plan.pointsLeft << "\n";
  if (plan.dropped.empty()) return;
  out << "\nDropped goals:\n";
  for (const goals::Dropped& d : plan.dropped)
    out << "  \"" << goals::rowOf(problem, d.goal).text << "\" (" << className(d.goal.copy)
        << " class): " << d.reason << "\n";
}

}  // namespace

int planCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    const Request request = parse(args);
    if (request.help) {
      out << kUsage;
      return 0;
    }
    const goals::Plan plan = goals::plan(request.problem);
    if (request.json)
      writeJson(out, request.problem, plan);
    else
      writeText(out, request.problem, plan);
    return 0;
  } catch (const BadArguments& bad) {
    err << "plavet plan: " << bad.why << "\n";
    if (bad.showUsage) err << kUsage;
    return kBadArguments;
  }
}

bool isPlanCommand(int argc, char* argv[]) {
  return argc > 1 && std::string_view(argv[1]) == "plan";
}

int runPlanCommand(int argc, char* argv[]) {
  return planCommand(std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr);
}
