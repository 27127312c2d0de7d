#include "store/utf8.h"

namespace store {
namespace {

constexpr std::string_view kReplacement = "\xef\xbf\xbd";  // U+FFFD

// How many bytes at `at` form one character, or, as a negative number, how
// many form the broken start of one (at least 1). Follows the table of
// well-formed sequences of the Unicode standard: no overlong forms, no
// surrogates, nothing past U+10FFFF.
int characterAt(std::string_view s, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned lead = byte(at);
  if (lead < 0x80) return 1;
  int length = 0;
  unsigned low = 0x80, high = 0xbf;  // the range of the second byte
  if (lead >= 0xc2 && lead <= 0xdf) {
    length = 2;
  } else if (lead >= 0xe0 && lead <= 0xef) {
    length = 3;
    if (lead == 0xe0) low = 0xa0;
    if (lead == 0xed) high = 0x9f;
  } else if (lead >= 0xf0 && lead <= 0xf4) {
    length = 4;
    if (lead == 0xf0) low = 0x90;
    if (lead == 0xf4) high = 0x8f;
  } else {
    return -1;
  }
  for (int i = 1; i < length; ++i) {
    if (at + i >= s.size()) return -i;
    const unsigned b = byte(at + i);
    const bool fits = i == 1 ? b >= low && b <= high : b >= 0x80 && b <= 0xbf;
    if (!fits) return -i;
  }
  return length;
}

}  // namespace

std::size_t firstIllFormed(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const int n = characterAt(text, at);
    if (n < 0) return at;
    at += static_cast<std::size_t>(n);
  }
  return std::string_view::npos;
}

std::string wellFormed(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const int n = characterAt(text, at);
    if (n > 0) {
      out.append(text.substr(at, static_cast<std::size_t>(n)));
      at += static_cast<std::size_t>(n);
    } else {
      out.append(kReplacement);
      at += static_cast<std::size_t>(-n);
    }
  }
  return out;
}

}  // namespace store
