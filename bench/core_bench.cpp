// How long each of the planner's operations takes. Every iteration first puts
// the planner back into the state the operation starts from (restore), then
// runs the operation once; BM_RestoreOnly measures the putting back alone, so
// an operation's own time is its figure less that one.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "sheet/planner.h"
#include "skills/catalogue.h"

namespace {

using sheet::Box;
using sheet::Direction;
using V = skills::Value;

class Quiet : public sheet::MessageSink {
 public:
  void show(std::string_view, std::string_view) override { ++shown; }
  long shown = 0;
};

// A planner, started unless told otherwise, whose boxes can be set directly.
class Bench {
 public:
  explicit Bench(bool start = true, std::string_view race = "Dwarf",
                 std::string_view first = "Druid", std::string_view second = "Warrior") {
    planner.load();
    planner.setSelectionText(sheet::Selection::Race, race);
    planner.setSelectionText(sheet::Selection::FirstClass, first);
    planner.setSelectionText(sheet::Selection::SecondClass, second);
    if (start) planner.startReset();
  }
  Bench& put(Box box, double value) {
    sheet::State s = planner.state();
    s.boxes[static_cast<int>(box)] = value;
    planner.restore(s);
    return *this;
  }

  // Runs `operation` from the state as it stands now, once per iteration.
  template <class Operation>
  void run(benchmark::State& state, Operation operation) {
    const sheet::State from = planner.state();
    for (auto _ : state) {
      planner.restore(from);
      operation(planner);
      benchmark::DoNotOptimize(&planner);
      benchmark::ClobberMemory();
    }
  }

