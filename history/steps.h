// What each user action is called as a step of the undo history ("Raise M
// Fire by 10", "Check Bless"), the same in the window and in the page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "sheet/planner.h"

namespace history::steps {

// "Start plavet" or "Reset plavet", by what the button is about to do.
std::string startReset(const sheet::State& before);
inline constexpr std::string_view kMultiClass = "Multi-class";
inline constexpr std::string_view kShowSkills = "Show current skills";
// "Raise M Fire by 1", "Lower P Air by 10"; a middle press: "Raise M Fire".
std::string arrow(skills::Value value, sheet::Direction direction, std::int16_t buttonCode);
// "Check Bless", "Uncheck MElement Amount Bonus 2": what the click asked for.
std::string spell(sheet::Spell spell, bool checked);
std::string bonus(sheet::Bonus bonus, bool checked);
// "Change race", "Change first class", "Change second class". Typing on in
// one box is one step: its edits share selectionKey().
std::string selection(sheet::Selection selection);
int selectionKey(sheet::Selection selection);

inline constexpr std::string_view kPasteCode = "Paste plavet code";
// The page's Open: it asks nothing before it sets a plavet aside, so the
// plavet it replaces stays one Undo away.
inline constexpr std::string_view kOpenFile = "Open plavet file";
inline constexpr std::string_view kApplyPlan = "Apply Plan";
// Compare's Open Compared: the compared plavet in place of this one.
inline constexpr std::string_view kOpenCompared = "Open compared plavet";
inline constexpr std::string_view kPlanThis = "Plan This";

// Skill Goals: "Tick Goal Vorpalize" or "Untick Goal Vorpalize" (the
// skill's label without its needs), "Move Goal Up", "Move Goal Down", "Set
// Magic Bonus Count", "Set Physical Bonus Count", "Clear Goals".
std::string tickGoal(std::string_view skillLabel, bool ticked);
std::string moveGoal(int delta);  // earlier for a negative one
std::string setBonusCount(bool magic);
inline constexpr std::string_view kClearGoals = "Clear Goals";

// What a screen reader calls the controls these steps name: "Bless",
// "PElement Building Bonus 1" (and skills::valueName: "M Fire").
std::string_view spellName(sheet::Spell spell);
std::string_view bonusName(sheet::Bonus bonus);

}  // namespace history::steps
