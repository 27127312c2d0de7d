// Which classes: every combination planned by the solver for the names asked.
//
// In one combination each name is met by the first class's row of that name
// or the second class's, so the choices are many, but their needs are few:
// after each name only the needs of the choices kept so far are carried on,
// and of those only the ones no other asks less than (a plan that meets more
// meets less, and leaves no more points). A name is kept when one of them
// still plans with one of its rows.
//
// The rows a name stands for are looked up once for every class; a
// combination is planned only while it can still reach the rows wanted, the
// most promising first.
#include "goals/advise.h"

#include <algorithm>
#include <array>
#include <bitset>

#include "goals/taking.h"
#include "sheet/names.h"
#include "sheet/tables.h"

namespace goals {
namespace {

using skills::Copy;

constexpr std::size_t kMostNames = 256;   // more than the catalogue has
using Choices = std::bitset<kMostNames>;  // by name: met by the second class

int copyIndex(Copy copy) {
  return copy == Copy::FirstClass ? 0 : 1;
}

int listIndex(std::span<const std::string_view> names, std::string_view name) {
  return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
}

std::span<const std::string_view> raceNames() {
  static const auto names = [] {
    std::array<std::string_view, sheet::kRaceBonuses.size()> out{};
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = sheet::kRaceBonuses[i].race;
    return out;
  }();
  return names;
}

// The choices for some of the names and what they need together.
struct Branch {
  Needs needs;
  int points = 0;
  Choices second;
};

bool atMost(const Needs& a, const Needs& b) {
  for (int v = 0; v < skills::kValueCount; ++v)
    if (a.beforeMulti[v] > b.beforeMulti[v] || a.final[v] > b.final[v]) return false;
  return true;
}

// Of `branches`, into `kept`, those no other asks less than; of equal ones
// the first.
void keepLeast(const std::vector<Branch>& branches, std::vector<Branch>& kept) {
  kept.clear();
  for (const Branch& b : branches) {
    if (std::any_of(kept.begin(), kept.end(),
                    [&](const Branch& k) { return atMost(k.needs, b.needs); }))
      continue;
    std::erase_if(kept, [&](const Branch& k) { return atMost(b.needs, k.needs); });
    kept.push_back(b);
  }
}

// Where a combination ranks, or at best could rank.
struct Rank {
  int kept = 0, points = 0;
  int race = 0, first = 0, second = 0;
  bool operator<(const Rank& o) const {  // ranks before
    if (kept != o.kept) return kept > o.kept;
    if (points != o.points) return points > o.points;
    if (race != o.race) return race < o.race;
    if (first != o.first) return first < o.first;
    return second < o.second;
  }
};

struct Combination {
  int race = 0, first = 0, second = 0;
  Setup setup;
  int taught = 0;  // names either class teaches
  int freePoints = 0;
  Rank bound() const { return {taught, freePoints, race, first, second}; }
};

// A combination planned to its end.
struct Answer {
  Rank rank;
  Branch best;
  Choices kept;
};

class Table {
 public:
  explicit Table(const Question& q) {
    for (std::string_view typed : q.skills) {
      const auto name = skillNamed(typed);
      if (!name) throw BadProblem("no class teaches \"" + std::string(typed) + "\"");
      if (std::find(names_.begin(), names_.end(), *name) == names_.end()) names_.push_back(*name);
    }
    if (names_.size() > kMostNames) throw BadProblem("too many skills");
    lookUpRows();
    const std::vector<int> races = fixed(q.race, raceNames(), "race");
    const std::vector<int> firsts = fixed(q.firstClass, skills::kClassNames, "class");
    const std::vector<int> seconds = fixed(q.secondClass, skills::kClassNames, "class");
    // The tables' rows of every class, looked up once (the races are
    // their table's rows, in its order).
    std::array<const sheet::Pools*, skills::kClassCount> pools{}, topUps{};
    for (std::size_t c = 0; c < skills::kClassNames.size(); ++c) {
      pools[c] = sheet::findClass(sheet::kStartingPools, skills::kClassNames[c]);
      topUps[c] = sheet::findClass(sheet::kSecondClassTopUps, skills::kClassNames[c]);
    }
    // Planned for nothing, a plavet raises no value: its race and boxes
    // change nothing of the points, so each pair of classes is planned once.
    std::array<int, skills::kClassCount * skills::kClassCount> freePoints;
    freePoints.fill(-1);
    combinations_.reserve(races.size() * firsts.size() * seconds.size());
    for (int r : races) {
      // A race and the boxes set the values' start; the classes only the pools.
      Setup setup = taking::setupOf(sheet::kRaceBonuses[std::size_t(r)], *pools[0], *topUps[0],
                                    q.magicBonus, q.physicalBonus);
      for (int c1 : firsts)
        for (int c2 : seconds) {
          taking::setClasses(setup, *pools[std::size_t(c1)], *topUps[std::size_t(c2)]);
          Combination c{r, c1, c2, setup, 0, 0};
          for (std::size_t j = 0; j < names_.size(); ++j) c.taught += !options(c, j).empty();
          int& free = freePoints[std::size_t(c1 * skills::kClassCount + c2)];
          if (free < 0) free = solve(c.setup, {})->pointsLeft();
          c.freePoints = free;
          combinations_.push_back(std::move(c));
        }
    }
  }

