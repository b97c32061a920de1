#include "app/PictureExport.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "app/PictureView.h"
#include "app/QtTelescopeWindow.h"
#include "drawing/SvgWriter.h"
#include "files/FileMessages.h"
#include "support/FileReplace.h"

using namespace spekulor::drawing;
using namespace spekulor::files;

namespace {

QImage DrawingImage(const Drawing& drawing, double scale) {
  const QSize pixels(std::max(1, static_cast<int>(std::ceil(drawing.width * scale))),
                     std::max(1, static_cast<int>(std::ceil(drawing.height * scale))));
  QImage image(pixels, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.scale(scale, scale);
  PaintDrawing(painter, drawing);
  return image;
}

}  // namespace

std::string PngBytes(const Drawing& drawing, double scale) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  DrawingImage(drawing, scale).save(&buffer, "PNG");
  return bytes.toStdString();
}

bool WritePictureFile(QWidget* parent, const std::string& path, const std::string& bytes) {
  const int error = spekulor::support::ReplaceFileContents(path, bytes);
  if (error == 0) return true;
  ShowMessageBox(parent, kErrorWriting, FileProblemDetail(path, SystemFileProblem(error)));
  return false;
}

void CopyDrawing(const Drawing& drawing) {
  auto* data = new QMimeData;
  data->setImageData(DrawingImage(drawing, 1.0));
  data->setData(QStringLiteral("image/svg+xml"), QByteArray::fromStdString(WriteSvg(drawing)));
  QApplication::clipboard()->setMimeData(data);
}

bool PrintDrawings(QPrinter& printer, const std::vector<Drawing>& drawings) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  bool first = true;
  for (const Drawing& drawing : drawings) {
    if (drawing.width <= 0.0 || drawing.height <= 0.0) continue;
    if (!first && !printer.newPage()) return false;
    first = false;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double scale = std::min(page.width() / drawing.width, page.height() / drawing.height);
    painter.save();
    painter.translate((page.width() - drawing.width * scale) / 2.0, 0.0);
    painter.scale(scale, scale);
    PaintDrawing(painter, drawing);
    painter.restore();
  }
  return painter.end();
}
