// What must hold after every event a user can cause. The referee works out,
// from the state before an event, what the rules make of it (the state after
// and the messages shown), and then checks the invariants that hold whatever
// happened: values within their limits, every box a number, D values equal
// to their formula, points neither made nor lost. Shared by the random-run
// test and the fuzzer, so it needs nothing but the core.
#pragma once

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "events.h"
#include "sheet/messages.h"
#include "sheet/numbers.h"
#include "sheet/planner.h"
#include "sheet/tables.h"
#include "skills/catalogue.h"

namespace events {

struct Shown {
  std::string text, title;
  bool operator==(const Shown&) const = default;
};

class MessageLog : public sheet::MessageSink {
 public:
  void show(std::string_view text, std::string_view title) override {
    shown.push_back({std::string(text), std::string(title)});
  }
  std::vector<Shown> shown;
};

// ---- The rules' arithmetic, restated ---------------------------------------

inline double& at(sheet::State& s, sheet::Box b) {
  return s.boxes[static_cast<int>(b)];
}
inline double at(const sheet::State& s, sheet::Box b) {
  return s.boxes[static_cast<int>(b)];
}
inline sheet::Box mBox(int element) {
  return sheet::boxOf(skills::magicValue(element));
}
inline sheet::Box pBox(int element) {
  return sheet::boxOf(skills::physicalValue(element));
}

// One D value, each step written into the box and read back before the next.
inline double dValue(double m, double p, const std::array<bool, 3>& spells) {
  auto on = [&](sheet::Spell s) { return spells[static_cast<int>(s)]; };
  double d = sheet::written(p * (2.0 / 3.0) + m * (1.0 / 3.0));
  if (on(sheet::Spell::Endure)) d = sheet::written(d + std::min(d * 0.25, 25.0));
  if (on(sheet::Spell::Shield)) d = sheet::written(d + 10);
  if (on(sheet::Spell::Bless)) d = sheet::written(d + 10);
  return d;
}

inline void recomputeD(sheet::State& s) {
  for (int e = 0; e < skills::kElementCount; ++e)
    at(s, sheet::dBox(e)) = dValue(at(s, mBox(e)), at(s, pBox(e)), s.spells);
}

inline skills::ElementValues valuesOf(const sheet::State& s) {
  skills::ElementValues v{};
  for (int i = 0; i < skills::kValueCount; ++i) v[i] = s.boxes[i];
  return v;
}

// What a freshly filled skill list shows: every row of the class that the
// values qualify for, in ascending order.
inline std::vector<std::string_view> qualifying(std::string_view className, skills::Copy copy,
                                                const skills::ElementValues& values) {
  std::vector<std::string_view> texts;
  for (const skills::SkillRow& row : skills::rowsOf(className, copy))
    if (row.qualifies(values)) texts.push_back(row.text);
  std::sort(texts.begin(), texts.end());
  return texts;
}

inline bool shows(const skills::SkillList& list, const std::vector<std::string_view>& texts) {
  return std::equal(list.items().begin(), list.items().end(), texts.begin(), texts.end());
}

// Every point on the sheet: the ten values and the three pools, less the
// points that checked clan-town boxes put there.
inline double pointsOnSheet(const sheet::State& s) {
  double sum = 0;
  for (int i = 0; i < skills::kValueCount; ++i) sum += s.boxes[i];
  for (sheet::Box pool : {sheet::Box::mpr, sheet::Box::ppr, sheet::Box::epr}) sum += at(s, pool);
  for (bool checked : s.bonuses) sum -= checked ? 25 : 0;
  return sum;
}

// What a start hands out for the plavet's race and first class.
inline double startingPoints(const sheet::State& s) {
  double points = 0;
  if (const sheet::RaceBonus* race = sheet::findRace(s.selections[0]))
    points += 2 * race->bonus * std::count(race->elements.begin(), race->elements.end(), true);
  if (sheet::findClass(sheet::kStartingPools, s.selections[1])) points += 600;
  return points;
}

// ---- Writing states down ---------------------------------------------------

inline std::string boxName(int box) {
  constexpr std::string_view kNames[sheet::kBoxCount] = {
      "txtmf", "txtme", "txtmw", "txtma", "txtms", "txtpf", "txtpe",  "txtpw",  "txtpa",
      "txtps", "txtdf", "txtde", "txtdw", "txtda", "txtds", "txtmpr", "txtppr", "txtepr"};
  return std::string(kNames[box]);
}

inline std::string listText(std::span<const std::string_view> items) {
  std::string out = "[";
  for (std::string_view item : items) out += (out.size() > 1 ? ", " : "") + escaped(item);
  return out + "]";
}

// The fields in which two states differ, as "field: wanted ... got ...".
inline std::string goalsText(const sheet::Goals& g) {
  std::string out = "[" + escaped(g.firstClass) + "/" + escaped(g.secondClass);
  for (const sheet::Goal& goal : g.rows)
    out += (goal.copy == skills::Copy::FirstClass ? " 1:" : " 2:") + std::to_string(goal.row);
  if (g.counts)
    out += " counts " + std::to_string(g.counts->counts.magic) + "/" +
           std::to_string(g.counts->counts.physical);
  return out + "]";
}

inline std::string differences(const sheet::State& want, const sheet::State& got) {
  std::string out;
  auto line = [&](const std::string& field, const std::string& w, const std::string& g) {
    out += "    " + field + ": wanted " + w + ", got " + g + "\n";
  };
  auto yesNo = [](bool b) { return std::string(b ? "true" : "false"); };
  for (int b = 0; b < sheet::kBoxCount; ++b)
    if (want.boxes[b] != got.boxes[b])
      line(boxName(b), sheet::formatNumber(want.boxes[b]), sheet::formatNumber(got.boxes[b]));
  for (int s = 0; s < 3; ++s)
    if (want.selections[s] != got.selections[s])
      line(std::string(nameOf(sheet::Selection(s))), escaped(want.selections[s]),
           escaped(got.selections[s]));
  if (want.selectionsLocked != got.selectionsLocked)
    line("locked", yesNo(want.selectionsLocked), yesNo(got.selectionsLocked));
  for (int s = 0; s < 3; ++s)
    if (want.spells[s] != got.spells[s])
      line(std::string(nameOf(sheet::Spell(s))), yesNo(want.spells[s]), yesNo(got.spells[s]));
  for (int b = 0; b < 4; ++b)
    if (want.bonuses[b] != got.bonuses[b])
      line(std::string(nameOf(sheet::Bonus(b))), yesNo(want.bonuses[b]), yesNo(got.bonuses[b]));
  if (!(want.firstClassSkills == got.firstClassSkills))
    line("first-class list", listText(want.firstClassSkills.items()),
         listText(got.firstClassSkills.items()));
  if (!(want.secondClassSkills == got.secondClassSkills))
    line("second-class list", listText(want.secondClassSkills.items()),
         listText(got.secondClassSkills.items()));
  if (want.started != got.started) line("started", yesNo(want.started), yesNo(got.started));
  if (want.startResetToggle != got.startResetToggle)
    line("Start/Reset toggle", yesNo(want.startResetToggle), yesNo(got.startResetToggle));
  if (want.multiClassed != got.multiClassed)
    line("multi-classed", yesNo(want.multiClassed), yesNo(got.multiClassed));
  if (want.valuesAtMultiClass != got.valuesAtMultiClass)
    line("values at multi-classing", want.valuesAtMultiClass ? "kept" : "none",
         got.valuesAtMultiClass ? "kept" : "none");
  if (want.goals != got.goals) line("goals", goalsText(want.goals), goalsText(got.goals));
  return out;
}

inline std::string messagesText(const std::vector<Shown>& shown) {
  std::string out = "[";
  for (const Shown& m : shown)
    out += (out.size() > 1 ? ", " : "") + escaped(m.text) + " titled " + escaped(m.title);
  return out + "]";
}

// ---- The referee -------------------------------------------------------------

// Counts what the runs went through, to show that they reach every rule.
struct Tally {
  std::map<std::string, long> messages;  // by text
  long events = 0;
  long multiClassings = 0;
  long fullPoolsSpent = 0;  // events after which all three pools stood at 0
};

class Referee {
 public:
  // What is wrong after `event` took the planner from `before` to `after`
  // while it showed `shown`; empty when nothing is.
  std::string judge(const sheet::State& before, const Event& event, const sheet::State& after,
                    const std::vector<Shown>& shown) {
    Outcome want = expect(before, event);
    std::string wrong;
    if (want.firstList && !shows(after.firstClassSkills, *want.firstList))
      wrong += "  the first-class list is not the catalogue's qualifying rows: wanted " +
               listText(*want.firstList) + ", got " + listText(after.firstClassSkills.items()) +
               "\n";
    if (want.secondList && !shows(after.secondClassSkills, *want.secondList))
      wrong += "  the second-class list is not the catalogue's qualifying rows: wanted " +
               listText(*want.secondList) + ", got " + listText(after.secondClassSkills.items()) +
               "\n";
    // Lists the rules refill are checked above; every other field must be
    // exactly what the rules make of the state before.
    if (want.firstList) want.state.firstClassSkills = after.firstClassSkills;
    if (want.secondList) want.state.secondClassSkills = after.secondClassSkills;
    if (!(want.state == after))
      wrong += "  the state is not what the rules make of it:\n" + differences(want.state, after);
    if (shown != want.messages)
      wrong += "  messages: wanted " + messagesText(want.messages) + ", got " +
               messagesText(shown) + "\n";
    return wrong + watch(before, after);
  }

