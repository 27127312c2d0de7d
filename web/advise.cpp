// Find Classes for the page: the ranked table of goals::advise as JSON, the
// skill names to offer, the mark of a typed name, and Plan This.
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "goals/advise.h"
#include "web/handout.h"
#include "web/json.h"
#include "web/session.h"

using web::handOut;
using web::json::value;

namespace {

// The lines of a text, empty ones too: one more than it has line breaks.
std::vector<std::string_view> linesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  for (;;) {
    const auto end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) return lines;
    text = text.substr(end + 1);
  }
}

std::optional<std::string> fixed(std::string_view line) {
  if (line.empty()) return std::nullopt;
  return std::string(line);
}

// A table of every row repeats the same words in many cells ("Kick: Warrior
// (second class)", "Bash: dropped, neither Druid nor Mage teaches it"): each
// cell's class and words are written once, in "said", and a cell names its
// place there. A cell is known by its name, its class and copy or its reason,
// so its words are made only the first time.
class Said {
 public:
  explicit Said(const goals::Advice& advice) : advice_(advice) {}

  int place(const goals::Suggestion& row, std::size_t skill) {
    Cell cell{skill, Cell::kDropped, {}};
    for (const goals::Met& m : row.kept)
      if (m.skill == skill) {
        const bool first = m.goal.copy == skills::Copy::FirstClass;
        cell.copy = first ? Cell::kFirst : Cell::kSecond;
        cell.text = first ? row.firstClass : row.secondClass;
      }
    if (cell.copy == Cell::kDropped)
      for (const goals::Unmet& u : row.dropped)
        if (u.skill == skill) cell.text = u.reason;
    const auto [at, added] = places_.try_emplace(cell, int(said_.size()));
    if (added)
      said_.emplace_back(goals::givenBy(row, skill), goals::givenWords(advice_, row, skill));
    return at->second;
  }

  void write(std::string& out) const {
    web::json::key(out, "said");
    out += '[';
    for (const auto& [by, words] : said_) {
      web::json::item(out);
      out += '[';
      web::json::quoted(out, by);
      out += ',';
      web::json::quoted(out, words);
      out += ']';
    }
    out += ']';
  }

 private:
  struct Cell {
    enum Copy { kFirst, kSecond, kDropped };
    std::size_t skill;
    Copy copy;
    std::string_view text;  // the class, or the reason; the advice holds it
    bool operator==(const Cell&) const = default;
  };
  struct Hash {
    std::size_t operator()(const Cell& c) const {
      return std::hash<std::string_view>{}(c.text) ^
             (c.skill * 4 + std::size_t(c.copy)) * 0x9e3779b9u;
    }
  };
  const goals::Advice& advice_;
  std::unordered_map<Cell, int, Hash> places_;
  std::vector<std::pair<std::string_view, std::string>> said_;  // by, words; as first said
};

// A row as an array, a table being thousands of them: [race, first class,
// second class, kept, points left, words, [each name's place in "said"],
// [copy, row, copy, row, ... of the goals kept]].
void writeRow(std::string& out, const goals::Advice& advice, const goals::Suggestion& row,
              Said& said) {
  out += '[';
  for (std::string_view name : {row.race, row.firstClass, row.secondClass}) {
    web::json::quoted(out, name);
    out += ',';
  }
  value(out, static_cast<long long>(row.kept.size()));
  out += ',';
  value(out, row.pointsLeft);
  out += ',';
  web::json::quoted(out, goals::rowWords(advice, row));
  out += ",[";
  for (std::size_t j = 0; j < advice.skills.size(); ++j) {
    if (j) out += ',';
    value(out, said.place(row, j));
  }
  out += "],[";
  for (std::size_t k = 0; k < row.kept.size(); ++k) {
    if (k) out += ',';
    out += row.kept[k].goal.copy == skills::Copy::FirstClass ? '0' : '1';
    out += ',';
    value(out, row.kept[k].goal.row);
  }
  out += "]]";
}

}  // namespace

