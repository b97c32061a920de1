#include "app/PictureView.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QPixmap>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <type_traits>
#include <vector>

#include "app/QtText.h"

using namespace spekulor::drawing;

namespace {

QColor ToQColor(const Colour& colour) { return QColor(colour.r, colour.g, colour.b); }

QPen ToQPen(const Stroke& stroke) {
  QPen pen(ToQColor(stroke.colour));
  pen.setWidthF(stroke.width);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::RoundJoin);
  if (stroke.dashed) {
    // The same pattern as the SVG writer's, in units of the pen width.
    pen.setDashPattern({(4.0 * stroke.width + 2.0) / stroke.width,
                        (3.0 * stroke.width + 1.0) / stroke.width});
  }
  return pen;
}

QPointF ToQPoint(const DrawPoint& p) { return QPointF(p.x, p.y); }

struct ShapePainter {
  QPainter& painter;

  void operator()(const LineShape& line) const {
    painter.setPen(ToQPen(line.stroke));
    painter.drawLine(ToQPoint(line.from), ToQPoint(line.to));
  }

  void operator()(const PolylineShape& poly) const {
    QPolygonF polygon;
    for (const DrawPoint& p : poly.points) polygon << ToQPoint(p);
    painter.setPen(ToQPen(poly.stroke));
    if (poly.closed) {
      painter.setBrush(poly.filled ? QBrush(ToQColor(poly.fill)) : QBrush(Qt::NoBrush));
      painter.drawPolygon(polygon);
      painter.setBrush(Qt::NoBrush);
    } else {
      painter.drawPolyline(polygon);
    }
  }

  void operator()(const CircleShape& circle) const {
    painter.setPen(ToQPen(circle.stroke));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(ToQPoint(circle.centre), circle.radius, circle.radius);
  }

  void operator()(const DotsShape& dots) const {
    // Round dots of the dot's radius, like the SVG writer's round caps. A spot diagram
    // has thousands: one disc is painted once at the device's scale, then copied to
    // every centre in one batch, many times faster than stroking each point.
    if (dots.centres.empty()) return;
    const double scale = std::sqrt(std::abs(painter.worldTransform().determinant()));
    const double deviceRadius = dots.radius * (scale > 0.0 ? scale : 1.0);
    const int side = static_cast<int>(std::ceil(2.0 * deviceRadius)) + 2;
    QImage disc(side, side, QImage::Format_ARGB32_Premultiplied);
    disc.fill(Qt::transparent);
    {
      QPainter discPainter(&disc);
      discPainter.setRenderHint(QPainter::Antialiasing, true);
      discPainter.setPen(Qt::NoPen);
      discPainter.setBrush(ToQColor(dots.colour));
      discPainter.drawEllipse(QPointF(side / 2.0, side / 2.0), deviceRadius, deviceRadius);
    }
    const QPixmap sprite = QPixmap::fromImage(disc);
    const double toDrawing = scale > 0.0 ? 1.0 / scale : 1.0;
    std::vector<QPainter::PixmapFragment> fragments;
    fragments.reserve(dots.centres.size());
    for (const DrawPoint& p : dots.centres) {
      fragments.push_back(QPainter::PixmapFragment::create(ToQPoint(p), QRectF(0, 0, side, side),
                                                           toDrawing, toDrawing));
    }
    painter.drawPixmapFragments(fragments.data(), static_cast<int>(fragments.size()), sprite);
  }

  void operator()(const TextShape& text) const {
    QFont font = painter.font();
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Verdana"),
                      QStringLiteral("Arial")});
    font.setPixelSize(static_cast<int>(std::lround(text.size)));
    font.setBold(text.bold);
    painter.setFont(font);
    painter.setPen(ToQColor(text.colour));
    const QString string = FromWindows1252(text.text);
    const double width = painter.fontMetrics().horizontalAdvance(string);
    double x = text.at.x;
    if (text.anchor == TextAnchor::Middle) x -= width / 2.0;
    if (text.anchor == TextAnchor::End) x -= width;
    painter.drawText(QPointF(x, text.at.y), string);
  }
};

}  // namespace

void PaintDrawing(QPainter& painter, const Drawing& drawing) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.fillRect(QRectF(0.0, 0.0, drawing.width, drawing.height), Qt::white);
  const ShapePainter shapePainter{painter};
  for (const Shape& shape : drawing.shapes) std::visit(shapePainter, shape);
  painter.restore();
}

PictureView::PictureView(Drawing drawing, QWidget* parent)
    : QWidget(parent), m_drawing(std::move(drawing)) {
  setAccessibleName(FromWindows1252(m_drawing.title));
  SetZoom(0.0);
}

void PictureView::SetZoom(double zoom) {
  m_zoom = zoom;
  const double scale = zoom > 0.0 ? zoom : kLeastFitScale;
  const QSize scaled(static_cast<int>(std::ceil(m_drawing.width * scale)),
                     static_cast<int>(std::ceil(m_drawing.height * scale)));
  if (zoom > 0.0) {
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFixedSize(scaled);
  } else {
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(scaled.expandedTo(QSize(120, 80)));
  }
  updateGeometry();
  update();
}

void PictureView::wheelEvent(QWheelEvent* event) {
  if ((event->modifiers() & Qt::ControlModifier) == 0) {
    event->ignore();  // the scroll area scrolls
    return;
  }
  const int steps = event->angleDelta().y() / 120;
  if (steps != 0) emit ZoomAsked(steps);
  event->accept();
}

void PictureView::contextMenuEvent(QContextMenuEvent* event) {
  emit Chosen(this);
  emit ContextMenuAsked(this, event->globalPos());
}

void PictureView::mousePressEvent(QMouseEvent* event) {
  emit Chosen(this);
  QWidget::mousePressEvent(event);
}

QSize PictureView::sizeHint() const {
  return QSize(static_cast<int>(std::ceil(m_drawing.width)),
               static_cast<int>(std::ceil(m_drawing.height)));
}

int PictureView::heightForWidth(int width) const {
  if (m_drawing.width <= 0.0) return width;
  return static_cast<int>(std::ceil(width * m_drawing.height / m_drawing.width));
}

void PictureView::paintEvent(QPaintEvent*) {
  // Painted once for each size: a tab shown again, or a window uncovered, shows the
  // same image (a spot diagram takes milliseconds to paint anew).
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = (QSizeF(size()) * ratio).toSize();
  if (m_painted.size() != pixels || m_painted.devicePixelRatio() != ratio) {
    m_painted = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    m_painted.setDevicePixelRatio(ratio);
    QPainter painter(&m_painted);
    painter.fillRect(rect(), Qt::white);
    if (m_drawing.width > 0.0 && m_drawing.height > 0.0) {
      const double scale = std::min(width() / m_drawing.width, height() / m_drawing.height);
      painter.translate((width() - m_drawing.width * scale) / 2.0,
                        (height() - m_drawing.height * scale) / 2.0);
      painter.scale(scale, scale);
      PaintDrawing(painter, m_drawing);
    }
  }
  QPainter painter(this);
  painter.drawImage(QPointF(0.0, 0.0), m_painted);
}
