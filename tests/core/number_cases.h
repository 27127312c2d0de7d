// Numbers and texts on which two ways of writing and reading the sheet's
// numbers must agree. Shared by the test of the portable path and by the
// web build's comparison with the native core.
#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "sheet/numbers.h"

namespace number_cases {

// Every D value the sheet can show: each step of the spells' chain, written
// and read back as delement does, for every M and P value from 0 to 200.
template <class Use>
void dValues(Use&& use) {
  for (int m = 0; m <= 200; ++m) {
    for (int p = 0; p <= 200; ++p) {
      const double base = p * (2.0 / 3.0) + m * (1.0 / 3.0);
      const double b = sheet::written(base);
      const double endured = b + std::min(b * 0.25, 25.0);
      for (double d : {base, endured, sheet::written(endured) + 10, sheet::written(endured) + 20,
                       b + 10, b + 20, b * 0.25})
        use(d);
    }
  }
}

// Numbers of every size and shape: random bits (subnormals, infinities and
// not-a-numbers among them), ties at the fifteenth digit, and the borders
// where the plain form gives way to the exponent form.
template <class Use>
void anyDoubles(Use&& use, int randomCount) {
  std::mt19937_64 random(0x6e756d62657273);
  for (int i = 0; i < randomCount; ++i) use(std::bit_cast<double>(random()));
  for (int i = 0; i < randomCount / 2; ++i) {
    const double unit = static_cast<double>(random() >> 11) * 0x1p-53;
    use(unit * std::pow(10.0, static_cast<int>(random() % 40) - 20));
  }
  for (double whole = 1e14; whole < 1e15; whole += 1.37e11) {
    use(std::trunc(whole) + 0.5);  // exactly halfway at the sixteenth digit
    use(std::trunc(whole) + 0.25);
  }
  for (int power = -30; power <= 30; ++power) {
    const double ten = std::pow(10.0, power);
    for (double v : {ten, std::nextafter(ten, 0.0), std::nextafter(ten, 1e300),
                     ten * 0.99999999999999951, -ten * 9.9999999999999995})
      use(v);
  }
  for (double v : {0.0, -0.0, 1e15, 999999999999999.5, 5e-324, 2.2250738585072014e-308,
                   std::numeric_limits<double>::max(), std::numeric_limits<double>::infinity(),
                   -std::numeric_limits<double>::infinity(), std::nan(""), -std::nan("")})
    use(v);
}

// Texts a box could hold were anything but the planner to write them.
inline std::vector<std::string> texts() {
  // clang-format off
  std::vector<std::string> t = {
      "", "-", ".", "-.", ".5", "5.", "-0", "0", "15", "-7", "15.6666666666667", "1,5", " 1",
      "1 ", "+1", "--1", "0x10", "1e", "1e+", "1e-", "1E5", "1e+05", "2.5e-3", "1e400", "-1e400",
      "1e-400", "-1e-400", "4.9e-324", "1e-310", "2.2250738585072014e-308", "inf", "-INF",
      "Infinity", "infin", "nan", "-nan", "NaN(123_abc)", "nan(", "nan()", "nan(a-b)",
      "1e99999999999999999999", "0e99999999999999999999", "abc", "15abc"};
  // clang-format on
  t.push_back("0." + std::string(400, '0') + "15e420");
  t.push_back(std::string(500, '9') + ".5e-480");
  return t;
}

// Equal as numbers, or both not a number with the same sign.
inline bool same(double a, double b) {
  if (std::isnan(a) || std::isnan(b))
    return std::isnan(a) && std::isnan(b) && std::signbit(a) == std::signbit(b);
  return a == b && std::signbit(a) == std::signbit(b);
}

}  // namespace number_cases
