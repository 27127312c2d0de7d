// The four clan-town boxes: each adds 5 to every value of its kind while
// checked. All five values are tested before any changes, so a bonus goes
// onto all of them or onto none.
#include "sheet/planner.h"

namespace sheet {
namespace {
constexpr double kBonusAmount = 5;

bool isMagic(Bonus b) {
  return b == Bonus::MBonus1 || b == Bonus::MBonus2;
}
}  // namespace

void Planner::toggleBonus(Bonus bonus, bool checked) {
  bool& box = s_.bonuses[index(bonus)];
  box = checked;
  if (!s_.started) {
    box = false;  // nothing to add a bonus to yet
    delement();
    return;
  }
  auto valueBox = [&](int e) {
    return boxOf(isMagic(bonus) ? skills::magicValue(e) : skills::physicalValue(e));
  };
  auto any = [&](auto&& test) {
    for (int e = 0; e < skills::kElementCount; ++e)
      if (test(get(valueBox(e)))) return true;
    return false;
  };
  const double change = checked ? kBonusAmount : -kBonusAmount;
  if (checked && any([](double v) { return v > kMaxValue - kBonusAmount; })) {
    say(text::kBonusOver200, text::kNoTitle);
    box = false;  // the box is put back; no value changes
    return;
  }
  if (!checked && any([](double v) { return v < kBonusAmount; })) {
    say(text::kBonusUnder0, text::kNoTitle);
    box = true;
    return;
  }
  for (int e = 0; e < skills::kElementCount; ++e) set(valueBox(e), get(valueBox(e)) + change);
  delement();
}

}  // namespace sheet
