#include "app/identity.h"

#include <QApplication>
#include <QIconEngine>
#include <QMainWindow>
#include <QProxyStyle>

#include "app/fonts.h"
#include "app/plavet.h"

namespace {

// The program's icon, drawn from the SVG built into the program the first
// time anyone asks for its pixels (the window manager, an About box). Until
// then neither Qt's SVG icon plugin nor its SVG module is loaded: reading the
// drawing as the icon is made cost half a MiB and 2 M instructions at every
// start, and a desktop that never shows the window icon never pays it.
class ProgramIconEngine final : public QIconEngine {
 public:
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    drawing().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return drawing().pixmap(size, 1.0, mode, state);  // `size` is in device pixels
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return drawing().actualSize(size, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return drawing().availableSizes(mode, state);
  }
  bool isNull() override { return false; }  // the drawing is part of the program
  QIconEngine* clone() const override { return new ProgramIconEngine(*this); }

 private:
  const QIcon& drawing() {
    if (drawing_.isNull()) drawing_ = QIcon(":/" PLAVET_DESKTOP_ID ".svg");
    return drawing_;
  }
  QIcon drawing_;
};

// The desktop's style, but for an icon the window never shows and an
// animation nobody sees:
// - a menu bar draws its overflow button's arrow from the style's icon files
//   as it is built, and the main window is always wide enough for its menus.
//   Loading that icon was the larger part of what the menu bar cost at
//   start-up.
// - a main window's layout moves its central widget into place through an
//   animation of no length whenever the style animates at all, which loads
//   Qt's animation framework at start-up. The main window has no tool bars or
//   docks to animate: its layout places the widget at once, where the
//   animation would have put it.
class ProgramStyle final : public QProxyStyle {
 public:
  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                     const QWidget* widget) const override {
    if (icon == SP_ToolBarHorizontalExtensionButton) return QIcon();
    return QProxyStyle::standardIcon(icon, option, widget);
  }
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    if (hint == SH_Widget_Animation_Duration && widget &&
        qobject_cast<const QMainWindow*>(widget->window()))
      return 0;
    return QProxyStyle::styleHint(hint, option, widget, data);
  }
};

}  // namespace

QIcon programIcon() {
  // Asking the icon theme first would search its folders at every start; the
  // menu finds the installed copy through the desktop entry anyway.
  return QIcon(new ProgramIconEngine);
}

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
