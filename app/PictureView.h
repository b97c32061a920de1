// The QPainter back end of a Drawing, and a widget that shows one scaled to fit.
#ifndef SPEKULOR_APP_PICTUREVIEW_H
#define SPEKULOR_APP_PICTUREVIEW_H

#include <QImage>
#include <QWidget>

#include "drawing/Drawing.h"

class QPainter;

// Paints the drawing in its own pixel coordinates on `painter` (transform it first to
// place or scale the picture), on a white background.
void PaintDrawing(QPainter& painter, const spekulor::drawing::Drawing& drawing);

// Shows a drawing as large as the widget allows, keeping its proportions, centred.
class PictureView : public QWidget {
  Q_OBJECT

 public:
  explicit PictureView(spekulor::drawing::Drawing drawing, QWidget* parent = nullptr);

  const spekulor::drawing::Drawing& drawing() const { return m_drawing; }
  QSize sizeHint() const override;
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  spekulor::drawing::Drawing m_drawing;
  QImage m_painted;  // the drawing painted at the widget's size
};

#endif
