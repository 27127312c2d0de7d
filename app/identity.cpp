#include "app/identity.h"

#include <QApplication>

#include "app/fonts.h"
#include "app/plavet.h"

QIcon programIcon() {
  // The drawing built into the program, read only when a window first shows
  // it. (Asking the icon theme first would search its folders at every start;
  // the menu finds the installed copy through the desktop entry anyway.)
  return QIcon(":/" PLAVET_DESKTOP_ID ".svg");
}

void introduceToDesktop() {
  QApplication::setApplicationName(kApplicationName);
  // Lets a Wayland compositor or a panel match the windows to the menu entry.
  QGuiApplication::setDesktopFileName(PLAVET_DESKTOP_ID);
  QApplication::setWindowIcon(programIcon());
  // Every window and message box in the planner's own font. Set here, before
  // the first widget, Qt never loads its default font only to replace it.
  QApplication::setFont(windowFont());
}
