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

// Shows a drawing keeping its proportions, centred: fitted to the room it has, never
// smaller than kLeastFitScale of its own size (its text stays legible; the window
// scrolls instead), or at a zoom factor of its own size. Ctrl+wheel asks for a zoom,
// the right button for the context menu; a click makes it the chosen picture.
class PictureView : public QWidget {
  Q_OBJECT

 public:
  static constexpr double kLeastFitScale = 0.75;

  explicit PictureView(spekulor::drawing::Drawing drawing, QWidget* parent = nullptr);

  const spekulor::drawing::Drawing& drawing() const { return m_drawing; }
  // 0: fitted; otherwise pixels per unit of the drawing.
  void SetZoom(double zoom);
  double Zoom() const { return m_zoom; }
  QSize sizeHint() const override;
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;

 signals:
  void ZoomAsked(int steps);  // positive: larger
  void ContextMenuAsked(PictureView* view, const QPoint& globalPos);
  void Chosen(PictureView* view);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  double m_zoom = 0.0;
  spekulor::drawing::Drawing m_drawing;
  QImage m_painted;  // the drawing painted at the widget's size
};

#endif