extern "C" {

// Every skill name to offer: ["War Chant", ...], in catalogue order.
PLAVET_EXPORT const char* plavet_skill_names(web::Session*) {
  std::string out = "{";
  web::json::texts(out, "names", goals::skillNames());
  return handOut(out + "}");
}

// Why a typed text is no skill's name: {"warning": ""} for a name.
PLAVET_EXPORT const char* plavet_skill_warning(web::Session*, const char* text,
                                               std::size_t length) {
  std::string out = "{";
  web::json::text(out, "warning", goals::skillWarning(std::string_view(text, length)));
  return handOut(out + "}");
}

// The table for a question of lines: the Magic and Physical clan-town
// counts, how many rows (0 for all), the race, first class and second class
// fixed (empty: any), then one skill name a line. {"skills":[...],
// "combinations":N,"rows":[ROW, ...],"said":[[BY, WORDS], ...]}, a ROW as
// writeRow writes it; a cell's BY is goals::givenBy and its WORDS
// goals::givenWords of its row and skill. A null pointer for a question that
// is none. (PlavetCore's advise turns the answer into objects.)
PLAVET_EXPORT const char* plavet_advise(web::Session*, const char* text, std::size_t length) {
  const std::vector<std::string_view> lines = linesOf(std::string_view(text, length));
  if (lines.size() < 6) return nullptr;
  goals::Question q;
  const auto count = [](std::string_view line) { return line.size() == 1 ? line[0] - '0' : -1; };
  q.magicBonus = count(lines[0]);
  q.physicalBonus = count(lines[1]);
  std::size_t top = 0;
  for (char c : lines[2]) {
    if (c < '0' || c > '9' || top > 100000) return nullptr;
    top = top * 10 + std::size_t(c - '0');
  }
  q.race = fixed(lines[3]);
  q.firstClass = fixed(lines[4]);
  q.secondClass = fixed(lines[5]);
  for (std::size_t i = 6; i < lines.size(); ++i) {
    const auto name = goals::skillNamed(lines[i]);
    if (!name) return nullptr;
    q.skills.push_back(*name);
  }
  goals::Advice advice;
  try {
    advice = goals::advise(q, top == 0 ? goals::kAllRows : top);
  } catch (const goals::BadProblem&) {
    return nullptr;
  }
  std::string out = "{";
  out.reserve(advice.rows.size() * (120 + 12 * advice.skills.size()));  // about what a row takes
  web::json::texts(out, "skills", advice.skills);
  web::json::number(out, "combinations", static_cast<long long>(advice.combinations));
  web::json::key(out, "rows");
  out += '[';
  Said said(advice);
  for (const goals::Suggestion& row : advice.rows) {
    web::json::item(out);
    writeRow(out, advice, row, said);
  }
  out += ']';
  said.write(out);
  out += '}';
  return handOut(std::move(out));
}

// Plan This: lines of the race, first class and second class, the Magic
// and Physical counts, then a goal a line as "COPY ROW" (COPY 0 for the
// first class, 1 for the second): a fresh plavet planning them, in place as
// one step; answers as an event. A null pointer for lines that are none.
PLAVET_EXPORT const char* plavet_plan_this(web::Session* session, const char* text,
                                           std::size_t length) {
  const std::vector<std::string_view> lines = linesOf(std::string_view(text, length));
  if (lines.size() < 5) return nullptr;
  const auto count = [](std::string_view line) { return line.size() == 1 ? line[0] - '0' : -1; };
  const sheet::BonusCounts counts{count(lines[3]), count(lines[4])};
  if (counts.magic < 0 || counts.magic > 2 || counts.physical < 0 || counts.physical > 2)
    return nullptr;
  goals::Problem p{std::string(lines[0]), std::string(lines[1]), std::string(lines[2]),
                   counts.magic,          counts.physical,       {}};
  for (std::size_t i = 5; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (line.size() < 3 || (line[0] != '0' && line[0] != '1') || line[1] != ' ') return nullptr;
    int row = 0;
    for (char c : line.substr(2)) {
      if (c < '0' || c > '9' || row > 1000) return nullptr;
      row = row * 10 + (c - '0');
    }
    p.goals.push_back({line[0] == '0' ? skills::Copy::FirstClass : skills::Copy::SecondClass, row});
  }
  try {
    for (const goals::Goal& g : p.goals) goals::rowOf(p, g);  // a row of its class
  } catch (const goals::BadProblem&) {
    return nullptr;
  }
  return handOut(session->planFor(lines[0], lines[1], lines[2], p.goals, counts));
}
}
