// The twenty arrow buttons: a left press moves one point, a right press ten.
// Raising buys points from the value's kind pool, or from the Either pool
// while the kind pool is empty; lowering gives them back to the kind pool.
#include "sheet/numbers.h"
#include "sheet/planner.h"

namespace sheet {
namespace {
constexpr double kRightStep = 10;
constexpr double kRightRaiseLimit = kMaxValue - kRightStep;  // a 10-step may end at 200
}  // namespace

void Planner::pressArrow(skills::Value value, Direction direction, std::int16_t button) {
  const Box kindPool = skills::index(value) < skills::kElementCount ? Box::mpr : Box::ppr;
  if (direction == Direction::Raise)
    raise(boxOf(value), kindPool, button);
  else
    lower(boxOf(value), kindPool, button);
}

void Planner::raise(Box value, Box kindPool, std::int16_t button) {
  Whoops();
  if (button == kLeftButton && s_.started) {
    if (get(value) >= kMaxValue) {
      say(text::kMaxedOut, text::kOops);
      return;
    }
    if (get(kindPool) > 0 || get(Box::epr) > 0) {
      set(value, get(value) + 1);
      if (get(kindPool) > 0)
        set(kindPool, get(kindPool) - 1);
      else if (get(kindPool) == 0 && get(Box::epr) > 0)
        set(Box::epr, get(Box::epr) - 1);
    } else {
      say(text::kNoMorePoints, text::kUhOh);
    }
  } else if (button == kRightButton && s_.started) {
    if (get(value) > kRightRaiseLimit) {
      say(text::kMaxedOut, text::kOops);
      return;
    }
    // A kind pool's last 1 to 9 points join the Either pool before a 10-step.
    if (get(kindPool) > 0 && get(kindPool) < kRightStep) {
      const std::int16_t remainder = toInt16(get(kindPool));
      set(kindPool, 0);
      set(Box::epr, get(Box::epr) + remainder);
    }
    if (get(kindPool) >= kRightStep || get(Box::epr) >= kRightStep) {
      set(value, get(value) + kRightStep);
      if (get(kindPool) >= kRightStep)
        set(kindPool, get(kindPool) - kRightStep);
      else if (get(kindPool) == 0 && get(Box::epr) >= kRightStep)
        set(Box::epr, get(Box::epr) - kRightStep);
    } else {
      say(text::kNoMorePoints, text::kUhOh);
    }
  }
  delement();
}

void Planner::lower(Box value, Box kindPool, std::int16_t button) {
  Whoops();
  const double step = button == kLeftButton ? 1 : kRightStep;
  if ((button == kLeftButton || button == kRightButton) && s_.started) {
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
