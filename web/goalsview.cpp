#include "web/goalsview.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "sheet/tables.h"
#include "skills/needs.h"
#include "web/json.h"

namespace web {
namespace {

using skills::Copy;

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

void GoalsView::open() {
  using sheet::Bonus;
  problem_.magicBonus = planner_.isChecked(Bonus::MBonus1) + planner_.isChecked(Bonus::MBonus2);
  problem_.physicalBonus = planner_.isChecked(Bonus::PBonus1) + planner_.isChecked(Bonus::PBonus2);
  follow();
  replan();
}

void GoalsView::follow() {
  const std::string& race = planner_.selectionText(sheet::Selection::Race);
  const std::string& first = planner_.selectionText(sheet::Selection::FirstClass);
  const std::string& second = planner_.selectionText(sheet::Selection::SecondClass);
  const bool wasChosen = chosen_;
  chosen_ = isRace(race) && isClass(first) && isClass(second);
  if (!chosen_) {
    plan_.reset();
    return;
  }
  bool replanning = !wasChosen || race != problem_.race;
  if (first != problem_.firstClass || second != problem_.secondClass) {
    problem_.firstClass = first;
    problem_.secondClass = second;
    problem_.goals.clear();  // other classes are other skills
    replanning = true;
  }
  problem_.race = race;
  if (replanning) replan();
}

bool GoalsView::tick(Copy copy, int row, bool ticked) {
  const std::string& className =
      copy == Copy::FirstClass ? problem_.firstClass : problem_.secondClass;
  if (!chosen_ || row < 0 || row >= static_cast<int>(skills::rowsOf(className, copy).size()))
    return false;
  const goals::Goal goal{copy, row};
  auto& g = problem_.goals;
  const auto at = std::find(g.begin(), g.end(), goal);
  if (ticked && at == g.end()) g.push_back(goal);  // the order of ticking is the goals' order
  if (!ticked && at != g.end()) g.erase(at);
  replan();
  return true;
}

bool GoalsView::setBonuses(int magic, int physical) {
  if (magic < 0 || magic > 2 || physical < 0 || physical > 2) return false;
  problem_.magicBonus = magic;
  problem_.physicalBonus = physical;
  replan();
  return true;
}

void GoalsView::clear() {
  problem_.goals.clear();
  replan();
}

void GoalsView::replan() {
  plan_.reset();
  if (chosen_) plan_ = goals::plan(problem_);
}

std::optional<sheet::State> GoalsView::played() const {
  if (!plan_) return std::nullopt;
  return goals::played(problem_, *plan_, planner_.state().spells);
}

std::string GoalsView::json() const {
  const std::string& race = planner_.selectionText(sheet::Selection::Race);
  const std::string& first = planner_.selectionText(sheet::Selection::FirstClass);
  const std::string& second = planner_.selectionText(sheet::Selection::SecondClass);
  std::string out = "{";
  json::flag(out, "chosen", chosen_);
  if (!chosen_) {
    std::vector<std::string> wanted;
    const auto want = [&](const std::string& text, bool fits, const std::string& what) {
      if (fits) return;
      wanted.push_back(text.empty() ? what : what + " from its list (\"" + text + "\" is not one)");
    };
    want(race, isRace(race), "a race");
    want(first, isClass(first), "a first class");
    want(second, isClass(second), "a second class");
    json::text(out, "hint", "To plan skill goals, choose " + wordList(wanted) + " in the planner.");
    return out + "}";
  }
  json::text(out, "hint",
             "A " + race + ", first class " + first + ", multi-classing into " + second +
                 ". Tick the skills you want; the plan below is the best plavet for them.");
  json::number(out, "magicBonus", problem_.magicBonus);
  json::number(out, "physicalBonus", problem_.physicalBonus);
  json::key(out, "lists");
  out += '[';
  writeList(out, Copy::FirstClass);
  writeList(out, Copy::SecondClass);
  out += ']';
  json::key(out, "plan");
  writePlan(out);
  return out + "}";
}

// Every row of the class in catalogue order, each need against the plavet's
// values as they stand: met, or the points it still lacks.
void GoalsView::writeList(std::string& out, Copy copy) const {
  const bool firstCopy = copy == Copy::FirstClass;
  const std::string& className = firstCopy ? problem_.firstClass : problem_.secondClass;
  const sheet::State& s = planner_.state();
  json::item(out);
  out += '{';
  json::text(out, "title", (firstCopy ? "First class: " : "Second class: ") + className);
  json::key(out, "rows");
  out += '[';
  const auto rows = skills::rowsOf(className, copy);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const skills::SkillRow& row = rows[i];
    std::string now;
    bool allMet = true;
    for (int n = 0; n < row.needCount; ++n) {
      const skills::Requirement& need = row.needs[n];
      const double have = s.boxes[skills::index(need.value)];
      now += n == 0 ? "" : ", ";
      now += std::string(skills::valueWord(need.value)) + " " + std::to_string(need.minimum) + ": ";
      if (have >= need.minimum) {
        now += "met";
      } else {
        allMet = false;
        now += std::to_string(static_cast<long long>(std::ceil(need.minimum - have))) + " more";
      }
    }
    // A row that qualifies says so first; one that doesn't says what it lacks.
    if (now.empty()) now = "needs nothing";
    if (allMet) now = "qualifies (" + now + ")";
    json::item(out);
    out += '{';
    json::text(out, "text", row.text);
    json::text(out, "needs", skills::needsText(row));
    json::text(out, "now", now);
    json::flag(out, "met", allMet);
    const goals::Goal goal{copy, static_cast<int>(i)};
    json::flag(
        out, "goal",
        std::find(problem_.goals.begin(), problem_.goals.end(), goal) != problem_.goals.end());
    out += '}';
  }
  out += "]}";
}

void GoalsView::writePlan(std::string& out) const {
  if (!plan_) {
    out += "null";
    return;
  }
  const goals::Plan& p = *plan_;
  out += '{';
  json::number(out, "pointsLeft", p.pointsLeft);
  json::key(out, "pools");
  out += '{';
  json::number(out, "magic", p.finalPools.magic);
  json::number(out, "physical", p.finalPools.physical);
  json::number(out, "either", p.finalPools.either);
  out += '}';
  json::key(out, "table");
  out += '[';
  const auto row = [&](std::string_view label, const skills::ElementValues& values, int first) {
    json::item(out);
    out += '{';
    json::text(out, "label", label);
    json::key(out, "values");
    out += '[';
    for (int e = 0; e < skills::kElementCount; ++e) {
      json::item(out);
      out += std::to_string(static_cast<int>(values[first + e]));
    }
    out += "]}";
  };
  row("M before multi-classing", p.beforeMulti, 0);
  row("P before multi-classing", p.beforeMulti, skills::kElementCount);
  row("M at the end", p.final, 0);
  row("P at the end", p.final, skills::kElementCount);
  out += ']';
  json::text(out, "beforeMulti", goals::pressesInWords(p.beforeMultiRaises));
  json::text(out, "afterMulti", goals::pressesInWords(p.afterMultiRaises));
  json::number(out, "goals", static_cast<long long>(problem_.goals.size()));
  json::key(out, "dropped");
  out += '[';
  for (const goals::Dropped& d : p.dropped) {
    json::item(out);
    out += '{';
    json::text(out, "skill", goals::rowOf(problem_, d.goal).text);
    json::text(out, "copy", d.goal.copy == Copy::FirstClass ? "first class" : "second class");
    json::text(out, "reason", d.reason);
    out += '}';
  }
  out += "]}";
}

}  // namespace web
