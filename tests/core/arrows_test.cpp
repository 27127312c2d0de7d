// The twenty arrow buttons, each case played on all ten values.
#include "sheet/messages.h"
#include "support.h"

namespace {

using namespace testing_support;
namespace text = sheet::text;
using sheet::Direction;
constexpr auto Raise = Direction::Raise;
constexpr auto Lower = Direction::Lower;
constexpr std::int16_t L = sheet::kLeftButton, R = sheet::kRightButton, M = sheet::kMiddleButton;
constexpr double kUntouched = 77;  // the other kind's pool
constexpr double kStaleD = 999;    // a D value that only delement overwrites

struct Press {
  const char* name;
  Direction direction;
  std::int16_t button;
  double e, k, x;     // before: the value, its kind pool, the Either pool
  double e2, k2, x2;  // after
  std::string_view message = {};
  std::string_view title = {};
  bool recomputes = true;  // whether delement ran

  friend std::ostream& operator<<(std::ostream& os, const Press& c) { return os << c.name; }
};

const Press kPresses[] = {
    {"LowerLeftTakesOneBackToTheKindPool", Lower, L, 3, 5, 6, 2, 6, 6},
    {"LowerLeftAtZeroRefuses", Lower, L, 0, 5, 6, 0, 5, 6, text::kNoPointsToTakeOut, text::kOops},
    {"LowerRightTakesTenBack", Lower, R, 25, 0, 30, 15, 10, 30},
    {"LowerRightAtTenEmptiesTheValue", Lower, R, 10, 1, 0, 0, 11, 0},
    {"LowerRightBelowTenTakesNothing", Lower, R, 7, 5, 6, 7, 5, 6, text::kNoPointsToTakeOut,
     text::kOops},
    {"LowerLeftAtTwoHundred", Lower, L, 200, 0, 0, 199, 1, 0},
    {"RaiseLeftFromTheKindPool", Raise, L, 10, 3, 50, 11, 2, 50},
    {"RaiseLeftFromEitherWhileKindIsEmpty", Raise, L, 10, 0, 1, 11, 0, 0},
    {"RaiseLeftWithNoPointsRefuses", Raise, L, 10, 0, 0, 10, 0, 0, text::kNoMorePoints,
     text::kUhOh},
    {"RaiseLeftTo200", Raise, L, 199, 1, 0, 200, 0, 0},
    {"RaiseLeftAt200IsMaxedOut", Raise, L, 200, 5, 5, 200, 5, 5, text::kMaxedOut, text::kOops,
     false},
    {"RaiseRightFromTheKindPoolOnly", Raise, R, 10, 25, 40, 20, 15, 40},
    {"RaiseRightFromEither", Raise, R, 10, 0, 12, 20, 0, 2},
    {"RaiseRightMovesTheRemainderFirst", Raise, R, 10, 4, 9, 20, 0, 3},
    {"RaiseRightRemainderStaysWhenRefused", Raise, R, 10, 4, 3, 10, 0, 7, text::kNoMorePoints,
     text::kUhOh},
    {"RaiseRightWithNineEitherRefuses", Raise, R, 10, 0, 9, 10, 0, 9, text::kNoMorePoints,
     text::kUhOh},
    {"RaiseRightRemainderMakesTen", Raise, R, 10, 9, 1, 20, 0, 0},
    {"RaiseRightExactlyTenInTheKindPool", Raise, R, 10, 10, 0, 20, 0, 0},
    {"RaiseRightAt190Reaches200", Raise, R, 190, 50, 0, 200, 40, 0},
    {"RaiseRightAt191IsMaxedOut", Raise, R, 191, 50, 0, 191, 50, 0, text::kMaxedOut, text::kOops,
     false},
    {"RaiseRightAt195IsMaxedOutBeforeTheRemainder", Raise, R, 195, 4, 0, 195, 4, 0, text::kMaxedOut,
     text::kOops, false},
    {"MiddleRaiseChangesNothing", Raise, M, 10, 5, 5, 10, 5, 5},
    {"MiddleLowerChangesNothing", Lower, M, 10, 5, 5, 10, 5, 5},
    {"UnknownButtonChangesNothing", Raise, 3, 10, 5, 5, 10, 5, 5},
};

class Arrows : public PlannerTest, public ::testing::WithParamInterface<Press> {};

TEST_P(Arrows, PlayOnEveryValue) {
  const Press& p = GetParam();
  start("Human", "Bard", "Bard");
  for (int v = 0; v < skills::kValueCount; ++v) {
    SCOPED_TRACE("value " + std::to_string(v));
    const Box value = Box(v);
    const bool magic = v < skills::kElementCount;
    const Box kind = magic ? Box::mpr : Box::ppr;
    const Box other = magic ? Box::ppr : Box::mpr;
    const Box d = sheet::dBox(v % skills::kElementCount);
    put({{value, p.e}, {kind, p.k}, {Box::epr, p.x}, {other, kUntouched}, {d, kStaleD}});
    messages().clear();

    planner.pressArrow(skills::Value(v), p.direction, p.button);

    EXPECT_EQ(at(value), p.e2);
    EXPECT_EQ(at(kind), p.k2);
    EXPECT_EQ(at(Box::epr), p.x2);
    EXPECT_EQ(at(other), kUntouched);
    if (p.message.empty())
      EXPECT_TRUE(messages().empty());
    else
      EXPECT_EQ(messages(), std::vector{msg(p.message, p.title)});
    EXPECT_EQ(at(d) != kStaleD, p.recomputes);
    put({{value, 5}});  // back to the Human start for the next value
  }
}

INSTANTIATE_TEST_SUITE_P(Rules, Arrows, ::testing::ValuesIn(kPresses),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlannerTest, PointsBoughtWithEitherComeBackToTheKindPool) {
  start("Dwarf", "Warrior", "Druid");
  put({{Box::mpr, 0}, {Box::epr, 20}});
  planner.pressArrow(V::MWater, Raise, R);
  EXPECT_EQ(at(Box::epr), 10);
  planner.pressArrow(V::MWater, Lower, R);
  EXPECT_EQ(at(Box::mw), 0);
  EXPECT_EQ(at(Box::mpr), 10);
  EXPECT_EQ(at(Box::epr), 10);
}

TEST_F(PlannerTest, ARightPressOnTheRoadOfATypicalUse) {
  start("Dwarf", "Druid", "Warrior");
  planner.pressArrow(V::MFire, Raise, R);
  EXPECT_EQ(at(Box::mf), 25);
  EXPECT_EQ(at(Box::mpr), 290);
  EXPECT_EQ(text(Box::df), "18.3333333333333");
}

TEST_F(PlannerTest, BeforeAStartArrowsRunTheGuardAndDelementOnly) {
  for (auto [race, expected] : {std::pair{"Dwarf", 0}, std::pair{"", 1}}) {
    choose(race, "Druid", "Warrior");
    for (int v = 0; v < skills::kValueCount; ++v) {
      for (auto [direction, button] : {std::pair{Raise, L}, std::pair{Lower, R}}) {
        put({{sheet::dBox(0), kStaleD}});
        const sheet::State before = planner.state();
        messages().clear();
        planner.pressArrow(skills::Value(v), direction, button);
        EXPECT_EQ(messages().size(), size_t(expected));
        EXPECT_EQ(at(sheet::dBox(0)), 0);  // recomputed
        sheet::State after = planner.state();
        after.boxes[int(sheet::dBox(0))] = kStaleD;
        EXPECT_EQ(after, before);
      }
    }
  }
}

TEST_F(PlannerTest, TheGuardSpeaksFirstAndThePressStillCounts) {
  start("Dwarf", "Druid", "Warrior");
  sheet::State s = planner.state();
  s.selections[2].clear();  // as if the second class had gone missing
  planner.restore(s);
  planner.pressArrow(V::PFire, Raise, L);
  EXPECT_EQ(messages(), std::vector{msg(text::kSelectFirst, text::kProgramTitle)});
  EXPECT_EQ(messages()[0].shownOver.boxes[int(Box::pf)], 15);  // before the change
  EXPECT_EQ(at(Box::pf), 16);
}

}  // namespace
