// How the numbers of the element sheet are written into their boxes and read
// back. The conversions never depend on the user's locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sheet {

// A whole number plainly ("15", "-7"); any other with at most 15 significant
// digits, trailing zeros dropped ("15.6666666666667").
std::string formatNumber(double value);

// A number for people to read: rounded to two decimals, half away from
// zero, trailing zeros dropped ("15.67", "11.25", "10.5", "15"). The boxes
// keep their exact texts; notes, plans and prints show these.
std::string formatRounded(double value);

// The number a box's text stands for; text that is not a number reads as 0.
double parseNumber(std::string_view text);

// What a box holds after `value` has been written into it and read back:
// the value rounded to the 15 significant digits its text keeps.
double written(double value);

// A box read as a 16-bit or 32-bit integer: rounded to the nearest whole
// number, a tie to the even one, and held within the integer's range.
std::int16_t toInt16(double value);
std::int32_t toInt32(double value);

// The same writing and reading without floating-point std::to_chars and
// std::from_chars, which some standard libraries lack (the WebAssembly
// build's): there the two functions above are these. Here so that tests can
// hold both paths to the same texts.
namespace portable {
std::string formatNumber(double value);
double parseNumber(std::string_view text);
}  // namespace portable

}  // namespace sheet