  // Only the invariants, for a run whose events are not known one by one
  // (a window driven through its controls): what is wrong with `after`.
  std::string watch(const sheet::State& before, const sheet::State& after) {
    if (!before.multiClassed && after.multiClassed) ledger_ = pointsOnSheet(after);
    return invariants(after);
  }

  // What holds after any event, whatever the rules did.
  std::string invariants(const sheet::State& s) const {
    std::string wrong;
    auto fail = [&](const std::string& what) { wrong += "  " + what + "\n"; };
    for (int b = 0; b < sheet::kBoxCount; ++b) {
      const double v = s.boxes[b];
      const std::string text = sheet::formatNumber(v);
      double read = 0;
      const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), read);
      if (ec != std::errc() || end != text.data() + text.size() || read != v)
        fail(boxName(b) + " shows \"" + text + "\", which does not read back as its value");
      const bool whole = b < skills::kValueCount || b > static_cast<int>(sheet::Box::ds);
      if (whole && text.find_first_not_of("0123456789") != std::string::npos)
        fail(boxName(b) + " shows \"" + text + "\", not a whole number of 0 or more");
      if (b < skills::kValueCount && !(v >= 0 && v <= sheet::kMaxValue))
        fail(boxName(b) + " is " + text + ", outside 0 to 200");
      if (whole && !(v >= 0)) fail(boxName(b) + " is " + text + ", below 0");
    }
    for (int e = 0; e < skills::kElementCount; ++e) {
      const double d = dValue(at(s, mBox(e)), at(s, pBox(e)), s.spells);
      if (at(s, sheet::dBox(e)) != d)
        fail(boxName(static_cast<int>(sheet::dBox(e))) + " is " +
             sheet::formatNumber(at(s, sheet::dBox(e))) + ", its formula gives " +
             sheet::formatNumber(d));
    }
    if (s.startResetToggle != s.started) fail("the Start/Reset toggle differs from started");
    if (s.started) {
      if (!s.selectionsLocked) fail("started, but the selections are not locked");
      for (const std::string& text : s.selections)
        if (text.empty()) fail("started with an empty selection");
      const double points = pointsOnSheet(s);
      if (!s.multiClassed && points != startingPoints(s))
        fail("the sheet holds " + sheet::formatNumber(points) + " points, the start gave " +
             sheet::formatNumber(startingPoints(s)));
      if (s.multiClassed && points != ledger_)
        fail("the sheet holds " + sheet::formatNumber(points) + " points, multi-classing left " +
             sheet::formatNumber(ledger_));
    } else {
      if (s.selectionsLocked) fail("not started, but the selections are locked");
      if (s.multiClassed) fail("multi-classed without a plavet");
      for (int b = 0; b < sheet::kBoxCount; ++b)
        if (b < skills::kValueCount || b > static_cast<int>(sheet::Box::ds))
          if (s.boxes[b] != 0) fail("not started, but " + boxName(b) + " is not 0");
      for (bool checked : s.bonuses)
        if (checked) fail("not started, but a clan-town box is checked");
      if (!s.firstClassSkills.empty() || !s.secondClassSkills.empty())
        fail("not started, but a skill list is filled");
    }
    return wrong;
  }

 private:
  struct Outcome {
    sheet::State state;
    std::vector<Shown> messages;
    std::optional<std::vector<std::string_view>> firstList, secondList;  // refilled lists
  };

  static void say(Outcome& o, std::string_view text, std::string_view title) {
    o.messages.push_back({std::string(text), std::string(title)});
  }
  static bool anyEmpty(const sheet::State& s) {
    return std::any_of(s.selections.begin(), s.selections.end(),
                       [](const std::string& t) { return t.empty(); });
  }

  Outcome expect(const sheet::State& before, const Event& event) const {
    Outcome o{before, {}, {}, {}};
    std::visit(Overload{
                   [&](const Type& e) {
                     if (!before.selectionsLocked)
                       o.state.selections[static_cast<int>(e.selection)] = e.text;
                   },
                   [&](const StartReset&) { startReset(o); },
                   [&](const MultiClass&) { multiClass(o); },
                   [&](const ShowSkills&) { showSkills(o); },
                   [&](const Press& e) { press(o, e); },
                   [&](const ClickSpell& e) {
                     bool& box = o.state.spells[static_cast<int>(e.spell)];
                     box = o.state.started && !box;  // cannot be checked before a start
                   },
                   [&](const ClickBonus& e) { clickBonus(o, e); },
               },
               event);
    recomputeD(o.state);
    return o;
  }

  static void startReset(Outcome& o) {
    sheet::State& s = o.state;
    if (anyEmpty(s)) {
      say(o, sheet::text::kSelectFirst, sheet::text::kProgramTitle);
      return;
    }
    for (int i = 0; i < skills::kValueCount; ++i) s.boxes[i] = 0;
    for (sheet::Box pool : {sheet::Box::mpr, sheet::Box::ppr, sheet::Box::epr}) at(s, pool) = 0;
    s.firstClassSkills.clear();
    s.secondClassSkills.clear();
    s.valuesAtMultiClass.reset();  // a reset forgets it, a start has none yet
    if (s.startResetToggle) {
      say(o, sheet::text::kResetting, sheet::text::kYay);
      s.selections = {};
      s.selectionsLocked = false;
      s.bonuses = {};  // their bonuses went with the values
      s.started = s.startResetToggle = s.multiClassed = false;
      return;
    }
    say(o, sheet::text::kReady, sheet::text::kReadyTitle);
    s.selectionsLocked = s.started = s.startResetToggle = true;
    if (const sheet::RaceBonus* race = sheet::findRace(s.selections[0]))
      for (int e = 0; e < skills::kElementCount; ++e)
        if (race->elements[e]) at(s, mBox(e)) = at(s, pBox(e)) = race->bonus;
    if (const sheet::Pools* p = sheet::findClass(sheet::kStartingPools, s.selections[1])) {
      at(s, sheet::Box::mpr) = p->magic;
      at(s, sheet::Box::ppr) = p->physical;
      at(s, sheet::Box::epr) = p->either;
    }
  }

  static void multiClass(Outcome& o) {
    sheet::State& s = o.state;
    if (!s.started) {
      say(o, sheet::text::kNotStartedYet, sheet::text::kNoTitle);
      return;
    }
    if (s.multiClassed) {
      say(o, sheet::text::kAlreadyMultied, sheet::text::kNoTitle);
      return;
    }
    o.firstList = qualifying(s.selections[1], skills::Copy::FirstClass, valuesOf(s));
    s.valuesAtMultiClass = valuesOf(s);  // what the first class learned from
    const sheet::Pools* topUp = sheet::findClass(sheet::kSecondClassTopUps, s.selections[2]);
    const std::array<int, 3> add = {topUp ? topUp->magic : 0, topUp ? topUp->physical : 0,
                                    topUp ? topUp->either : 0};
    const std::array<sheet::Box, 3> pools = {sheet::Box::mpr, sheet::Box::ppr, sheet::Box::epr};
    for (int i = 0; i < 3; ++i) at(s, pools[i]) = std::trunc(at(s, pools[i]) / 2) + add[i];
    if (const sheet::RaceBonus* race = sheet::findRace(s.selections[0])) {
      for (int i = 0; i < skills::kValueCount; ++i) {
        const int element = i % skills::kElementCount;
        const double keep = race->elements[element] ? race->bonus : 0;
        s.boxes[i] = keep + std::trunc((s.boxes[i] - keep) / 2);
      }
    }
    s.multiClassed = true;
    o.secondList = qualifying(s.selections[2], skills::Copy::SecondClass, valuesOf(s));
    say(o, sheet::text::kMultied, sheet::text::kRaar);
  }

  static void showSkills(Outcome& o) {
    const sheet::State& s = o.state;
    if (anyEmpty(s)) say(o, sheet::text::kSelectFirst, sheet::text::kProgramTitle);
    if (!s.started) return;
    o.firstList = qualifying(s.selections[1], skills::Copy::FirstClass, valuesOf(s));
    if (s.multiClassed)
      o.secondList = qualifying(s.selections[2], skills::Copy::SecondClass, valuesOf(s));
  }

  static void press(Outcome& o, const Press& e) {
    sheet::State& s = o.state;
    if (anyEmpty(s)) say(o, sheet::text::kSelectFirst, sheet::text::kProgramTitle);
    const bool left = e.button == sheet::kLeftButton, right = e.button == sheet::kRightButton;
    if (!s.started || !(left || right)) return;
    const double step = left ? 1 : 10;
    double& value = s.boxes[skills::index(e.value)];
    double& kind =
        at(s, skills::index(e.value) < skills::kElementCount ? sheet::Box::mpr : sheet::Box::ppr);
    double& either = at(s, sheet::Box::epr);
    if (e.direction == sheet::Direction::Lower) {
      if (value < step) return say(o, sheet::text::kNoPointsToTakeOut, sheet::text::kOops);
      value -= step;
      kind += step;
      return;
    }
    if (value + step > sheet::kMaxValue) return say(o, sheet::text::kMaxedOut, sheet::text::kOops);
    if (right && kind > 0 && kind < 10) {  // the kind pool's last points join the Either pool
      either += kind;
      kind = 0;
    }
    if (kind < step && either < step) return say(o, sheet::text::kNoMorePoints, sheet::text::kUhOh);
    value += step;
    (kind >= step ? kind : either) -= step;
  }

  static void clickBonus(Outcome& o, const ClickBonus& e) {
    sheet::State& s = o.state;
    bool& box = s.bonuses[static_cast<int>(e.bonus)];
    if (!s.started) {
      box = false;  // cannot be checked before a start
      return;
    }
    const bool magic = e.bonus == sheet::Bonus::MBonus1 || e.bonus == sheet::Bonus::MBonus2;
    auto valueAt = [&](int element) -> double& {
      return at(s, magic ? mBox(element) : pBox(element));
    };
    auto any = [&](auto&& test) {
      for (int el = 0; el < skills::kElementCount; ++el)
        if (test(valueAt(el))) return true;
      return false;
    };
    const bool checking = !box;
    if (checking && any([](double v) { return v > 195; }))
      return say(o, sheet::text::kBonusOver200, sheet::text::kNoTitle);
    if (!checking && any([](double v) { return v < 5; }))
      return say(o, sheet::text::kBonusUnder0, sheet::text::kNoTitle);
    for (int el = 0; el < skills::kElementCount; ++el) valueAt(el) += checking ? 5 : -5;
    box = checking;
  }

  double ledger_ = 0;  // the points on the sheet right after multi-classing
};

