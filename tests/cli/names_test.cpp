// A typed name is taken the same way everywhere: the selection box's offer,
// its mark's "Did you mean", and the command line's answer agree.
#include <gtest/gtest.h>

#include <random>

#include "cli/options.h"
#include "sheet/names.h"
#include "skills/catalogue.h"

namespace {

using sheet::Selection;

// What the command line makes of a race or class name: the name it takes,
// or the one its refusal suggests ("" for none), marked by `taken`.
struct Answer {
  bool taken;
  std::string name;
};

Answer commandLine(Selection selection, const std::string& typed) {
  try {
    return {true, std::string(selection == Selection::Race ? cli::knownRace(typed)
                                                           : cli::knownClass(typed))};
  } catch (const cli::BadArguments& bad) {
    const auto at = bad.why.find("did you mean \"");
    if (at == std::string::npos) return {false, ""};
    const auto from = at + 14;
    return {false, bad.why.substr(from, bad.why.rfind('"') - from)};
  }
}

// The name the mark's tooltip suggests, "" for none.
std::string marked(Selection selection, const std::string& typed) {
  const std::string warning = sheet::selectionWarning(selection, typed);
  const auto at = warning.find("Did you mean \u201c");
  if (at == std::string::npos) return "";
  const auto from = at + std::string_view("Did you mean \u201c").size();
  return warning.substr(from, warning.rfind("\u201d") - from);
}

TEST(TypedNames, OfferMarkAndCommandLineAgree) {
  struct Case {
    Selection selection;
    std::string typed;
    std::string offer;  // the completion, "" for none
    std::string meant;  // the mark's suggestion and the command line's
    bool taken;         // the command line takes it as that name
  };
  const std::vector<Case> cases = {
      {Selection::Race, "ar", "", "AR", true},
      {Selection::Race, "a", "Aracoix", "Aracoix", false},
      {Selection::Race, "ara", "Aracoix", "Aracoix", false},
      {Selection::Race, "elf", "", "Elf", true},
      {Selection::Race, "Elff", "", "Elf", false},
      {Selection::Race, "el", "Elf", "Elf", false},
      {Selection::Race, "dw", "Dwarf", "Dwarf", false},
      {Selection::Race, "half", "Half-Giant", "Half-Giant", false},
      {Selection::Race, "Gnome", "", "", false},
      {Selection::FirstClass, "Wariror", "", "Warrior", false},
      {Selection::FirstClass, "warrior", "", "Warrior", true},
      {Selection::FirstClass, "war", "Warrior", "Warrior", false},
      {Selection::FirstClass, "monk", "Monk (Autumn)", "Monk (Autumn)", false},
      {Selection::SecondClass, "Chaos Cleirc", "", "Chaos Cleric", false},
      {Selection::SecondClass, "anti-paladin", "", "Anti-Paladin", true},
      {Selection::SecondClass, "Mage", "", "", false},
  };
  for (const Case& c : cases) {
    const auto offer = sheet::completion(c.selection, c.typed);
    EXPECT_EQ(offer ? std::string(*offer) : "", c.offer) << c.typed;
    const Answer answer = commandLine(c.selection, c.typed);
    EXPECT_EQ(answer.taken, c.taken) << c.typed;
    EXPECT_EQ(answer.name, c.meant) << c.typed;
    // The window keeps its exact rule: a name in another case is marked too.
    EXPECT_EQ(marked(c.selection, c.typed), c.meant) << c.typed;
  }
}

// Names cut short, their letters' case changed, a letter dropped, doubled or
// swapped with its neighbour: whatever the offer, the mark and the command
// line say, they say the same name.
TEST(TypedNames, AgreeOnRandomSlips) {
  std::mt19937 random(2718);
  for (int run = 0; run < 4000; ++run) {
    const Selection selection = run % 2 ? Selection::Race : Selection::SecondClass;
    const auto names = sheet::listNames(selection);
    std::string typed(names[random() % names.size()]);
    for (char& c : typed)
      if (std::isalpha(static_cast<unsigned char>(c)) && random() % 3 == 0) c ^= 0x20;  // case
    const std::size_t at = random() % typed.size();
    switch (random() % 5) {
      case 0:
        typed.resize(1 + at);
        break;
      case 1:
        typed.erase(at, 1);
        break;
      case 2:
        typed.insert(at, 1, typed[at]);
        break;
      case 3:
        if (at + 1 < typed.size()) std::swap(typed[at], typed[at + 1]);
        break;
      default:
        break;
    }
    const auto offer = sheet::completion(selection, typed);
    const auto meant = sheet::meantName(names, typed);
    const Answer answer = commandLine(selection, typed);
    EXPECT_EQ(answer.taken, sheet::nameInAnyCase(names, typed).has_value()) << typed;
    EXPECT_EQ(answer.name, meant ? std::string(*meant) : "") << typed;
    if (offer) {
      EXPECT_EQ(*offer, *meant) << typed;
    }
    if (!sheet::isListName(selection, typed)) {
      EXPECT_EQ(marked(selection, typed), answer.name) << typed;
    }
  }
}

}  // namespace
