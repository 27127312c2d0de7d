#include "goals/planning.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "sheet/tables.h"
#include "skills/needs.h"

namespace goals {
namespace {

constexpr int kMostBoxes = 2;

bool isRace(const std::string& text) {
  return sheet::findRace(text) != nullptr;
}
bool isClass(const std::string& text) {
  return std::find(skills::kClassNames.begin(), skills::kClassNames.end(), text) !=
         skills::kClassNames.end();
}

// "a, b and c"
std::string wordList(const std::vector<std::string>& words) {
  std::string out;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i > 0) out += i + 1 == words.size() ? " and " : ", ";
    out += words[i];
  }
  return out;
}

}  // namespace

Progress progress(const skills::SkillRow& row, const skills::ElementValues& values) {
  Progress p{{}, true};
  for (int n = 0; n < row.needCount; ++n) {
    const skills::Requirement& need = row.needs[n];
    const double have = values[skills::index(need.value)];
    if (n > 0) p.words += ", ";
    p.words +=
        std::string(skills::valueWord(need.value)) + " " + std::to_string(need.minimum) + ": ";
    if (have >= need.minimum) {
      p.words += "met";
    } else {
      p.met = false;
      p.words += std::to_string(static_cast<long long>(std::ceil(need.minimum - have))) + " more";
    }
  }
  if (p.words.empty()) p.words = "needs nothing";
  if (p.met) p.words = "qualifies (" + p.words + ")";
  return p;
}

bool Planning::follow(const sheet::State& plavet) {
  race_ = plavet.selections[static_cast<int>(sheet::Selection::Race)];
  firstClass_ = plavet.selections[static_cast<int>(sheet::Selection::FirstClass)];
  secondClass_ = plavet.selections[static_cast<int>(sheet::Selection::SecondClass)];
  const bool wasChosen = chosen_;
  chosen_ = isRace(race_) && isClass(firstClass_) && isClass(secondClass_);
  if (!chosen_) {
    if (plan_) {  // no plan without a race and classes
      plan_.reset();
      ++plansMade_;
    }
    return false;
  }
  bool replanning = !wasChosen || race_ != problem_.race;
  const bool otherClasses =
      firstClass_ != problem_.firstClass || secondClass_ != problem_.secondClass;
  if (otherClasses) {
    problem_.firstClass = firstClass_;
    problem_.secondClass = secondClass_;
    problem_.goals.clear();
    replanning = true;
  }
  problem_.race = race_;
  if (replanning) replan();
  return otherClasses;
}

void Planning::takeBonuses(const sheet::State& plavet) {
  using sheet::Bonus;
  const auto& boxes = plavet.bonuses;
  setBonuses(boxes[static_cast<int>(Bonus::MBonus1)] + boxes[static_cast<int>(Bonus::MBonus2)],
             boxes[static_cast<int>(Bonus::PBonus1)] + boxes[static_cast<int>(Bonus::PBonus2)]);
}

bool Planning::tick(const Goal& goal, bool ticked) {
  const std::string& className =
      goal.copy == skills::Copy::FirstClass ? problem_.firstClass : problem_.secondClass;
  if (!chosen_ || goal.row < 0 ||
      goal.row >= static_cast<int>(skills::rowsOf(className, goal.copy).size()))
    return false;
  auto& g = problem_.goals;
  const auto at = std::find(g.begin(), g.end(), goal);
  if (ticked && at == g.end()) g.push_back(goal);  // the order of ticking is the goals' order
  if (!ticked && at != g.end()) g.erase(at);
  replan();
  return true;
}

bool Planning::setBonuses(int magic, int physical) {
  if (magic < 0 || magic > kMostBoxes || physical < 0 || physical > kMostBoxes) return false;
  problem_.magicBonus = magic;
  problem_.physicalBonus = physical;
  replan();
  return true;
}

void Planning::clear() {
  problem_.goals.clear();
  replan();
}

bool Planning::isGoal(const Goal& goal) const {
  return std::find(problem_.goals.begin(), problem_.goals.end(), goal) != problem_.goals.end();
}

void Planning::replan() {
  plan_.reset();
  if (chosen_) plan_ = goals::plan(problem_);
  ++plansMade_;
}

std::string Planning::hint(std::string_view where) const {
  if (chosen_)
    return "A " + race_ + ", first class " + firstClass_ + ", multi-classing into " + secondClass_ +
           ". Tick the skills you want; the plan below is the best plavet for them.";
  std::vector<std::string> wanted;
  const auto want = [&](const std::string& text, bool fits, const std::string& what) {
    if (fits) return;
    wanted.push_back(text.empty() ? what : what + " from its list (\"" + text + "\" is not one)");
  };
  want(race_, isRace(race_), "a race");
  want(firstClass_, isClass(firstClass_), "a first class");
  want(secondClass_, isClass(secondClass_), "a second class");
  return "To plan skill goals, choose " + wordList(wanted) + " in " + std::string(where) + ".";
}

std::optional<sheet::State> Planning::played(const sheet::State& plavet) const {
  if (!plan_) return std::nullopt;
  return goals::played(problem_, *plan_, plavet.spells);
}

}  // namespace goals
