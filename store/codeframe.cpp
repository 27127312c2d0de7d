#include "store/codeframe.h"

#include <array>
#include <charconv>

#include "store/code.h"

namespace store::frame {
namespace {

constexpr std::size_t kChecksumBytes = 4;

constexpr std::array<std::uint32_t, 256> kCrcTable = [] {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320u ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  return table;
}();

std::uint32_t crcUpdate(std::uint32_t crc, std::span<const std::uint8_t> bytes) {
  for (std::uint8_t b : bytes) crc = kCrcTable[(crc ^ b) & 0xff] ^ (crc >> 8);
  return crc;
}

std::string headerOf(int version) {
  return std::string(kCodePrefix) + std::to_string(version) + "-";
}

// The checksum covers the header too, so a payload cannot pass for another
// version's.
std::uint32_t checksum(std::string_view header, std::span<const std::uint8_t> payload) {
  const auto* text = reinterpret_cast<const std::uint8_t*>(header.data());
  std::uint32_t crc = crcUpdate(0xffffffffu, {text, header.size()});
  return crcUpdate(crc, payload) ^ 0xffffffffu;
}

int sextet(char c) {
  const std::size_t at = kAlphabet.find(c);
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

}  // namespace

std::uint32_t crc32(std::span<const std::uint8_t> bytes) {
  return crcUpdate(0xffffffffu, bytes) ^ 0xffffffffu;
}

std::string base64url(std::span<const std::uint8_t> bytes) {
  std::string out;
  out.reserve((bytes.size() * 4 + 2) / 3);
  std::uint32_t bits = 0;
  int held = 0;
  for (std::uint8_t b : bytes) {
    bits = (bits << 8) | b;
    held += 8;
    while (held >= 6) {
      held -= 6;
      out += kAlphabet[(bits >> held) & 63];
    }
  }
  if (held > 0) out += kAlphabet[(bits << (6 - held)) & 63];
  return out;
}

std::string seal(int version, std::span<const std::uint8_t> payload) {
  const std::string header = headerOf(version);
  Bytes body(payload.begin(), payload.end());
  const std::uint32_t crc = checksum(header, payload);
  for (int shift = 24; shift >= 0; shift -= 8)
    body.push_back(static_cast<std::uint8_t>(crc >> shift));
  return header + base64url(body);
}

std::size_t sealedLength(int version, std::size_t payloadBytes) {
  return headerOf(version).size() + ((payloadBytes + kChecksumBytes) * 8 + 5) / 6;
}

Header readHeader(std::string_view code) {
  Header h;
  if (!code.starts_with(kCodePrefix)) {
    h.reason = "This is not a plavet code: a plavet code starts with \"" +
               std::string(kCodePrefix) + "\".";
    return h;
  }
  const std::string_view rest = code.substr(kCodePrefix.size());
  const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), h.version);
  if (ec != std::errc() || end == rest.data() || end == rest.data() + rest.size() || *end != '-' ||
      rest.front() == '0' || h.version < 1) {
    h.reason = "This is not a plavet code: \"" + std::string(kCodePrefix) +
               "\" must be followed by the code's version and a dash, as in \"" + headerOf(1) +
               "\".";  // as most codes start
    return h;
  }
  h.length = kCodePrefix.size() + static_cast<std::size_t>(end - rest.data()) + 1;
  return h;
}

Body readBody(std::string_view code, const Header& header) {
  Body body;
  const std::string_view text = code.substr(header.length);
  Bytes bytes;
  bytes.reserve(text.size() * 3 / 4);
  std::uint32_t bits = 0;
  int held = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int v = sextet(text[i]);
    if (v < 0) {
      body.reason = "The plavet code is damaged: its character " +
                    std::to_string(header.length + i + 1) + " cannot be part of a code.";
      return body;
    }
    bits = (bits << 6) | static_cast<std::uint32_t>(v);
    held += 6;
    if (held >= 8) {
      held -= 8;
      bytes.push_back(static_cast<std::uint8_t>(bits >> held));
    }
  }
  // An encoder leaves at most four bits over, all of them zero.
  const bool ragged = held == 6 || (bits & ((1u << held) - 1)) != 0;
  if (bytes.size() < kChecksumBytes) return body;
  const auto payloadEnd = bytes.end() - kChecksumBytes;
  std::uint32_t stored = 0;
  for (auto it = payloadEnd; it != bytes.end(); ++it) stored = (stored << 8) | *it;
  body.payload.assign(bytes.begin(), payloadEnd);
  body.intact = !ragged && stored == checksum(code.substr(0, header.length), body.payload);
  return body;
}

}  // namespace store::frame
