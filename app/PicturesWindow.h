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
#ifndef SPEKULOR_APP_PICTURESWINDOW_H
#define SPEKULOR_APP_PICTURESWINDOW_H

#include <QDialog>
#include <QThreadPool>
#include <memory>
#include <vector>

#include "calc/Calculate.h"
#include "dialog/PicturePages.h"
#include "dialog/PictureSet.h"

class CameraPanel;
class MirrorTestsPanel;
class PictureView;
class QLabel;
class QTabWidget;

class PicturesWindow : public QDialog {
  Q_OBJECT

 public:
  explicit PicturesWindow(QWidget* parent = nullptr);
  // Waits for the computations still running (their pages are dropped).
  ~PicturesWindow() override;

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

 private:
  // Replaces the content of tab `page` by a new, empty column, and returns it.
  QWidget* NewContent(int page);
  void ShowBusy(int page);
  // Draws the shown tab when its page is computed, and starts what is to be computed.
  void Refresh();
  void ComputationEnded(const spekulor::dialog::PicturePageJob& job, spekulor::dialog::PicturePage page);
  void SizeForPage(const spekulor::dialog::PicturePage& page);

  QTabWidget* m_tabs;
  std::vector<QWidget*> m_content;  // per tab: what it shows now
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
