#include "app/PicturesWindow.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "dialog/DesignPictureSet.h"
#include "app/CameraPanel.h"
#include "app/MirrorTestsPanel.h"
#include "app/PictureView.h"
#include "app/QtText.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::dialog;

PicturesWindow::PicturesWindow(QWidget* parent)
    : QDialog(parent),
      m_tabs(new QTabWidget(this)),
      m_content(kPicturePageCount, nullptr),
      m_views(kPicturePageCount),
      m_refusals(kPicturePageCount, nullptr),
      m_busy(kPicturePageCount, nullptr),
      m_drawnGeneration(kPicturePageCount, 0) {
  setWindowTitle(tr("Spekulor pictures"));
  setModal(false);
  // One computation of the shown design and one older one still finishing.
  m_workers.setMaxThreadCount(PicturePages::kMostRunning);
  auto* column = new QVBoxLayout(this);
  column->addWidget(m_tabs, 1);
  for (int page = 0; page < kPicturePageCount; ++page) {
    auto* tab = new QWidget;
    auto* tabColumn = new QVBoxLayout(tab);
    tabColumn->setContentsMargins(0, 0, 0, 0);
    m_tabs->addTab(tab, FromWindows1252(PicturePageTitle(page)));
    if (page == kCameraPage) {
      m_camera = new CameraPanel(tab);
      tabColumn->addWidget(m_camera);
      connect(m_camera, &CameraPanel::OptionsChanged, this, [this](const spekulor::camera::CameraOptions& options) {
        m_pages.SetCameraOptions(options);
        ShowBusy(kCameraPage);
        Refresh();
      });
    }
    NewContent(page);
  }
  connect(m_tabs, &QTabWidget::currentChanged, this, [this](int) { Refresh(); });
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  column->addWidget(buttons);
}

PicturesWindow::~PicturesWindow() { m_workers.waitForDone(); }

QWidget* PicturesWindow::NewContent(int page) {
  const size_t index = static_cast<size_t>(page);
  delete m_content[index];
  m_views[index].clear();
  m_refusals[index] = nullptr;
  m_busy[index] = nullptr;
  if (page == kMirrorTestsPage) m_mirrorTests = nullptr;
  QWidget* tab = m_tabs->widget(page);
  auto* content = new QWidget(tab);
  new QVBoxLayout(content);
  tab->layout()->addWidget(content);
  m_content[index] = content;
  return content;
}

void PicturesWindow::ShowBusy(int page) {
  QWidget* content = NewContent(page);
  auto* column = static_cast<QVBoxLayout*>(content->layout());
  column->addStretch(1);
  auto* label = new QLabel(tr("Computing..."), content);
  label->setAlignment(Qt::AlignCenter);
  column->addWidget(label);
  auto* bar = new QProgressBar(content);
  bar->setRange(0, 0);  // indeterminate: the analyses do not tell how far they are
  bar->setTextVisible(false);
  column->addWidget(bar);
  column->addStretch(1);
  content->show();  // a child made after its window was shown stays hidden otherwise
  m_busy[static_cast<size_t>(page)] = label;
  m_drawnGeneration[static_cast<size_t>(page)] = 0;
}

void PicturesWindow::SetPage(int page, const PicturePage& source) {
  const size_t index = static_cast<size_t>(page);
  QWidget* content = NewContent(page);
  auto* column = static_cast<QVBoxLayout*>(content->layout());
  column->setContentsMargins(0, 0, 0, 0);
  if (page == kMirrorTestsPage && source.mirrorTests && m_pages.HasDesign()) {
    // The pictures on the left, the zone table and the refit beside them.
    auto* row = new QHBoxLayout;
    column->addLayout(row, 1);
    column = new QVBoxLayout;
    row->addLayout(column, 1);
    m_mirrorTests = new MirrorTestsPanel(m_pages.Design(), source.mirrorTests, content);
    row->addWidget(m_mirrorTests, 1);
  }
  if (!source.refusal.empty()) {
    // Alone, the reason fills the page; above pictures, it takes the room it needs.
    auto* refusal = new QLabel(FromWindows1252(source.refusal), content);
    refusal->setTextFormat(Qt::PlainText);
    refusal->setWordWrap(true);
    refusal->setAlignment(Qt::AlignCenter);
    column->addWidget(refusal, source.drawings.empty() ? 1 : 0);
    m_refusals[index] = refusal;
  }
  for (const Drawing& drawing : source.drawings) {
    auto* view = new PictureView(drawing, content);
    // Each picture gets room in proportion to its height.
    column->addWidget(view, static_cast<int>(drawing.height));
    m_views[index].push_back(view);
  }
  content->show();
  SizeForPage(source);
}

void PicturesWindow::SetPictures(const PictureSet& pictures) {
  const int count = std::min(kPicturePageCount, static_cast<int>(pictures.pages.size()));
  for (int page = 0; page < count; ++page) SetPage(page, pictures.pages[static_cast<size_t>(page)]);
}

void PicturesWindow::SizeForPage(const PicturePage& page) {
  // The first pictures at their own size when the screen has room, smaller otherwise.
  if (m_sized || isVisible() || page.drawings.empty()) return;
  double widest = 0.0;
  double tallest = 0.0;
  for (const Drawing& drawing : page.drawings) {
    widest = std::max(widest, drawing.width);
    tallest += drawing.height;
  }
  QSize wanted(static_cast<int>(widest) + 40, static_cast<int>(tallest) + 110);
  const QScreen* screen =
      parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  if (screen != nullptr) wanted = wanted.boundedTo(screen->availableGeometry().size() * 0.92);
  resize(wanted);
  m_sized = true;
}

void PicturesWindow::ShowDesign(std::shared_ptr<const Calculation> design, int page) {
  if (m_pages.SetDesign(std::move(design))) {
    // Every tab's pictures belong to an older design now: none of them is shown again.
    for (int tab = 0; tab < kPicturePageCount; ++tab) ShowBusy(tab);
  }
  if (!m_sized && !isVisible()) {
    // Room for the pictures until the first page tells their size.
    resize(QSize(860, 720));
  }
  if (page >= 0 && page < kPicturePageCount) m_tabs->setCurrentIndex(page);
  Refresh();
}

void PicturesWindow::Refresh() {
  const int tab = m_tabs->currentIndex();
  if (tab < 0 || !m_pages.HasDesign()) return;
  m_pages.SetShown(tab);
  const size_t index = static_cast<size_t>(tab);
  if (const PicturePage* kept = m_pages.Kept(tab)) {
    if (m_drawnGeneration[index] != m_pages.Generation()) {
      SetPage(tab, *kept);
      m_drawnGeneration[index] = m_pages.Generation();
      emit PageShown(tab);
    }
  } else if (m_busy[index] == nullptr) {
    ShowBusy(tab);
  }
  while (std::optional<PicturePageJob> job = m_pages.NextJob()) {
    m_workers.start([this, job = *job]() {
      PicturePage page = ComputePicturePage(job);
      // Back on the window's thread; the destructor waits for this worker, so the
      // window is there to receive it.
      QMetaObject::invokeMethod(
          this, [this, job, page = std::move(page)]() mutable {
            ComputationEnded(job, std::move(page));
          },
          Qt::QueuedConnection);
    });
  }
}

void PicturesWindow::ComputationEnded(const PicturePageJob& job, PicturePage page) {
  m_pages.Finish(job, std::move(page));  // an older design's page is dropped here
  Refresh();
}
