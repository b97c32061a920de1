#include "QtSetup.h"

#include <QApplication>
#include <QFont>
#include <clocale>

#include "TemplateWidgets.h"

void PrepareQtApplication() {
  std::setlocale(LC_NUMERIC, "C");

  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                             {QStringLiteral("Microsoft Sans Serif"),
                              QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  QFont::insertSubstitutions(QStringLiteral("Courier"),
                             {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                              QStringLiteral("DejaVu Sans Mono")});

  QApplication::setApplicationName(QStringLiteral("Spekulor"));
  QApplication::setApplicationVersion(QStringLiteral("0.3.0.1"));
  QGuiApplication::setDesktopFileName(QStringLiteral("spekulor"));
  QApplication::setWindowIcon(ProgramIcon());
}
