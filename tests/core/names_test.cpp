// What a typed selection is taken for: the name it may complete to, and the
// mark a text that names nothing of its list carries.
#include <gtest/gtest.h>

#include "sheet/names.h"

namespace {

using sheet::Selection;

TEST(Names, CompletionsAndWarnings) {
  struct Case {
    Selection selection;
    std::string typed;
    std::optional<std::string_view> completion;
    std::string warning;
  };
  const std::string longText = std::string(59, 'x') + "\xc3\xa9" + std::string(40, 'y');
  const std::vector<Case> cases = {
      {Selection::Race, "", std::nullopt, ""},
      {Selection::Race, "AR", std::nullopt, ""},  // a name: nothing offered, nothing marked
      // "ar" is the race AR in another case, not the start of "Aracoix".
      {Selection::Race, "ar", std::nullopt,
       "\u201car\u201d is not a race of the list, so no race rule applies. Did you mean "
       "\u201cAR\u201d?"},
      {Selection::Race, "a", "Aracoix",
       "\u201ca\u201d is not a race of the list, so no race rule applies. Did you mean "
       "\u201cAracoix\u201d?"},
      {Selection::FirstClass, "Wariror", std::nullopt,
       "\u201cWariror\u201d is not a class of the list, so no class rule applies. Did you mean "
       "\u201cWarrior\u201d?"},
      {Selection::Race, "human", std::nullopt,
       "\u201chuman\u201d is not a race of the list, so no race rule applies. Did you mean "
       "\u201cHuman\u201d?"},
      {Selection::FirstClass, "monk", "Monk (Autumn)",
       "\u201cmonk\u201d is not a class of the list, so no class rule applies. Did you mean "
       "\u201cMonk (Autumn)\u201d?"},
      {Selection::SecondClass, "Wizard", std::nullopt,
       "\u201cWizard\u201d is not a class of the list, so no class rule applies."},
      // Long texts are quoted cut short, never inside a character.
      {Selection::Race, longText, std::nullopt,
       "\u201c" + std::string(59, 'x') +
           "\u2026\u201d is not a race of the list, so no race rule applies."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sheet::completion(c.selection, c.typed), c.completion) << c.typed;
    EXPECT_EQ(sheet::selectionWarning(c.selection, c.typed), c.warning) << c.typed;
  }
}

}  // namespace
