// The names of the race and class lists, and what a typed selection most
// likely meant. A text that is not a name of its list applies no rule; these
// only help a player see why.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/planner.h"

namespace sheet {

// The names a selection's list offers, in list order.
std::span<const std::string_view> listNames(Selection selection);
bool isListName(Selection selection, std::string_view text);

// The name among `names` that `text` most likely meant, if one is close: the
// same letters in another case, a skill's name without its bracketed needs
// ("Vorpalize" for "Vorpalize (55 MFire)"), or a slip of a letter or two
// (one in four letters; two letters swapped count as one slip). The first of
// equally close names wins.
std::optional<std::string_view> nearestName(std::string_view text,
                                            std::span<const std::string_view> names);

// The name of `names` that `text` is, letter case aside: the exact name
// first, else the first that differs from it in case alone.
std::optional<std::string_view> nameInAnyCase(std::span<const std::string_view> names,
                                              std::string_view text);

// The name typing `typed` may complete to: the first of `names`, in their
// order, that starts with it in any letter case and is longer. None when
// `typed` is empty or already a name, in any case ("ar" is the race "AR",
// not the start of "Aracoix").
std::optional<std::string_view> completion(std::span<const std::string_view> names,
                                           std::string_view typed);

// What a text that is no name of `names` most likely meant, for every "did
// you mean" the program says: the name it is in another case, else the name
// it completes to (so an offer and its mark never disagree), else the
// nearest name. None for an empty text.
std::optional<std::string_view> meantName(std::span<const std::string_view> names,
                                          std::string_view text);

// The rows of `texts` (a class's skill rows) that a typed skill may mean, as
// their indices: the row of that very text; else the rows whose text or name
// ("Vorpalize" of "Vorpalize (55 MFire)") it is in any case; else those whose
// name it begins, word by word ("heal" of "Heal Light" and "Heal Serious").
std::vector<int> rowsMeant(std::span<const std::string_view> texts, std::string_view text);

// Why a selection's text applies no rule, for a mark beside it: "“human” is
// not a race of the list, so no race rule applies. Did you mean “Human”?".
// Empty for an empty text and for a name of the list.
std::string selectionWarning(Selection selection, std::string_view text);

// The name of the selection's list that typing `typed` may complete to.
std::optional<std::string_view> completion(Selection selection, std::string_view typed);

// Why a typed text is no name of `names`, for a mark beside it: "“Kik” is
// not a skill any class teaches. Did you mean “Kick”?" (`what` is "a skill
// any class teaches"). Empty for an empty text and a name in any case.
std::string nameWarning(std::span<const std::string_view> names, std::string_view text,
                        std::string_view what);

}  // namespace sheet
