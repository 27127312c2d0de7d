// What reading a plavet from outside gives: the whole plavet, or the reason
// it was refused.
#pragma once

#include <optional>
#include <string>

#include "sheet/planner.h"

namespace store {

// The largest pool a file or a code may hold. The rules keep the three
// pools together below 1,000: a start hands out 600 and the race bonus (at
// most 100), the clan-town boxes add 100, and multi-classing halves what
// there is before it adds at most 300. The limit is far above that, and
// small enough to stay exact through every rule that reads a pool as a
// whole number.
inline constexpr double kMaxPool = 65535;

// A whole plavet, or the reason it was refused (never half of one).
struct Loaded {
  std::optional<sheet::State> state;
  std::string reason;  // empty when accepted
};

inline Loaded accepted(sheet::State state) {
  return {std::move(state), {}};
}
inline Loaded refused(std::string reason) {
  return {std::nullopt, std::move(reason)};
}

}  // namespace store