  Advice answer(const Question& q, std::size_t top, const std::atomic<bool>* stop) {
    Advice advice;
    advice.skills = names_;
    advice.magicBonus = q.magicBonus;
    advice.physicalBonus = q.physicalBonus;
    advice.combinations = combinations_.size();
    if (top == 0) return advice;
    std::vector<const Combination*> order;
    for (const Combination& c : combinations_) order.push_back(&c);
    std::sort(order.begin(), order.end(),
              [](const Combination* a, const Combination* b) { return a->bound() < b->bound(); });
    // The best found so far, at most `top`, as a heap with the least on top.
    using Found = std::pair<const Combination*, Answer>;
    const auto ranksBefore = [](const Found& a, const Found& b) {
      return a.second.rank < b.second.rank;
    };
    std::vector<Found> best;
    best.reserve(std::min(top, order.size()));
    for (const Combination* c : order) {
      if (stop && stop->load(std::memory_order_relaxed)) return advice;
      const Rank* least = best.size() == top ? &best.front().second.rank : nullptr;
      if (least && !(c->bound() < *least)) break;  // nor can any after it
      std::optional<Answer> a = plan(*c, least);
      if (!a) continue;
      if (best.size() == top) {
        std::pop_heap(best.begin(), best.end(), ranksBefore);
        best.pop_back();
      }
      best.emplace_back(c, std::move(*a));
      std::push_heap(best.begin(), best.end(), ranksBefore);
    }
    // Ranked by pointers: an answer is large to move, and no two rank alike.
    std::vector<const Found*> ranked;
    ranked.reserve(best.size());
    for (const Found& f : best) ranked.push_back(&f);
    std::sort(ranked.begin(), ranked.end(),
              [&](const Found* a, const Found* b) { return ranksBefore(*a, *b); });
    advice.rows.reserve(ranked.size());
    for (const Found* f : ranked) advice.rows.push_back(suggestion(*f->first, f->second));
    return advice;
  }

 private:
  struct Option {
    Copy copy;
    int row;
    const skills::SkillRow* skill;
  };

  // The row of each name in each class and copy, or -1.
  void lookUpRows() {
    rows_.assign(names_.size(), {});
    const std::span<const std::string_view> all = skillNames();
    std::vector<int> asked(all.size(), -1);  // by place in skillNames(): in names_
    for (std::size_t j = 0; j < names_.size(); ++j)
      if (const auto at = std::find(all.begin(), all.end(), names_[j]); at != all.end())
        asked[std::size_t(at - all.begin())] = int(j);
    const RowNames& named = rowNames();
    for (std::size_t c = 0; c < skills::kClassNames.size(); ++c)
      for (Copy copy : {Copy::FirstClass, Copy::SecondClass}) {
        const auto rows = skills::rowsOf(skills::kClassNames[c], copy);
        const std::vector<int>& places = named[c][std::size_t(copyIndex(copy))];
        for (std::size_t i = 0; i < rows.size(); ++i)
          if (const int j = asked[std::size_t(places[i])]; j >= 0)
            rows_[std::size_t(j)][c][std::size_t(copyIndex(copy))] = {int(i), &rows[i]};
      }
  }

  // Each row's name, by its place in skillNames(): [class][copy][row]. Built
  // on first use.
  using RowNames = std::array<std::array<std::vector<int>, 2>, skills::kClassCount>;
  static const RowNames& rowNames() {
    static const RowNames named = [] {
      RowNames out;
      const std::span<const std::string_view> all = skillNames();
      for (std::size_t c = 0; c < skills::kClassNames.size(); ++c)
        for (Copy copy : {Copy::FirstClass, Copy::SecondClass})
          for (const skills::SkillRow& row : skills::rowsOf(skills::kClassNames[c], copy)) {
            const std::string_view name = *sheet::nameInAnyCase(all, skillNameOf(row.text));
            out[c][std::size_t(copyIndex(copy))].push_back(
                int(std::find(all.begin(), all.end(), name) - all.begin()));
          }
      return out;
    }();
    return named;
  }

