#include "goals/planning.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "goals/labels.h"
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

// "An Elf", "A Dwarf": the article by the race's first letter.
std::string withArticle(const std::string& race, bool capital) {
  const bool vowel =
      !race.empty() && std::string_view("AEIOUaeiou").find(race[0]) != std::string_view::npos;
  return std::string(vowel ? (capital ? "An " : "an ") : (capital ? "A " : "a ")) + race;
}

const std::string& selection(const sheet::State& plavet, sheet::Selection s) {
  return plavet.selections[static_cast<int>(s)];
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

Progress progress(const skills::SkillRow& row, skills::Copy copy, const sheet::State& plavet) {
  // What the first class learned was settled at multi-classing, by the
  // values then; pressing now changes nothing of it.
  if (copy == skills::Copy::FirstClass && plavet.multiClassed && plavet.valuesAtMultiClass) {
    const bool learned = row.qualifies(*plavet.valuesAtMultiClass);
    return {learned ? "learned at multi-classing" : "not learned: fixed at multi-classing", learned,
            true};
  }
  skills::ElementValues values{};
  std::copy_n(plavet.boxes.begin(), skills::kValueCount, values.begin());
  return progress(row, values);
}

bool Planning::follow(const sheet::State& plavet) {
  const auto [otherClasses, replanning] = catchUp(plavet);
  if (replanning) replan();
  return otherClasses;
}

bool Planning::followKept(const sheet::State& plavet, bool replaced) {
  if (replaced) boxesSeen_.reset();
  const Problem before = problem_;
  const bool otherClasses = catchUp(plavet).first;
  if (chosen_) {
    const sheet::BonusCounts counts = sheet::countsHeld(plavet);
    problem_.goals = sheet::goalsHeld(plavet);
    problem_.magicBonus = counts.magic;
    problem_.physicalBonus = counts.physical;
  }
  // The plan follows from the problem alone: a plavet put in place with the
  // goals just ticked here is planned once.
  const bool same =
      problem_.race == before.race && problem_.firstClass == before.firstClass &&
      problem_.secondClass == before.secondClass && problem_.magicBonus == before.magicBonus &&
      problem_.physicalBonus == before.physicalBonus && problem_.goals == before.goals;
  if (!same || plan_.has_value() != chosen_) replan();
  return otherClasses;
}

sheet::State Planning::kept(const sheet::State& plavet) const {
  if (!chosen_) return plavet;
  return sheet::withGoals(plavet, problem_.goals, {problem_.magicBonus, problem_.physicalBonus});
}

std::pair<bool, bool> Planning::catchUp(const sheet::State& plavet) {
  const std::string& race = selection(plavet, sheet::Selection::Race);
  if (race != race_) chosenRace_.reset();  // a race from the table holds while the plavet's stays
  race_ = race;
  firstClass_ = selection(plavet, sheet::Selection::FirstClass);
  secondClass_ = selection(plavet, sheet::Selection::SecondClass);
  // The boxes are read only when they change, so a count the player set
  // holds until the plavet's boxes say otherwise.
  bool replanning = false;
  if (boxesSeen_ != plavet.bonuses) {
    countBoxes(plavet.bonuses);
    replanning = true;
  }
  const bool wasChosen = chosen_;
  chosen_ = isRace(race_) && isClass(firstClass_) && isClass(secondClass_);
  if (!chosen_) return {false, plan_.has_value()};  // no plan without a race and classes
  replanning = replanning || !wasChosen;
  const std::string& planned = chosenRace_ ? *chosenRace_ : race_;
  if (planned != problem_.race) {
    problem_.race = planned;
    replanning = true;
  }
  const bool otherClasses =
      firstClass_ != problem_.firstClass || secondClass_ != problem_.secondClass;
  if (otherClasses) {
    problem_.firstClass = firstClass_;
    problem_.secondClass = secondClass_;
    problem_.goals.clear();
    replanning = true;
  }
  return {otherClasses, replanning};
}

bool Planning::replaced(const sheet::State& plavet) {
  boxesSeen_.reset();
  return follow(plavet);
}

void Planning::takeBonuses(const sheet::State& plavet) {
  countBoxes(plavet.bonuses);
  replan();
}

void Planning::countBoxes(const std::array<bool, 4>& boxes) {
  using sheet::Bonus;
  const auto checked = [&](Bonus b) { return boxes[static_cast<int>(b)] ? 1 : 0; };
  boxesSeen_ = boxes;
  problem_.magicBonus = checked(Bonus::MBonus1) + checked(Bonus::MBonus2);
  problem_.physicalBonus = checked(Bonus::PBonus1) + checked(Bonus::PBonus2);
}

bool Planning::tick(const Goal& goal, bool ticked) {
  const std::string& className =
      goal.copy == skills::Copy::FirstClass ? problem_.firstClass : problem_.secondClass;
  if (!chosen_ || goal.row < 0 ||
      goal.row >= static_cast<int>(skills::rowsOf(className, goal.copy).size()))
    return false;
  auto& g = problem_.goals;
  const auto at = std::find(g.begin(), g.end(), goal);
  if (ticked && at == g.end()) g.push_back(goal);  // a goal ticked comes last
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

bool Planning::move(const Goal& goal, int delta) {
  auto& g = problem_.goals;
  const auto at = std::find(g.begin(), g.end(), goal);
  if (!chosen_ || at == g.end()) return false;
  const long long from = at - g.begin();
  const long long to = std::clamp(from + delta, 0LL, static_cast<long long>(g.size()) - 1);
  if (to == from) return false;
  if (to < from)
    std::rotate(g.begin() + to, at, at + 1);
  else
    std::rotate(at, at + 1, g.begin() + to + 1);
  replan();
  return true;
}

bool Planning::chooseRace(std::string_view race) {
  if (!chosen_ || !sheet::findRace(race)) return false;
  if (race == race_)
    chosenRace_.reset();
  else
    chosenRace_ = std::string(race);
  if (race != problem_.race) {
    problem_.race = race;
    replan();
  }
  return true;
}

void Planning::clear() {
  problem_.goals.clear();
  replan();
}

std::optional<int> Planning::orderOf(const Goal& goal) const {
  const auto& g = problem_.goals;
  const auto at = std::find(g.begin(), g.end(), goal);
  if (at == g.end()) return std::nullopt;
  return static_cast<int>(at - g.begin());
}

std::optional<std::string> Planning::droppedWhy(const Goal& goal) const {
  if (!plan_) return std::nullopt;
  for (const Dropped& d : plan_->dropped)
    if (d.goal == goal) return d.reason;
  return std::nullopt;
}

void Planning::replan() {
  plan_.reset();
  exploration_.reset();
  if (chosen_) {
    plan_ = goals::plan(problem_);
    exploration_ = explore(problem_, *plan_);
  }
  ++plansMade_;
}

std::string Planning::hint(std::string_view where) const {
  if (chosen_) {
    std::string out = withArticle(race_, true) + ", first class " + firstClass_ +
                      ", multi-classing into " + secondClass_;
    if (chosenRace_)
      out += ", planned as " + withArticle(*chosenRace_, false) + " from the race table";
    return out + ". Tick the skills you want; the plan below is the best plavet for them.";
  }
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

std::vector<RowView> Planning::rows(skills::Copy copy, const sheet::State& plavet) const {
  std::vector<RowView> out;
  if (!chosen_) return out;
  const auto rows = skills::rowsOf(
      copy == skills::Copy::FirstClass ? problem_.firstClass : problem_.secondClass, copy);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const skills::SkillRow& row = rows[i];
    RowView view;
    view.goal = {copy, static_cast<int>(i)};
    view.text = row.text;
    view.needs = skills::needsText(row);
    view.labelNote = labelNote(row);
    view.now = progress(row, copy, plavet);
    view.order = orderOf(view.goal);
    view.dropped = droppedWhy(view.goal);
    if (const Fit* fit = exploration_ ? exploration_->fitOf(view.goal) : nullptr)
      view.fit = fitWords(*fit);
    out.push_back(std::move(view));
  }
  return out;
}

std::optional<sheet::State> Planning::played(const sheet::State& plavet) const {
  if (!plan_) return std::nullopt;
  return kept(goals::played(problem_, *plan_, plavet.spells));
}

}  // namespace goals
