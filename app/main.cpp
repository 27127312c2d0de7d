#include <QApplication>

#include "app/identity.h"
#include "app/plavet.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  introduceToDesktop();
  Plavet window;
  window.show();
  return QApplication::exec();  // ends when the last window closes
}
