#include "cli/advise.h"

#include <algorithm>
#include <iomanip>
#include <ostream>
#include <string_view>

#include "cli/json.h"
#include "cli/options.h"
#include "goals/advise.h"

namespace cli {
namespace {

constexpr std::string_view kUsage =
    "usage: plavet advise --skill NAME... [--magic-bonus N] [--physical-bonus N] [--race R] "
    "[--first C] [--second C] [--top N | --all] [--json]\n"
    "       plavet advise --help\n";

constexpr std::string_view kHelp =
    "Which race and which two classes get the skills you want, and leave the most\n"
    "points: every race with every first and every second class, each planned for\n"
    "the skills in the order given (each kept when some choice of class for it and\n"
    "for those kept before it can be planned together), ranked by the skills kept,\n"
    "then the points left, then the race and classes in list order.\n"
    "\n"
    "  --skill NAME          a skill by its name, in any letter case, or its whole row;\n"
    "                        either class may teach it: --skill kick --skill \"Heal Serious\"\n"
    "  --magic-bonus N       MElement clan-town boxes checked, 0 to 2 (default 0)\n"
    "  --physical-bonus N    PElement clan-town boxes checked, 0 to 2 (default 0)\n"
    "  --race R              only this race: --race Dwarf\n"
    "  --first C             only this first class: --first Druid\n"
    "  --second C            only this second class: --second Warrior\n"
    "  --top N               the N best rows (default 20): --top 5\n"
    "  --all                 every combination, ranked\n"
    "  --json                the answer as one JSON object\n"
    "  --help                this text\n"
    "\n"
    "Example:\n"
    "  plavet advise --skill Kick --skill Sanctuary --skill Fireball --top 5\n";

constexpr std::size_t kDefaultTop = 20;

struct Request {
  goals::Question question;
  std::size_t top = kDefaultTop;
  bool json = false, help = false;
};

std::string_view knownSkill(const std::string& text) {
  if (const auto name = goals::skillNamed(text)) return *name;
  return known(text, goals::skillNames(), "a skill any class teaches");  // throws
}

std::size_t rowCount(const std::string& text) {
  const bool digits =
      !text.empty() && text.size() <= 6 &&
      std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (!digits || std::stoul(text) == 0)
    throw BadArguments{"--top must be a count of rows from 1, not \"" + text + "\""};
  return std::stoul(text);
}

const OptionKinds kOptions = {
    .flags = {"--json", "--help", "--all"},
    .valued = {"--race", "--first", "--second", "--magic-bonus", "--physical-bonus", "--top"},
    .repeated = {"--skill"},
};

Request parse(const std::vector<std::string>& args) {
  const Options o = readOptions(args, kOptions);
  Request r;
  r.json = o.has("--json");
  r.help = o.has("--help");
  if (r.help) return r;
  goals::Question& q = r.question;
  for (const std::string& text : o.all("--skill")) q.skills.push_back(knownSkill(text));
  if (const std::string* race = o.value("--race")) q.race = std::string(knownRace(*race));
  if (const std::string* c = o.value("--first")) q.firstClass = std::string(knownClass(*c));
  if (const std::string* c = o.value("--second")) q.secondClass = std::string(knownClass(*c));
  for (auto [option, boxes] :
       {std::pair{"--magic-bonus", &q.magicBonus}, {"--physical-bonus", &q.physicalBonus}})
    if (const std::string* count = o.value(option)) *boxes = boxCount(option, *count);
  const std::string* top = o.value("--top");
  if (top && o.has("--all")) throw BadArguments{"give --top or --all, not both", true};
  if (top) r.top = rowCount(*top);
  if (o.has("--all")) r.top = goals::kAllRows;
  return r;
}

const char* copyWord(skills::Copy copy) {
  return copy == skills::Copy::FirstClass ? "first" : "second";
}

void writeJson(std::ostream& out, const goals::Advice& advice) {
  out << "{\"skills\": [";
  for (std::size_t j = 0; j < advice.skills.size(); ++j)
    out << (j ? ", " : "") << jsonString(advice.skills[j]);
  out << "], \"rows\": [";
  for (std::size_t i = 0; i < advice.rows.size(); ++i) {
    const goals::Suggestion& row = advice.rows[i];
    const goals::Problem problem = advice.problem(row);
    out << (i ? ", " : "") << "{\"race\": " << jsonString(row.race)
        << ", \"firstClass\": " << jsonString(row.firstClass)
        << ", \"secondClass\": " << jsonString(row.secondClass) << ", \"kept\": [";
    for (std::size_t k = 0; k < row.kept.size(); ++k) {
      const goals::Met& m = row.kept[k];
      out << (k ? ", " : "") << "{\"skill\": " << jsonString(advice.skills[m.skill])
          << ", \"class\": \"" << copyWord(m.goal.copy)
          << "\", \"row\": " << jsonString(goals::rowOf(problem, m.goal).text) << "}";
    }
    out << "], \"dropped\": [";
    for (std::size_t d = 0; d < row.dropped.size(); ++d)
      out << (d ? ", " : "") << "{\"skill\": " << jsonString(advice.skills[row.dropped[d].skill])
          << ", \"reason\": " << jsonString(row.dropped[d].reason) << "}";
    out << "], \"pointsLeft\": " << row.pointsLeft << "}";
  }
  out << "]}\n";
}

// "Kick: Warrior (second)" for each name, "Fireball: dropped".
std::string givenColumn(const goals::Advice& advice, const goals::Suggestion& row) {
  std::string out;
  std::size_t k = 0;
  for (std::size_t j = 0; j < advice.skills.size(); ++j) {
    out += (j ? ", " : "") + std::string(advice.skills[j]) + ": ";
    if (k < row.kept.size() && row.kept[k].skill == j)
      out += std::string(goals::givenBy(row, j)) + " (" + copyWord(row.kept[k++].goal.copy) + ")";
    else
      out += "dropped";
  }
  return out;
}

void writeText(std::ostream& out, const goals::Advice& advice) {
  out << "Skills:";
  for (std::size_t j = 0; j < advice.skills.size(); ++j)
    out << (j ? ", " : " ") << advice.skills[j];
  if (advice.skills.empty()) out << " none";
  out << "; clan-town boxes checked: " << advice.magicBonus << " Magic, " << advice.physicalBonus
      << " Physical.\n";
  if (advice.rows.size() == advice.combinations)
    out << "Every one of the " << advice.combinations << " combinations, ranked:\n\n";
  else
    out << "The best " << advice.rows.size() << " of " << advice.combinations
        << " combinations:\n\n";
  out << std::left << std::setw(6) << "Rank" << std::setw(12) << "Race" << std::setw(15)
      << "First class" << std::setw(15) << "Second class" << std::setw(10) << "Kept" << std::right
      << std::setw(11) << "Points left"
      << "  Given by\n";
  for (std::size_t i = 0; i < advice.rows.size(); ++i) {
    const goals::Suggestion& row = advice.rows[i];
    const std::string k =
        std::to_string(row.kept.size()) + " of " + std::to_string(advice.skills.size());
    out << std::left << std::setw(6) << i + 1 << std::setw(12) << row.race << std::setw(15)
        << row.firstClass << std::setw(15) << row.secondClass << std::setw(10) << k << std::right
        << std::setw(11) << row.pointsLeft << "  " << givenColumn(advice, row) << "\n";
    for (const goals::Unmet& u : row.dropped)
      out << "      " << advice.skills[u.skill] << " dropped: " << u.reason << "\n";
  }
}

}  // namespace

int advise(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    const Request request = parse(args);
    if (request.help) {
      out << kUsage << "\n" << kHelp;
      return kDone;
    }
    const goals::Advice advice = goals::advise(request.question, request.top);
    if (request.json)
      writeJson(out, advice);
    else
      writeText(out, advice);
    return kDone;
  } catch (const BadArguments& bad) {
    return refuse(bad, "advise", kUsage, err);
  }
}

}  // namespace cli
