// Comparisons over the random runs of user events: a plavet against itself
// and its own file, against a copy with one field changed, and against the
// plavets further presses make of it, whose presses must lead there.
#include <gtest/gtest.h>

#include "compare/compare.h"
#include "store/file.h"
#include "store/utf8.h"
#include "tests/core/events.h"
#include "tests/core/referee.h"

namespace {

using namespace events;

constexpr std::uint64_t kStartValue = 0x636f6d70;  // any fixed value will do
constexpr int kRuns = 600;

sheet::State afterRun(std::vector<Event>& run, RandomChoices& choices) {
  run = makeRun(choices);
  MessageLog log;
  sheet::Planner planner(log);
  planner.load();
  for (const Event& e : run) apply(planner, e);
  return planner.state();
}

// More presses and clicks on a plavet, none that starts, resets or multi-classes it.
sheet::State pressedOn(const sheet::State& s, RandomChoices& choices) {
  MessageLog log;
  sheet::Planner planner(log);
  planner.restore(s);
  EventMaker<RandomChoices> maker(choices);
  for (unsigned n = choices.below(40); n > 0; --n) {
    const Event e = maker.next();
    if (!std::holds_alternative<StartReset>(e) && !std::holds_alternative<MultiClass>(e))
      apply(planner, e);
  }
  return planner.state();
}

int differing(const std::vector<compare::Row>& rows) {
  int n = 0;
  for (const compare::Row& r : rows) n += r.differs();
  return n;
}

// Changes the field that row `row` shows, so that it reads otherwise.
void changeField(sheet::State& s, int row) {
  if (row < 3) {
    s.selections[row] += "x";
  } else if (row == 3) {
    s.multiClassed = !s.multiClassed;
  } else if (row < 22) {
    double& v = s.boxes[row - 4];
    v = v >= 100 ? v - 7 : v + 7;
  } else if (row < 25) {
    s.spells[row - 22] = !s.spells[row - 22];
  } else {
    s.bonuses[row - 25] = !s.bonuses[row - 25];
  }
}

TEST(Compare, APlavetAgainstItselfOrItsOwnFileDiffersNowhere) {
  for (int i = 0; i < kRuns; ++i) {
    RandomChoices choices(kStartValue + i);
    std::vector<Event> run;
    sheet::State s = afterRun(run, choices);
    for (std::string& text : s.selections) text = store::wellFormed(text);  // as a window types
    const store::Loaded file = store::readPlavetFile(store::writePlavetFile(s));
    ASSERT_TRUE(file.state) << file.reason;
    const compare::Plavet base{"here", s};
    const compare::Plavet others[] = {{"itself", s}, {"its file", *file.state}};
    const compare::Comparison c = compare::compareWith(base, others);
    ASSERT_EQ(c.rows.size(), static_cast<std::size_t>(compare::kRowCount));
    for (const compare::Against& a : c.compared) {
      EXPECT_EQ(a.differences, 0) << a.name << "\n" << describe(run);
      EXPECT_TRUE(a.presses.possible() && a.presses.steps.empty()) << a.presses.whyNot;
      for (const compare::Skills& k : a.skills)
        EXPECT_TRUE(k.onlyBase.empty() && k.onlyCompared.empty());
    }
  }
}

TEST(Compare, OneFieldChangedIsThatRowAlone) {
  for (int i = 0; i < kRuns; ++i) {
    RandomChoices choices(kStartValue + i);
    std::vector<Event> run;
    const sheet::State s = afterRun(run, choices);
    const int row = static_cast<int>(choices.below(compare::kRowCount));
    sheet::State other = s;
    changeField(other, row);
    const sheet::State compared[] = {other};
    const auto rows = compare::rowsOf(s, compared);
    ASSERT_EQ(differing(rows), 1) << "row " << row;
    EXPECT_TRUE(rows[row].differs()) << rows[row].name;
    const auto& cell = rows[row].compared[0];
    if (rows[row].kind == compare::Kind::Number) {
      EXPECT_EQ(cell.mark == compare::Mark::More, cell.difference[0] == '+') << cell.difference;
    }
  }
}

// Played from the base, the presses give the compared plavet: the same
// values, pools, boxes and, after Show Current Skills, the same lists.
TEST(Compare, ThePressesLeadToTheComparedPlavetWheneverTheyCan) {
  int possible = 0, withSteps = 0, related = 0;
  for (int i = 0; i < kRuns; ++i) {
    RandomChoices choices(kStartValue + i);
    std::vector<Event> run, otherRun;
    const sheet::State base = afterRun(run, choices);
    const bool relative = choices.below(4) != 0;
    const sheet::State target = relative ? pressedOn(base, choices) : afterRun(otherRun, choices);
    const compare::Presses p = compare::presses(base, target);
    related += relative && base.started;
    if (!p.possible()) {
      EXPECT_FALSE(p.whyNot.empty());
      continue;
    }
    ++possible;
    withSteps += !p.steps.empty();
    MessageLog log;
    sheet::Planner planner(log), wanted(log);
    planner.restore(base);
    compare::play(p.steps, planner);
    wanted.restore(target);
    planner.showSkills();
    wanted.showSkills();
    sheet::State got = planner.state();
    std::string steps;
    for (const compare::Step& s : p.steps) steps += "  " + s.words() + "\n";
    ASSERT_EQ(differences(wanted.state(), got), "") << steps << describe(run);
  }
  // Most plavets pressed on from a started one are reached again.
  EXPECT_GT(withSteps, related * 3 / 4) << possible << " possible of " << kRuns;
}

TEST(Compare, WhyNotTellsTheRaceAndTheStart) {
  MessageLog log;
  sheet::Planner a(log), b(log);
  for (sheet::Planner* p : {&a, &b}) {
    p->setSelectionText(sheet::Selection::FirstClass, "Druid");
    p->setSelectionText(sheet::Selection::SecondClass, "Bard");
  }
  a.setSelectionText(sheet::Selection::Race, "Elf");
  b.setSelectionText(sheet::Selection::Race, "Dwarf");
  EXPECT_EQ(compare::presses(a.state(), b.state()).whyNot,
            "the compared plavet is a Dwarf: a race is chosen only when a plavet starts");
  b.setSelectionText(sheet::Selection::Race, "Elf");
  b.startReset();
  EXPECT_EQ(compare::presses(a.state(), b.state()).whyNot,
            "this plavet is not started: presses change nothing before Start/Reset Plavet");
}

TEST(Compare, WordsAndSpokenRows) {
  compare::Step s{compare::Step::Kind::Press, skills::Value::MFire, sheet::Direction::Raise, 1, 5};
  EXPECT_EQ(s.words(), "Raise M Fire by 15: 1 right, 5 left presses");
  MessageLog log;
  sheet::Planner a(log);
  a.setSelectionText(sheet::Selection::Race, "Human");
  a.setSelectionText(sheet::Selection::FirstClass, "Druid");
  a.setSelectionText(sheet::Selection::SecondClass, "Bard");
  a.startReset();
  sheet::State b = a.state();
  b.boxes[0] += 5;
  b.boxes[static_cast<int>(sheet::Box::df)] += 5.0 / 3;
  const sheet::State compared[] = {b};
  const auto rows = compare::rowsOf(a.state(), compared);
  const std::string names[] = {"x"};
  EXPECT_EQ(compare::spoken(rows[4], names), "M Fire: 5 here, 10 there, 5 less");
  EXPECT_EQ(rows[14].compared[0].difference, "+1.67");
}

}  // namespace