  static std::vector<int> fixed(const std::optional<std::string>& given,
                                std::span<const std::string_view> names, const std::string& what) {
    std::vector<int> out;
    if (!given) {
      for (std::size_t i = 0; i < names.size(); ++i) out.push_back(int(i));
      return out;
    }
    const int at = listIndex(names, *given);
    if (at == int(names.size())) throw BadProblem("not a " + what + ": \"" + *given + "\"");
    return {at};
  }

  // The rows of a combination's classes that meet name `j`, the first class's first.
  struct Options {
    std::array<Option, 2> at;
    int count = 0;
    const Option* begin() const { return at.data(); }
    const Option* end() const { return at.data() + count; }
    bool empty() const { return count == 0; }
    std::size_t size() const { return std::size_t(count); }
  };
  Options options(const Combination& c, std::size_t j) const {
    Options out;
    for (auto [copy, cls] : {std::pair{Copy::FirstClass, c.first}, {Copy::SecondClass, c.second}}) {
      const Row& row = rows_[j][std::size_t(cls)][std::size_t(copyIndex(copy))];
      if (row.skill) out.at[std::size_t(out.count++)] = {copy, row.index, row.skill};
    }
    return out;
  }

  // The combination planned, or none once it can't rank before `least`.
  std::optional<Answer> plan(const Combination& c, const Rank* least) {
    Answer a;
    a.rank = c.bound();
    a.rank.kept = 0;
    std::vector<Branch>& branches = branches_;
    branches.assign(1, Branch{{}, c.freePoints, {}});
    int taughtLeft = c.taught;
    for (std::size_t j = 0; j < names_.size(); ++j) {
      const Options opts = options(c, j);
      if (opts.empty()) continue;
      --taughtLeft;
      tried_.clear();
      for (const Branch& b : branches)
        for (const Option& o : opts) {
          Branch& n = tried_.emplace_back(b);
          n.second[j] = o.copy == Copy::SecondClass;
          if (taking::ask(n.needs, *o.skill, o.copy)) {
            const std::optional<Solution> s = solve(c.setup, n.needs);
            if (!s) {
              tried_.pop_back();
              continue;
            }
            n.points = s->pointsLeft();
          }
        }
      if (!tried_.empty()) {
        keepLeast(tried_, branches);
        a.kept[j] = true;
        ++a.rank.kept;
      }
      if (least) {
        Rank reach = a.rank;
        reach.kept += taughtLeft;
        reach.points = 0;
        for (const Branch& b : branches) reach.points = std::max(reach.points, b.points);
        if (!(reach < *least)) return std::nullopt;
      }
    }
    // The most points; of equal ones the first choice found.
    const Branch* top = &branches.front();
    for (const Branch& b : branches)
      if (b.points > top->points) top = &b;
    a.best = *top;
    a.rank.points = top->points;
    return a;
  }

  std::string reason(const Combination& c, const Answer& a, std::size_t j) const {
    const std::string_view first = skills::kClassNames[std::size_t(c.first)],
                           second = skills::kClassNames[std::size_t(c.second)];
    const Options opts = options(c, j);
    if (opts.empty()) {
      std::string out;
      out.reserve(first.size() + second.size() + 24);
      if (c.first == c.second)
        (out += first) += " doesn't teach it";
      else
        ((((out += "neither ") += first) += " nor ") += second) += " teaches it";
      return out;
    }
    std::string out;
    for (const Option& o : opts) {
      Needs with = a.best.needs;
      taking::ask(with, *o.skill, o.copy);
      const std::string why = taking::reason(shortfall(c.setup, with), c.setup.ceiling);
      if (opts.size() == 1) return why;
      out += std::string(out.empty() ? "" : "; ") +
             (o.copy == Copy::FirstClass ? "as first class, " : "as second class, ") + why;
    }
    return out;
  }

  Suggestion suggestion(const Combination& c, const Answer& a) const {
    Suggestion s;
    s.race = raceNames()[std::size_t(c.race)];
    s.firstClass = skills::kClassNames[std::size_t(c.first)];
    s.secondClass = skills::kClassNames[std::size_t(c.second)];
    s.pointsLeft = a.rank.points;
    for (std::size_t j = 0; j < names_.size(); ++j) {
      if (!a.kept[j]) {
        s.dropped.push_back({j, reason(c, a, j)});
        continue;
      }
      const Copy copy = a.best.second[j] ? Copy::SecondClass : Copy::FirstClass;
      const int cls = copy == Copy::FirstClass ? c.first : c.second;
      s.kept.push_back({j, {copy, rows_[j][std::size_t(cls)][std::size_t(copyIndex(copy))].index}});
    }
    return s;
  }

