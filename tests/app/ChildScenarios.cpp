#include "tests/app/ChildScenarios.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "support/AppCore.h"
#include "dialog/AssertionBox.h"
#include "tests/app/ModalHelper.h"
#include "app/QtSetup.h"
#include "app/OptionsPanel.h"
#include "app/PicturesWindow.h"
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
  // The main window runs its own loop without being modal (the pictures window is not
  // to be blocked): it is found among the shown windows.
  auto* poll = new QTimer(&application);
  QObject::connect(poll, &QTimer::timeout, [poll] {
    QtTelescopeWindow* window = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (auto* found = qobject_cast<QtTelescopeWindow*>(top); found && found->isVisible()) window = found;
    }
    if (window == nullptr) return;
    poll->stop();
    Say(QStringLiteral("name while open: %1").arg(GetProgramName()));
    Say(QStringLiteral("diameter: %1")
            .arg(static_cast<QLineEdit*>(window->Control(IDC_PRI_DIA))->text()));
    Say(QStringLiteral("mm checked: %1")
            .arg(static_cast<QRadioButton*>(window->Control(IDC_UNIT_MM))->isChecked()));
    QTest::keyClick(window, Qt::Key_Escape);
  });
  poll->start(10);
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

// On a real X server with a window manager: the pictures window opened from View does
// not cover the main window's fields. Says "fields clear" or "fields covered", and
// with SPEKULOR_SHOT set, saves a picture of the screen there once the page is drawn
// (the README's), with SPEKULOR_SHOT_DECENTER typed into the options panel first.
int PicturesBesideScenario(int argc, char** argv) {
  QApplication application(argc, argv);
  PrepareQtApplication();
  QtTelescopeWindow window;
  CTelescopeDlg dlg(window);
  window.Open(dlg);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) {
    Say(QStringLiteral("main window not shown"));
    return 1;
  }
  QTest::qWait(500);  // the window manager's frame
  dlg.OnCommand(IDOK);
  window.MenuAction(IDM_VIEW_LAYOUT)->trigger();
  PicturesWindow* pictures = window.Pictures();
  if (pictures == nullptr || !QTest::qWaitForWindowExposed(pictures)) {
    Say(QStringLiteral("pictures window not shown"));
    return 1;
  }
  const auto drawn = [pictures] {
    return pictures->BusyLabel(kLayoutPage) == nullptr && !pictures->Views(kLayoutPage).empty();
  };
  if (!QTest::qWaitFor(drawn, 60000)) {
    Say(QStringLiteral("layout page not drawn"));
    return 1;
  }
  const QByteArray decenter = qgetenv("SPEKULOR_SHOT_DECENTER");
  if (!decenter.isEmpty()) {
    auto* edit = qobject_cast<QLineEdit*>(pictures->Options()->Field("decenter"));
    edit->setText(QString::fromLatin1(decenter));
    emit edit->editingFinished();
    if (!QTest::qWaitFor(drawn, 60000)) return 1;
  }
  QTest::qWait(800);  // placed, decorated and painted
  QRect fields;
  const DialogTemplate& main = MainDialogTemplate();
  for (std::size_t k = 0; k < main.controlCount; ++k) {
    const ControlTemplate& control = main.controls[k];
    if (control.id == IDC_STATIC || control.id == IDC_REPORT) continue;
    QWidget* widget = window.Control(control.id);
    fields = fields.united(QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()));
  }
  const QRect frame = pictures->frameGeometry();
  Say(QStringLiteral("main %1,%2 %3x%4").arg(window.frameGeometry().x()).arg(window.frameGeometry().y())
          .arg(window.frameGeometry().width()).arg(window.frameGeometry().height()));
  Say(QStringLiteral("pictures %1,%2 %3x%4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height()));
  Say(frame.intersects(fields) ? QStringLiteral("fields covered") : QStringLiteral("fields clear"));
  const QString shot = QString::fromLocal8Bit(qgetenv("SPEKULOR_SHOT"));
  if (!shot.isEmpty() && !window.screen()->grabWindow(0).save(shot, "PNG")) {
    Say(QStringLiteral("could not write ") + shot);
    return 1;
  }
  pictures->close();
  dlg.OnCommand(IDCANCEL);
  return 0;
}

}  // namespace

int RunChildScenario(const QString& name, int argc, char** argv) {
  if (name == QLatin1String("startup")) return StartupScenario(argc, argv);
  if (name == QLatin1String("assert-abort")) return AssertAbortScenario(argc, argv);
  if (name == QLatin1String("locale")) return LocaleScenario(argc, argv);
  if (name == QLatin1String("pictures-beside")) return PicturesBesideScenario(argc, argv);
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
