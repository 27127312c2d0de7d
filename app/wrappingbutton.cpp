#include "app/wrappingbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

void WrappingButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();
  painter.drawControl(QStyle::CE_PushButton, option);  // the bevel and focus frame only
  const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this);
  painter.drawItemText(rect().adjusted(margin, margin, -margin, -margin),
                       Qt::AlignCenter | Qt::TextWordWrap, palette(), isEnabled(), text(),
                       QPalette::ButtonText);
}
