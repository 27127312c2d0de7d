// The user's actions as data, so that long runs of them can be made up, played
// against a planner, written down and played again. The random-run test draws
// its choices from a random state, the fuzzer from its input bytes; both go
// through the same EventMaker, so one language serves both.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "sheet/planner.h"
#include "sheet/tables.h"
#include "skills/catalogue.h"

namespace events {

// ---- The events ----------------------------------------------------------

struct Type {  // the user leaves `text` in a selection box
  sheet::Selection selection;
  std::string text;
  bool operator==(const Type&) const = default;
};
struct StartReset {
  bool operator==(const StartReset&) const = default;
};
struct MultiClass {
  bool operator==(const MultiClass&) const = default;
};
struct ShowSkills {
  bool operator==(const ShowSkills&) const = default;
};
struct Press {  // a mouse button goes down on an arrow
  skills::Value value;
  sheet::Direction direction;
  std::int16_t button;
  bool operator==(const Press&) const = default;
};
struct ClickSpell {  // the user toggles a spell box
  sheet::Spell spell;
  bool operator==(const ClickSpell&) const = default;
};
struct ClickBonus {  // the user toggles a clan-town box
  sheet::Bonus bonus;
  bool operator==(const ClickBonus&) const = default;
};

using Event = std::variant<Type, StartReset, MultiClass, ShowSkills, Press, ClickSpell, ClickBonus>;

template <class... F>
struct Overload : F... {
  using F::operator()...;
};
template <class... F>
Overload(F...) -> Overload<F...>;

// Does what the window does for the event: a click toggles its box, so the
// planner hears the box's new state.
inline void apply(sheet::Planner& planner, const Event& event) {
  std::visit(
      Overload{
          [&](const Type& e) { planner.setSelectionText(e.selection, e.text); },
          [&](const StartReset&) { planner.startReset(); },
          [&](const MultiClass&) { planner.multiClass(); },
          [&](const ShowSkills&) { planner.showSkills(); },
          [&](const Press& e) { planner.pressArrow(e.value, e.direction, e.button); },
          [&](const ClickSpell& e) { planner.toggleSpell(e.spell, !planner.isChecked(e.spell)); },
          [&](const ClickBonus& e) { planner.toggleBonus(e.bonus, !planner.isChecked(e.bonus)); },
      },
      event);
}

// ---- Writing events down -------------------------------------------------

inline std::string_view nameOf(sheet::Selection s) {
  constexpr std::string_view kNames[] = {"race", "first class", "second class"};
  return kNames[static_cast<int>(s)];
}
inline std::string_view nameOf(skills::Value v) {
  constexpr std::string_view kNames[] = {"M Fire", "M Earth", "M Water", "M Air", "M Spirit",
                                         "P Fire", "P Earth", "P Water", "P Air", "P Spirit"};
  return kNames[skills::index(v)];
}
inline std::string_view nameOf(sheet::Spell s) {
  constexpr std::string_view kNames[] = {"Bless", "Shield", "Endure"};
  return kNames[static_cast<int>(s)];
}
inline std::string_view nameOf(sheet::Bonus b) {
  constexpr std::string_view kNames[] = {"PBonus1", "PBonus2", "MBonus1", "MBonus2"};
  return kNames[static_cast<int>(b)];
}

// A text as a C++ string literal would write it; long texts are cut short
// with their length, since the run that made them can be played again.
inline std::string escaped(std::string_view text) {
  constexpr std::size_t kShown = 48;
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size() && i < kShown; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7f) {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  out += '"';
  if (text.size() > kShown) out += "... (" + std::to_string(text.size()) + " bytes)";
  return out;
}

inline std::string describe(const Event& event) {
  return std::visit(Overload{
                        [](const Type& e) {
                          return "type " + std::string(nameOf(e.selection)) + " " + escaped(e.text);
                        },
                        [](const StartReset&) { return std::string("click Start/Reset Plavet"); },
                        [](const MultiClass&) { return std::string("click Multi-Class Now!"); },
                        [](const ShowSkills&) { return std::string("click Show Current Skills"); },
                        [](const Press& e) {
                          std::string button = e.button == sheet::kLeftButton    ? "left"
                                               : e.button == sheet::kRightButton ? "right"
                                               : e.button == sheet::kMiddleButton
                                                   ? "middle"
                                                   : std::to_string(e.button);
                          return "press " + button + " on " +
                                 (e.direction == sheet::Direction::Raise ? "raise " : "lower ") +
                                 std::string(nameOf(e.value));
                        },
                        [](const ClickSpell& e) { return "click " + std::string(nameOf(e.spell)); },
                        [](const ClickBonus& e) { return "click " + std::string(nameOf(e.bonus)); },
                    },
                    event);
}

inline std::string describe(std::span<const Event> events) {
  std::string out;
  for (std::size_t i = 0; i < events.size(); ++i)
    out += "  " + std::to_string(i + 1) + ". " + describe(events[i]) + "\n";
  return out;
}

// ---- Where the choices come from -------------------------------------------
// A source of choices has `unsigned below(unsigned n)`, a number from 0 to
// n - 1 (n at most 65536).

// Choices from a random state; the same start value gives the same run.
class RandomChoices {
 public:
  explicit RandomChoices(std::uint64_t startValue) : random_(startValue) {}
  // Plain modulo, not a distribution: the result must not depend on the
  // standard library, and the slight bias does not matter here.
  unsigned below(unsigned n) { return static_cast<unsigned>(random_() % n); }

