// Plavet codes: a whole plavet on one short line, for a chat channel or a
// forum post. Plain C++, no toolkit.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sheet/planner.h"
#include "store/loaded.h"

namespace store {

// Every code starts so, followed by its version and a dash: "plavet1-".
inline constexpr std::string_view kCodePrefix = "plavet";
// The newest version encodeCode writes (only for a plavet that keeps goals
// or clan-town counts of its own; one that keeps its values at
// multi-classing is written as version 2, any other as version 1);
// decodeCode reads it and every older one.
inline constexpr int kCodeVersion = 3;
// Longer input is refused before it is looked at.
inline constexpr std::size_t kMaxCodeLength = 1 << 20;

// The selections, the ten values, the pools, the seven boxes, the flags,
// the values at multi-classing and the goals and counts that hold; not the
// lists, nor the D values, which follow from the rest. At most 60
// characters when the selections are list items, 72 with up to 8 goals.
std::string encodeCode(const sheet::State& state);

// The plavet a code holds, with its D values as delement computes them and
// its lists rebuilt (see withListsRebuilt); or why the code was refused.
// Whitespace around the code is ignored, anything else is not.
Loaded decodeCode(std::string_view code);

// The first code in a text: "plavet", a version, a dash and what follows of
// the code's characters, not preceded by a letter or a digit. So a chat line
// ("try this: plavet1-... !"), Copy as Text and a link to the page
// ("https://.../index.html#plavet1-...") all give their code. Whether the
// code is sound is decodeCode's to say.
std::optional<std::string_view> findCode(std::string_view text);

// The first code in a text, decoded: its plavet or why it was refused; a
// text without one is refused as holding no plavet code.
Loaded decodeCodeIn(std::string_view text);

}  // namespace store
