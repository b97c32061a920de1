#include "app/PicturesWindow.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>

#include "dialog/DesignPictureSet.h"
#include "app/CameraPanel.h"
#include "app/MirrorTestsPanel.h"
#include "app/OptionsPanel.h"
#include "app/PictureExport.h"
#include "app/PictureView.h"
#include "app/QtTelescopeWindow.h"
#include "app/QtText.h"
#include "app/WindowPlacement.h"
#include "drawing/SvgWriter.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::dialog;

namespace {

constexpr char kPlaceSection[] = "Pictures window";
constexpr double kZoomStep = 1.25;
constexpr double kLeastZoom = 0.1;
constexpr double kMostZoom = 8.0;

}  // namespace

PicturesWindow::PicturesWindow(WindowStore store, QWidget* parent)
    : QDialog(parent),
      m_store(std::move(store)),
      m_toolBar(new QToolBar(this)),
      m_options(new OptionsPanel(m_store, this)),
      m_tabs(new QTabWidget(this)),
      m_chosen(kPicturePageCount, nullptr),
      m_notices(kPicturePageCount, nullptr),
      m_content(kPicturePageCount, nullptr),
      m_scrolls(kPicturePageCount, nullptr),
      m_views(kPicturePageCount),
      m_refusals(kPicturePageCount, nullptr),
      m_busy(kPicturePageCount, nullptr),
      m_drawnGeneration(kPicturePageCount, 0) {
  setWindowTitle(tr("Spekulor pictures"));
  setModal(false);
  // One computation of the shown design and one older one still finishing.
  m_workers.setMaxThreadCount(PicturePages::kMostRunning);
  m_pages.SetOptions(m_options->Options());
  auto* column = new QVBoxLayout(this);
  column->addWidget(m_toolBar);
  column->addWidget(m_options);
  column->addWidget(m_tabs, 1);
  for (int page = 0; page < kPicturePageCount; ++page) {
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    m_scrolls[static_cast<size_t>(page)] = scroll;
    if (page == kCameraPage) {
      // The sensor's fields stay above the picture while it scrolls.
      auto* tab = new QWidget;
      auto* tabColumn = new QVBoxLayout(tab);
      tabColumn->setContentsMargins(0, 0, 0, 0);
      m_camera = new CameraPanel(tab);
      tabColumn->addWidget(m_camera);
      tabColumn->addWidget(scroll, 1);
      m_tabs->addTab(tab, FromWindows1252(PicturePageTitle(page)));
      connect(m_camera, &CameraPanel::OptionsChanged, this,
              [this](const spekulor::camera::CameraOptions& options) {
                m_pages.SetCameraOptions(options);
                ShowBusy(kCameraPage);
                Refresh();
              });
    } else {
      m_tabs->addTab(scroll, FromWindows1252(PicturePageTitle(page)));
    }
    InstallContent(page, NewContent(page));
  }
  connect(m_tabs, &QTabWidget::currentChanged, this, [this](int tab) {
    m_options->ShowPage(tab);
    Refresh();
  });
  connect(m_options, &OptionsPanel::OptionsChanged, this, &PicturesWindow::OptionsChanged);
  BuildActions();
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  column->addWidget(buttons);
}

PicturesWindow::~PicturesWindow() {
  // A window still open when the program ends gets no hide event.
  if (isVisible()) KeepPlace();
  m_workers.waitForDone();
}

