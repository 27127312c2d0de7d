// Which race and which two classes get the skills a player wants, and leave
// the most points: every race with every first and every second class (the
// same class may be both), each planned by the solver for the skills asked.
//
// A skill is asked for by its name, the text of a catalogue row before " ("
// ("Kick", "Heal Serious"). In a combination the names are taken in their
// order: a name neither class teaches is dropped; else it is kept when some
// choice of class for it and for every name kept before it can be planned
// together, and dropped otherwise. The combination's plan is, among the
// choices that meet every kept name, the one that leaves the most points.
// Rows rank by most names kept, then most points left, then race, first
// class and second class in list order.
#pragma once

#include <atomic>
#include <cstddef>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "goals/goals.h"

namespace goals {

// Every skill name of the catalogue, once, in catalogue order (the classes in
// list order, the first-class copy before the second). Names match in any
// letter case ("Protection From Good" is "Protection from Good"); each is
// written as it first appears. Built on first use.
std::span<const std::string_view> skillNames();
// The name of a row: its text before " (".
std::string_view skillNameOf(std::string_view rowText);
// The name `typed` stands for: a name, or a row's whole text, in any letter
// case. None for a text no class teaches.
std::optional<std::string_view> skillNamed(std::string_view typed);

// Why a typed text asks for no skill, for a mark beside it: "“Kik” is not a
// skill any class teaches. Did you mean “Kick”?"; empty for a name or a row.
std::string skillWarning(std::string_view typed);

struct Question {
  std::vector<std::string_view> skills;   // names of skillNames(), in the player's order
  int magicBonus = 0, physicalBonus = 0;  // clan-town boxes checked, 0 to 2 each
  // Fixed when given: names of the race or class list.
  std::optional<std::string> race, firstClass, secondClass;
};

// A kept name and the row of the class that meets it.
struct Met {
  std::size_t skill = 0;  // in Advice::skills
  Goal goal;
};

// A dropped name and why, in the player's words.
struct Unmet {
  std::size_t skill = 0;
  std::string reason;
};

struct Suggestion {
  std::string_view race, firstClass, secondClass;
  std::vector<Met> kept;  // in the names' order
  std::vector<Unmet> dropped;
  int pointsLeft = 0;
};

struct Advice {
  std::vector<std::string_view> skills;  // the names asked, as the catalogue writes them
  int magicBonus = 0, physicalBonus = 0;
  std::size_t combinations = 0;  // how many the rows were ranked among
  std::vector<Suggestion> rows;  // the best first

  // The plan a row stands for: its race and classes, the clan-town counts
  // and the kept names as its goals, in order. goals::plan keeps them all and
  // leaves the row's points.
  Problem problem(const Suggestion& row) const;
};

inline constexpr std::size_t kAllRows = std::numeric_limits<std::size_t>::max();

// The `top` best rows of the table, exact; kAllRows for every combination.
// A combination that can't reach the rows already found is not planned to
// its end. Throws BadProblem for a name no class teaches, a race or class not
// of its list, or a count not 0 to 2. `stop` set (from another thread) ends
// the work early, with rows that mean nothing.
Advice advise(const Question& question, std::size_t top = kAllRows,
              const std::atomic<bool>* stop = nullptr);

// "Druid" for a name met by the first class; for a dropped name, "dropped".
std::string_view givenBy(const Suggestion& row, std::size_t skill);
// A row for a screen reader: "Dwarf, Druid then Warrior: 3 of 3 kept, 212
// points left".
std::string rowWords(const Advice& advice, const Suggestion& row);
// Which class gives a name, or why it is dropped: "Kick: Warrior (second
// class)", "Fireball: dropped, neither Druid nor Warrior teaches it".
std::string givenWords(const Advice& advice, const Suggestion& row, std::size_t skill);
// The same for every name, joined by "; ".
std::string givenWords(const Advice& advice, const Suggestion& row);

}  // namespace goals
