#include "skills/skilllist.h"

#include <algorithm>

namespace skills {

void SkillList::add(const SkillRow& row) {
  items_.insert(std::upper_bound(items_.begin(), items_.end(), row.text), row.text);
}

void addQualifying(SkillList& list, std::string_view className, Copy copy,
                   const ElementValues& values) {
  for (const SkillRow& row : rowsOf(className, copy))
    if (row.qualifies(values)) list.add(row);
}

}  // namespace skills
