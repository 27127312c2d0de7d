#include "web/json.h"

namespace web::json {

void quoted(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
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
  out += std::to_string(value);
}

}  // namespace web::json
