// How goals are taken in their order, shared by a plan and the questions
// around it (what else fits, which race): the numbers a problem starts from,
// the needs its goals add, and the loop that keeps or drops each goal. Inside
// goals/ only; views ask goals.h and explore.h.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "goals/goals.h"
#include "sheet/tables.h"

namespace goals::taking {

// What the problem's race, classes and clan-town boxes start a plan from.
// Throws BadProblem for a name or count not of the lists.
Setup setupOf(const Problem& problem);
// The same from the tables' rows, for a caller that has looked them up.
Setup setupOf(const sheet::RaceBonus& race, const sheet::Pools& pools, const sheet::Pools& topUp,
              int magicBoxes, int physicalBoxes);
// `setup` with other classes: the first class's pools and the second's top-up.
void setClasses(Setup& setup, const sheet::Pools& pools, const sheet::Pools& topUp);

// Raises `needs` to what the skill of `row` asks of `copy`'s phase; false when
// it asks nothing the needs don't already hold.
bool ask(Needs& needs, const skills::SkillRow& row, skills::Copy copy);

// The goals taken in order, each kept when it can be met with those kept
// before it, and the best solution for the kept ones.
struct Taken {
  Needs needs;  // of the goals kept
  Solution best;
  std::vector<Goal> kept, dropped;
};
Taken take(const Setup& setup, const Problem& problem);

// Why a goal would be dropped, in the player's words: "the Magic and Either
// pools run 12 points short before multi-classing".
std::string reason(const Shortfall& shortfall, int ceiling);

}  // namespace goals::taking
