// Selections, the selection guard and Start/Reset.
#include "sheet/planner.h"

#include "sheet/numbers.h"
#include "sheet/tables.h"

namespace sheet {

void Planner::load() {
  s_.started = false;
}

std::string Planner::text(Box box) const {
  return formatNumber(get(box));
}

void Planner::set(Box box, double v) {
  s_.boxes[index(box)] = written(v);
}

skills::ElementValues Planner::elementValues() const {
  skills::ElementValues values{};
  for (int i = 0; i < skills::kValueCount; ++i) values[i] = s_.boxes[i];
  return values;
}

void Planner::setSelectionText(Selection selection, std::string_view text) {
  if (!s_.selectionsLocked) s_.selections[index(selection)] = text;
}

bool Planner::anySelectionEmpty() const {
  for (const std::string& s : s_.selections)
    if (s.empty()) return true;
  return false;
}

void Planner::Whoops() {
  if (anySelectionEmpty()) say(text::kSelectFirst, text::kProgramTitle);
}

// Zeros the M and P values and the pools, M before P within each element,
// as the sheet is read across.
void Planner::zeroSheet() {
  for (int e = 0; e < skills::kElementCount; ++e) {
    set(boxOf(skills::magicValue(e)), 0);
    set(boxOf(skills::physicalValue(e)), 0);
  }
  set(Box::mpr, 0);
  set(Box::ppr, 0);
  set(Box::epr, 0);
}

void Planner::startReset() {
  if (anySelectionEmpty()) {
    say(text::kSelectFirst, text::kProgramTitle);
    return;
  }
  s_.selectionsLocked = true;
  s_.firstClassSkills.clear();
  s_.secondClassSkills.clear();
  zeroSheet();
  delement();  // the spells still count on a sheet of zeros
  if (s_.startResetToggle)
    resetPlavet();
  else
    startPlavet();
}

void Planner::resetPlavet() {
  // A bonus box must not stay checked over values that no longer hold its
  // bonus, or unchecking it later would take away points never added.
  s_.bonuses = {};
  say(text::kResetting, text::kYay);
  s_.selectionsLocked = false;
  for (std::string& s : s_.selections) s.clear();
  s_.started = false;
  s_.multiClassed = false;
  s_.valuesAtMultiClass.reset();
  s_.startResetToggle = false;
}

void Planner::startPlavet() {
  s_.startResetToggle = true;
  s_.valuesAtMultiClass.reset();  // a new plavet has learned nothing yet
  say(text::kReady, text::kReadyTitle);  // over a sheet of zeros
  s_.started = true;
  if (const RaceBonus* race = findRace(selectionText(Selection::Race))) {
    for (int e = 0; e < skills::kElementCount; ++e) {
      if (!race->elements[e]) continue;
      set(boxOf(skills::magicValue(e)), race->bonus);
      set(boxOf(skills::physicalValue(e)), race->bonus);
    }
  }
  if (const Pools* pools = findClass(kStartingPools, selectionText(Selection::FirstClass))) {
    set(Box::mpr, pools->magic);
    set(Box::ppr, pools->physical);
    set(Box::epr, pools->either);
  }
  delement();
}

}  // namespace sheet
