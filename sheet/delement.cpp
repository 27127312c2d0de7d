// The D values and the spells that add to them.
#include "sheet/numbers.h"
#include "sheet/planner.h"

namespace sheet {
namespace {
constexpr double kEndureFraction = 0.25;
constexpr double kEndureCap = 25;
constexpr double kSpellBonus = 10;  // Shield and Bless alike
}  // namespace

// Each step writes the D boxes and the next step reads what was written, so
// Endure takes its quarter of the text the box shows, not of a longer double.
void Planner::delement() {
  const double twoThirds = 2.0 / 3.0;
  const double oneThird = 1.0 / 3.0;
  for (int e = 0; e < skills::kElementCount; ++e) {
    const double p = get(boxOf(skills::physicalValue(e)));
    const double m = get(boxOf(skills::magicValue(e)));
    set(dBox(e), p * twoThirds + m * oneThird);
  }
  if (isChecked(Spell::Endure)) {
    std::array<double, skills::kElementCount> quarter{};
    for (int e = 0; e < skills::kElementCount; ++e) quarter[e] = get(dBox(e)) * kEndureFraction;
    for (int e = 0; e < skills::kElementCount; ++e)
      set(dBox(e), get(dBox(e)) + (quarter[e] > kEndureCap ? kEndureCap : quarter[e]));
  }
  if (isChecked(Spell::Shield))
    for (int e = 0; e < skills::kElementCount; ++e) set(dBox(e), get(dBox(e)) + kSpellBonus);
  if (isChecked(Spell::Bless))
    for (int e = 0; e < skills::kElementCount; ++e) set(dBox(e), get(dBox(e)) + kSpellBonus);
}

// Before a start a spell box cannot be checked. The D values are recomputed
// either way, so they always match the boxes that are checked (a box checked
// over a reset and unchecked afterwards takes its effect with it).
void Planner::toggleSpell(Spell spell, bool checked) {
  s_.spells[index(spell)] = s_.started && checked;
  delement();
}

}  // namespace sheet
