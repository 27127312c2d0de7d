// A skill list as its list box shows it.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "skills/catalogue.h"

namespace skills {

// Holds catalogue texts in ascending order whatever order they are added in,
// compared character by character (a space sorts before any letter).
class SkillList {
 public:
  void clear() { items_.clear(); }
  void add(const SkillRow& row);
  std::span<const std::string_view> items() const { return items_; }
  bool empty() const { return items_.empty(); }
  bool operator==(const SkillList&) const = default;

 private:
  std::vector<std::string_view> items_;  // views into the catalogue, which lives forever
};

// Adds to `list` the text of every row of `className` that `values` qualify
// for, walking the rows in catalogue order. The list is not cleared first; a
// class text that names no class adds nothing.
void addQualifying(SkillList& list, std::string_view className, Copy copy,
                   const ElementValues& values);

}  // namespace skills
