// Two or more plavets side by side: a base and the plavets compared with it,
// row by row as the window shows them, their skill lists, and the presses
// that turn the base into each compared plavet (or why none do). Plain C++,
// no toolkit: the window, the page and `plavet compare` all show this.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/planner.h"

namespace compare {

// A plavet and what to call it ("guide.plavet", "the code", "this plavet").
struct Plavet {
  std::string name;
  sheet::State state;
};

enum class Kind : std::uint8_t { Text, Number, Check };

// How a compared value stands to the base's: the same, more, less, or
// another text (for selections and boxes).
enum class Mark : std::uint8_t { Same, More, Less, Other };

struct Cell {
  std::string value;       // as the window writes it
  std::string difference;  // "=", "+5", "−3" (a minus sign), "≠"; D values to two decimals
  Mark mark = Mark::Same;
  bool differs() const { return mark != Mark::Same; }
};

// One row: race, first class, second class, multi-classed, the ten M and P
// values, the five D values, the three pools, the seven boxes, in the
// window's order, named as the undo steps name them ("M Fire", "Bless").
struct Row {
  std::string name;
  Kind kind = Kind::Text;
  std::string base;
  std::vector<Cell> compared;  // one per compared plavet
  bool differs() const;        // from any compared plavet
};
inline constexpr int kRowCount = 29;

// One skill list of the base against a compared plavet's, by row text in
// catalogue order.
struct Skills {
  int list = 0;  // 0 for the first-class list, 1 for the second
  std::vector<std::string_view> onlyBase, onlyCompared, both;
  // "12 of 15": how many of the compared plavet's skills the base lists too.
  std::string reached() const;
};

// A step towards the compared plavet: so many right and left presses on one
// arrow (in the order `rightsFirst` says), or a click on a box.
struct Step {
  enum class Kind : std::uint8_t { Press, Spell, Bonus };
  Kind kind = Kind::Press;
  skills::Value value{};
  sheet::Direction direction = sheet::Direction::Raise;
  int rights = 0, lefts = 0;
  bool rightsFirst = true;
  int box = 0;  // the sheet::Spell or sheet::Bonus clicked
  bool check = false;
  // "Raise M Fire by 15: 1 right, 5 left presses", "Check Bless".
  std::string words() const;
  bool operator==(const Step&) const = default;
};

struct Presses {
  std::vector<Step> steps;  // in the order to play them
  std::string whyNot;       // empty when the steps lead there
  bool possible() const { return whyNot.empty(); }
};

// The base against one compared plavet.
struct Against {
  std::string name;
  int differences = 0;  // rows that differ
  std::array<Skills, 2> skills;
  Presses presses;
};

struct Comparison {
  std::string base;
  std::vector<Row> rows;
  std::vector<Against> compared;
};

Comparison compareWith(const Plavet& base, std::span<const Plavet> compared);

// The rows only: what a view refreshes on every press of the base.
std::vector<Row> rowsOf(const sheet::State& base, std::span<const sheet::State> compared);

// The presses from `base` to `target`, tried through the planner's own
// rules; or why none lead there, in a sentence.
Presses presses(const sheet::State& base, const sheet::State& target);

// Plays steps through a planner, as a player would press and click.
void play(std::span<const Step> steps, sheet::Planner& planner);

// A row read whole, for a screen reader: "M Fire: 45 here, 50 there, 5 less";
// with several compared plavets each is named: "..., 50 in guide.plavet, 5 less; ...".
std::string spoken(const Row& row, std::span<const std::string> names);

// The legend beside the marks.
inline constexpr std::string_view kLegend =
    "▲ more there, ▼ less there, ≠ another text, = the same; rows that differ are bold";

}  // namespace compare
