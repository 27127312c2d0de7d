#include "app/selectioncombo.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

SelectionCombo::SelectionCombo(const QStringList& items, QWidget* parent) : QComboBox(parent) {
  setLineEdit(new QLineEdit(this));      // editable, without building the drop-down list yet
  setInsertPolicy(QComboBox::NoInsert);  // typed text never becomes an item
  setMaxVisibleItems(16);
  addItems(items);
  // No completion: the text is exactly what the user typed, in the user's case.
  setCompleter(nullptr);
  setCurrentIndex(-1);
  setEditText(QString());
}

void SelectionCombo::setLocked(bool locked) {
  locked_ = locked;
  lineEdit()->setReadOnly(locked);
}

void SelectionCombo::showPopup() {
  if (!locked_) QComboBox::showPopup();
}

void SelectionCombo::keyPressEvent(QKeyEvent* event) {
  if (locked_) {
    switch (event->key()) {
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
      case Qt::Key_F4:
        event->accept();
        return;
      default:
        break;
    }
  }
  QComboBox::keyPressEvent(event);
}

void SelectionCombo::wheelEvent(QWheelEvent* event) {
  if (locked_)
    event->accept();
  else
    QComboBox::wheelEvent(event);
}
