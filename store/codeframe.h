// The frame around every version of a plavet code: "plavet", the version,
// a dash, then the payload and a CRC-32 of everything before it, in URL-safe
// base64 without padding. What the payload holds is up to each version.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace store::frame {

using Bytes = std::vector<std::uint8_t>;

// The characters of a code after its dash, the sixty-four digits of the
// payload in order.
inline constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

std::uint32_t crc32(std::span<const std::uint8_t> bytes);
std::string base64url(std::span<const std::uint8_t> bytes);

// The code of `payload` under `version`.
std::string seal(int version, std::span<const std::uint8_t> payload);

// How many characters the code of a payload of `payloadBytes` has.
std::size_t sealedLength(int version, std::size_t payloadBytes);

struct Header {
  int version = 0;
  std::size_t length = 0;  // "plavet1-"
  std::string reason;      // not a plavet code at all
};
Header readHeader(std::string_view code);

struct Body {
  Bytes payload;        // without its checksum
  bool intact = false;  // every character as an encoder wrote it, checksum matching
  std::string reason;   // holds a character no code has
};
Body readBody(std::string_view code, const Header& header);

}  // namespace store::frame
