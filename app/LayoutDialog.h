// The "Layout and spot diagrams" box: the telescope in section above its three spot
// diagrams, each scaled to the room it has, and a Close button.
#ifndef SPEKULOR_APP_LAYOUTDIALOG_H
#define SPEKULOR_APP_LAYOUTDIALOG_H

#include <QDialog>

#include "Drawing.h"

class PictureView;

class LayoutDialog : public QDialog {
  Q_OBJECT

 public:
  LayoutDialog(const Drawing& layout, const Drawing& spots, QWidget* parent = nullptr);

  PictureView* LayoutView() const { return m_layout; }
  PictureView* SpotsView() const { return m_spots; }

 private:
  PictureView* m_layout;
  PictureView* m_spots;
};

#endif
