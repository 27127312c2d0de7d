// The windows' fonts: a plain sans serif at the sizes the layout was drawn for.
#pragma once

#include <QFont>

// The layout was drawn for an 8.25 pt font narrower than today's sans serifs;
// Liberation Sans (the metric twin of Arial), set 3% tighter, fits every caption.
inline constexpr double kBaseFontPoints = 8.25;

inline QFont windowFont(double pointSize = kBaseFontPoints, bool bold = false) {
  QFont font;
  font.setFamily("Liberation Sans");
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  font.setLetterSpacing(QFont::PercentageSpacing, 97);
  return font;
}
