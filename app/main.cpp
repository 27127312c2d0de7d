#include <QApplication>

#include "app/plavet.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(kApplicationName);
  Plavet window;
  window.show();
  return QApplication::exec();  // ends when the last window closes
}
