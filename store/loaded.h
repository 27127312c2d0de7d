// What reading a plavet from outside gives: the whole plavet, or the reason
// it was refused.
#pragma once

#include <optional>
#include <string>

#include "sheet/planner.h"

namespace store {

// The largest pool a file or a code may hold. The rules never fill a pool
// past about 1,300 (a start's 600, the race bonus, the clan-town boxes, a
// second class's top-up); the limit is far above that, and small enough to
// stay exact through every rule that reads a pool as a whole number.
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
