// What follows from the rest of a plavet, worked out by the planner's own
// rules, so that nothing here restates one.
#pragma once

#include "sheet/planner.h"

namespace store {

// The plavet with its D values as delement computes them.
sheet::State withDValues(sheet::State state);

// The plavet with its D values, and its lists as "Show Current Skills"
// leaves them (filled only in a started plavet).
sheet::State withListsRebuilt(sheet::State state);

}  // namespace store
