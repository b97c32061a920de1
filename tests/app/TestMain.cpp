// The window's tests run on Qt's offscreen platform unless told otherwise: CTest
// and test discovery start this binary without a display.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>
#include <cstring>

#include "tests/app/ChildScenarios.h"
#include "app/QtSetup.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // The window's configuration store in a folder of this run's own, never the user's.
  QTemporaryDir config;
  setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--child=", 8) == 0) {
      return RunChildScenario(QString::fromLatin1(argv[i] + 8), argc, argv);
    }
  }
  ::testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  PrepareQtApplication();
  return RUN_ALL_TESTS();
}
