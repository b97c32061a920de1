#include "tests/app/ChildScenarios.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTest>
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "support/AppCore.h"
#include "dialog/AssertionBox.h"
#include "tests/app/ModalHelper.h"
#include "app/QtSetup.h"
#include "app/QtTelescopeWindow.h"
#include "app/TelescopeApp.h"
#include "dialog/TelescopeDlg.h"

using namespace spekulor::support;
using namespace spekulor::dialog;

namespace {

void Say(const QString& line) {
  std::printf("%s\n", line.toUtf8().constData());
  std::fflush(stdout);
}

void SayExitHandlersRan() { Say(QStringLiteral("exit handlers ran")); }

// The normal run: the program name is registered before the window exists, the
// window opens with its start values, Esc ends it, the exit handlers run.
int StartupScenario(int argc, char** argv) {
  std::atexit(&SayExitHandlersRan);
  Say(QStringLiteral("name before start: %1")
          .arg(GetProgramName() == nullptr ? QStringLiteral("null") : GetProgramName()));
  QApplication application(argc, argv);
  PrepareQtApplication();
  AnswerNextModal([](QWidget* modal) {
    auto* window = qobject_cast<QtTelescopeWindow*>(modal);
    if (window == nullptr) return;
    Say(QStringLiteral("name while open: %1").arg(GetProgramName()));
    Say(QStringLiteral("diameter: %1")
            .arg(static_cast<QLineEdit*>(window->Control(IDC_PRI_DIA))->text()));
    Say(QStringLiteral("mm checked: %1")
            .arg(static_cast<QRadioButton*>(window->Control(IDC_UNIT_MM))->isChecked()));
    QTest::keyClick(window, Qt::Key_Escape);
  });
  CTelescopeApp app;
  const bool runLoop = app.InitInstance(argv[0], "");
  Say(QStringLiteral("start operation returned %1").arg(runLoop));
  return 0;
}

// Abort in the assertion box: the box, then "Application terminated", then the
// process ends at once, without its exit handlers.
int AssertAbortScenario(int argc, char** argv) {
  std::atexit(&SayExitHandlersRan);
  QApplication application(argc, argv);
  PrepareQtApplication();
  QtTelescopeWindow window;
  window.show();
  AssertionBoxRouting routing(window);
  AnswerNextModal([&window](QWidget* box) {
    Say(QStringLiteral("box title: %1").arg(box->windowTitle()));
    Say(QStringLiteral("box text: %1").arg(MessageBoxText(box)));
    AnswerNextModal([](QWidget* fatal) {
      Say(QStringLiteral("fatal text: %1").arg(MessageBoxText(fatal)));
      PressMessageBoxButton(fatal, QMessageBox::Ok);
    }, &window);
    PressMessageBoxButton(box, QMessageBox::Abort);
  }, &window);
  Assert(1 + 1 == 3);
  Say(QStringLiteral("returned from the assertion"));
  return 0;
}

// Qt takes the environment's locale; the program must still write ".".
int LocaleScenario(int argc, char** argv) {
  QApplication application(argc, argv);
  Say(QStringLiteral("point set by Qt: %1").arg(QString::fromLatin1(std::localeconv()->decimal_point)));
  PrepareQtApplication();
  Say(QStringLiteral("point after setup: %1").arg(QString::fromLatin1(std::localeconv()->decimal_point)));
  QtTelescopeWindow window;
  CTelescopeDlg dlg(window);
  window.Open(dlg);
  dlg.OnCommand(IDOK);
  const QString report = static_cast<QPlainTextEdit*>(window.Control(IDC_REPORT))->toPlainText();
  for (const QString& line : report.split(QLatin1Char('\n'))) {
    if (line.startsWith(QStringLiteral("Primary mirror focal length"))) Say(line);
  }
  return 0;
}

}  // namespace

int RunChildScenario(const QString& name, int argc, char** argv) {
  if (name == QLatin1String("startup")) return StartupScenario(argc, argv);
  if (name == QLatin1String("assert-abort")) return AssertAbortScenario(argc, argv);
  if (name == QLatin1String("locale")) return LocaleScenario(argc, argv);
  Say(QStringLiteral("unknown scenario ") + name);
  return 64;
}

ChildRun RunChild(const QString& name, const QProcessEnvironment& environment) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.setProcessChannelMode(QProcess::SeparateChannels);
  process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child=") + name});
  ChildRun run;
  if (!process.waitForFinished(30000)) {
    process.kill();
    process.waitForFinished();
    run.output = QStringLiteral("timed out");
    return run;
  }
  run.crashed = process.exitStatus() == QProcess::CrashExit;
  run.exitCode = process.exitCode();
  run.output = QString::fromUtf8(process.readAllStandardOutput());
  return run;
}
