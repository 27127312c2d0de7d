// How long the skill-goals solver takes to plan: every row of two of the
// largest classes as goals, and typical sets of up to ten goals; and to
// explore a plan (what else fits, every race) for the rows of the two
// largest classes and for the typical sets. Each figure is the mean over
// every race and every count of clan-town boxes. And the table of Find
// Classes, every race with every pair of classes, for random names and for
// the names taught by the most classes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>

#include "goals/advise.h"
#include "goals/explore.h"
#include "goals/goals.h"
#include "sheet/tables.h"

namespace web {
class Session;
}
// The page's call for Find Classes (web/advise.cpp); it needs no session.
extern "C" const char* plavet_advise(web::Session*, const char* text, std::size_t length);

namespace {

using skills::Copy;

// The nine races with the nine ways to check the boxes, in turn.
goals::Problem withRaceAndBoxes(goals::Problem p, int turn) {
  p.race = sheet::kRaceBonuses[turn % 9].race;
  p.magicBonus = turn / 9 % 3;
  p.physicalBonus = turn / 27 % 3;
  return p;
}

constexpr std::array<std::string_view, 4> kLargest = {"Chaos Cleric", "Order Cleric", "Magic User",
                                                      "Druid"};

// Every first-class row of one class, then every second-class row of another.
void BM_EveryRow(benchmark::State& state) {
  goals::Problem p;
  p.firstClass = kLargest[state.range(0)];
  p.secondClass = kLargest[state.range(1)];
  for (Copy copy : {Copy::FirstClass, Copy::SecondClass}) {
    const auto rows = skills::rowsOf(copy == Copy::FirstClass ? p.firstClass : p.secondClass, copy);
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) p.goals.push_back({copy, i});
  }
  std::vector<goals::Problem> problems;
  for (int turn = 0; turn < 81; ++turn) problems.push_back(withRaceAndBoxes(p, turn));
  state.SetLabel(p.firstClass + " then " + p.secondClass + ", " + std::to_string(p.goals.size()) +
                 " goals");
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(goals::plan(problems[next]));
    next = (next + 1) % problems.size();
  }
}
BENCHMARK(BM_EveryRow)->ArgsProduct({{0, 1, 2, 3}, {0, 1, 2, 3}})->Unit(benchmark::kMicrosecond);

// Random classes and one to ten random rows of theirs, from a fixed start.
std::vector<goals::Problem> typicalProblems() {
  std::mt19937 random(7);
  auto pick = [&](int n) { return std::uniform_int_distribution(0, n - 1)(random); };
  std::vector<goals::Problem> problems;
  for (int turn = 0; turn < 810; ++turn) {
    goals::Problem p;
    p.firstClass = skills::kClassNames[pick(16)];
    p.secondClass = skills::kClassNames[pick(16)];
    for (int n = 1 + pick(10); n > 0; --n) {
      const Copy copy = pick(2) ? Copy::FirstClass : Copy::SecondClass;
      const auto rows =
          skills::rowsOf(copy == Copy::FirstClass ? p.firstClass : p.secondClass, copy);
      p.goals.push_back({copy, pick(static_cast<int>(rows.size()))});
    }
    problems.push_back(withRaceAndBoxes(p, turn));
  }
  return problems;
}

void BM_Typical(benchmark::State& state) {
  const std::vector<goals::Problem> problems = typicalProblems();
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(goals::plan(problems[next]));
    next = (next + 1) % problems.size();
  }
}
BENCHMARK(BM_Typical)->Unit(benchmark::kMicrosecond);

// ---- Exploring a plan ---------------------------------------------------------

// The two classes with the most rows (both copies), the larger first.
std::array<std::string, 2> twoLargest() {
  std::vector<std::pair<std::size_t, std::string_view>> sizes;
  for (std::string_view c : skills::kClassNames)
    sizes.emplace_back(
        skills::rowsOf(c, Copy::FirstClass).size() + skills::rowsOf(c, Copy::SecondClass).size(),
        c);
  std::stable_sort(sizes.begin(), sizes.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  return {std::string(sizes[0].second), std::string(sizes[1].second)};
}

// Each problem with its plan, so that a figure is the exploring alone.
void explore(benchmark::State& state, const std::vector<goals::Problem>& problems) {
  std::vector<goals::Plan> plans;
  for (const goals::Problem& p : problems) plans.push_back(goals::plan(p));
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(goals::explore(problems[next], plans[next]));
    next = (next + 1) % problems.size();
  }
}

