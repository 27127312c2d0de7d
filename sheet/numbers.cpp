#include "sheet/numbers.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>

// Floating-point std::to_chars and std::from_chars are missing from some
// standard libraries (the WebAssembly build's among them); there the numbers
// go through the portable path below, which writes the same texts.
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
#define PLAVET_FLOAT_CHARCONV 1
#else
#define PLAVET_FLOAT_CHARCONV 0
#endif

namespace sheet {
namespace {

constexpr int kSignificantDigits = 15;

// Whole numbers below this print exactly in 15 digits.
constexpr double kExactWhole = 1e15;

bool isPlainWhole(double value) {
  return std::abs(value) < kExactWhole && value == std::trunc(value);
}

std::string plainWhole(double value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value));
  return std::string(buffer, result.ptr);
}

template <class Int>
Int toInt(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = std::nearbyint(value);  // default mode: ties to even
  constexpr double lo = std::numeric_limits<Int>::min();
  constexpr double hi = std::numeric_limits<Int>::max();
  return static_cast<Int>(std::clamp(rounded, lo, hi));
}

// ---- The portable path -------------------------------------------------------

// The shortest form of `digits` (the 15 significant digits, rounded) times
// ten to the power `exponent` of the first digit, as printf's %.15g writes
// it: plain for exponents from -5 to 14, else with an exponent of at least
// two digits; trailing zeros and a trailing point dropped.
std::string generalForm(bool negative, std::string digits, int exponent) {
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  // Appended piece by piece: GCC 12 sees overlapping copies in a chain of
  // string additions where there are none (-Wrestrict in optimised builds).
  std::string out = negative ? "-" : "";
  if (exponent < -4 || exponent >= kSignificantDigits) {
    out += digits[0];
    if (digits.size() > 1) out.append(".").append(digits, 1);
    const int magnitude = std::abs(exponent);
    out.append(exponent < 0 ? "e-" : "e+");
    if (magnitude < 10) out += '0';
    return out.append(std::to_string(magnitude));
  }
  if (exponent < 0) return out.append("0.").append(std::size_t(-exponent - 1), '0').append(digits);
  const auto whole = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= whole) return out.append(digits).append(whole - digits.size(), '0');
  return out.append(digits, 0, whole).append(".").append(digits, whole);
}

std::string portableGeneral(double value) {
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  // %.14e rounds correctly to 15 digits; only its decimal point follows the
  // locale, so the digits and the exponent are read around it.
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, value);
  const std::string_view text = buffer;
  const std::size_t e = text.rfind('e');
  std::string digits;
  for (char c : text.substr(0, e))
    if (c >= '0' && c <= '9') digits += c;
  return generalForm(std::signbit(value), digits, std::atoi(buffer + e + 1));
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool startsWithNoCase(std::string_view text, std::string_view word) {
  if (text.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if ((text[i] | 0x20) != word[i]) return false;
  return true;
}

// "inf", "infinity" or "nan", optionally "nan(letters, digits, _)", the
// whole text, any case.
bool isInfinityOrNan(std::string_view t, double& value) {
  if (t.size() == 3 || t.size() == 8) {
    if (startsWithNoCase(t, t.size() == 3 ? "inf" : "infinity")) {
      value = std::numeric_limits<double>::infinity();
      return true;
    }
  }
  if (!startsWithNoCase(t, "nan")) return false;
  if (t.size() > 3) {
    if (t[3] != '(' || t.back() != ')') return false;
    for (char c : t.substr(4, t.size() - 5))
      if (!isDigit(c) && !((c | 0x20) >= 'a' && (c | 0x20) <= 'z') && c != '_') return false;
  }
  value = std::numeric_limits<double>::quiet_NaN();
  return true;
}

// What std::from_chars reads as a whole: an optional minus, digits with an
// optional point, an optional exponent; or infinity or nan. The decimal
// digits reach strtod without their point ("15.5" as "155e-1"), so no
// locale can read them otherwise; it rounds correctly, as from_chars does.
std::optional<double> portableParse(std::string_view text) {
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) text.remove_prefix(1);
  double special = 0;
  if (isInfinityOrNan(text, special)) return negative ? -special : special;

  std::string mantissa;
  long long exponent = 0;
  std::size_t i = 0;
  for (; i < text.size() && isDigit(text[i]); ++i) mantissa += text[i];
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && isDigit(text[i]); ++i, --exponent) mantissa += text[i];
  }
  if (mantissa.empty()) return std::nullopt;
  if (i < text.size()) {
    if ((text[i] | 0x20) != 'e') return std::nullopt;
    const bool down = ++i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    if (i == text.size()) return std::nullopt;
    long long power = 0;
    for (; i < text.size(); ++i) {
      if (!isDigit(text[i])) return std::nullopt;
      power = std::min(power * 10 + (text[i] - '0'), 1'000'000'000LL);  // far past any double
    }
    exponent += down ? -power : power;
  }
  const std::string plain = mantissa + "e" + std::to_string(exponent);
  errno = 0;
  double value = std::strtod(plain.c_str(), nullptr);
  // Out of range as from_chars sees it: too large, or too small to be told from zero.
  if (errno == ERANGE && (std::isinf(value) || value == 0)) return std::nullopt;
  return negative ? -value : value;
}

// ---- The standard library's path -------------------------------------------

#if PLAVET_FLOAT_CHARCONV
std::string standardGeneral(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::general, kSignificantDigits);
  return std::string(buffer, result.ptr);
}

std::optional<double> standardParse(std::string_view text) {
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}
#endif

std::string format(double value, std::string (*general)(double)) {
  if (value == 0) return "0";  // no "-0"
  return isPlainWhole(value) ? plainWhole(value) : general(value);
}

}  // namespace

std::string formatNumber(double value) {
#if PLAVET_FLOAT_CHARCONV
  return format(value, standardGeneral);
#else
  return format(value, portableGeneral);
#endif
}

double parseNumber(std::string_view text) {
#if PLAVET_FLOAT_CHARCONV
  return standardParse(text).value_or(0);
#else
  return portableParse(text).value_or(0);
#endif
}

namespace portable {
std::string formatNumber(double value) {
  return format(value, portableGeneral);
}
double parseNumber(std::string_view text) {
  return portableParse(text).value_or(0);
}
}  // namespace portable

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

std::string formatRounded(double value) {
  // Whole hundredths, so no floating-point formatting is needed.
  const long long hundredths = std::llround(std::abs(value) * 100);
  std::string out = (value < 0 && hundredths != 0 ? "-" : "") + std::to_string(hundredths / 100);
  if (const long long cents = hundredths % 100; cents != 0)
    out += cents % 10 == 0 ? "." + std::to_string(cents / 10)
                           : (cents < 10 ? ".0" : ".") + std::to_string(cents);
  return out;
}

}  // namespace sheet
