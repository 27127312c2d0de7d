#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <locale>
#include <string>

#include "number_cases.h"
#include "sheet/numbers.h"

namespace {

using sheet::formatNumber;

struct Formatting {
  double value;
  const char* text;
};

TEST(Numbers, WritesWholeNumbersPlainlyAndOthersWithFifteenDigits) {
  const Formatting cases[] = {
      {0, "0"},
      {-0.0, "0"},
      {15, "15"},
      {200, "200"},
      {-7, "-7"},
      {600, "600"},
      {2.0 / 3.0, "0.666666666666667"},
      {16 * (2.0 / 3.0) + 15 * (1.0 / 3.0), "15.6666666666667"},
      {15.6666666666667 + 15.6666666666667 * 0.25, "19.5833333333334"},
      {0.5, "0.5"},
      {125.25, "125.25"},
      {1.0 / 3.0, "0.333333333333333"},
      {245, "245"},
  };
  for (const Formatting& c : cases) EXPECT_EQ(formatNumber(c.value), c.text) << c.value;
}

// For people: two decimals at most, read back within half a hundredth.
TEST(Numbers, RoundedForPeopleToTwoDecimals) {
  const Formatting cases[] = {
      {0, "0"},
      {-0.0, "0"},
      {15, "15"},
      {15.6666666666667, "15.67"},
      {60.4166666666666, "60.42"},
      {11.25, "11.25"},
      {10.5, "10.5"},
      {0.05, "0.05"},
      {9.999, "10"},
      {-2.125, "-2.13"},
      {-0.001, "0"},
  };
  for (const Formatting& c : cases) EXPECT_EQ(sheet::formatRounded(c.value), c.text) << c.value;
  for (double v = -3; v < 250; v += 0.0137)
    EXPECT_LE(std::abs(sheet::parseNumber(sheet::formatRounded(v)) - v), 0.005 + 1e-9) << v;
}

TEST(Numbers, ReadingBackWhatWasWrittenKeepsFifteenDigits) {
  const double b = 16 * (2.0 / 3.0) + 15 * (1.0 / 3.0);
  EXPECT_NE(sheet::written(b), b);
  EXPECT_EQ(sheet::written(b), 15.6666666666667);
  EXPECT_EQ(sheet::written(42), 42);
  EXPECT_EQ(formatNumber(sheet::written(b)), formatNumber(b));
}

TEST(Numbers, TextThatIsNoNumberReadsAsZero) {
  for (const char* text : {"", "abc", "15abc", " 15", "1,5"})
    EXPECT_EQ(sheet::parseNumber(text), 0) << text;
  EXPECT_EQ(sheet::parseNumber("15.6666666666667"), 15.6666666666667);
  EXPECT_EQ(sheet::parseNumber("-7"), -7);
}

TEST(Numbers, IntegerReadingRoundsTiesToEvenAndStaysInRange) {
  struct Case {
    double value;
    int expected16;
    long long expected32;
  };
  const Case cases[] = {
      {2.5, 2, 2},    {3.5, 4, 4},           {-2.5, -2, -2},           {9, 9, 9},
      {0.4999, 0, 0}, {1e6, 32767, 1000000}, {-1e6, -32768, -1000000}, {1e12, 32767, 2147483647},
      {NAN, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sheet::toInt16(c.value), c.expected16) << c.value;
    EXPECT_EQ(sheet::toInt32(c.value), c.expected32) << c.value;
  }
}

// A user whose locale writes "15,5" still sees "15.6666666666667".
TEST(Numbers, WritingIgnoresTheUsersLocale) {
  struct Comma : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
  };
  const std::locale before = std::locale::global(std::locale(std::locale::classic(), new Comma));
  EXPECT_EQ(formatNumber(47.0 / 3.0), "15.6666666666667");
  EXPECT_EQ(sheet::parseNumber("15.5"), 15.5);
  std::locale::global(before);
}

// ---- The portable path writes and reads what the standard library does ----

void expectBothPathsAgree(double value) {
  if (::testing::Test::HasFailure()) return;  // one wrong number tells enough
  const std::string text = formatNumber(value);
  ASSERT_EQ(sheet::portable::formatNumber(value), text)
      << "value with bits " << std::bit_cast<std::uint64_t>(value);
  ASSERT_TRUE(number_cases::same(sheet::portable::parseNumber(text), sheet::parseNumber(text)))
      << text;
}

TEST(PortableNumbers, WriteEveryDValueAsTheStandardLibraryDoes) {
  number_cases::dValues(expectBothPathsAgree);
}

TEST(PortableNumbers, WriteAnyDoubleAsTheStandardLibraryDoes) {
  number_cases::anyDoubles(expectBothPathsAgree, 200000);
}

TEST(PortableNumbers, ReadAnyTextAsTheStandardLibraryDoes) {
  for (const std::string& text : number_cases::texts())
    EXPECT_TRUE(number_cases::same(sheet::portable::parseNumber(text), sheet::parseNumber(text)))
        << '"' << text << "\" reads as " << sheet::parseNumber(text) << " but portably as "
        << sheet::portable::parseNumber(text);
}

}  // namespace
