#include <QApplication>

#include "app/identity.h"
#include "app/plancommand.h"
#include "app/plavet.h"

int main(int argc, char* argv[]) {
  if (isPlanCommand(argc, argv)) return runPlanCommand(argc, argv);  // no window, no display
  QApplication app(argc, argv);
  introduceToDesktop();
  Plavet window;
  window.show();
  return QApplication::exec();  // ends when the last window closes
}
