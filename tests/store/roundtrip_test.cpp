// Round trips over the random runs of user events that the core tests play,
// with steps in Skill Goals between them: whatever state a run leaves, a
// file keeps all of it and a code (alone or in a link) all of it but the
// lists, which come back as multi-classing built them where the plavet kept
// its values at multi-classing, else as "Show Current Skills" builds them.
// Both keep the goals and counts that hold (sheet::withGoalsHeld).
#include <gtest/gtest.h>

#include "sheet/plangoals.h"
#include "store/code.h"
#include "store/file.h"
#include "store/utf8.h"
#include "tests/core/events.h"
#include "tests/core/referee.h"

namespace {

using namespace events;

constexpr std::uint64_t kStartValue = 0x73746f7265;  // any fixed value will do
constexpr int kRuns = 3000;

// A file holds selections as UTF-8; a window only ever types UTF-8.
sheet::State asAFileHoldsIt(sheet::State s) {
  for (std::string& text : s.selections) text = store::wellFormed(text);
  for (std::string* text : {&s.goals.firstClass, &s.goals.secondClass})
    *text = store::wellFormed(*text);  // as the plavet's selections
  return s;
}

std::string checkFile(const sheet::State& s) {
  const store::Loaded back = store::readPlavetFile(store::writePlavetFile(s));
  if (!back.state) return "the file was refused: " + back.reason;
  return differences(asAFileHoldsIt(sheet::withGoalsHeld(s)), *back.state);
}

std::string checkCode(const sheet::State& s) {
  const std::string code = store::encodeCode(s);
  const store::Loaded back = store::decodeCode(code);
  if (!back.state) return "the code was refused: " + back.reason;
  if (store::decodeCodeIn("https://plavet.example/index.html#" + code).state != back.state)
    return "the code in a link is another plavet\n";
  sheet::State got = *back.state;
  const auto values = valuesOf(got);
  const bool filled = got.started, second = got.started && got.multiClassed;
  const auto learnedFrom = second && got.valuesAtMultiClass ? *got.valuesAtMultiClass : values;
  std::string wrong;
  if (!shows(got.firstClassSkills,
             filled ? qualifying(got.selections[1], skills::Copy::FirstClass, learnedFrom)
                    : std::vector<std::string_view>{}))
    wrong += "    the first-class list is not rebuilt\n";
  if (!shows(got.secondClassSkills,
             second ? qualifying(got.selections[2], skills::Copy::SecondClass, values)
                    : std::vector<std::string_view>{}))
    wrong += "    the second-class list is not rebuilt\n";
  got.firstClassSkills = s.firstClassSkills;
  got.secondClassSkills = s.secondClassSkills;
  return wrong + differences(sheet::withGoalsHeld(s), got);
}

TEST(RoundTrips, EveryStateOfTheRandomRunsComesBack) {
  long states = 0, typed = 0, notUtf8 = 0, learned = 0, goals = 0, stale = 0, counts = 0;
  double mostPooled = 0;  // the three pools together
  for (int i = 0; i < kRuns; ++i) {
    RandomChoices choices(kStartValue + static_cast<std::uint64_t>(i));
    const std::vector<Event> run = makeRun(choices);
    RandomChoices goalChoices(kStartValue - static_cast<std::uint64_t>(i));
    MessageLog log;
    sheet::Planner planner(log);
    planner.load();
    sheet::State last = planner.state();
    for (std::size_t e = 0; e < run.size(); ++e) {
      apply(planner, run[e]);
      if (goalChoices.below(2)) planner.restore(goalStep(goalChoices, planner.state()));
      const sheet::State& s = planner.state();
      if (e > 0 && s == last) continue;  // checked already
      last = s;
      const std::string wrong = "file:\n" + checkFile(s) + "code:\n" + checkCode(s);
      ASSERT_EQ(wrong, "file:\ncode:\n")
          << "after event " << e + 1 << " of the run from " << kStartValue + i << ":\n"
          << describe(std::span(run).first(e + 1));
      ++states;
      learned += s.valuesAtMultiClass.has_value();
      goals += !sheet::goalsHeld(s).empty();
      stale += !s.goals.rows.empty() && sheet::goalsHeld(s).empty();
      counts += sheet::countsHeld(s) != sheet::boxCounts(s.bonuses);
      mostPooled = std::max(
          mostPooled, at(s, sheet::Box::mpr) + at(s, sheet::Box::ppr) + at(s, sheet::Box::epr));
      for (const std::string& text : s.selections) {
        typed += text.size() > 255;
        notUtf8 += store::firstIllFormed(text) != std::string::npos;
      }
    }
  }
  // The runs must reach what the formats find hard.
  EXPECT_GT(states, 50000) << "states that differ from the one before";
  EXPECT_GT(typed, 1000) << "long typed texts";
  EXPECT_GT(notUtf8, 1000) << "texts that are not UTF-8";
  EXPECT_GT(learned, 10000) << "plavets that kept their values at multi-classing";
  EXPECT_GT(goals, 20000) << "plavets with goals";
  EXPECT_GT(stale, 1000) << "plavets with goals of other classes";
  EXPECT_GT(counts, 10000) << "plavets with clan-town counts of their own";
  // Far below the limit a file and a code put on a pool.
  EXPECT_LT(mostPooled, 1000);
  EXPECT_GT(mostPooled, 600);
}

}  // namespace
