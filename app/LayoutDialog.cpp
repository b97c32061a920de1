#include "LayoutDialog.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include "PictureView.h"

LayoutDialog::LayoutDialog(const Drawing& layout, const Drawing& spots, QWidget* parent)
    : QDialog(parent),
      m_layout(new PictureView(layout, this)),
      m_spots(new PictureView(spots, this)) {
  setWindowTitle(tr("Layout and spot diagrams"));
  auto* column = new QVBoxLayout(this);
  // Each picture gets room in proportion to its height.
  column->addWidget(m_layout, static_cast<int>(layout.height));
  column->addWidget(m_spots, static_cast<int>(spots.height));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  column->addWidget(buttons);

  // The pictures at their own size when the screen has room, smaller otherwise.
  QSize wanted(static_cast<int>(std::max(layout.width, spots.width)) + 24,
               static_cast<int>(layout.height + spots.height) + 72);
  if (const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen()) {
    wanted = wanted.boundedTo(screen->availableGeometry().size() * 0.92);
  }
  resize(wanted);
}
