// The rows of a comparison, the skill lists side by side, and a row read whole.
#include <algorithm>
#include <cmath>

#include "compare/compare.h"
#include "history/steps.h"
#include "sheet/numbers.h"
#include "skills/needs.h"

namespace compare {
namespace {

constexpr std::string_view kMinus = "\u2212";

struct Field {
  std::string name;
  Kind kind;
  int index;  // the selection, Box, Spell or Bonus; -1 for multi-classed
  bool fraction = false;
};

std::vector<Field> makeFields() {
  std::vector<Field> f = {{"Race", Kind::Text, 0},
                          {"First class", Kind::Text, 1},
                          {"Second class", Kind::Text, 2},
                          {"Multi-classed", Kind::Check, -1}};
  for (int v = 0; v < skills::kValueCount; ++v)
    f.push_back({skills::valueName(skills::Value(v)), Kind::Number, v});
  for (int e = 0; e < skills::kElementCount; ++e)
    f.push_back({"D " + std::string(skills::kElementNames[e]), Kind::Number,
                 static_cast<int>(sheet::dBox(e)), true});
  f.push_back({"Magic pool", Kind::Number, static_cast<int>(sheet::Box::mpr)});
  f.push_back({"Physical pool", Kind::Number, static_cast<int>(sheet::Box::ppr)});
  f.push_back({"Either pool", Kind::Number, static_cast<int>(sheet::Box::epr)});
  for (int s = 0; s < 3; ++s)
    f.push_back({std::string(history::steps::spellName(sheet::Spell(s))), Kind::Check, s});
  for (int b = 0; b < 4; ++b)
    f.push_back({std::string(history::steps::bonusName(sheet::Bonus(b))), Kind::Check, 10 + b});
  return f;
}

const std::vector<Field>& fields() {
  static const std::vector<Field> kFields = makeFields();
  return kFields;
}

std::string valueOf(const Field& f, const sheet::State& s) {
  switch (f.kind) {
    case Kind::Text:
      return s.selections[f.index];
    case Kind::Number:
      return sheet::formatNumber(s.boxes[f.index]);
    case Kind::Check: {
      if (f.index < 0) return s.multiClassed ? "Yes" : "No";
      const bool on = f.index < 10 ? s.spells[f.index] : s.bonuses[f.index - 10];
      return on ? "Checked" : "Unchecked";
    }
  }
  return {};
}

// Signed, with a minus sign; a D value's to at most two decimals.
std::string signedDifference(double d, bool fraction) {
  std::string out = d > 0 ? "+" : std::string(kMinus);
  double size = std::abs(d);
  if (fraction) size = std::round(size * 100) / 100;
  return out + (size == 0 ? "<0.01" : sheet::formatNumber(size));
}

Cell cellOf(const Field& f, const std::string& base, const sheet::State& baseState,
            const sheet::State& s) {
  Cell c{valueOf(f, s), "=", Mark::Same};
  if (c.value == base) return c;
  if (f.kind != Kind::Number) {
    c.mark = Mark::Other;
    c.difference = "\u2260";
    return c;
  }
  const double d = s.boxes[f.index] - baseState.boxes[f.index];
  c.mark = d > 0 ? Mark::More : Mark::Less;
  c.difference = signedDifference(d, f.fraction);
  return c;
}

// Where a listed skill stands in the catalogue: in the compared plavet's
// class first, then in the base's; a text of neither after them.
int catalogueOrder(std::string_view text, int list, const sheet::State& base,
                   const sheet::State& other) {
  const skills::Copy copy = list == 0 ? skills::Copy::FirstClass : skills::Copy::SecondClass;
  int offset = 0;
  for (const sheet::State* s : {&other, &base}) {
    const auto rows = skills::rowsOf(s->selections[list + 1], copy);
    for (std::size_t i = 0; i < rows.size(); ++i)
      if (rows[i].text == text) return offset + static_cast<int>(i);
    offset += 1000;
  }
  return offset;
}

Skills skillsOf(int list, const sheet::State& base, const sheet::State& other) {
  const auto& a = list == 0 ? base.firstClassSkills : base.secondClassSkills;
  const auto& b = list == 0 ? other.firstClassSkills : other.secondClassSkills;
  std::vector<std::pair<int, std::string_view>> keyed;
  for (const auto* l : {&a, &b})
    for (std::string_view t : l->items())
      keyed.emplace_back(catalogueOrder(t, list, base, other), t);
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& x, const auto& y) { return x.first < y.first; });
  std::vector<std::string_view> all;
  for (const auto& [key, t] : keyed)
    if (std::find(all.begin(), all.end(), t) == all.end()) all.push_back(t);
  auto holds = [](const skills::SkillList& l, std::string_view t) {
    return std::binary_search(l.items().begin(), l.items().end(), t);
  };
  Skills out;
  out.list = list;
  for (std::string_view t : all) {
    const bool inA = holds(a, t), inB = holds(b, t);
    (inA && inB ? out.both : inA ? out.onlyBase : out.onlyCompared).push_back(t);
  }
  return out;
}

}  // namespace

bool Row::differs() const {
  return std::any_of(compared.begin(), compared.end(), [](const Cell& c) { return c.differs(); });
}

std::string Skills::reached() const {
  return std::to_string(both.size()) + " of " + std::to_string(both.size() + onlyCompared.size());
}

std::vector<Row> rowsOf(const sheet::State& base, std::span<const sheet::State> compared) {
  std::vector<Row> rows;
  rows.reserve(fields().size());
  for (const Field& f : fields()) {
    Row r{f.name, f.kind, valueOf(f, base), {}};
    r.compared.reserve(compared.size());
    for (const sheet::State& s : compared) r.compared.push_back(cellOf(f, r.base, base, s));
    rows.push_back(std::move(r));
  }
  return rows;
}

Comparison compareWith(const Plavet& base, std::span<const Plavet> compared) {
  std::vector<sheet::State> states;
  for (const Plavet& p : compared) states.push_back(p.state);
  Comparison c{base.name, rowsOf(base.state, states), {}};
  for (std::size_t i = 0; i < compared.size(); ++i) {
    Against a{compared[i].name, 0, {}, presses(base.state, states[i])};
    for (const Row& r : c.rows) a.differences += r.compared[i].differs();
    for (int list = 0; list < 2; ++list) a.skills[list] = skillsOf(list, base.state, states[i]);
    c.compared.push_back(std::move(a));
  }
  return c;
}

std::string spoken(const Row& row, std::span<const std::string> names) {
  auto shown = [](const std::string& v) { return v.empty() ? std::string("nothing") : v; };
  std::string out = row.name + ": " + shown(row.base) + " here";
  for (std::size_t i = 0; i < row.compared.size(); ++i) {
    const Cell& c = row.compared[i];
    const std::string where =
        row.compared.size() == 1 || i >= names.size() ? "there" : "in " + names[i];
    std::string how = c.mark == Mark::Same ? "the same"
                      : c.mark == Mark::Other
                          ? "different"
                          : c.difference.substr(c.difference[0] == '+' ? 1 : 3) +
                                (c.mark == Mark::More ? " less" : " more");
    out += (row.compared.size() == 1 ? ", " : "; ") + shown(c.value) + " " + where + ", " + how;
  }
  return out;
}

}  // namespace compare
