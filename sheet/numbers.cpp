#include "sheet/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace sheet {
namespace {

constexpr int kSignificantDigits = 15;

// Whole numbers below this print exactly in 15 digits.
constexpr double kExactWhole = 1e15;

bool isPlainWhole(double value) {
  return std::abs(value) < kExactWhole && value == std::trunc(value);
}

template <class Int>
Int toInt(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = std::nearbyint(value);  // default mode: ties to even
  constexpr double lo = std::numeric_limits<Int>::min();
  constexpr double hi = std::numeric_limits<Int>::max();
  return static_cast<Int>(std::clamp(rounded, lo, hi));
}

}  // namespace

std::string formatNumber(double value) {
  if (value == 0) return "0";  // no "-0"
  char buffer[32];
  const auto result =
      isPlainWhole(value)
          ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value))
          : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general,
                          kSignificantDigits);
  return std::string(buffer, result.ptr);
}

double parseNumber(std::string_view text) {
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return 0;
  return value;
}

double written(double value) {
  if (isPlainWhole(value)) return value;
  return parseNumber(formatNumber(value));
}

std::int16_t toInt16(double value) {
  return toInt<std::int16_t>(value);
}
std::int32_t toInt32(double value) {
  return toInt<std::int32_t>(value);
}

}  // namespace sheet
