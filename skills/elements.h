// The ten planned element values of a plavet and the numbers they hold.
#pragma once

#include <array>
#include <cstdint>

namespace skills {

inline constexpr int kElementCount = 5;  // Fire, Earth, Water, Air, Spirit

// The Magic and Physical values in the order the sheet lists them.
// clang-format off
enum class Value : std::uint8_t {
  MFire, MEarth, MWater, MAir, MSpirit,
  PFire, PEarth, PWater, PAir, PSpirit,
};
// clang-format on
inline constexpr int kValueCount = 10;

constexpr Value magicValue(int element) {
  return static_cast<Value>(element);
}
constexpr Value physicalValue(int element) {
  return static_cast<Value>(kElementCount + element);
}
constexpr int index(Value v) {
  return static_cast<int>(v);
}

// What the ten value boxes hold, indexed by Value.
using ElementValues = std::array<double, kValueCount>;

}  // namespace skills
