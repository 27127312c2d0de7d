// Points are neither created nor lost: whatever the presses and toggles,
// before multi-classing the ten values and three pools hold the race's
// starting points plus the first class's 600, and 25 more per checked bonus.
#include <random>

#include "sheet/tables.h"
#include "support.h"

namespace {

using namespace testing_support;

double raceTotal(std::string_view race) {
  const sheet::RaceBonus* row = sheet::findRace(race);
  if (!row) return 0;
  double total = 0;
  for (bool carries : row->elements) total += carries ? 2 * row->bonus : 0;
  return total;
}

double pointsHeld(const sheet::Planner& p) {
  double sum = 0;
  for (int v = 0; v < skills::kValueCount; ++v) sum += p.value(Box(v));
  for (Box pool : {Box::mpr, Box::ppr, Box::epr}) sum += p.value(pool);
  for (int b = 0; b < 4; ++b) sum -= p.isChecked(sheet::Bonus(b)) ? 25 : 0;
  return sum;
}

class PointBalance : public PlannerTest {
 protected:
  int pick(int n) { return int(random_() % unsigned(n)); }

  // One started plavet played with random presses and toggles.
  void playOneSequence() {
    const std::string race(sheet::kRaceBonuses[pick(9)].race);
    const std::string first(sheet::kStartingPools[pick(16)].className);
    start(race, first, "Warrior");
    const double expected = raceTotal(race) + 600;
    std::string played = race + " / " + first + ":";
    for (int step = 0; step < 300; ++step) {
      const int what = pick(10);
      if (what < 8) {
        const auto value = skills::Value(pick(10));
        const auto direction = pick(2) ? sheet::Direction::Raise : sheet::Direction::Lower;
        const std::int16_t button = std::array<std::int16_t, 3>{1, 2, 4}[pick(3)];
        planner.pressArrow(value, direction, button);
        played += " arrow" + std::to_string(int(value)) +
                  (direction == sheet::Direction::Raise ? "u" : "d") + std::to_string(button);
      } else if (what == 8) {
        const auto bonus = sheet::Bonus(pick(4));
        planner.toggleBonus(bonus, !planner.isChecked(bonus));
        played += " bonus" + std::to_string(int(bonus));
      } else {
        const auto spell = sheet::Spell(pick(3));
        planner.toggleSpell(spell, !planner.isChecked(spell));
        played += " spell" + std::to_string(int(spell));
      }
      ASSERT_EQ(pointsHeld(planner), expected) << played;
      for (int v = 0; v < skills::kValueCount; ++v) {
        ASSERT_GE(at(Box(v)), 0) << played;
        ASSERT_LE(at(Box(v)), 200) << played;
      }
      for (Box pool : {Box::mpr, Box::ppr, Box::epr}) ASSERT_GE(at(pool), 0) << played;
    }
  }

  std::mt19937 random_{20261208};
};

// One plavet after another, each reset and started afresh, so that what a
// reset leaves behind (checked spells, the sheet it zeroed) is played on too.
TEST_F(PointBalance, HoldsOverRandomPressesAndToggles) {
  for (int sequence = 0; sequence < 300 && !HasFatalFailure(); ++sequence) {
    if (planner.started()) planner.startReset();
    playOneSequence();
  }
}

}  // namespace
