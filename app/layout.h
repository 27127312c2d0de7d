// The window's table of controls (layout/window.h) in Qt's terms: the
// window is built from it and from nothing else.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <string_view>

#include "layout/window.h"

namespace layout {

inline QString qt(std::string_view text) {
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

inline QRect geometry(const Control& c) {
  return QRect(px(c.left), px(c.top), px(c.width), px(c.height));
}

// The items a selection box offers.
QStringList itemsOf(const Control& combo);

}  // namespace layout
