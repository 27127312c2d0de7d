// A plavet as readable text, for notes and forum posts.
#pragma once

#include <string>

#include "sheet/planner.h"

namespace store {

// Race and classes, started and multi-classed, the M, P and D values as a
// small table, what the plavet had learned before multi-classing (when it
// kept that), the pools, spells and bonuses, the skill goals in their order
// and the plan's clan-town counts (when it keeps any), both lists, and the
// plavet's code alone on the last line.
std::string plavetAsText(const sheet::State& state);

}  // namespace store