// The worst case: every row of the two largest classes (range 0: the larger
// first, or second), with one row ticked as a goal (range 1 = 0), so that
// every other row is tried, or every second row ticked (range 1 = 1), so that
// every race replans half of them.
void BM_ExploreEveryRow(benchmark::State& state) {
  const auto largest = twoLargest();
  goals::Problem p;
  p.firstClass = largest[state.range(0)];
  p.secondClass = largest[1 - state.range(0)];
  int row = 0;
  for (Copy copy : {Copy::FirstClass, Copy::SecondClass}) {
    const auto rows = skills::rowsOf(copy == Copy::FirstClass ? p.firstClass : p.secondClass, copy);
    for (int i = 0; i < static_cast<int>(rows.size()); ++i, ++row)
      if (state.range(1) ? row % 2 == 0 : row == 0) p.goals.push_back({copy, i});
  }
  std::vector<goals::Problem> problems;
  for (int turn = 0; turn < 81; ++turn) problems.push_back(withRaceAndBoxes(p, turn));
  state.SetLabel(p.firstClass + " then " + p.secondClass + ", " + std::to_string(row) + " rows, " +
                 std::to_string(p.goals.size()) + " ticked");
  explore(state, problems);
}
BENCHMARK(BM_ExploreEveryRow)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMicrosecond);

void BM_ExploreTypical(benchmark::State& state) {
  explore(state, typicalProblems());
}
BENCHMARK(BM_ExploreTypical)->Unit(benchmark::kMicrosecond);

// ---- Find classes: the whole table of 2,304 combinations ----------------------

// Names by how many classes teach them, the most first (list order among equals).
std::vector<std::string_view> namesByTeachers() {
  std::vector<std::pair<int, std::string_view>> counted;
  for (std::string_view name : goals::skillNames()) {
    int teachers = 0;
    for (std::string_view cls : skills::kClassNames)
      teachers +=
          std::any_of(skills::rowsOf(cls, Copy::FirstClass).begin(),
                      skills::rowsOf(cls, Copy::FirstClass).end(),
                      [&](const skills::SkillRow& r) { return goals::skillNamed(r.text) == name; });
    counted.emplace_back(-teachers, name);
  }
  std::stable_sort(counted.begin(), counted.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string_view> out;
  for (const auto& [teachers, name] : counted) out.push_back(name);
  return out;
}

// 30 random sets of `names` names and random box counts, fixed from one start.
std::vector<goals::Question> randomQuestions(std::size_t names) {
  std::mt19937 random(names);
  const auto all = goals::skillNames();
  std::vector<goals::Question> out(30);
  for (goals::Question& q : out) {
    while (q.skills.size() < names) {
      const std::string_view name = all[random() % all.size()];
      if (std::find(q.skills.begin(), q.skills.end(), name) == q.skills.end())
        q.skills.push_back(name);
    }
    q.magicBonus = int(random() % 3);
    q.physicalBonus = int(random() % 3);
  }
  return out;
}

void advise(benchmark::State& state, const std::vector<goals::Question>& questions) {
  const std::size_t top = state.range(1) ? goals::kAllRows : 20;
  std::size_t turn = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(goals::advise(questions[turn++ % questions.size()], top));
}

// Random names, 4 to 6; the best 20 rows (0) or every row, ranked (1).
void BM_AdviseRandom(benchmark::State& state) {
  advise(state, randomQuestions(std::size_t(state.range(0))));
}
BENCHMARK(BM_AdviseRandom)->ArgsProduct({{4, 5, 6}, {0, 1}})->Unit(benchmark::kMillisecond);

// The worst case: the names taught by the most classes, both counts 2.
goals::Question mostTaught(std::size_t names) {
  goals::Question q;
  const auto all = namesByTeachers();
  q.skills.assign(all.begin(), all.begin() + std::ptrdiff_t(names));
  q.magicBonus = q.physicalBonus = 2;
  return q;
}

void BM_AdviseMostTaught(benchmark::State& state) {
  advise(state, {mostTaught(std::size_t(state.range(0)))});
}
BENCHMARK(BM_AdviseMostTaught)->ArgsProduct({{6, 12}, {0, 1}})->Unit(benchmark::kMillisecond);

// The page's call for the same questions, natively: the table and its JSON,
// as bench/page_advise.js times it in WebAssembly.
void page(benchmark::State& state, const std::vector<goals::Question>& questions) {
  std::vector<std::string> asked;
  for (const goals::Question& q : questions) {
    std::string text = std::to_string(q.magicBonus) + "\n" + std::to_string(q.physicalBonus) +
                       (state.range(1) ? "\n0" : "\n20") + "\n\n\n";
    for (std::string_view name : q.skills) (text += '\n') += name;
    asked.push_back(std::move(text));
  }
  std::size_t turn = 0;
  for (auto _ : state) {
    const std::string& text = asked[turn++ % asked.size()];
    benchmark::DoNotOptimize(plavet_advise(nullptr, text.data(), text.size()));
  }
}

void BM_PageAdviseRandom(benchmark::State& state) {
  page(state, randomQuestions(std::size_t(state.range(0))));
}
BENCHMARK(BM_PageAdviseRandom)->ArgsProduct({{4, 5, 6}, {0, 1}})->Unit(benchmark::kMillisecond);

void BM_PageAdviseMostTaught(benchmark::State& state) {
  page(state, {mostTaught(std::size_t(state.range(0)))});
}
BENCHMARK(BM_PageAdviseMostTaught)->ArgsProduct({{6, 12}, {0, 1}})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
