// Just enough JSON writing for what the page reads: objects, arrays, texts,
// numbers and flags, appended to a string.
#pragma once

#include <string>
#include <string_view>

namespace web::json {

// A JSON string. Bytes pass as they are, so a text keeps its exact bytes;
// what the page types is UTF-8, and stays valid JSON.
void quoted(std::string& out, std::string_view text);

// Starts the next member of an object, or the next item of an array: a
// comma unless it is the first.
void key(std::string& out, std::string_view name);
void item(std::string& out);

// Members with their values. The names differ by kind so that a string
// literal never turns into a flag.
void text(std::string& out, std::string_view name, std::string_view value);
void flag(std::string& out, std::string_view name, bool value);
void number(std::string& out, std::string_view name, long long value);
// A number alone, as in an array.
void value(std::string& out, long long value);

template <class Texts>
void texts(std::string& out, std::string_view name, const Texts& values) {
  key(out, name);
  out += '[';
  for (std::string_view value : values) {
    item(out);
    quoted(out, value);
  }
  out += ']';
}

}  // namespace web::json
