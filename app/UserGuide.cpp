#include "app/UserGuide.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

QString UserGuideMarkdown() {
  // The guide's resource is in a static library: the linker keeps it only when named.
  Q_INIT_RESOURCE(guide);
  QFile file(QStringLiteral(":/guide/UserGuide.md"));
  if (!file.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(file.readAll());
}

UserGuideWindow::UserGuideWindow(QWidget* parent)
    : QDialog(parent), m_browser(new QTextBrowser(this)) {
  setWindowTitle(tr("Spekulor user guide"));
  setModal(false);
  auto* column = new QVBoxLayout(this);
  column->addWidget(m_browser, 1);
  m_browser->setOpenExternalLinks(true);
  // The README's pictures are named from its folder: docs/window.png.
  m_browser->setSearchPaths({QStringLiteral(":/guide")});
  m_browser->setMarkdown(UserGuideMarkdown());
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  column->addWidget(buttons);
  resize(760, 820);
}
