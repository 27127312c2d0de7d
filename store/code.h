// Plavet codes: a whole plavet on one short line, for a chat channel or a
// forum post. Plain C++, no toolkit.
#pragma once

#include <string>
#include <string_view>

#include "sheet/planner.h"
#include "store/loaded.h"

namespace store {

// Every code starts so, followed by its version and a dash: "plavet1-".
inline constexpr std::string_view kCodePrefix = "plavet";
// The version encodeCode writes; decodeCode reads it and every older one.
inline constexpr int kCodeVersion = 1;
// Longer input is refused before it is looked at.
inline constexpr std::size_t kMaxCodeLength = 1 << 20;

// The selections, the ten values, the pools, the seven boxes and the flags;
// not the lists, nor the D values, which follow from the rest.
std::string encodeCode(const sheet::State& state);

// The plavet a code holds, with its D values as delement computes them and
// its lists rebuilt as "Show Current Skills" would; or why the code was
// refused. Whitespace around the code is ignored.
Loaded decodeCode(std::string_view code);

}  // namespace store
