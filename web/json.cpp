#include "web/json.h"

#include <charconv>

namespace web::json {

void quoted(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  // Plain characters are copied in runs: a table of Find Classes writes
  // hundreds of kilobytes of them.
  std::size_t plain = 0;  // where the run not yet written starts
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte != '"' && byte != '\\' && byte >= 0x20) continue;
    out.append(text.data() + plain, i - plain);
    plain = i + 1;
    if (byte < 0x20) {
      const char escape[] = {'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 15]};
      out.append(escape, sizeof escape);
    } else {
      const char escape[] = {'\\', text[i]};
      out.append(escape, sizeof escape);
    }
  }
  out.append(text.data() + plain, text.size() - plain);
  out += '"';
}

void key(std::string& out, std::string_view name) {
  if (out.back() != '{') out += ',';
  quoted(out, name);
  out += ':';
}

void item(std::string& out) {
  if (out.back() != '[') out += ',';
}

void text(std::string& out, std::string_view name, std::string_view value) {
  key(out, name);
  quoted(out, value);
}

void flag(std::string& out, std::string_view name, bool value) {
  key(out, name);
  out += value ? "true" : "false";
}

void number(std::string& out, std::string_view name, long long value) {
  key(out, name);
  json::value(out, value);
}

void value(std::string& out, long long value) {
  char digits[24];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

}  // namespace web::json
