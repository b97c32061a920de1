// Scenarios that must end their own process (start-up and shutdown, Abort in the
// assertion box, a foreign locale). The test binary runs itself with
// "--child=<name>"; each scenario reports on standard output.
#ifndef SPEKULOR_TESTS_APP_CHILDSCENARIOS_H
#define SPEKULOR_TESTS_APP_CHILDSCENARIOS_H

#include <QProcessEnvironment>
#include <QString>

// Runs the named scenario; returns the process exit status.
int RunChildScenario(const QString& name, int argc, char** argv);

struct ChildRun {
  int exitCode = -1;
  bool crashed = false;
  QString output;
};
// Runs this test binary with "--child=<name>" and waits for it.
ChildRun RunChild(const QString& name, const QProcessEnvironment& environment =
                                           QProcessEnvironment::systemEnvironment());

#endif
