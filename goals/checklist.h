// The plan as a checklist to follow step by step at the planner (or the
// game's prompt): copied as text, printed, shown on the page.
#pragma once

#include <string>

#include "goals/goals.h"

namespace goals {

// Race and classes, the clan-town boxes, every raise before multi-classing
// (its presses and what it is for), multi-classing, every raise after, the
// skills then listed, the values at the end (D values rounded to two
// decimals), the points left and any goal dropped. `played` is the plavet
// the plan leaves (goals::played), with the player's spells.
std::string checklist(const Problem& problem, const Plan& plan, const sheet::State& played);

}  // namespace goals
