#include "cli/json.h"

#include <cstdio>

#include "skills/needs.h"

namespace cli {

std::string jsonString(std::string_view s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += char(c);
    } else if (c < 0x20) {
      char escaped[7];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += char(c);
    }
  }
  return out + "\"";
}

std::string jsonKey(skills::Value v) {
  std::string name = skills::valueName(v);
  name.erase(1, 1);  // "M Fire" is "MFire"
  return name;
}

std::string jsonValues(const skills::ElementValues& values) {
  std::string out = "{";
  for (int v = 0; v < skills::kValueCount; ++v)
    out += (v ? ", " : "") + jsonString(jsonKey(skills::Value(v))) + ": " +
           std::to_string(static_cast<int>(values[v]));
  return out + "}";
}

}  // namespace cli