 private:
  std::mt19937_64 random_;
};

// Choices read from bytes: one byte per choice of up to 256 ways, two (low
// byte first) for more. Past the end every choice is 0.
class ByteChoices {
 public:
  explicit ByteChoices(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  unsigned below(unsigned n) {
    unsigned v = next();
    if (n > 256) v |= next() << 8;
    return v % n;
  }
  bool done() const { return at_ >= bytes_.size(); }

 private:
  unsigned next() { return at_ < bytes_.size() ? bytes_[at_++] : 0; }
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

// Passes on the choices of another source and writes them as the bytes that
// ByteChoices reads back into the same choices: a random run becomes a fuzzer
// input.
template <class Source>
class RecordingChoices {
 public:
  explicit RecordingChoices(Source& source) : source_(source) {}
  unsigned below(unsigned n) {
    const unsigned v = source_.below(n);
    bytes.push_back(static_cast<std::uint8_t>(v & 0xff));
    if (n > 256) bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    return v;
  }
  std::vector<std::uint8_t> bytes;

 private:
  Source& source_;
};

// ---- Making events up ------------------------------------------------------

// Makes one event after another from a source of choices. Arrow presses often
// repeat the last one, so that runs reach the ceiling of a value and empty the
// pools; selections are mostly list items, so that plavets get started.
template <class Choices>
class EventMaker {
 public:
  explicit EventMaker(Choices& choices) : c_(choices) {}

  // A run's first event: mostly an opening, so that most runs get started.
  Event first() { return c_.below(4) ? opening() : next(); }

  bool midway() const { return !pending_.empty(); }  // events are waiting to come

  Event next() {
    if (!pending_.empty()) {
      Event e = std::move(pending_.back());
      pending_.pop_back();
      return e;
    }
    const unsigned kind = c_.below(32);
    if (kind < 3) return type();
    if (kind < 4) return opening();
    if (kind < 5) return StartReset{};
    if (kind < 6) return MultiClass{};
    if (kind < 8) return ShowSkills{};
    if (kind < 10) return ClickSpell{static_cast<sheet::Spell>(c_.below(3))};
    if (kind < 13) return ClickBonus{static_cast<sheet::Bonus>(c_.below(4))};
    return press();
  }

  // How many events a run has: mostly up to 60, one run in five up to 400.
  std::size_t length() { return c_.below(5) == 0 ? 61 + c_.below(340) : 1 + c_.below(60); }

 private:
  Type type() {
    const auto selection = static_cast<sheet::Selection>(c_.below(3));
    return {selection, text(selection)};
  }

  std::string text(sheet::Selection selection) {
    const bool race = selection == sheet::Selection::Race;
    const unsigned way = c_.below(16);
    if (way < 8) return item(race);
    switch (way) {
      case 8:
        return item(!race);  // a name from the other list
      case 9:
        return wrongCase(item(race));
      case 10:
        return c_.below(2) ? " " + item(race) : item(race) + " ";
      case 11: {
        constexpr std::string_view kUnknown[] = {"Gnome",       "Wizard", "x",           "0",
                                                 "Dwarf Druid", "Monk",   "Monk (Fall)", "AR\t"};
        return std::string(kUnknown[c_.below(std::size(kUnknown))]);
      }
      case 12:
        return {};
      case 13:
        return longText(race);
      case 14: {
        constexpr std::string_view kForeign[] = {
            "\xc3\x89lf",                                // É
            "\xd0\x94\xd0\xb2\xd0\xb0\xd1\x80\xd1\x84",  // Cyrillic
            "\xe7\xb2\xbe\xe7\x81\xb5",                  // CJK
            "\xf0\x9f\x90\x89 Dragon",                   // an emoji
            "Half\xe2\x80\x91Giant",                     // a non-breaking hyphen
            "M\xc3\xb6nk (Autumn)",                      // ö
            "Dwarf\xef\xbb\xbf",                         // a byte-order mark
            "\xff\xfe\xfd",                              // not UTF-8
            std::string_view("Dwarf\0", 6),              // an embedded NUL
            "\xe2\x80\xae"
            "fwarD",  // right-to-left override
        };
        return std::string(kForeign[c_.below(std::size(kForeign))]);
      }
      default: {
        std::string bytes(c_.below(40), '\0');
        for (char& b : bytes) b = static_cast<char>(c_.below(256));
        return bytes;
      }
    }
  }

  std::string item(bool race) {
    if (race) return std::string(sheet::kRaceBonuses[c_.below(sheet::kRaceBonuses.size())].race);
    return std::string(skills::kClassNames[c_.below(skills::kClassNames.size())]);
  }

  std::string wrongCase(std::string s) {
    const unsigned how = c_.below(3);
    for (std::size_t i = 0; i < s.size(); ++i) {
      char& ch = s[i];
      const bool lower = ch >= 'a' && ch <= 'z', upper = ch >= 'A' && ch <= 'Z';
      if (how == 0 && upper) ch = static_cast<char>(ch - 'A' + 'a');
      if (how == 1 && lower) ch = static_cast<char>(ch - 'a' + 'A');
      if (how == 2 && i == 0)
        ch = upper   ? static_cast<char>(ch - 'A' + 'a')
             : lower ? static_cast<char>(ch - 'a' + 'A')
                     : ch;
    }
    return s;
  }

  std::string longText(bool race) {
    const std::size_t size = 256 + c_.below(8192);
    if (c_.below(2)) return std::string(size, static_cast<char>('A' + c_.below(26)));
    std::string s;
    const std::string name = item(race);
    while (s.size() < size) s += name;
    return s;
  }

  // What a user does first: picks a race and two classes from the lists and
  // starts. The four events come one by one.
  Event opening() {
    pending_ = {StartReset{}, Type{sheet::Selection::SecondClass, item(false)},
                Type{sheet::Selection::FirstClass, item(false)}};
    return Type{sheet::Selection::Race, item(true)};
  }

  Press press() {
    if (last_ && c_.below(8) < 7) return *last_;
    Press p{static_cast<skills::Value>(c_.below(skills::kValueCount)),
            c_.below(2) ? sheet::Direction::Raise : sheet::Direction::Lower, button()};
    last_ = p;
    return p;
  }

  std::int16_t button() {
    const unsigned b = c_.below(8);
    if (b < 3) return sheet::kLeftButton;
    if (b < 6) return sheet::kRightButton;
    if (b < 7) return sheet::kMiddleButton;
    return static_cast<std::int16_t>(c_.below(65536));  // any code a toolkit might send
  }

  Choices& c_;
  std::optional<Press> last_;
  std::vector<Event> pending_;  // the rest of an opening, last first
};

// A run of events: its length first, then the events.
template <class Choices>
std::vector<Event> makeRun(Choices& choices) {
  EventMaker<Choices> maker(choices);
  std::vector<Event> run(maker.length());
  for (std::size_t i = 0; i < run.size(); ++i) run[i] = i == 0 ? maker.first() : maker.next();
  return run;
}

// ---- What a plavet is planned for -------------------------------------------

// A step in Skill Goals, made up: a row of the plavet's classes ticked or
// unticked, a goal moved, or the clan-town counts set; the plavet put in
// place with its new goals, as the views put it. A plavet whose selections
// are not classes of the list is given goals of other classes, which do not
// hold for it (until it chooses those).
template <class Choices>
sheet::State goalStep(Choices& c, sheet::State s) {
  std::vector<sheet::Goal> rows = sheet::goalsHeld(s);
  sheet::BonusCounts counts = sheet::countsHeld(s);
  const unsigned way = c.below(8);
  if (way < 5) {
    const auto copy = static_cast<skills::Copy>(c.below(2));
    const auto n = static_cast<unsigned>(
        skills::rowsOf(s.selections[1 + static_cast<int>(copy)], copy).size());
    if (n == 0) {
      const auto name = [&] { return std::string(skills::kClassNames[c.below(16)]); };
      s.goals = {name(), name(), {{copy, 0}}, {}};
      return s;
    }
    // The largest rows often, as they are the longest to write.
    const sheet::Goal goal{copy,
                           static_cast<int>(c.below(2) ? n - 1 - c.below(4) % n : c.below(n))};
    const auto at = std::find(rows.begin(), rows.end(), goal);
    if (at == rows.end())
      rows.push_back(goal);
    else
      rows.erase(at);
  } else if (way < 7) {
    if (rows.size() > 1) {
      const std::size_t from = c.below(static_cast<unsigned>(rows.size() - 1));
      std::swap(rows[from], rows[from + 1]);
    }
  } else {
    counts = {static_cast<int>(c.below(3)), static_cast<int>(c.below(3))};
  }
  return sheet::withGoals(std::move(s), std::move(rows), counts);
}

// The events that bytes stand for: as many as the bytes make, at most `most`.
inline std::vector<Event> decodeRun(std::span<const std::uint8_t> bytes, std::size_t most) {
  ByteChoices choices(bytes);
  EventMaker<ByteChoices> maker(choices);
  std::vector<Event> run;
  while ((!choices.done() || maker.midway()) && run.size() < most)
    run.push_back(run.empty() ? maker.first() : maker.next());
  return run;
}

}  // namespace events
