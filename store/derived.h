// What follows from the rest of a plavet, worked out by the planner's own
// rules, so that nothing here restates one.
#pragma once

#include "sheet/planner.h"

namespace store {

// The plavet with its D values as delement computes them.
sheet::State withDValues(sheet::State state);

// The plavet with its D values and its lists filled again: in a started,
// multi-classed plavet that kept its values at multi-classing, as
// multi-classing built them (the first-class list from those values, the
// second-class list from the values it has); in any other, as "Show Current
// Skills" leaves them (filled only in a started plavet).
sheet::State withListsRebuilt(sheet::State state);

}  // namespace store
