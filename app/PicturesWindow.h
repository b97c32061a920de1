// The pictures window: modeless beside the main window, one tab a page of the
// PictureSet (the telescope in section and its spot diagrams first), each page a
// column of pictures scaled to the room they have, or the reason the design cannot
// be drawn (above what could still be drawn, if anything); and a Close button.
#ifndef SPEKULOR_APP_PICTURESWINDOW_H
#define SPEKULOR_APP_PICTURESWINDOW_H

#include <QDialog>
#include <vector>

#include "PictureSet.h"

class PictureView;
class QLabel;
class QTabWidget;

class PicturesWindow : public QDialog {
  Q_OBJECT

 public:
  explicit PicturesWindow(QWidget* parent = nullptr);

  // Replaces every page, keeping the current tab where the new set has it.
  void SetPictures(const PictureSet& pictures);

  QTabWidget* Tabs() const { return m_tabs; }
  // The views of a page, top to bottom; empty for a page that shows only its refusal.
  const std::vector<PictureView*>& Views(int page) const { return m_views.at(page); }
  // The label with a page's refusal, or null when the page has none.
  QLabel* RefusalLabel(int page) const { return m_refusals.at(page); }

 private:
  QTabWidget* m_tabs;
  std::vector<std::vector<PictureView*>> m_views;
  std::vector<QLabel*> m_refusals;
};

#endif
