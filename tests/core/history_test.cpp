// The undo history: undoing any user action puts back the plavet before it,
// redoing the plavet after it; typing on in one selection box is one step.
#include "history/history.h"

#include <gtest/gtest.h>

#include "events.h"

namespace {

using history::History;
using sheet::State;

class Silent : public sheet::MessageSink {
 public:
  void show(std::string_view, std::string_view) override {}
};

// A plavet that differs from `s` in the race text only.
State withRace(State s, std::string race) {
  s.selections[0] = std::move(race);
  return s;
}

// After every event of many random runs, and every step in Skill Goals
// between them, undo gives back the plavet before it and redo the one after; at the end of a run,
// undoing every step leads back to the plavet at load and redoing all of them to the last one.
TEST(History, UndoAndRedoOfAnyEventOfRandomRuns) {
  constexpr std::uint64_t kStartValue = 0x756e646f;  // any fixed value will do
  for (std::uint64_t number = 0; number < 2000; ++number) {
    events::RandomChoices choices(kStartValue + number);
    const std::vector<events::Event> run = events::makeRun(choices);
    Silent silent;
    sheet::Planner planner(silent);
    planner.load();
    const State atLoad = planner.state();
    History h;
    events::RandomChoices goalChoices(~(kStartValue + number));
    for (const events::Event& event : run) {
      const State before = planner.state();
      // Now and then a step in Skill Goals instead, which keeps its goals
      // in the plavet.
      const bool goalStep = goalChoices.below(3) == 0;
      if (goalStep)
        planner.restore(events::goalStep(goalChoices, before));
      else
        events::apply(planner, event);
      const State after = planner.state();
      h.record("step", before, after, !goalStep && event.index() == 0 ? 1 : History::kNoMerge);
      if (before == after) continue;
      ASSERT_TRUE(h.undo() == before) << "run " << number << ": " << events::describe(event);
      ASSERT_TRUE(h.redo() == after) << "run " << number << ": " << events::describe(event);
      ASSERT_FALSE(h.canRedo());
    }
    const State last = planner.state();
    State at = last;
    while (h.canUndo()) at = h.undo();
    ASSERT_TRUE(at == atLoad || h.size() == History::kMaxSteps) << "run " << number;
    while (h.canRedo()) at = h.redo();
    ASSERT_TRUE(at == last) << "run " << number;
  }
}

// Each case records a few actions as (merge key, race text after it; the
// empty text is "no change") and says how many steps the history then holds
// and what one undo gives back.
struct MergeCase {
  const char* what;
  std::vector<std::pair<int, std::string>> actions;
  std::size_t steps;
  std::string afterOneUndo;
};

TEST(History, TypingInOneBoxIsOneStepUntilAnotherControlIsUsed) {
  const std::vector<MergeCase> cases = {
      {"typing on merges", {{1, "D"}, {1, "Dw"}, {1, "Dwarf"}}, 1, ""},
      {"another box is another step", {{1, "D"}, {2, "Dx"}, {2, "Dxy"}}, 2, "D"},
      {"an action between ends the typing", {{1, "D"}, {0, "DD"}, {1, "DDx"}}, 3, "DD"},
      {"an action that changes nothing ends it too", {{1, "D"}, {0, "="}, {1, "Dx"}}, 2, "D"},
      {"typing back to the start leaves no step", {{1, "D"}, {1, "!"}}, 0, ""},
  };
  for (const MergeCase& c : cases) {
    History h;
    State now;
    for (const auto& [key, text] : c.actions) {
      State next = text == "=" ? now : withRace(now, text == "!" ? "" : text);
      h.record("type", now, next, key);
      now = next;
    }
    EXPECT_EQ(h.size(), c.steps) << c.what;
    if (h.canUndo()) {
      EXPECT_EQ(h.undo().selections[0], c.afterOneUndo) << c.what;
    }
  }
}

TEST(History, CleanFollowsTheStepsAndTheFile) {
  History h;
  const State a, b = withRace(a, "b"), c = withRace(a, "c");
  EXPECT_TRUE(h.isClean());
  h.record("b", a, b);
  EXPECT_FALSE(h.isClean());
  h.markClean();  // saved at b
  h.record("c", b, c);
  EXPECT_FALSE(h.isClean());
  h.undo();
  EXPECT_TRUE(h.isClean());
  EXPECT_EQ(h.redoName(), "c");
  h.undo();  // before the saved plavet: changed
  EXPECT_FALSE(h.isClean());
  h.record("c", a, c);  // the saved plavet can no longer be reached
  EXPECT_FALSE(h.canRedo());
  h.undo();
  EXPECT_FALSE(h.isClean());
  h.clear();
  EXPECT_TRUE(h.isClean());
  EXPECT_FALSE(h.canUndo());
}

TEST(History, ForgetsTheOldestStepsBeyondItsLimit) {
  History h;
  State now;
  for (std::size_t i = 0; i < History::kMaxSteps + 5; ++i) {
    State next = withRace(now, std::to_string(i));
    h.record(std::to_string(i), now, next);
    now = next;
  }
  EXPECT_EQ(h.size(), History::kMaxSteps);
  while (h.canUndo()) now = h.undo();
  EXPECT_EQ(now.selections[0], "4");  // the step from "4" to "5" is the oldest kept
  EXPECT_FALSE(h.isClean());          // the plavet at load is gone from the history
}

}  // namespace
