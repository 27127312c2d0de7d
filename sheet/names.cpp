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

bool sameInAnyCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return lower(x) == lower(y); });
}

// How many letters to add, drop or change, or neighbours to swap, to turn
// one text into the other ("Wariror" is one slip from "Warrior").
std::size_t editDistance(std::string_view a, std::string_view b) {
  // Three rows of the table: two back for a swap, one back, and this one.
  std::vector<std::size_t> before(b.size() + 1), above(b.size() + 1), row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) above[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      row[j] = std::min({above[j] + 1, row[j - 1] + 1, above[j - 1] + (a[i - 1] != b[j - 1])});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        row[j] = std::min(row[j], before[j - 2] + 1);
    }
    std::swap(before, above);
    std::swap(above, row);
  }
  return above[b.size()];
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

std::optional<std::string_view> nameInAnyCase(std::span<const std::string_view> names,
                                              std::string_view text) {
  const auto exact = std::find(names.begin(), names.end(), text);
  if (exact != names.end()) return *exact;
  for (std::string_view name : names)
    if (sameInAnyCase(name, text)) return name;
  return std::nullopt;
}

std::optional<std::string_view> completion(std::span<const std::string_view> names,
                                           std::string_view typed) {
  if (typed.empty() || nameInAnyCase(names, typed)) return std::nullopt;
  for (std::string_view name : names)
    if (name.size() > typed.size() && sameInAnyCase(name.substr(0, typed.size()), typed))
      return name;
  return std::nullopt;
}

std::optional<std::string_view> meantName(std::span<const std::string_view> names,
                                          std::string_view text) {
  if (text.empty()) return std::nullopt;
  if (const auto name = nameInAnyCase(names, text)) return name;
  if (const auto name = completion(names, text)) return name;
  return nearestName(text, names);
}

std::vector<int> rowsMeant(std::span<const std::string_view> texts, std::string_view text) {
  const auto where = [&](auto fits) {
    std::vector<int> found;
    for (std::size_t i = 0; i < texts.size(); ++i)
      if (fits(texts[i], lowered(texts[i].substr(0, texts[i].find(" ("))))) found.push_back(int(i));
    return found;
  };
  const std::string typed = lowered(text);
  for (const auto& found :
       {where([&](std::string_view row, const std::string&) { return row == text; }),
        where([&](std::string_view row, const std::string&name) {
          return lowered(row) == typed || name == typed;
        }),
        where([&](std::string_view, const std::string&name) {
          return !typed.empty() && name.starts_with(typed + " ");
        })})
    if (!found.empty()) return found;
  return {};
}

std::string selectionWarning(Selection selection, std::string_view text) {
  if (text.empty() || isListName(selection, text)) return {};
  const std::string_view what = selection == Selection::Race ? "race" : "class";
  std::string out = "\u201c" + quoted(text) + "\u201d is not a " + std::string(what) +
                    " of the list, so no " + std::string(what) + " rule applies.";
  if (const auto meant = meantName(listNames(selection), text))
    out += " Did you mean \u201c" + std::string(*meant) + "\u201d?";
  return out;
}

std::optional<std::string_view> completion(Selection selection, std::string_view typed) {
  return completion(listNames(selection), typed);
}

std::string nameWarning(std::span<const std::string_view> names, std::string_view text,
                        std::string_view what) {
  if (text.empty() || nameInAnyCase(names, text)) return {};
  std::string out = "\u201c" + quoted(text) + "\u201d is not " + std::string(what) + ".";
  if (const auto meant = meantName(names, text))
    out += " Did you mean \u201c" + std::string(*meant) + "\u201d?";
  return out;
}

}  // namespace sheet
