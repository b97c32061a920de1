// The pictures window: modeless beside the main window, one tab a page of pictures
// (the telescope in section and its spot diagrams first), each page a column of
// pictures scaled to the room they have, or the reason the design cannot be drawn
// (above what could still be drawn, if anything); and a Close button. The page
// "Mirror tests" has its zone table, mask buttons and refit beside its pictures
// (MirrorTestsPanel); the page "Camera" has the sensor's fields above its picture
// (CameraPanel), whose edits compute the page again.
//
// A page is computed when its tab is looked at, on a worker thread: the tab shows
// "Computing..." and a busy bar meanwhile, and the window's thread only builds the
// widgets of a computed page. PicturePages decides what to compute and keeps the
// computed pages of the shown design, so a tab opened again shows at once.
//
// A page scrolls when its pictures are larger than the view: fitted (never below
// PictureView::kLeastFitScale) or zoomed (Ctrl+wheel, Ctrl++ and Ctrl+-, Fit). The
// toolbar and each picture's context menu save the chosen picture (the one last
// clicked; the first of the page until then) as SVG or PNG, copy it, or print the page
// one picture a sheet. The options panel above the tabs holds the shown page's
// analysis options (OptionsPanel); a change recomputes the pages.
//
// A window of its own, not a child of the main window: the window manager keeps it
// above nothing. Its place and size are kept in the configuration store.
#ifndef SPEKULOR_APP_PICTURESWINDOW_H
#define SPEKULOR_APP_PICTURESWINDOW_H

#include <QDialog>
#include <QThreadPool>
#include <memory>
#include <vector>

#include "calc/Calculate.h"
#include "dialog/PicturePages.h"
#include "dialog/PictureSet.h"
#include "dialog/WindowStore.h"

class CameraPanel;
class MirrorTestsPanel;
class OptionsPanel;
class PictureView;
class QAction;
class QLabel;
class QPrinter;
class QScrollArea;
class QTabWidget;
class QToolBar;

class PicturesWindow : public QDialog {
  Q_OBJECT

 public:
  // The options and the window's place come from `store` and go back to it.
  explicit PicturesWindow(spekulor::dialog::WindowStore store = spekulor::dialog::WindowStore(),
                          QWidget* parent = nullptr);
  // Waits for the computations still running (their pages are dropped).
  ~PicturesWindow() override;

  // Before the window is first shown: its place as the store kept it, or beside
  // `main` (PlacePictures), moving `main` when that makes the room. `fieldsHeight`:
  // the height of the main window's fields from its frame's top.
  void PlaceBeside(QWidget* main, int fieldsHeight);

  // The picture the actions take: the one last clicked on the shown tab, else its
  // first; null when the tab shows none.
  PictureView* ChosenView() const;
  // Writes the chosen picture to `path`: SVG (the command line's bytes) or PNG at the
  // zoom shown (1:1 when fitted). False, after the "Error writing" box, when the file
  // cannot be written.
  bool SaveChosen(const std::string& path, bool svg);
  // Prints the shown tab's pictures, one a page. False when there are none or the
  // printer cannot be opened.
  bool PrintShownPage(QPrinter& printer);
  // 0 when fitted.
  double Zoom() const { return m_zoom; }
  void SetZoom(double zoom);
  OptionsPanel* Options() const { return m_options; }
  QToolBar* ToolBar() const { return m_toolBar; }
  QAction* SaveSvgAction() const { return m_saveSvg; }
  QAction* PrintAction() const { return m_print; }
  // The label over a page telling that it is not of the design as it is, or null.
  QLabel* NoticeLabel(int page) const { return m_notices.at(page); }

  // Shows `design`, on tab `page` (a PicturePageIndex), or on the tab it has when
  // `page` is -1. The same design again keeps the pages computed for it; another makes
  // them all stale.
  void ShowDesign(std::shared_ptr<const spekulor::calc::Calculation> design, int page = -1);

  // Puts pages computed elsewhere in the tabs of the same index, at once.
  void SetPictures(const spekulor::dialog::PictureSet& pictures);
  // Builds the widgets of tab `page` from a computed page (the window's thread's part).
  void SetPage(int page, const spekulor::dialog::PicturePage& source);

  QTabWidget* Tabs() const { return m_tabs; }
  // The views of a page, top to bottom; empty for a page that shows only its refusal
  // or is being computed.
  const std::vector<PictureView*>& Views(int page) const { return m_views.at(page); }
  // The label with a page's refusal, or null when the page has none.
  QLabel* RefusalLabel(int page) const { return m_refusals.at(page); }
  // The "Computing..." label of a page waiting for its computation, or null.
  QLabel* BusyLabel(int page) const { return m_busy.at(page); }
  // The interactive part of the page "Mirror tests" beside its pictures, or null while
  // that page is not drawn.
  MirrorTestsPanel* MirrorTests() const { return m_mirrorTests; }
  // The sensor's fields above the page "Camera"; they stay while its pictures change.
  CameraPanel* Camera() const { return m_camera; }
  // Computations started since the window was made.
  int ComputationsStarted() const { return m_pages.Started(); }
  // Computations running, of the shown design or older ones.
  int ComputationsRunning() const { return m_pages.Running(); }

 signals:
  // A computed page of the shown design was put in its tab.
  void PageShown(int page);
  // F1 in this window: the user guide, as the main window's Help menu shows it.
  void HelpRequested();

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void BuildActions();
  void AskAndSave(bool svg);
  void AskAndPrint();
  void ZoomBy(int steps);
  void OptionsChanged(const spekulor::dialog::PictureOptions& options);
  void KeepPlace();
  // Replaces the content of tab `page` by a new, empty column, and returns it; the
  // column is shown once InstallContent puts it in its tab.
  QWidget* NewContent(int page);
  void InstallContent(int page, QWidget* content);
  void ShowBusy(int page);
  // Draws the shown tab when its page is computed, and starts what is to be computed.
  void Refresh();
  void ComputationEnded(const spekulor::dialog::PicturePageJob& job, spekulor::dialog::PicturePage page);
  void SizeForPage(const spekulor::dialog::PicturePage& page);

  spekulor::dialog::WindowStore m_store;
  QToolBar* m_toolBar;
  OptionsPanel* m_options;
  QTabWidget* m_tabs;
  QAction* m_saveSvg = nullptr;
  QAction* m_print = nullptr;
  double m_zoom = 0.0;
  std::vector<PictureView*> m_chosen;  // per tab
  std::vector<QLabel*> m_notices;
  std::vector<QWidget*> m_content;  // per tab: what it shows now
  std::vector<QScrollArea*> m_scrolls;  // per tab: the area that shows it
  std::vector<std::vector<PictureView*>> m_views;
  std::vector<QLabel*> m_refusals;
  std::vector<QLabel*> m_busy;
  std::vector<unsigned> m_drawnGeneration;  // per tab: the design it shows, 0: none
  MirrorTestsPanel* m_mirrorTests = nullptr;
  CameraPanel* m_camera = nullptr;
  bool m_sized = false;
  spekulor::dialog::PicturePages m_pages;
  QThreadPool m_workers;
};

#endif
