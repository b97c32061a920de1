#include "app/QtSetup.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <clocale>

#include "app/TemplateWidgets.h"
#include "support/Version.h"

namespace {

// Maps a missing family straight to the first installed one of `candidates`, or to
// the system's font of that kind. Resolving it here, once, spares the toolkit a
// fallback search for every missing family each time a font is matched.
void SubstituteMissingFamily(const QString& family, const QStringList& candidates,
                             QFontDatabase::SystemFont kind) {
  const QStringList installed = QFontDatabase::families();
  if (installed.contains(family, Qt::CaseInsensitive)) return;
  QString substitute = QFontDatabase::systemFont(kind).family();
  for (const QString& candidate : candidates) {
    if (installed.contains(candidate, Qt::CaseInsensitive)) {
      substitute = candidate;
      break;
    }
  }
  QFont::insertSubstitution(family, substitute);
}

}  // namespace

void PrepareQtApplication() {
  std::setlocale(LC_NUMERIC, "C");

  SubstituteMissingFamily(QStringLiteral("MS Sans Serif"),
                          {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("DejaVu Sans")},
                          QFontDatabase::GeneralFont);
  SubstituteMissingFamily(QStringLiteral("Courier"),
                          {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                           QStringLiteral("DejaVu Sans Mono")},
                          QFontDatabase::FixedFont);

  QApplication::setApplicationName(QStringLiteral("Spekulor"));
  QApplication::setApplicationVersion(QStringLiteral(SPEKULOR_VERSION));
  QGuiApplication::setDesktopFileName(QStringLiteral("spekulor"));
  QApplication::setWindowIcon(ProgramIcon());
}
