#include "goals/labels.h"

#include <algorithm>
#include <cctype>

#include "skills/needs.h"

namespace goals {
namespace {

using skills::Requirement;

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

bool sameLetters(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

std::optional<skills::Value> valueNamed(std::string_view word) {
  for (int v = 0; v < skills::kValueCount; ++v)
    if (sameLetters(word, skills::valueWord(static_cast<skills::Value>(v))))
      return static_cast<skills::Value>(v);
  return std::nullopt;
}

std::string inWords(const std::vector<Requirement>& needs, bool nothingElse) {
  if (needs.empty()) return nothingElse ? "nothing" : "nothing more";
  std::string out;
  for (const Requirement& need : needs) {
    if (!out.empty()) out += " and ";
    out += std::string(skills::valueWord(need.value)) + " " + std::to_string(need.minimum);
  }
  return out;
}

}  // namespace

std::optional<std::vector<Requirement>> labelNeeds(std::string_view text) {
  const std::size_t open = text.rfind('(');
  if (open == std::string_view::npos) return std::nullopt;
  std::string_view inside = text.substr(open + 1);
  if (inside.ends_with(')')) inside.remove_suffix(1);
  constexpr std::size_t kMostDigits = 3;  // no need passes the ceiling of 200
  std::vector<Requirement> needs;
  std::optional<int> number;  // a value without one takes the one before it
  for (bool more = true; more;) {
    const std::size_t slash = inside.find('/');
    more = slash != std::string_view::npos;
    std::string_view piece = trimmed(inside.substr(0, slash));
    if (more) inside.remove_prefix(slash + 1);
    std::size_t digits = 0;
    while (digits < piece.size() && std::isdigit(static_cast<unsigned char>(piece[digits])))
      ++digits;
    if (digits > kMostDigits) return std::nullopt;
    if (digits > 0) {
      number = 0;
      for (char d : piece.substr(0, digits)) number = *number * 10 + (d - '0');
    }
    const std::optional<skills::Value> value = valueNamed(trimmed(piece.substr(digits)));
    if (!value || !number) return std::nullopt;
    if (*number > 0) needs.push_back({*value, static_cast<std::int16_t>(*number)});
  }
  return needs;
}

std::string_view skillName(std::string_view text) {
  const std::size_t open = text.rfind('(');
  const std::string_view name = trimmed(text.substr(0, open));
  return name.empty() ? trimmed(text) : name;
}

std::string labelNote(const skills::SkillRow& row) {
  const std::optional<std::vector<Requirement>> stated = labelNeeds(row.text);
  if (!stated) return {};
  // What both say is set aside; the rest is where they differ.
  std::vector<Requirement> label = *stated;
  std::vector<Requirement> rule(row.needs.begin(), row.needs.begin() + row.needCount);
  const auto same = [](const Requirement& a, const Requirement& b) {
    return a.value == b.value && a.minimum == b.minimum;
  };
  std::size_t shared = 0;
  for (auto it = rule.begin(); it != rule.end();) {
    const auto at = std::find_if(label.begin(), label.end(),
                                 [&](const Requirement& r) { return same(r, *it); });
    if (at == label.end()) {
      ++it;
      continue;
    }
    label.erase(at);
    it = rule.erase(it);
    ++shared;
  }
  if (label.empty() && rule.empty()) return {};
  if (row.needCount == 1 && label.size() == 1 && rule.size() == 1 &&
      label[0].value == rule[0].value)
    return "label says " + std::to_string(label[0].minimum) + "; the rule needs " +
           std::to_string(rule[0].minimum);
  return "label says " + inWords(label, shared == 0) + "; the rule needs " +
         inWords(rule, shared == 0);
}

}  // namespace goals
