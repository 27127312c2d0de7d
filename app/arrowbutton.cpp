#include "app/arrowbutton.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

ArrowButton::ArrowButton(Pointing pointing, QWidget* parent)
    : QPushButton(parent), pointing_(pointing) {
  setAutoDefault(false);
  // A screen reader's "press" clicks; it is a left press where keys press.
  connect(this, &QPushButton::clicked, this, [this] {
    if (keysPress && keysPress()) emit mouseDown(kLeft);
  });
}

void ArrowButton::mousePressEvent(QMouseEvent* event) {
  int code = 0;
  switch (event->button()) {
    case Qt::LeftButton:
      code = kLeft;
      break;
    case Qt::RightButton:
      code = kRight;
      break;
    case Qt::MiddleButton:
      code = kMiddle;
      break;
    default:
      event->ignore();
      return;  // extra buttons are not ours
  }
  event->accept();
  setDown(true);
  emit mouseDown(code);
  // A message box opened by the press takes the release with it.
  if (QGuiApplication::mouseButtons() == Qt::NoButton) setDown(false);
}

void ArrowButton::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  setDown(false);  // no click: the press did the work
}

void ArrowButton::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool pressKey = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
  const Qt::KeyboardModifiers others =
      event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  if (!pressKey || others != Qt::NoModifier || !keysPress || !keysPress()) {
    QPushButton::keyPressEvent(event);  // Space only looks pressed; nothing happens
    return;
  }
  event->accept();
  if (event->isAutoRepeat()) return;  // a key held down is one press, as a mouse button is
  emit mouseDown(event->modifiers() & Qt::ShiftModifier ? kRight : kLeft);
}

void ArrowButton::paintEvent(QPaintEvent* event) {
  QPushButton::paintEvent(event);
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
  const QRectF r = QRectF(rect()).adjusted(4.5, 3.5, -4.5, -3.5);
  QPolygonF triangle;
  if (pointing_ == Pointing::Up)
    triangle << QPointF(r.center().x(), r.top()) << r.bottomRight() << r.bottomLeft();
  else
    triangle << r.topLeft() << r.topRight() << QPointF(r.center().x(), r.bottom());
  painter.drawPolygon(triangle);
}
