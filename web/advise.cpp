// Find Classes for the page: the ranked table of goals::advise as JSON, the
// skill names to offer, the mark of a typed name, and Plan This.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "goals/advise.h"
#include "web/handout.h"
#include "web/json.h"
#include "web/session.h"

using web::handOut;

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

void writeRow(std::string& out, const goals::Advice& advice, const goals::Suggestion& row) {
  using web::json::number;
  using web::json::text;
  out += '{';
  text(out, "race", row.race);
  text(out, "firstClass", row.firstClass);
  text(out, "secondClass", row.secondClass);
  number(out, "kept", static_cast<long long>(row.kept.size()));
  number(out, "pointsLeft", row.pointsLeft);
  text(out, "words", goals::rowWords(advice, row));
  web::json::key(out, "skills");
  out += '[';
  for (std::size_t j = 0; j < advice.skills.size(); ++j) {
    web::json::item(out);
    out += '{';
    text(out, "by", goals::givenBy(row, j));
    text(out, "words", goals::givenWords(advice, row, j));
    out += '}';
  }
  out += ']';
  web::json::key(out, "goals");
  out += '[';
  for (const goals::Met& m : row.kept) {
    web::json::item(out);
    out += '{';
    number(out, "copy", m.goal.copy == skills::Copy::FirstClass ? 0 : 1);
    number(out, "row", m.goal.row);
    out += '}';
  }
  out += "]}";
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
// "combinations":N,"rows":[{"race",...,"words","skills":[{"by","words"}],
// "goals":[{"copy","row"}]}]} (a row's words for each skill, joined by "; ",
// are goals::givenWords of the row); a null pointer for a question that is
// none.
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
  web::json::texts(out, "skills", advice.skills);
  web::json::number(out, "combinations", static_cast<long long>(advice.combinations));
  web::json::key(out, "rows");
  out += '[';
  for (const goals::Suggestion& row : advice.rows) {
    web::json::item(out);
    writeRow(out, advice, row);
  }
  return handOut(out + "]}");
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
