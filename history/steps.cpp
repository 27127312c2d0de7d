#include "history/steps.h"

#include <array>

#include "skills/needs.h"

namespace history::steps {

std::string startReset(const sheet::State& before) {
  return before.startResetToggle ? "Reset plavet" : "Start plavet";
}

std::string_view spellName(sheet::Spell spell) {
  static constexpr std::array<std::string_view, 3> kNames = {"Bless", "Shield", "Endure"};
  return kNames[static_cast<int>(spell)];
}

std::string_view bonusName(sheet::Bonus bonus) {
  static constexpr std::array<std::string_view, 4> kNames = {
      "PElement Building Bonus 1", "PElement Building Bonus 2", "MElement Amount Bonus 1",
      "MElement Amount Bonus 2"};
  return kNames[static_cast<int>(bonus)];
}

std::string arrow(skills::Value value, sheet::Direction direction, std::int16_t buttonCode) {
  std::string name =
      (direction == sheet::Direction::Raise ? "Raise " : "Lower ") + skills::valueName(value);
  if (buttonCode == sheet::kLeftButton) name += " by 1";
  if (buttonCode == sheet::kRightButton) name += " by 10";
  return name;
}

std::string spell(sheet::Spell s, bool checked) {
  return (checked ? "Check " : "Uncheck ") + std::string(spellName(s));
}

std::string bonus(sheet::Bonus b, bool checked) {
  return (checked ? "Check " : "Uncheck ") + std::string(bonusName(b));
}

std::string selection(sheet::Selection s) {
  static constexpr std::array<std::string_view, 3> kNames = {"Change race", "Change first class",
                                                             "Change second class"};
  return std::string(kNames[static_cast<int>(s)]);
}

std::string tickGoal(std::string_view skillLabel, bool ticked) {
  const std::string_view name = skillLabel.substr(0, skillLabel.find(" ("));
  return (ticked ? "Tick Goal " : "Untick Goal ") + std::string(name);
}

std::string moveGoal(int delta) {
  return delta < 0 ? "Move Goal Up" : "Move Goal Down";
}

std::string setBonusCount(bool magic) {
  return magic ? "Set Magic Bonus Count" : "Set Physical Bonus Count";
}

int selectionKey(sheet::Selection s) {
  return static_cast<int>(s) + 1;  // never History::kNoMerge
}

}  // namespace history::steps