// Where a run went wrong: the event (counted from 0) and what was wrong.
struct Verdict {
  std::size_t at;
  std::string what;
};

// Plays a run against a fresh planner and judges every event.
inline std::optional<Verdict> play(std::span<const Event> run, Tally* tally = nullptr) {
  MessageLog log;
  sheet::Planner planner(log);
  planner.load();
  Referee referee;
  if (std::string wrong = referee.invariants(planner.state()); !wrong.empty())
    return Verdict{0, "before the first event:\n" + wrong};
  for (std::size_t i = 0; i < run.size(); ++i) {
    const sheet::State before = planner.state();
    log.shown.clear();
    apply(planner, run[i]);
    if (std::string wrong = referee.judge(before, run[i], planner.state(), log.shown);
        !wrong.empty())
      return Verdict{i, wrong};
    if (tally) {
      ++tally->events;
      for (const Shown& m : log.shown) ++tally->messages[m.text];
      if (std::holds_alternative<MultiClass>(run[i]) && planner.multiClassed() &&
          !before.multiClassed)
        ++tally->multiClassings;
      if (planner.started() && planner.value(sheet::Box::mpr) == 0 &&
          planner.value(sheet::Box::ppr) == 0 && planner.value(sheet::Box::epr) == 0)
        ++tally->fullPoolsSpent;
    }
  }
  return std::nullopt;
}

// The shortest run found, by dropping one event at a time, that still fails.
inline std::vector<Event> shortened(std::vector<Event> run) {
  for (std::size_t i = run.size(); i-- > 0;) {
    std::vector<Event> shorter = run;
    shorter.erase(shorter.begin() + static_cast<std::ptrdiff_t>(i));
    if (play(shorter)) run = std::move(shorter);
  }
  return run;
}

// A failed run as text: what went wrong, where, and the events up to there.
inline std::string report(std::span<const Event> run, const Verdict& v) {
  return "after event " + std::to_string(v.at + 1) + " (" + describe(run[v.at]) + "):\n" + v.what +
         "events:\n" + describe(run.first(v.at + 1));
}

}  // namespace events
