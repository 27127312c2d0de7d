// How long a comparison of two plavets takes, rows, skills and presses: for
// plavets the presses lead between, for plavets of other races (no presses
// tried), and for plavets whose pools no order of presses meets (every
// order played to its end or to its first refusal).
#include <benchmark/benchmark.h>

#include "compare/compare.h"

namespace {

class Quiet : public sheet::MessageSink {
 public:
  void show(std::string_view, std::string_view) override {}
};

sheet::State started(std::string_view race, std::string_view first) {
  Quiet quiet;
  sheet::Planner p(quiet);
  p.setSelectionText(sheet::Selection::Race, race);
  p.setSelectionText(sheet::Selection::FirstClass, first);
  p.setSelectionText(sheet::Selection::SecondClass, "Warrior");
  p.startReset();
  return p.state();
}

// Spends the pools on every value in turn, ten at a time, as far as they go.
sheet::State spent(sheet::State s, int rounds) {
  Quiet quiet;
  sheet::Planner p(quiet);
  p.restore(s);
  for (int r = 0; r < rounds; ++r)
    for (int v = 0; v < skills::kValueCount; ++v)
      p.pressArrow(skills::Value(v), sheet::Direction::Raise, sheet::kRightButton);
  p.showSkills();
  return p.state();
}

void compareBoth(benchmark::State& state, const sheet::State& a, const sheet::State& b) {
  const compare::Plavet base{"base", a};
  const compare::Plavet others[] = {{"other", b}};
  for (auto _ : state) benchmark::DoNotOptimize(compare::compareWith(base, others));
}

void BM_Itself(benchmark::State& state) {
  const sheet::State a = spent(started("Dwarf", "Chaos Cleric"), 3);
  compareBoth(state, a, a);
}
BENCHMARK(BM_Itself);

void BM_PressesLeadThere(benchmark::State& state) {
  const sheet::State a = started("Dwarf", "Chaos Cleric");
  compareBoth(state, a, spent(a, 3));
}
BENCHMARK(BM_PressesLeadThere);

void BM_PressesLeadBack(benchmark::State& state) {
  const sheet::State a = started("Dwarf", "Chaos Cleric");
  compareBoth(state, spent(a, 3), a);
}
BENCHMARK(BM_PressesLeadBack);

void BM_OtherRace(benchmark::State& state) {
  compareBoth(state, spent(started("Dwarf", "Chaos Cleric"), 3), spent(started("Elf", "Druid"), 3));
}
BENCHMARK(BM_OtherRace);

// The pools moved by hand to where no order of presses puts them: every
// order is tried.
void BM_NoOrderMeetsThePools(benchmark::State& state) {
  const sheet::State a = started("Dwarf", "Chaos Cleric");
  sheet::State b = spent(a, 3);
  b.boxes[static_cast<int>(sheet::Box::mpr)] += 1;
  b.boxes[static_cast<int>(sheet::Box::epr)] -= 1;
  compareBoth(state, a, b);
}
BENCHMARK(BM_NoOrderMeetsThePools);

void BM_RowsOnly(benchmark::State& state) {
  const sheet::State a = started("Dwarf", "Chaos Cleric");
  const sheet::State others[] = {spent(a, 3)};
  for (auto _ : state) benchmark::DoNotOptimize(compare::rowsOf(a, others));
}
BENCHMARK(BM_RowsOnly);

}  // namespace

BENCHMARK_MAIN();
