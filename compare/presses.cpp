// What turns one plavet into another: the presses value by value and the
// clicks on the boxes, played through the planner's own rules to see
// whether the pools allow them in some order.
#include <algorithm>
#include <cmath>

#include "compare/compare.h"
#include "history/steps.h"
#include "sheet/numbers.h"
#include "skills/needs.h"

namespace compare {
namespace {

// Hears the planner refuse a press or a click (a reminder to choose the
// selections refuses nothing).
class Quiet : public sheet::MessageSink {
 public:
  void show(std::string_view text, std::string_view) override {
    refused = refused || text != sheet::text::kSelectFirst;
  }
  bool refused = false;
};

// Plays the steps until one is refused, if `stop` is given.
void playSteps(std::span<const Step> steps, sheet::Planner& planner, const bool* stop) {
  for (const Step& s : steps) {
    switch (s.kind) {
      case Step::Kind::Spell:
        planner.toggleSpell(sheet::Spell(s.box), s.check);
        break;
      case Step::Kind::Bonus:
        planner.toggleBonus(sheet::Bonus(s.box), s.check);
        break;
      case Step::Kind::Press:
        for (int part = 0; part < 2; ++part) {
          const bool rights = (part == 0) == s.rightsFirst;
          const int count = rights ? s.rights : s.lefts;
          for (int i = 0; i < count && !(stop && *stop); ++i)
            planner.pressArrow(s.value, s.direction,
                               rights ? sheet::kRightButton : sheet::kLeftButton);
        }
        break;
    }
    if (stop && *stop) return;
  }
}

constexpr double kBonusAmount = 5;

bool isMagic(skills::Value v) {
  return skills::index(v) < skills::kElementCount;
}
int checkedOfKind(const sheet::State& s, bool magic) {
  const int first = magic ? static_cast<int>(sheet::Bonus::MBonus1) : 0;
  return s.bonuses[first] + s.bonuses[first + 1];
}

std::string article(std::string_view name) {
  if (name.empty()) return "no race";
  return (std::string_view("AEIOU").find(name[0]) != std::string_view::npos ? "an " : "a ") +
         std::string(name);
}

// Why no presses lead from `base` to `target`, before any is tried; empty
// when they may.
std::string whyNotAtAll(const sheet::State& base, const sheet::State& target) {
  const auto& b = base.selections;
  const auto& t = target.selections;
  if (b[0] != t[0])
    return "the compared plavet " + std::string(t[0].empty() ? "has " : "is ") + article(t[0]) +
           ": a race is chosen only when a plavet starts";
  for (int c : {1, 2}) {
    if (b[c] == t[c]) continue;
    const std::string which = c == 1 ? "first class" : "second class";
    return "the compared plavet's " + which + " is " + (t[c].empty() ? "empty" : t[c]) + ": a " +
           which + " is chosen only when a plavet starts";
  }
  if (!base.started)
    return "this plavet is not started: presses change nothing before Start/Reset Plavet";
  if (!target.started) return "the compared plavet is not started: no press takes a start back";
  if (base.multiClassed && !target.multiClassed)
    return "this plavet has multi-classed and the compared one has not: multi-classing is not "
           "taken back";
  if (!base.multiClassed && target.multiClassed)
    return "the compared plavet has multi-classed and this one has not: multi-classing halves "
           "values and pools, so no presses alone lead there";
  if (base.valuesAtMultiClass != target.valuesAtMultiClass)
    return "the two plavets multi-classed with other values: what the first class learned is fixed "
           "at "
           "multi-classing";
  return {};
}

sheet::State withoutLists(sheet::State s) {
  s.firstClassSkills.clear();
  s.secondClassSkills.clear();
  s.goals = {};
  return s;
}

enum class Buttons { RightsFirst, LeftsFirst, LeftsOnly };

struct Order {
  bool lowersFirst;
  Buttons buttons;
  bool boxesFirst;
};

std::vector<Step> stepsFor(const sheet::State& base, const sheet::State& target, Order order) {
  std::vector<Step> boxes, lowers, raises, spells;
  for (bool check : {false, true})  // unchecked first, so a kind's values make room
    for (int b = 0; b < 4; ++b)
      if (base.bonuses[b] != target.bonuses[b] && target.bonuses[b] == check)
        boxes.push_back({Step::Kind::Bonus, {}, {}, 0, 0, true, b, check});
  for (int v = 0; v < skills::kValueCount; ++v) {
    const auto value = skills::Value(v);
    const int bonus = checkedOfKind(target, isMagic(value)) - checkedOfKind(base, isMagic(value));
    const double change = target.boxes[v] - base.boxes[v] - bonus * kBonusAmount;
    if (change == 0) continue;
    const int points = static_cast<int>(std::min(std::abs(change), 1000.0));
    Step s{Step::Kind::Press, value,
           change > 0 ? sheet::Direction::Raise : sheet::Direction::Lower};
    s.rights = order.buttons == Buttons::LeftsOnly ? 0 : points / 10;
    s.lefts = points - 10 * s.rights;
    s.rightsFirst = order.buttons != Buttons::LeftsFirst;
    (change > 0 ? raises : lowers).push_back(s);
  }
  for (int sp = 0; sp < 3; ++sp)
    if (base.spells[sp] != target.spells[sp])
      spells.push_back({Step::Kind::Spell, {}, {}, 0, 0, true, sp, target.spells[sp]});

  std::vector<Step> out;
  auto add = [&](const std::vector<Step>& part) {
    out.insert(out.end(), part.begin(), part.end());
  };
  if (order.boxesFirst) add(boxes);
  add(order.lowersFirst ? lowers : raises);
  add(order.lowersFirst ? raises : lowers);
  if (!order.boxesFirst) add(boxes);
  add(spells);
  return out;
}

// What the steps leave, the lists and the plan's goals set aside: with equal
// values, selections and flags, Show Current Skills fills equal lists, and
// no press touches the goals.
sheet::State played(const sheet::State& base, std::span<const Step> steps, bool stopAtRefusal) {
  Quiet quiet;
  sheet::Planner planner(quiet);
  planner.restore(base);
  playSteps(steps, planner, stopAtRefusal ? &quiet.refused : nullptr);
  return withoutLists(planner.state());
}

// Why the best order tried falls short: the first row still apart.
std::string shortOf(const sheet::State& left, const sheet::State& target) {
  const sheet::State both[] = {target};
  for (const Row& r : rowsOf(left, both)) {
    if (!r.compared[0].differs()) continue;
    const bool pool = r.name.ends_with(" pool");
    return std::string(pool ? "the pools do not allow them" : "the presses do not lead there") +
           ": played in every order tried, they leave " + r.name + " at " + r.base +
           ", where the compared plavet has " + r.compared[0].value;
  }
  return "the presses do not lead there: the compared plavet's flags are not a player's";
}

// The points the target has beyond the base's, on its sheet and in its
// pools, less what its clan-town boxes add: presses move points, never make
// or lose them.
double pointsMade(const sheet::State& base, const sheet::State& target) {
  double more = 0;
  for (int b = 0; b < skills::kValueCount; ++b) more += target.boxes[b] - base.boxes[b];
  for (sheet::Box pool : {sheet::Box::mpr, sheet::Box::ppr, sheet::Box::epr})
    more += target.boxes[static_cast<int>(pool)] - base.boxes[static_cast<int>(pool)];
  for (bool magic : {true, false})
    more -= (checkedOfKind(target, magic) - checkedOfKind(base, magic)) * kBonusAmount *
            skills::kElementCount;
  return more;
}

}  // namespace

Presses presses(const sheet::State& base, const sheet::State& target) {
  const sheet::State goal = withoutLists(target);
  if (withoutLists(base) == goal) return {};
  if (std::string why = whyNotAtAll(base, target); !why.empty()) return {{}, why};
  const Order kOrders[] = {
      {true, Buttons::RightsFirst, false},  {true, Buttons::RightsFirst, true},
      {true, Buttons::LeftsFirst, false},   {true, Buttons::LeftsFirst, true},
      {true, Buttons::LeftsOnly, false},    {true, Buttons::LeftsOnly, true},
      {false, Buttons::RightsFirst, false}, {false, Buttons::RightsFirst, true},
      {false, Buttons::LeftsFirst, false},  {false, Buttons::LeftsFirst, true},
      {false, Buttons::LeftsOnly, false},   {false, Buttons::LeftsOnly, true},
  };
  if (const double more = pointsMade(base, target); more != 0)
    return {{},
            "the pools do not allow them: the compared plavet has " +
                sheet::formatNumber(std::abs(more)) +
                (std::abs(more) == 1 ? " point " : " points ") + (more > 0 ? "more" : "fewer") +
                " on its sheet and in its pools, and presses neither make nor lose one"};
  std::vector<std::vector<Step>> tried;
  for (const Order& order : kOrders) {
    std::vector<Step> steps = stepsFor(base, target, order);
    if (std::find(tried.begin(), tried.end(), steps) != tried.end()) continue;
    if (played(base, steps, true) == goal) return {std::move(steps), {}};
    tried.push_back(std::move(steps));
  }
  return {{}, shortOf(played(base, stepsFor(base, target, kOrders[0]), false), target)};
}

void play(std::span<const Step> steps, sheet::Planner& planner) {
  playSteps(steps, planner, nullptr);
}

std::string Step::words() const {
  if (kind == Kind::Spell) return history::steps::spell(sheet::Spell(box), check);
  if (kind == Kind::Bonus) return history::steps::bonus(sheet::Bonus(box), check);
  std::string out = (direction == sheet::Direction::Raise ? "Raise " : "Lower ") +
                    skills::valueName(value) + " by " + std::to_string(10 * rights + lefts) + ": ";
  const std::string r = rights ? std::to_string(rights) + " right" : "";
  const std::string l = lefts ? std::to_string(lefts) + " left" : "";
  const std::string& a = rightsFirst ? r : l;
  const std::string& b = rightsFirst ? l : r;
  out += a + (!a.empty() && !b.empty() ? ", " : "") + b;
  return out + (rights + lefts == 1 ? " press" : " presses");
}

}  // namespace compare
