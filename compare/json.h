// A comparison as JSON, the one form the command line writes and the page
// reads:
//   {"base": NAME, "compared": [NAME, ...],
//    "rows": [{"name": ROW, "base": VALUE, "compared": [VALUE, ...],
//              "differences": ["+5", ...], "spoken": "M Fire: 45 here, ..."}, ...],
//    "differences": [N, ...],
//    "skills": [[{"list": "first", "onlyBase": [...], "onlyCompared": [...],
//                 "both": [...], "reached": "12 of 15"}, {"list": "second", ...}], ...],
//    "presses": [[{"words": ..., "kind": "press", "value": "M Fire",
//                  "direction": "raise", "rights": 1, "lefts": 5,
//                  "rightsFirst": true}, ...] or {"whyNot": TEXT}, ...]}
// one item per compared plavet in each of the last three.
#pragma once

#include <string>

#include "compare/compare.h"

namespace compare {

// With `onlyDifferences`, the rows that differ from some compared plavet.
std::string asJson(const Comparison& comparison, bool onlyDifferences);

}  // namespace compare
