// What a skill needs, in the words the catalogue's labels use ("MFire 55").
// A label is only a label: these texts come from the rule that decides
// whether a skill is listed, so they are right where a label is not.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "skills/catalogue.h"

namespace skills {

// "MFire", "PSpirit": a value as the labels name it.
std::string_view valueWord(Value value);

// "Fire" ... "Spirit", in the order of the elements.
inline constexpr std::array<std::string_view, kElementCount> kElementNames = {
    "Fire", "Earth", "Water", "Air", "Spirit"};

// "M Fire", "P Spirit": a value as the window's labels and a player read it.
std::string valueName(Value value);

// "MFire 55 and MSpirit 40"; empty for a skill that needs nothing.
std::string needsText(const SkillRow& row);

// What a listed skill needs, as its tooltip says it: "Needs MFire 55 and
// MSpirit 40", "Needs nothing: always listed".
std::string needsTip(const SkillRow& row);

// The row of `className` in `copy` whose text is `text`, or nullptr.
const SkillRow* findRow(std::string_view className, Copy copy, std::string_view text);

}  // namespace skills
