// The twenty arrow buttons: a left press moves one point, a right press ten.
// Raising buys points from the value's kind pool, or from the Either pool
// while the kind pool is empty; lowering gives them back to the kind pool.
#include "sheet/numbers.h"
#include "sheet/planner.h"

namespace sheet {
namespace {
constexpr double kRightStep = 10;

// A left press moves one point, a right press ten; any other button nothing.
double stepOf(std::int16_t button) {
  return button == kLeftButton ? 1 : button == kRightButton ? kRightStep : 0;
}
}  // namespace

void Planner::pressArrow(skills::Value value, Direction direction, std::int16_t button) {
  const Box kindPool = skills::index(value) < skills::kElementCount ? Box::mpr : Box::ppr;
  if (direction == Direction::Raise)
    raise(boxOf(value), kindPool, button);
  else
    lower(boxOf(value), kindPool, button);
}

// The values and pools are whole numbers, so one rule serves both buttons:
// a left raise stops at 200, a right raise above 190 (a 10-step may end at
// 200, but 191 to 199 only take single steps), and a pool pays a step only
// if it holds all of it.
void Planner::raise(Box value, Box kindPool, std::int16_t button) {
  Whoops();
  const double step = stepOf(button);
  if (step > 0 && s_.started) {
    if (get(value) > kMaxValue - step) {
      say(text::kMaxedOut, text::kOops);
      return;
    }
    // A kind pool's last 1 to 9 points join the Either pool before a 10-step.
    if (step == kRightStep && get(kindPool) > 0 && get(kindPool) < kRightStep) {
      const std::int16_t remainder = toInt16(get(kindPool));
      set(kindPool, 0);
      set(Box::epr, get(Box::epr) + remainder);
    }
    if (get(kindPool) >= step || get(Box::epr) >= step) {
      set(value, get(value) + step);
      if (get(kindPool) >= step)
        set(kindPool, get(kindPool) - step);
      else if (get(kindPool) == 0 && get(Box::epr) >= step)
        set(Box::epr, get(Box::epr) - step);
    } else {
      say(text::kNoMorePoints, text::kUhOh);
    }
  }
  delement();
}

void Planner::lower(Box value, Box kindPool, std::int16_t button) {
  Whoops();
  const double step = stepOf(button);
  if (step > 0 && s_.started) {
    if (get(value) >= step) {  // a whole step or nothing
      set(value, get(value) - step);
      set(kindPool, get(kindPool) + step);
    } else {
      say(text::kNoPointsToTakeOut, text::kOops);
    }
  }
  delement();
}

}  // namespace sheet
