// A start-up to measure: opens the planner's window (or, built with
// PLAVET_EMPTY_WINDOW, an empty window of the same size; with
// PLAVET_TEXT_WINDOW, that window with one caption in the planner's font),
// lets it be shown and painted, and quits by itself once the event loop has
// nothing left to do. bench/run compares the processes' wall time and peak
// memory.
#include <QApplication>
#include <QTimer>

#if defined(PLAVET_EMPTY_WINDOW) || defined(PLAVET_TEXT_WINDOW)
#include <QLabel>
#include <QWidget>

#include "app/fonts.h"
#else
#include "app/identity.h"
#include "app/plavetwindow.h"
#endif

namespace {
// Quits once the window has been painted, as soon as the event loop has
// nothing more to do: the window is then shown and idle.
class QuitWhenPainted : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && !painted) {
      painted = true;
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    return false;
  }
  bool painted = false;
};
}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
#if defined(PLAVET_EMPTY_WINDOW) || defined(PLAVET_TEXT_WINDOW)
  QWidget window;
  window.setFixedSize(589, 581);
#ifdef PLAVET_TEXT_WINDOW  // one caption in the planner's font: what any text costs
  window.setFont(windowFont());
  QLabel caption("Plavet Program v1.33", &window);
#endif
#else
  introduceToDesktop();  // as the program's own main() does
  PlavetWindow window;
#endif
  QuitWhenPainted quitter;
  window.installEventFilter(&quitter);
  window.show();
  QTimer::singleShot(10000, &app, &QCoreApplication::quit);  // never painted: fail, not hang
  QApplication::exec();
  return quitter.painted ? 0 : 1;
}
