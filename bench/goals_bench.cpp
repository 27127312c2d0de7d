// How long the skill-goals solver takes to plan: every row of two of the
// largest classes as goals, and typical sets of up to ten goals. Each figure
// is the mean over every race and every count of clan-town boxes.
#include <benchmark/benchmark.h>

#include <random>

#include "goals/goals.h"
#include "sheet/tables.h"

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
void BM_Typical(benchmark::State& state) {
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
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(goals::plan(problems[next]));
    next = (next + 1) % problems.size();
  }
}
BENCHMARK(BM_Typical)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