void PicturesWindow::BuildActions() {
  m_saveSvg = m_toolBar->addAction(tr("Save as S&VG..."), this, [this] { AskAndSave(true); });
  m_saveSvg->setToolTip(tr("Save the chosen picture as SVG, as the command line writes it"));
  QAction* savePng = m_toolBar->addAction(tr("Save as P&NG..."), this, [this] { AskAndSave(false); });
  savePng->setToolTip(tr("Save the chosen picture as a PNG image, at the zoom shown"));
  QAction* copy = m_toolBar->addAction(tr("&Copy"), this, [this] {
    if (PictureView* view = ChosenView()) CopyDrawing(view->drawing());
  });
  copy->setShortcut(QKeySequence::Copy);
  copy->setToolTip(tr("Copy the chosen picture to the clipboard (Ctrl+C)"));
  m_print = m_toolBar->addAction(tr("&Print..."), this, &PicturesWindow::AskAndPrint);
  m_print->setShortcut(QKeySequence::Print);
  m_print->setToolTip(tr("Print the page, one picture a sheet (Ctrl+P)"));
  m_toolBar->addSeparator();
  QAction* zoomIn = m_toolBar->addAction(tr("Zoom &in"), this, [this] { ZoomBy(1); });
  zoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  zoomIn->setToolTip(tr("Larger (Ctrl++, Ctrl+wheel)"));
  QAction* zoomOut = m_toolBar->addAction(tr("Zoom &out"), this, [this] { ZoomBy(-1); });
  zoomOut->setShortcut(QKeySequence::ZoomOut);
  zoomOut->setToolTip(tr("Smaller (Ctrl+-, Ctrl+wheel)"));
  QAction* fit = m_toolBar->addAction(tr("&Fit"), this, [this] { SetZoom(0.0); });
  fit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
  fit->setToolTip(tr("Fit the pictures to the window (Ctrl+0)"));
  m_toolBar->addSeparator();
  QAction* options = m_toolBar->addAction(tr("Op&tions"));
  options->setCheckable(true);
  options->setChecked(true);
  options->setToolTip(tr("Show or hide the options of the shown page"));
  connect(options, &QAction::toggled, m_options, &QWidget::setVisible);
  for (QAction* action : m_toolBar->actions()) action->setShortcutContext(Qt::WindowShortcut);
  auto* help = new QAction(tr("User guide"), this);
  help->setShortcut(QKeySequence::HelpContents);
  help->setShortcutContext(Qt::WindowShortcut);
  connect(help, &QAction::triggered, this, &PicturesWindow::HelpRequested);
  addAction(help);
}

PictureView* PicturesWindow::ChosenView() const {
  const int tab = m_tabs->currentIndex();
  if (tab < 0) return nullptr;
  const size_t index = static_cast<size_t>(tab);
  if (m_chosen[index] != nullptr) return m_chosen[index];
  return m_views[index].empty() ? nullptr : m_views[index].front();
}

bool PicturesWindow::SaveChosen(const std::string& path, bool svg) {
  const PictureView* view = ChosenView();
  if (view == nullptr) return false;
  const std::string bytes = svg ? spekulor::drawing::WriteSvg(view->drawing())
                                : PngBytes(view->drawing(), m_zoom > 0.0 ? m_zoom : 1.0);
  return WritePictureFile(this, path, bytes);
}

void PicturesWindow::AskAndSave(bool svg) {
  const PictureView* view = ChosenView();
  if (view == nullptr) return;
  FileDialogRequest request;
  request.openFile = false;
  request.defaultExt = svg ? "*.svg" : "*.png";
  request.flags = kHideReadOnly | kOverwritePrompt;
  request.filter = svg ? "SVG picture (*.svg)|*.svg|All files (*.*)|*.*||"
                       : "PNG image (*.png)|*.png|All files (*.*)|*.*||";
  const std::optional<std::string> path = AskFilePathIn(this, request);
  if (path) SaveChosen(*path, svg);
}

bool PicturesWindow::PrintShownPage(QPrinter& printer) {
  const int tab = m_tabs->currentIndex();
  if (tab < 0 || m_views[static_cast<size_t>(tab)].empty()) return false;
  std::vector<spekulor::drawing::Drawing> drawings;
  for (const PictureView* view : m_views[static_cast<size_t>(tab)]) drawings.push_back(view->drawing());
  return PrintDrawings(printer, drawings);
}

void PicturesWindow::AskAndPrint() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() == QDialog::Accepted) PrintShownPage(printer);
}

void PicturesWindow::SetZoom(double zoom) {
  m_zoom = zoom;
  for (const std::vector<PictureView*>& views : m_views) {
    for (PictureView* view : views) view->SetZoom(zoom);
  }
}

void PicturesWindow::ZoomBy(int steps) {
  double zoom = m_zoom;
  if (zoom <= 0.0) {
    // From the fitted size of the chosen picture.
    const PictureView* view = ChosenView();
    zoom = view != nullptr && view->drawing().width > 0.0 ? view->width() / view->drawing().width : 1.0;
  }
  zoom *= std::pow(kZoomStep, steps);
  SetZoom(std::clamp(zoom, kLeastZoom, kMostZoom));
}

void PicturesWindow::OptionsChanged(const PictureOptions& options) {
  if (!m_pages.SetOptions(options)) return;
  for (int tab = 0; tab < kPicturePageCount; ++tab) ShowBusy(tab);
  Refresh();
}

