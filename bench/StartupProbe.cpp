// One start of a window, for the start-up benchmark: "window" runs Spekulor's own
// start sequence (as the program's main does), "empty" runs an empty QDialog and
// "label" a QDialog with one line of text (which, unlike the empty one, has to
// load the font configuration). When
// the first top-level window has painted, the probe writes "shown" on standard
// output and closes that window, which ends the program.
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstring>

#include "app/QtSetup.h"
#include "app/TelescopeApp.h"

namespace {

class FirstPaintWatcher : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!m_seen && event->type() == QEvent::Paint) {
      auto* widget = qobject_cast<QWidget*>(watched);
      if (widget != nullptr && widget->isWindow()) {
        m_seen = true;
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
        QTimer::singleShot(0, widget, [widget] { widget->close(); });
      }
    }
    return false;
  }

 private:
  bool m_seen = false;
};

}  // namespace

int main(int argc, char** argv) {
  const char* mode = argc > 1 ? argv[1] : "window";
  QApplication application(argc, argv);
  FirstPaintWatcher watcher;
  application.installEventFilter(&watcher);
  if (std::strcmp(mode, "empty") == 0 || std::strcmp(mode, "label") == 0) {
    QDialog dialog;
    if (std::strcmp(mode, "label") == 0) new QLabel(QStringLiteral("Spekulor"), &dialog);
    dialog.exec();
    return 0;
  }
  PrepareQtApplication();
  CTelescopeApp app;
  app.InitInstance(argv[0], "");
  return 0;
}
