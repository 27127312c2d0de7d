#include "app/identity.h"

#include <QApplication>

#include "app/plavet.h"

QIcon programIcon() {
  // An installed copy lets an icon theme draw it in its own style.
  return QIcon::fromTheme(PLAVET_DESKTOP_ID, QIcon(":/" PLAVET_DESKTOP_ID ".svg"));
}

void introduceToDesktop() {
  QApplication::setApplicationName(kApplicationName);
  // Lets a Wayland compositor or a panel match the windows to the menu entry.
  QGuiApplication::setDesktopFileName(PLAVET_DESKTOP_ID);
  QApplication::setWindowIcon(programIcon());
}
