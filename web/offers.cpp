// The rest of a name that a selection box offers while the player types, as
// the desktop's boxes offer it: the core's sheet::completion, for the page.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "sheet/names.h"
#include "web/handout.h"

namespace {

std::optional<sheet::Selection> selectionNamed(std::string_view combo) {
  if (combo == "cmbrace") return sheet::Selection::Race;
  if (combo == "cmbfc") return sheet::Selection::FirstClass;
  if (combo == "cmbsc") return sheet::Selection::SecondClass;
  return std::nullopt;
}

}  // namespace

extern "C" {

// The name of the box `combo`'s list that `typed` (UTF-8, `length` bytes)
// completes to, or a null pointer for none (or no such box). It lives until
// the next call.
PLAVET_EXPORT const char* plavet_completion(const char* combo, const char* typed,
                                            std::size_t length) {
  static std::string offered;
  const auto selection = selectionNamed(combo);
  if (!selection) return nullptr;
  const auto name = sheet::completion(*selection, std::string_view(typed, length));
  if (!name) return nullptr;
  offered = *name;
  return offered.c_str();
}
}
