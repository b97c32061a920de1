// The pictures window beside the main window on a real X server (Xvfb) with a window
// manager (openbox) at 1400 x 1000: it does not cover the main window's fields.
// Skipped where the two programs are not installed (scripts/deps.sh screenshot).
#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "tests/app/ChildScenarios.h"

namespace {

// Starts `program` and stops it when the test ends, whatever happens.
class Started {
 public:
  Started(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment) {
    m_process.setProcessEnvironment(environment);
    m_process.start(program, arguments);
  }
  ~Started() {
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
      m_process.kill();
      m_process.waitForFinished();
    }
  }
  QProcess& Process() { return m_process; }

 private:
  QProcess m_process;
};

TEST(ScreenPlacement, ThePicturesWindowLeavesTheMainWindowsFieldsUncovered) {
  const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
  const QString manager = QStandardPaths::findExecutable(QStringLiteral("openbox"));
  if (xvfb.isEmpty() || manager.isEmpty()) {
    GTEST_SKIP() << "Xvfb and openbox are not installed (scripts/deps.sh)";
  }
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  // Xvfb picks a free display and writes its number on its standard output.
  Started server(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                        QStringLiteral("0"), QStringLiteral("1400x1000x24"),
                        QStringLiteral("-nolisten"), QStringLiteral("tcp")},
                 environment);
  ASSERT_TRUE(QTest::qWaitFor([&server] { return server.Process().canReadLine(); }, 10000))
      << "Xvfb did not start";
  const QString display = QStringLiteral(":") + QString::fromLatin1(server.Process().readLine()).trimmed();
  environment.insert(QStringLiteral("DISPLAY"), display);
  Started windowManager(manager, {}, environment);
  QTest::qWait(1000);  // the manager takes the screen
  ASSERT_EQ(windowManager.Process().state(), QProcess::Running) << "openbox did not start";

  QTemporaryDir config;  // no place remembered from an earlier run
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
  const ChildRun run = RunChild(QStringLiteral("pictures-beside"), environment);
  ASSERT_FALSE(run.crashed) << run.output.toStdString();
  EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
  EXPECT_TRUE(run.output.contains(QStringLiteral("fields clear"))) << run.output.toStdString();
}

}  // namespace
