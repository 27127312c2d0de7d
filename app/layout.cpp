#include "app/layout.h"

namespace layout {

QStringList itemsOf(const Control& combo) {
  QStringList list;
  for (std::string_view item : items(combo.name)) list << qt(item);
  return list;
}

}  // namespace layout
