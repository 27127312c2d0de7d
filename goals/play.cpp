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
    for (const Raise& r : raises)
      for (int i = 0; i < r.presses; ++i)
        planner.pressArrow(r.value, sheet::Direction::Raise, sheet::kLeftButton);
  };
  press(plan.beforeMultiRaises);
  planner.multiClass();
  press(plan.afterMultiRaises);
  planner.showSkills();
}

}  // namespace goals
