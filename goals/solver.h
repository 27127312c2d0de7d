// The numbers behind a plan: how a plavet's values and pools move when some
// values must reach a least value before multi-classing and others at the
// end, and the plan that leaves the most points. No names here, only
// numbers, so tests can shrink the pools and the ceiling and search every
// plan by hand.
#pragma once

#include <array>
#include <optional>

#include "skills/elements.h"

namespace goals {

using Values = std::array<int, skills::kValueCount>;  // indexed by skills::Value

struct PoolPoints {
  int magic = 0, physical = 0, either = 0;
  int total() const { return magic + physical + either; }
  bool operator==(const PoolPoints&) const = default;
};

// What a plan starts from.
struct Setup {
  Values start{};      // the values after the start and the clan-town boxes
  Values raceBonus{};  // the part of each value that multi-classing keeps whole
  PoolPoints pools;    // the pools at the start
  PoolPoints topUp;    // what multi-classing adds to the halved pools
  int ceiling = 200;   // no value may pass it
};

// The least each value must reach; 0 asks for nothing.
struct Needs {
  Values beforeMulti{};  // when multi-classing (first-class skills)
  Values final{};        // at the end (second-class skills)
  bool operator==(const Needs&) const = default;
};

// A plan in numbers: the values and pools at each step.
struct Solution {
  Values beforeMulti{}, afterMulti{}, final{};
  PoolPoints poolsBeforeMulti, poolsAfterMulti, finalPools;
  int pointsLeft() const { return finalPools.total(); }
};

// Why no plan meets the needs: a value that would have to pass the ceiling,
// or the points the pools lack at their best, with the kind pools that run dry
// and then draw on the Either pool.
struct Shortfall {
  bool afterMulti = false;  // else before multi-classing
  std::optional<skills::Value> pastCeiling;
  int points = 0;
  bool magic = false, physical = false;
};

// A raise as a player makes it: a right press for every ten points, then a
// left press for each point over. Right presses first always play as
// counted: the last one starts at least ten below where the raise ends, so
// never above 190; and a kind pool that holds 1 to 9 points at a right press,
// which the press moves to the Either pool first, is one the raise empties
// anyway (it still needs ten or more), so every pool ends the raise as the
// left presses alone would leave it.
struct Presses {
  int right = 0, left = 0;
  int count() const { return right + left; }
};
Presses pressesFor(int points);

// The values after multi-classing: each keeps its race bonus whole and loses
// half of the rest, truncated. Values never fall below their race bonus here.
Values halved(const Values& values, const Values& raceBonus);

// The best plan: the most points left at the end; of those, the one that
// raises the fewest points (none for nothing), then the fewest Magic and then
// Physical points before multi-classing (none raised early for nothing), then
// the fewest presses. No plan when the needs can't all be met.
std::optional<Solution> solve(const Setup& setup, const Needs& needs);

// The plan that raises the values to `beforeMulti` before multi-classing and
// then each to what `needs` asks at the end; none when a phase doesn't fit or
// a value is below its start or a need, or above the ceiling.
std::optional<Solution> planWith(const Setup& setup, const Needs& needs, const Values& beforeMulti);

// Why `solve` finds no plan for these needs.
Shortfall shortfall(const Setup& setup, const Needs& needs);

}  // namespace goals
