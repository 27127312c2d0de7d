// Multi-classing into the second class, and the skill lists it fills.
#include "sheet/numbers.h"
#include "sheet/planner.h"
#include "sheet/tables.h"

namespace sheet {
namespace {
// Halving reads the box as a 32-bit integer and truncates toward zero.
double halved(double v) {
  return toInt32(v) / 2;
}
}  // namespace

void Planner::multiClass() {
  if (!s_.started && !s_.startResetToggle) {
    say(text::kNotStartedYet, text::kNoTitle);
    return;
  }
  if (s_.started && s_.multiClassed) {
    say(text::kAlreadyMultied, text::kNoTitle);
    return;
  }
  skillcheck();  // the first-class list from the values before halving
  s_.valuesAtMultiClass = elementValues();

  for (Box pool : {Box::mpr, Box::ppr, Box::epr}) set(pool, halved(get(pool)));
  if (const Pools* topUp = findClass(kSecondClassTopUps, selectionText(Selection::SecondClass))) {
    set(Box::mpr, get(Box::mpr) + topUp->magic);
    set(Box::ppr, get(Box::ppr) + topUp->physical);
    set(Box::epr, get(Box::epr) + topUp->either);
  }

  // The race bonus stays whole; the rest of each value is halved.
  if (const RaceBonus* race = findRace(selectionText(Selection::Race))) {
    auto forBonusValues = [&](double change) {
      for (int e = 0; e < skills::kElementCount; ++e) {
        if (!race->elements[e]) continue;
        for (Box b : {boxOf(skills::magicValue(e)), boxOf(skills::physicalValue(e))})
          set(b, get(b) + change);
      }
    };
    forBonusValues(-race->bonus);
    for (int i = 0; i < skills::kValueCount; ++i)
      set(static_cast<Box>(i), halved(get(static_cast<Box>(i))));
    forBonusValues(race->bonus);
  }

  delement();
  s_.multiClassed = true;
  multiskillcheck();
  say(text::kMultied, text::kRaar);
}

void Planner::showSkills() {
  Whoops();
  if (s_.started) skillcheck();
}

void Planner::skillcheck() {
  s_.firstClassSkills.clear();
  if (s_.multiClassed) s_.secondClassSkills.clear();
  firstclassskillcheck();
  if (s_.multiClassed) secondclassskillcheck();
}

void Planner::multiskillcheck() {
  s_.secondClassSkills.clear();
  secondclassskillcheck();
}

void Planner::firstclassskillcheck() {
  skills::addQualifying(s_.firstClassSkills, selectionText(Selection::FirstClass),
                        skills::Copy::FirstClass, elementValues());
}

void Planner::secondclassskillcheck() {
  skills::addQualifying(s_.secondClassSkills, selectionText(Selection::SecondClass),
                        skills::Copy::SecondClass, elementValues());
}

}  // namespace sheet
