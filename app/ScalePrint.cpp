#include "app/ScalePrint.h"

#include <QPainter>
#include <QPrinter>

#include "app/PictureView.h"

using namespace spekulor::drawing;

namespace {

// Millimetres in one unit of the drawing; 0 for a drawing in pixels.
double MillimetresPerDrawingUnit(const Drawing& drawing) {
  if (drawing.physicalUnit == "mm") return 1.0;
  if (drawing.physicalUnit == "in") return 25.4;
  return 0.0;
}

}  // namespace

QPageSize DrawingPageSize(const Drawing& drawing) {
  const bool inch = drawing.physicalUnit == "in";
  return QPageSize(QSizeF(drawing.width, drawing.height),
                   inch ? QPageSize::Inch : QPageSize::Millimeter, QString(),
                   QPageSize::ExactMatch);
}

bool PrintAtScale(QPrinter& printer, const Drawing& drawing) {
  const double millimetres = MillimetresPerDrawingUnit(drawing);
  if (millimetres <= 0.0 || drawing.width <= 0.0 || drawing.height <= 0.0) return false;
  if (printer.outputFormat() == QPrinter::PdfFormat) {
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageSize(DrawingPageSize(drawing));
    printer.setPageMargins(QMarginsF(0.0, 0.0, 0.0, 0.0), QPageLayout::Millimeter);
  }
  // The painter's origin at the paper's corner rather than the margin's.
  printer.setFullPage(true);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
  const double dotsPerUnit = printer.resolution() * millimetres / 25.4;
  painter.translate(paper.center().x() - drawing.width * dotsPerUnit / 2.0,
                    paper.center().y() - drawing.height * dotsPerUnit / 2.0);
  painter.scale(dotsPerUnit, dotsPerUnit);
  PaintDrawing(painter, drawing);
  return painter.end();
}
