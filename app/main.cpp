// Spekulor's window. The process-wide objects exist before main: the application
// object below and the calculation's constant texts (the design-type names, the
// unit and seconds-of-arc suffixes).
#include <QApplication>

#include "QtSetup.h"
#include "TelescopeApp.h"

namespace {
CTelescopeApp theApp;
}

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  PrepareQtApplication();
  // The design-file and lens-export commands are not part of this build yet: their
  // button and menu items are shown disabled.
  theApp.InitInstance(argv[0], nullptr);
  return 0;
}