void PicturesWindow::PlaceBeside(QWidget* main, int fieldsHeight) {
  const std::optional<double> x = m_store.GetNumber(kPlaceSection, "x");
  const std::optional<double> y = m_store.GetNumber(kPlaceSection, "y");
  const std::optional<double> width = m_store.GetNumber(kPlaceSection, "width");
  const std::optional<double> height = m_store.GetNumber(kPlaceSection, "height");
  if (x && y && width && height && *width >= 100 && *height >= 100) {
    const QRect kept(static_cast<int>(*x), static_cast<int>(*y), static_cast<int>(*width),
                     static_cast<int>(*height));
    if (const QScreen* screen = QGuiApplication::screenAt(kept.center())) {
      if (screen->availableGeometry().intersects(kept)) {
        move(kept.topLeft());
        resize(kept.size());
        m_sized = true;
        return;
      }
    }
  }
  const QScreen* screen = main->screen();
  if (screen == nullptr) return;
  const QRect available = screen->availableGeometry();
  const QRect mainFrame = main->frameGeometry();
  // The decoration the window manager gave the main window, expected on this one too.
  const QSize decoration = mainFrame.size() - main->geometry().size();
  const PicturesPlacement placement =
      PlacePictures(mainFrame, available, QSize(960, available.height()), fieldsHeight);
  if (placement.mainTo != mainFrame.topLeft()) main->move(placement.mainTo);
  move(placement.pictures.topLeft());
  resize(placement.pictures.size() - decoration);
  m_sized = true;
}

void PicturesWindow::KeepPlace() {
  const QRect frame = frameGeometry();
  m_store.SetNumber(kPlaceSection, "x", frame.x());
  m_store.SetNumber(kPlaceSection, "y", frame.y());
  m_store.SetNumber(kPlaceSection, "width", width());
  m_store.SetNumber(kPlaceSection, "height", height());
}

void PicturesWindow::hideEvent(QHideEvent* event) {
  KeepPlace();
  QDialog::hideEvent(event);
}

QWidget* PicturesWindow::NewContent(int page) {
  const size_t index = static_cast<size_t>(page);
  delete m_content[index];
  m_views[index].clear();
  m_chosen[index] = nullptr;
  m_refusals[index] = nullptr;
  m_notices[index] = nullptr;
  m_busy[index] = nullptr;
  if (page == kMirrorTestsPage) m_mirrorTests = nullptr;
  auto* content = new QWidget;
  new QVBoxLayout(content);
  m_content[index] = content;
  return content;
}

void PicturesWindow::InstallContent(int page, QWidget* content) {
  // Filled first: the scroll area shows it with all its children.
  m_scrolls[static_cast<size_t>(page)]->setWidget(content);
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
  InstallContent(page, content);
  m_busy[static_cast<size_t>(page)] = label;
  m_drawnGeneration[static_cast<size_t>(page)] = 0;
}

void PicturesWindow::SetPage(int page, const PicturePage& source) {
  const size_t index = static_cast<size_t>(page);
  QWidget* content = NewContent(page);
  auto* column = static_cast<QVBoxLayout*>(content->layout());
  column->setContentsMargins(0, 0, 0, 0);
  if (!source.notice.empty()) {
    auto* notice = new QLabel(FromWindows1252(source.notice), content);
    notice->setTextFormat(Qt::PlainText);
    notice->setWordWrap(true);
    notice->setStyleSheet(QStringLiteral("QLabel { background: #fff0c0; color: #a00000; "
                                         "font-weight: bold; padding: 4px; }"));
    column->addWidget(notice);
    m_notices[index] = notice;
  }
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
    view->SetZoom(m_zoom);
    connect(view, &PictureView::ZoomAsked, this, &PicturesWindow::ZoomBy);
    connect(view, &PictureView::Chosen, this,
            [this, index](PictureView* chosen) { m_chosen[index] = chosen; });
    connect(view, &PictureView::ContextMenuAsked, this, [this](PictureView*, const QPoint& at) {
      QMenu menu(this);
      menu.addActions(m_toolBar->actions());
      menu.exec(at);
    });
    // Each picture gets room in proportion to its height.
    column->addWidget(view, static_cast<int>(drawing.height), Qt::AlignHCenter);
    m_views[index].push_back(view);
  }
  InstallContent(page, content);
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
