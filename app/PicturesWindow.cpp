#include "PicturesWindow.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "PictureView.h"
#include "QtText.h"

PicturesWindow::PicturesWindow(QWidget* parent)
    : QDialog(parent), m_tabs(new QTabWidget(this)) {
  setWindowTitle(tr("Spekulor pictures"));
  setModal(false);
  auto* column = new QVBoxLayout(this);
  column->addWidget(m_tabs, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  column->addWidget(buttons);
}

void PicturesWindow::SetPictures(const PictureSet& pictures) {
  const int current = m_tabs->currentIndex();
  while (m_tabs->count() > 0) {
    QWidget* page = m_tabs->widget(0);
    m_tabs->removeTab(0);
    delete page;
  }
  m_views.clear();
  m_refusals.clear();

  double widest = 0.0;
  double tallest = 0.0;
  for (const PicturePage& source : pictures.pages) {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    std::vector<PictureView*> views;
    QLabel* refusal = nullptr;
    if (!source.refusal.empty()) {
      // Alone, the reason fills the page; above pictures, it takes the room it needs.
      refusal = new QLabel(FromWindows1252(source.refusal), page);
      refusal->setTextFormat(Qt::PlainText);
      refusal->setWordWrap(true);
      refusal->setAlignment(Qt::AlignCenter);
      column->addWidget(refusal, source.drawings.empty() ? 1 : 0);
    }
    double height = 0.0;
    for (const Drawing& drawing : source.drawings) {
      auto* view = new PictureView(drawing, page);
      // Each picture gets room in proportion to its height.
      column->addWidget(view, static_cast<int>(drawing.height));
      views.push_back(view);
      widest = std::max(widest, drawing.width);
      height += drawing.height;
    }
    tallest = std::max(tallest, height);
    m_tabs->addTab(page, FromWindows1252(source.title));
    m_views.push_back(std::move(views));
    m_refusals.push_back(refusal);
  }
  if (current >= 0 && current < m_tabs->count()) m_tabs->setCurrentIndex(current);

  // The pictures at their own size when the screen has room, smaller otherwise.
  if (!isVisible()) {
    QSize wanted(static_cast<int>(widest) + 40, static_cast<int>(tallest) + 110);
    const QScreen* screen =
        parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) wanted = wanted.boundedTo(screen->availableGeometry().size() * 0.92);
    resize(wanted);
  }
}
