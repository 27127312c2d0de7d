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

// The values after multi-classing: each keeps its race bonus whole and loses
// half of the rest, truncated. Values never fall below their race bonus here.
Values halved(const Values& values, const Values& raceBonus);

// The best plan: the most points left at the end; no plan when the needs
// can't all be met.
std::optional<Solution> solve(const Setup& setup, const Needs& needs);

// Why `solve` finds no plan for these needs.
Shortfall shortfall(const Setup& setup, const Needs& needs);

}  // namespace goals
