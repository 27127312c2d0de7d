#include "app/messagebox.h"

#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

#include "app/plavet.h"

void showMessage(QWidget* owner, const QString& text, const QString& title) {
  QMessageBox box(owner);
  box.setIcon(QMessageBox::NoIcon);
  box.setWindowTitle(title.isEmpty() ? QString(kApplicationName) : title);
  box.setTextFormat(Qt::PlainText);
  box.setText(text);
  box.setStandardButtons(QMessageBox::Ok);
  box.button(QMessageBox::Ok)->setIcon(QIcon());  // a plain OK, whatever the desktop's theme
  box.exec();
}
