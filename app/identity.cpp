#include "app/identity.h"

#include <QApplication>
#include <QProxyStyle>

#include "app/fonts.h"
#include "app/plavet.h"

QIcon programIcon() {
  // The drawing built into the program, read only when a window first shows
  // it. (Asking the icon theme first would search its folders at every start;
  // the menu finds the installed copy through the desktop entry anyway.)
  return QIcon(":/" PLAVET_DESKTOP_ID ".svg");
}

namespace {

// The desktop's style, but for an icon the window never shows: a menu bar
// draws its overflow button's arrow from the style's icon files as it is
// built, and the main window is always wide enough for its menus. Loading
// that icon was the larger part of what the menu bar cost at start-up.
class ProgramStyle final : public QProxyStyle {
 public:
  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                     const QWidget* widget) const override {
    if (icon == SP_ToolBarHorizontalExtensionButton) return QIcon();
    return QProxyStyle::standardIcon(icon, option, widget);
  }
};

}  // namespace

void introduceToDesktop() {
  QApplication::setStyle(new ProgramStyle);  // before the first widget asks for one
  QApplication::setApplicationName(kApplicationName);
  // Lets a Wayland compositor or a panel match the windows to the menu entry.
  QGuiApplication::setDesktopFileName(PLAVET_DESKTOP_ID);
  QApplication::setWindowIcon(programIcon());
  // Every window and message box in the planner's own font. Set here, before
  // the first widget, Qt never loads its default font only to replace it.
  QApplication::setFont(windowFont());
}
