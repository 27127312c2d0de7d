// JSON as the commands write it: one object, keys in a fixed order, text
// escaped so that any name or reason stays a string.
#pragma once

#include <string>
#include <string_view>

#include "skills/elements.h"

namespace cli {

std::string jsonString(std::string_view s);
// A value's key: "MFire" for M Fire.
std::string jsonKey(skills::Value v);
// The ten M and P values as an object keyed by jsonKey.
std::string jsonValues(const skills::ElementValues& values);

}  // namespace cli
