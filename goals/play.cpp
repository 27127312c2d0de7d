// A plan played through the planner, press by press, as a player would.
#include "goals/goals.h"

namespace goals {

void play(const Problem& problem, const Plan& plan, sheet::Planner& planner) {
  if (planner.started()) planner.startReset();  // a reset first
  planner.setSelectionText(sheet::Selection::Race, problem.race);
  planner.setSelectionText(sheet::Selection::FirstClass, problem.firstClass);
  planner.setSelectionText(sheet::Selection::SecondClass, problem.secondClass);
  planner.startReset();
  constexpr sheet::Bonus magic[] = {sheet::Bonus::MBonus1, sheet::Bonus::MBonus2};
  constexpr sheet::Bonus physical[] = {sheet::Bonus::PBonus1, sheet::Bonus::PBonus2};
  for (int i = 0; i < problem.magicBonus; ++i) planner.toggleBonus(magic[i], true);
  for (int i = 0; i < problem.physicalBonus; ++i) planner.toggleBonus(physical[i], true);

  auto press = [&](const std::vector<Raise>& raises) {
    for (const Raise& r : raises) {
      for (int i = 0; i < r.presses.right; ++i)
        planner.pressArrow(r.value, sheet::Direction::Raise, sheet::kRightButton);
      for (int i = 0; i < r.presses.left; ++i)
        planner.pressArrow(r.value, sheet::Direction::Raise, sheet::kLeftButton);
    }
  };
  press(plan.beforeMultiRaises);
  planner.multiClass();  // the first class learns its goals here
  press(plan.afterMultiRaises);
  // The second-class list from the final values; the first-class list stays
  // as multi-classing built it, where "Show Current Skills" would rebuild it
  // from the halved values and lose the first class's goals.
  planner.multiskillcheck();
}

namespace {
class Silent : public sheet::MessageSink {
 public:
  void show(std::string_view, std::string_view) override {}
};
}  // namespace

sheet::State played(const Problem& problem, const Plan& plan, const std::array<bool, 3>& spells) {
  Silent silent;
  sheet::Planner planner(silent);
  planner.load();
  play(problem, plan, planner);
  for (int s = 0; s < 3; ++s)
    if (spells[s]) planner.toggleSpell(static_cast<sheet::Spell>(s), true);
  return planner.state();
}

std::string pressWords(const Presses& presses) {
  if (presses.count() == 0) return "none";
  std::string out;
  if (presses.right > 0) out = std::to_string(presses.right) + " right";
  if (presses.left > 0) out += (out.empty() ? "" : ", ") + std::to_string(presses.left) + " left";
  return out;
}

std::string raiseWords(const Raise& r) {
  const std::string kind =
      skills::index(r.value) < skills::kElementCount ? "Magic pool" : "Physical pool";
  const std::string from = r.fromEither == 0 ? kind
                           : r.fromKindPool == 0
                               ? std::string("Either pool")
                               : std::to_string(r.fromKindPool) + " from the " + kind + ", " +
                                     std::to_string(r.fromEither) + " from the Either pool";
  std::string out = valueName(r.value) + " +" + std::to_string(r.points) + ": " +
                    pressWords(r.presses) + " (" + from + ")";
  if (!r.purpose.empty()) out += ", " + r.purpose;
  return out;
}

std::string pressesInWords(const std::vector<Raise>& raises) {
  if (raises.empty()) return "no presses";
  std::string out;
  for (const Raise& r : raises) out += (out.empty() ? "" : "; ") + raiseWords(r);
  return out;
}

}  // namespace goals
