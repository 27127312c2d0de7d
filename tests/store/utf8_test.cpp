#include <gtest/gtest.h>

#include "store/utf8.h"

namespace {

constexpr std::string_view R = "\xef\xbf\xbd";  // U+FFFD

struct Case {
  std::string_view in;
  std::string out;
  std::size_t firstBad;
};

// The cases of the Unicode standard's discussion of U+FFFD substitution,
// and the edges of every byte range.
TEST(Utf8, ReplacesEachBrokenStartOfACharacterOnce) {
  const std::size_t ok = std::string_view::npos;
  const std::string r(R);
  const Case cases[] = {
      {"", "", ok},
      {"Dwarf", "Dwarf", ok},
      {"\xc3\x89lf \xe7\xb2\xbe \xf0\x9f\x90\x89", "\xc3\x89lf \xe7\xb2\xbe \xf0\x9f\x90\x89", ok},
      {std::string_view("a\0b", 3), std::string("a\0b", 3), ok},
      {"\xef\xbf\xbf\xf4\x8f\xbf\xbf", "\xef\xbf\xbf\xf4\x8f\xbf\xbf", ok},  // the last ones
      {"\x80", r, 0},
      {"\xbf\x80", r + r, 0},
      {"\xc0\xaf", r + r, 0},  // overlong
      {"\xc1\xbf", r + r, 0},
      {"\xe0\x80\xaf", r + r + r, 0},          // overlong
      {"\xed\xa0\x80", r + r + r, 0},          // a surrogate
      {"\xf4\x90\x80\x80", r + r + r + r, 0},  // past U+10FFFF
      {"\xf5\x80", r + r, 0},
      {"\xff\xfe\xfd", r + r + r, 0},
      {"a\xc3", "a" + r, 1},  // cut short at the end
      {"\xe2\x80", r, 0},
      {"\xf0\x9f\x90x", r + "x", 0},
      {"\x61\xf1\x80\x80\xe1\x80\xc2\x62\x80\x63\x80\xbf\x64",
       "a" + r + r + r + "b" + r + "c" + r + r + "d", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(store::wellFormed(c.in), c.out);
    EXPECT_EQ(store::firstIllFormed(c.in), c.firstBad);
    EXPECT_EQ(store::firstIllFormed(store::wellFormed(c.in)), ok);
  }
}

}  // namespace
