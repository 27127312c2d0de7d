// UTF-8 as the rest of the desktop expects it. A selection typed in the
// window is always UTF-8; one made up elsewhere may hold any bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace store {

// Where the first byte sequence that is not UTF-8 starts, or npos.
std::size_t firstIllFormed(std::string_view text);

// The text with each broken sequence replaced by U+FFFD, as a text box shows
// it. A broken start of a character counts as one, as the Unicode standard
// recommends, so any two programs that follow it agree on the result.
std::string wellFormed(std::string_view text);

}  // namespace store