  std::vector<std::string_view> names_;
  struct Row {
    int index = -1;
    const skills::SkillRow* skill = nullptr;  // none: the class doesn't teach the name
  };
  std::vector<std::array<std::array<Row, 2>, skills::kClassCount>> rows_;  // [name][class][copy]
  std::vector<Branch> branches_, tried_;  // kept between combinations, so as not to allocate
  std::vector<Combination> combinations_;
};

}  // namespace

std::string_view skillNameOf(std::string_view rowText) {
  return rowText.substr(0, rowText.find(" ("));
}

std::span<const std::string_view> skillNames() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> out;
    for (std::string_view cls : skills::kClassNames)
      for (Copy copy : {Copy::FirstClass, Copy::SecondClass})
        for (const skills::SkillRow& row : skills::rowsOf(cls, copy)) {
          const std::string_view name = skillNameOf(row.text);
          if (!sheet::nameInAnyCase(out, name)) out.push_back(name);
        }
    return out;
  }();
  return names;
}

std::optional<std::string_view> skillNamed(std::string_view typed) {
  if (const auto name = sheet::nameInAnyCase(skillNames(), typed)) return name;
  for (std::string_view cls : skills::kClassNames)
    for (Copy copy : {Copy::FirstClass, Copy::SecondClass})
      for (const skills::SkillRow& row : skills::rowsOf(cls, copy)) {
        const std::string_view text = row.text;
        if (sheet::nameInAnyCase(std::span(&text, 1), typed))
          return sheet::nameInAnyCase(skillNames(), skillNameOf(text));
      }
  return std::nullopt;
}

std::string skillWarning(std::string_view typed) {
  if (skillNamed(typed)) return {};
  return sheet::nameWarning(skillNames(), typed, "a skill any class teaches");
}

Problem Advice::problem(const Suggestion& row) const {
  Problem p{std::string(row.race),
            std::string(row.firstClass),
            std::string(row.secondClass),
            magicBonus,
            physicalBonus,
            {}};
  for (const Met& m : row.kept) p.goals.push_back(m.goal);
  return p;
}

Advice advise(const Question& question, std::size_t top, const std::atomic<bool>* stop) {
  return Table(question).answer(question, top, stop);
}

std::string_view givenBy(const Suggestion& row, std::size_t skill) {
  for (const Met& m : row.kept)
    if (m.skill == skill) return m.goal.copy == Copy::FirstClass ? row.firstClass : row.secondClass;
  return "dropped";
}

std::string rowWords(const Advice& advice, const Suggestion& row) {
  const std::string kept = std::to_string(row.kept.size()),
                    of = std::to_string(advice.skills.size()),
                    points = std::to_string(row.pointsLeft);
  std::string out;
  out.reserve(row.race.size() + row.firstClass.size() + row.secondClass.size() + kept.size() +
              of.size() + points.size() + 40);
  for (std::string_view part :
       {row.race, std::string_view(", "), row.firstClass, std::string_view(" then "),
        row.secondClass, std::string_view(": "), std::string_view(kept), std::string_view(" of "),
        std::string_view(of), std::string_view(" kept, "), std::string_view(points),
        std::string_view(row.pointsLeft == 1 ? " point left" : " points left")})
    out += part;
  return out;
}

std::string givenWords(const Advice& advice, const Suggestion& row, std::size_t skill) {
  const std::string_view name = advice.skills.at(skill);
  std::string out;
  for (const Met& m : row.kept)
    if (m.skill == skill) {
      const std::string_view by = givenBy(row, skill);
      out.reserve(name.size() + by.size() + 18);
      ((out += name) += ": ") += by;
      out += m.goal.copy == Copy::FirstClass ? " (first class)" : " (second class)";
      return out;
    }
  for (const Unmet& u : row.dropped)
    if (u.skill == skill) {
      out.reserve(name.size() + u.reason.size() + 11);
      ((out += name) += ": dropped, ") += u.reason;
      return out;
    }
  (out += name) += ": ";
  return out;
}

std::string givenWords(const Advice& advice, const Suggestion& row) {
  std::string out;
  for (std::size_t j = 0; j < advice.skills.size(); ++j)
    out += (j ? "; " : "") + givenWords(advice, row, j);
  return out;
}

}  // namespace goals
