// Where every control of the main window stands, in twips (15 to a pixel), and
// what it says. The window is built from this table and nothing else.
#pragma once

#include <QRect>
#include <QString>
#include <vector>

namespace layout {

inline constexpr int kTwipsPerPixel = 15;
constexpr int px(int twips) {
  return twips / kTwipsPerPixel;
}

enum class Kind { Label, NumberBox, Combo, Button, WrappingButton, Arrow, List, Check };

enum Style : unsigned {
  Plain = 0,
  Centred = 1u << 0,
  RightAligned = 1u << 1,
  Bold = 1u << 2,
  Large = 1u << 3,  // 12 pt instead of 8.25 pt
};

struct Control {
  QString name;  // the widget's objectName
  Kind kind;
  QString caption;               // what it shows; a combo's item list is chosen by name
  QString accessible;            // what a screen reader says
  int left, top, width, height;  // twips
  unsigned style = Plain;

  QRect geometry() const { return QRect(px(left), px(top), px(width), px(height)); }
};

struct Rule {  // a thin black line, in twips
  int x1, y1, x2, y2;
};

// The client area.
inline constexpr int kWidthTwips = 8835;
inline constexpr int kHeightTwips = 8715;

// Every control of the window, labels included.
const std::vector<Control>& controls();
const std::vector<Rule>& rules();
// The names of the controls that take focus, in keyboard order.
const std::vector<QString>& tabOrder();

const QStringList& raceNames();
const QStringList& classNames();

}  // namespace layout