  Quiet quiet;
  sheet::Planner planner{quiet};
};

void BM_RestoreOnly(benchmark::State& state) {
  Bench().run(state, [](sheet::Planner&) {});
}
BENCHMARK(BM_RestoreOnly);

// ---- Start/Reset -------------------------------------------------------------

void BM_Start(benchmark::State& state) {
  Bench(false).run(state, [](sheet::Planner& p) { p.startReset(); });
}
BENCHMARK(BM_Start);

void BM_Reset(benchmark::State& state) {
  Bench().run(state, [](sheet::Planner& p) { p.startReset(); });
}
BENCHMARK(BM_Reset);

void BM_StartRefused(benchmark::State& state) {
  Bench(false, "Dwarf", "Druid", "").run(state, [](sheet::Planner& p) { p.startReset(); });
}
BENCHMARK(BM_StartRefused);

// ---- The arrow rules -----------------------------------------------------------

void press(benchmark::State& state, Bench&& bench, Direction direction, std::int16_t button) {
  bench.run(state, [=](sheet::Planner& p) { p.pressArrow(V::MAir, direction, button); });
}
constexpr auto kLeft = sheet::kLeftButton, kRight = sheet::kRightButton;
constexpr auto kRaise = Direction::Raise, kLower = Direction::Lower;

void BM_RaiseLeftFromKindPool(benchmark::State& s) {
  press(s, Bench(), kRaise, kLeft);
}
void BM_RaiseLeftFromEitherPool(benchmark::State& s) {
  press(s, std::move(Bench().put(Box::mpr, 0)), kRaise, kLeft);
}
void BM_RaiseLeftMaxedOut(benchmark::State& s) {
  press(s, std::move(Bench().put(Box::ma, 200)), kRaise, kLeft);
}
void BM_RaiseLeftNoPoints(benchmark::State& s) {
  press(s, std::move(Bench().put(Box::mpr, 0).put(Box::epr, 0)), kRaise, kLeft);
}
void BM_RaiseRightFromKindPool(benchmark::State& s) {
  press(s, Bench(), kRaise, kRight);
}
void BM_RaiseRightRemainderThenEither(benchmark::State& s) {
  press(s, std::move(Bench().put(Box::mpr, 4).put(Box::epr, 9)), kRaise, kRight);
}
void BM_RaiseRightFromEitherPool(benchmark::State& s) {
  press(s, std::move(Bench().put(Box::mpr, 0)), kRaise, kRight);
}
void BM_RaiseRightMaxedOut(benchmark::State& s) {
  press(s, std::move(Bench().put(Box::ma, 191)), kRaise, kRight);
}
void BM_RaiseRightNoPoints(benchmark::State& s) {
  press(s, std::move(Bench().put(Box::mpr, 4).put(Box::epr, 3)), kRaise, kRight);
}
void BM_LowerLeft(benchmark::State& s) {
  press(s, std::move(Bench().put(Box::ma, 30)), kLower, kLeft);
}
void BM_LowerLeftNothingToTakeOut(benchmark::State& s) {
  press(s, Bench(), kLower, kLeft);
}
void BM_LowerRight(benchmark::State& s) {
  press(s, std::move(Bench().put(Box::ma, 30)), kLower, kRight);
}
void BM_LowerRightUnderTen(benchmark::State& s) {
  press(s, std::move(Bench().put(Box::ma, 7)), kLower, kRight);
}
void BM_PressMiddleButton(benchmark::State& s) {
  press(s, Bench(), kRaise, sheet::kMiddleButton);
}
void BM_PressBeforeStart(benchmark::State& s) {
  press(s, Bench(false, "Dwarf", "", ""), kRaise, kLeft);
}
BENCHMARK(BM_RaiseLeftFromKindPool);
BENCHMARK(BM_RaiseLeftFromEitherPool);
BENCHMARK(BM_RaiseLeftMaxedOut);
BENCHMARK(BM_RaiseLeftNoPoints);
BENCHMARK(BM_RaiseRightFromKindPool);
BENCHMARK(BM_RaiseRightRemainderThenEither);
BENCHMARK(BM_RaiseRightFromEitherPool);
BENCHMARK(BM_RaiseRightMaxedOut);
BENCHMARK(BM_RaiseRightNoPoints);
BENCHMARK(BM_LowerLeft);
BENCHMARK(BM_LowerLeftNothingToTakeOut);
BENCHMARK(BM_LowerRight);
BENCHMARK(BM_LowerRightUnderTen);
BENCHMARK(BM_PressMiddleButton);
BENCHMARK(BM_PressBeforeStart);

// ---- The clan-town boxes and the spells ------------------------------------------

constexpr const char* kBonusNames[] = {"PBonus1", "PBonus2", "MBonus1", "MBonus2"};

// Argument: the box, as sheet::Bonus. Values at 50, so the bonus goes on or off.
void BM_BonusCheck(benchmark::State& state) {
  const auto bonus = static_cast<sheet::Bonus>(state.range(0));
  state.SetLabel(kBonusNames[state.range(0)]);
  Bench b;
  for (int i = 0; i < skills::kValueCount; ++i) b.put(static_cast<Box>(i), 50);
  b.run(state, [=](sheet::Planner& p) { p.toggleBonus(bonus, true); });
}
void BM_BonusUncheck(benchmark::State& state) {
  const auto bonus = static_cast<sheet::Bonus>(state.range(0));
  state.SetLabel(kBonusNames[state.range(0)]);
  Bench b;
  for (int i = 0; i < skills::kValueCount; ++i) b.put(static_cast<Box>(i), 50);
  b.planner.toggleBonus(bonus, true);
  b.run(state, [=](sheet::Planner& p) { p.toggleBonus(bonus, false); });
}
// Refused: a value of the box's kind is 196, or the box is checked over a 4.
void BM_BonusCheckOver200(benchmark::State& state) {
  const auto bonus = static_cast<sheet::Bonus>(state.range(0));
  state.SetLabel(kBonusNames[state.range(0)]);
  Bench b;
  b.put(Box::ms, 196).put(Box::ps, 196);
  b.run(state, [=](sheet::Planner& p) { p.toggleBonus(bonus, true); });
}
void BM_BonusUncheckUnder0(benchmark::State& state) {
  const auto bonus = static_cast<sheet::Bonus>(state.range(0));
  state.SetLabel(kBonusNames[state.range(0)]);
  Bench b;
  b.planner.toggleBonus(bonus, true);
  b.put(Box::ms, 4).put(Box::ps, 4);
  b.run(state, [=](sheet::Planner& p) { p.toggleBonus(bonus, false); });
}
BENCHMARK(BM_BonusCheck)->DenseRange(0, 3);
BENCHMARK(BM_BonusUncheck)->DenseRange(0, 3);
BENCHMARK(BM_BonusCheckOver200)->DenseRange(0, 3);
BENCHMARK(BM_BonusUncheckUnder0)->DenseRange(0, 3);

void BM_SpellCheck(benchmark::State& state) {
  constexpr const char* kNames[] = {"Bless", "Shield", "Endure"};
  const auto spell = static_cast<sheet::Spell>(state.range(0));
  state.SetLabel(kNames[state.range(0)]);
  Bench().run(state, [=](sheet::Planner& p) { p.toggleSpell(spell, true); });
}
BENCHMARK(BM_SpellCheck)->DenseRange(0, 2);

void BM_Delement(benchmark::State& state) {
  Bench b;
  for (auto spell : {sheet::Spell::Bless, sheet::Spell::Shield, sheet::Spell::Endure})
    b.planner.toggleSpell(spell, true);
  b.run(state, [](sheet::Planner& p) { p.delement(); });
}
BENCHMARK(BM_Delement);

// ---- Multi-classing and the skill lists -------------------------------------------

void BM_MultiClass(benchmark::State& state) {
  Bench().run(state, [](sheet::Planner& p) { p.multiClass(); });
}
void BM_MultiClassAlreadyDone(benchmark::State& state) {
  Bench b;
  b.planner.multiClass();
  b.run(state, [](sheet::Planner& p) { p.multiClass(); });
}
BENCHMARK(BM_MultiClass);
BENCHMARK(BM_MultiClassAlreadyDone);

// The class with the most rows in either copy of the catalogue.
std::string_view largestClass() {
  auto rows = [](std::string_view c) {
    return std::max(skills::rowsOf(c, skills::Copy::FirstClass).size(),
                    skills::rowsOf(c, skills::Copy::SecondClass).size());
  };
  return *std::max_element(skills::kClassNames.begin(), skills::kClassNames.end(),
                           [&](auto a, auto b) { return rows(a) < rows(b); });
}

// Multi-classed into the same, largest class, with every value at 200: both
// lists are rebuilt and every row qualifies.
void BM_ShowSkillsLargestClass(benchmark::State& state) {
  const std::string_view largest = largestClass();
  state.SetLabel(std::string(largest) + ", " +
                 std::to_string(skills::rowsOf(largest, skills::Copy::FirstClass).size()) +
                 " rows");
  Bench b(true, "Human", largest, largest);
  b.planner.multiClass();
  for (int i = 0; i < skills::kValueCount; ++i) b.put(static_cast<Box>(i), 200);
  b.run(state, [](sheet::Planner& p) { p.showSkills(); });
}
BENCHMARK(BM_ShowSkillsLargestClass);

void BM_TypeSelection(benchmark::State& state) {
  Bench(false, "", "", "").run(state, [](sheet::Planner& p) {
    p.setSelectionText(sheet::Selection::FirstClass, "Monk (Winter)");
  });
}
BENCHMARK(BM_TypeSelection);

}  // namespace

BENCHMARK_MAIN();
