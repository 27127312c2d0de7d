// A skill's label against its rule. The labels carry the needs in brackets,
// but a few say other values or other numbers than the rule that lists the
// skill; the player plans by the rule, and should see where the label errs.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "skills/catalogue.h"

namespace goals {

// The needs a label's brackets state, in their order, as the catalogue
// writes them: "(55 MFire/40 MSpirit)", "(55 PFire/PSpirit)" (55 of each),
// "(60MAir)", "(80 Mair)", an unclosed "(20 MWater/55 MSpirit". A need of 0
// asks nothing and is left out. None for a label without brackets, or with
// brackets that don't read as needs.
std::optional<std::vector<skills::Requirement>> labelNeeds(std::string_view text);

// The skill a label names, without its bracketed needs: "Vorpalize" for
// "Vorpalize (55 MFire)"; the whole label when it has no brackets.
std::string_view skillName(std::string_view text);

// Where the label and the rule disagree, what each says beyond what they
// share: "label says 40; the rule needs 45" for a skill of one need, the
// values named otherwise ("label says PFire 55; the rule needs PFire 65",
// "label says MSpirit 35; the rule needs MAir 35"). Empty where they agree,
// and for a label that states no needs.
std::string labelNote(const skills::SkillRow& row);

}  // namespace goals
