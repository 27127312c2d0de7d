#include "sheet/names.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

#include "sheet/tables.h"
#include "skills/catalogue.h"

namespace sheet {
namespace {

constexpr std::array<std::string_view, kRaceBonuses.size()> kRaceNames = [] {
  std::array<std::string_view, kRaceBonuses.size()> names{};
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = kRaceBonuses[i].race;
  return names;
}();

char lower(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

std::string lowered(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = lower(c);
  return out;
}

// How many letters to add, drop or change to turn one text into the other.
std::size_t editDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// A typed text as a message quotes it: a long one cut short after its first
// characters (never inside a UTF-8 sequence), so that a tooltip stays a line.
std::string quoted(std::string_view text) {
  constexpr std::size_t kLongest = 60;
  if (text.size() <= kLongest) return std::string(text);
  std::size_t cut = kLongest;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xc0) == 0x80) --cut;
  return std::string(text.substr(0, cut)) + "\u2026";
}

}  // namespace

std::span<const std::string_view> listNames(Selection selection) {
  if (selection == Selection::Race) return kRaceNames;
  return skills::kClassNames;
}

bool isListName(Selection selection, std::string_view text) {
  const auto names = listNames(selection);
  return std::find(names.begin(), names.end(), text) != names.end();
}

std::optional<std::string_view> nearestName(std::string_view text,
                                            std::span<const std::string_view> names) {
  // Longer texts are no name misspelt; they are not worth measuring.
  constexpr std::size_t kLongest = 200;
  if (text.size() > kLongest) return std::nullopt;
  const std::string typed = lowered(text);
  const std::size_t allowed = std::max<std::size_t>(1, typed.size() / 4);
  std::optional<std::string_view> best;
  std::size_t bestDistance = allowed + 1;
  for (std::string_view name : names) {
    const std::string candidate = lowered(name);
    const std::string shortName = candidate.substr(0, candidate.find(" ("));
    const std::size_t d = std::min(editDistance(typed, candidate), editDistance(typed, shortName));
    if (d < bestDistance) {
      best = name;
      bestDistance = d;
    }
  }
  return best;
}

std::string selectionWarning(Selection selection, std::string_view text) {
  if (text.empty() || isListName(selection, text)) return {};
  const std::string_view what = selection == Selection::Race ? "race" : "class";
  std::string out = "\u201c" + quoted(text) + "\u201d is not a " + std::string(what) +
                    " of the list, so no " + std::string(what) + " rule applies.";
  if (const auto meant = nearestName(text, listNames(selection)))
    out += " Did you mean \u201c" + std::string(*meant) + "\u201d?";
  return out;
}

std::optional<std::string_view> completion(Selection selection, std::string_view typed) {
  if (typed.empty() || isListName(selection, typed)) return std::nullopt;
  for (std::string_view name : listNames(selection)) {
    if (name.size() <= typed.size()) continue;
    if (std::equal(typed.begin(), typed.end(), name.begin(),
                   [](char a, char b) { return lower(a) == lower(b); }))
      return name;
  }
  return std::nullopt;
}

}  // namespace sheet
