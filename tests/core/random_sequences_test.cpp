// Ten thousand random runs of user events against the planner, each event
// judged by the referee. Every run is made from its own start value, so a
// failing run is played again by setting PLAVET_RANDOM_START to the value
// the failure prints and PLAVET_RANDOM_RUNS to 1.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "events.h"
#include "referee.h"

namespace {

using namespace events;

constexpr std::uint64_t kStartValue = 0x706c61766574;  // any fixed value will do
constexpr long kRuns = 10000;

long fromEnvironment(const char* name, long otherwise) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtol(text, nullptr, 0) : otherwise;
}

TEST(RandomRuns, EveryEventKeepsTheRules) {
  const auto start =
      static_cast<std::uint64_t>(fromEnvironment("PLAVET_RANDOM_START", kStartValue));
  const long runs = fromEnvironment("PLAVET_RANDOM_RUNS", kRuns);
  Tally tally;
  for (long i = 0; i < runs; ++i) {
    RandomChoices choices(start + static_cast<std::uint64_t>(i));
    const std::vector<Event> run = makeRun(choices);
    const std::optional<Verdict> verdict = play(run, &tally);
    if (!verdict) continue;
    const std::vector<Event> failing(run.begin(),
                                     run.begin() + static_cast<std::ptrdiff_t>(verdict->at) + 1);
    const std::vector<Event> shortest = shortened(failing);
    FAIL() << "the run from start value " << (start + static_cast<std::uint64_t>(i))
           << " breaks a rule " << report(run, *verdict) << "the same fault in " << shortest.size()
           << " events:\n"
           << describe(shortest);
  }
  if (runs < kRuns) return;  // a replay of a few runs proves nothing about reach

  // Runs that never reach a rule prove nothing about it.
  for (std::string_view text :
       {sheet::text::kSelectFirst, sheet::text::kResetting, sheet::text::kReady,
        sheet::text::kNoPointsToTakeOut, sheet::text::kMaxedOut, sheet::text::kNoMorePoints,
        sheet::text::kBonusOver200, sheet::text::kBonusUnder0, sheet::text::kNotStartedYet,
        sheet::text::kAlreadyMultied, sheet::text::kMultied})
    EXPECT_GT(tally.messages[std::string(text)], 0) << "no run showed \"" << text << '"';
  EXPECT_GT(tally.multiClassings, runs / 10);
  EXPECT_GT(tally.fullPoolsSpent, 0) << "no run spent every point";
  EXPECT_GT(tally.events, 10 * runs);
}

// The fuzzer reads its choices from bytes: the bytes written for a random run
// must make that run again, or fuzzer inputs and random runs would be two
// different languages.
TEST(RandomRuns, RecordedChoicesReadBackAsTheSameRun) {
  for (std::uint64_t i = 0; i < 500; ++i) {
    RandomChoices random(kStartValue + i);
    const std::size_t length = EventMaker<RandomChoices>(random).length();
    RecordingChoices<RandomChoices> recording(random);
    EventMaker<RecordingChoices<RandomChoices>> maker(recording);
    std::vector<Event> run(length);
    for (std::size_t e = 0; e < run.size(); ++e) run[e] = e == 0 ? maker.first() : maker.next();
    while (maker.midway()) run.push_back(maker.next());  // the bytes hold the whole opening
    const std::vector<Event> decoded = decodeRun(recording.bytes, 100000);
    ASSERT_EQ(decoded.size(), run.size()) << "run " << i;
    for (std::size_t e = 0; e < run.size(); ++e)
      ASSERT_TRUE(decoded[e] == run[e]) << "run " << i << " event " << e << ": wanted "
                                        << describe(run[e]) << ", got " << describe(decoded[e]);
  }
}

// The referee itself must see a fault when there is one.
class RefereeTest : public ::testing::Test {
 protected:
  RefereeTest() {
    planner.load();
    for (auto [s, text] : {std::pair{sheet::Selection::Race, "Dwarf"},
                           {sheet::Selection::FirstClass, "Druid"},
                           {sheet::Selection::SecondClass, "Warrior"}})
      planner.setSelectionText(s, text);
    planner.startReset();
    referee.judge(sheet::State{}, StartReset{}, planner.state(), {});
    before = planner.state();
  }
  // Plays `event`, then spoils the state after it as a faulty rule would.
  std::string judgeSpoilt(const Event& event, auto&& spoil) {
    log.shown.clear();
    apply(planner, event);
    sheet::State after = planner.state();
    spoil(after);
    return referee.judge(before, event, after, log.shown);
  }

  MessageLog log;
  sheet::Planner planner{log};
  Referee referee;
  sheet::State before;
};

TEST_F(RefereeTest, PassesWhatTheRulesDo) {
  const Event raise = Press{skills::Value::MFire, sheet::Direction::Raise, sheet::kRightButton};
  EXPECT_EQ(judgeSpoilt(raise, [](sheet::State&) {}), "");
}

TEST_F(RefereeTest, SeesAPointMadeFromNothing) {
  const Event raise = Press{skills::Value::MFire, sheet::Direction::Raise, sheet::kLeftButton};
  const std::string wrong =
      judgeSpoilt(raise, [](sheet::State& s) { at(s, sheet::Box::mpr) += 1; });
  EXPECT_NE(wrong.find("points"), std::string::npos) << wrong;
}

TEST_F(RefereeTest, SeesADValueOffByItsLastDigit) {
  const Event raise = Press{skills::Value::PFire, sheet::Direction::Raise, sheet::kLeftButton};
  const std::string wrong = judgeSpoilt(raise, [](sheet::State& s) {
    at(s, sheet::Box::df) = sheet::written(at(s, sheet::Box::df) + 1e-13);
  });
  EXPECT_NE(wrong.find("its formula gives"), std::string::npos) << wrong;
}

TEST_F(RefereeTest, SeesARefusalThatChangesSomething) {
  const Event lower = Press{skills::Value::MWater, sheet::Direction::Lower, sheet::kLeftButton};
  const std::string wrong = judgeSpoilt(lower, [](sheet::State& s) { s.spells[0] = true; });
  EXPECT_NE(wrong.find("Bless: wanted false, got true"), std::string::npos) << wrong;
}

TEST_F(RefereeTest, SeesAValueOverTheCeiling) {
  const std::string wrong = judgeSpoilt(ShowSkills{}, [](sheet::State& s) { s.boxes[3] = 201; });
  EXPECT_NE(wrong.find("txtma is 201, outside 0 to 200"), std::string::npos) << wrong;
}

TEST_F(RefereeTest, SeesASkillListThatIsNotTheCatalogues) {
  const std::string wrong =
      judgeSpoilt(ShowSkills{}, [](sheet::State& s) { s.firstClassSkills.clear(); });
  EXPECT_NE(wrong.find("first-class list is not"), std::string::npos) << wrong;
}

TEST_F(RefereeTest, SeesAMissingMessage) {
  const Event lower = Press{skills::Value::MWater, sheet::Direction::Lower, sheet::kRightButton};
  log.shown.clear();
  apply(planner, lower);
  const std::string wrong = referee.judge(before, lower, planner.state(), {});
  EXPECT_NE(wrong.find("messages: wanted"), std::string::npos) << wrong;
}

}  // namespace
