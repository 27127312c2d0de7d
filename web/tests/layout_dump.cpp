// Writes what the Qt window shows, read from its widgets, in the shape of
// the table of controls (web/layoutjson.h) but in pixels, for the browser
// tests to hold the window and the page to the one table: each control's
// name, kind, caption, accessible name, place, style, buddy and items; the
// thin lines it draws; its keyboard order; and the help window's text.
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <cstdio>

#include "app/arrowbutton.h"
#include "app/explosion.h"
#include "app/layout.h"
#include "app/plavet.h"
#include "app/selectioncombo.h"
#include "app/wrappingbutton.h"

namespace {

QString kindOf(const QWidget* w) {
  if (qobject_cast<const QLabel*>(w)) return "label";
  if (qobject_cast<const QLineEdit*>(w)) return "number";
  if (qobject_cast<const SelectionCombo*>(w)) return "combo";
  if (qobject_cast<const ArrowButton*>(w)) return "arrow";
  if (qobject_cast<const QCheckBox*>(w)) return "check";
  if (qobject_cast<const QPushButton*>(w)) return "button";
  if (qobject_cast<const QListWidget*>(w)) return "list";
  return w->metaObject()->className();
}

// An arrow as the table names it: "5" when its triangle points up (its
// dark pixels lie mostly in its lower half), "6" when down.
QString arrowGlyph(QWidget* arrow) {
  const QImage image = arrow->grab().toImage();
  int upper = 0, lower = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 2; x < image.width() - 2; ++x)
      if (qGray(image.pixel(x, y)) < 64) (y < image.height() / 2 ? upper : lower)++;
  return lower > upper ? "5" : "6";
}

QString captionOf(QWidget* w) {
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
  if (auto* box = qobject_cast<QLineEdit*>(w)) return box->text();
  if (qobject_cast<ArrowButton*>(w)) return arrowGlyph(w);
  if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
  return "";
}

QJsonArray styleOf(const QWidget* w) {
  QJsonArray style;
  if (auto* label = qobject_cast<const QLabel*>(w)) {
    if (label->alignment() & Qt::AlignHCenter) style.append("centred");
    if (label->alignment() & Qt::AlignRight) style.append("right");
  }
  if (w->font().bold()) style.append("bold");
  if (w->font().pointSizeF() > 10) style.append("large");
  if (qobject_cast<const WrappingButton*>(w)) style.append("wraps");
  return style;
}

QJsonObject controlOf(QWidget* w) {
  const QRect r = w->geometry();
  QJsonObject c{
      {"name", w->objectName()},
      {"kind", kindOf(w)},
      {"caption", captionOf(w)},
      {"accessible", w->accessibleName()},
      {"place", QJsonArray{r.x(), r.y(), r.width(), r.height()}},
      {"style", styleOf(w)},
  };
  if (auto* label = qobject_cast<QLabel*>(w))
    c["buddy"] = label->buddy() ? label->buddy()->objectName() : "";
  if (auto* combo = qobject_cast<SelectionCombo*>(w)) {
    QJsonArray items;
    for (int i = 0; i < combo->count(); ++i) items.append(combo->itemText(i));
    c["items"] = items;
  }
  return c;
}

// The keyboard order: the focus chain from the first control, each widget
// that takes focus by Tab once (a combo box for its line edit).
QJsonArray tabOrderOf(QWidget* first) {
  QJsonArray order;
  QWidget* w = first;
  do {
    QWidget* control = qobject_cast<SelectionCombo*>(w->parentWidget()) ? w->parentWidget() : w;
    if ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isVisible() &&
        (order.isEmpty() || order.last().toString() != control->objectName()))
      order.append(control->objectName());
    w = w->nextInFocusChain();
  } while (w != first);
  return order;
}

// The table's lines that the window draws: black wherever no control lies
// over them.
QJsonArray rulesDrawn(Plavet& window) {
  const QImage image = window.grab().toImage();
  const auto covered = [&](QPoint p) {
    for (QWidget* w : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (w->geometry().contains(p)) return true;
    return false;
  };
  QJsonArray drawn;
  for (const layout::Rule& r : layout::rules()) {
    const QPoint from(layout::px(r.x1), layout::px(r.y1)), to(layout::px(r.x2), layout::px(r.y2));
    bool black = true;
    for (int x = from.x(); x <= to.x(); ++x)
      for (int y = from.y(); y <= to.y(); ++y)
        if (!covered({x, y}) && image.pixel(x, y) != qRgb(0, 0, 0)) black = false;
    if (black) drawn.append(QJsonArray{from.x(), from.y(), to.x(), to.y()});
  }
  return drawn;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  Plavet window;
  window.show();
  QJsonArray controls;
  for (QWidget* w : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    controls.append(controlOf(w));
  const QJsonObject all{
      {"size", QJsonArray{window.width(), window.height()}},
      {"controls", controls},
      {"rules", rulesDrawn(window)},
      {"tabOrder", tabOrderOf(window.findChild<QWidget*>("txtmf"))},
      {"help", Explosion::helpText()},
  };
  std::fputs(QJsonDocument(all).toJson(QJsonDocument::Compact).constData(), stdout);
}
