// Spekulor's window. The process-wide objects exist before main: the application
// object below and the calculation's constant texts (the design-type names, the
// unit and seconds-of-arc suffixes).
#include <QApplication>
#include <csignal>

#include "app/QtSetup.h"
#include "app/TelescopeApp.h"

namespace {
CTelescopeApp theApp;
}

int main(int argc, char** argv) {
  QApplication application(argc, argv);  // takes the toolkit's own options out of argv
  PrepareQtApplication();
  // A file-size limit is to make a save fail with "Error writing", not to end the
  // program and lose the user's input.
  std::signal(SIGXFSZ, SIG_IGN);
  // One optional argument: a design file, opened as File Open opens it (a double
  // click on a .spekulor file starts the program this way).
  theApp.InitInstance(argv[0], argc > 1 ? argv[1] : "");
  return 0;
}
