// Printing a drawing drawn to scale (a Drawing whose physicalUnit is "mm" or "in") so
// that one of its units is one millimetre or one inch on the paper.
#ifndef SPEKULOR_APP_SCALEPRINT_H
#define SPEKULOR_APP_SCALEPRINT_H

#include <QPageSize>

#include "drawing/Drawing.h"

class QPrinter;

// The drawing's own size on paper: width and height in its physical unit.
QPageSize DrawingPageSize(const spekulor::drawing::Drawing& drawing);

// Paints the drawing at 1:1 in the middle of the printer's paper, through the window's
// QPainter back end. A PDF file gets a page of the drawing's own size; a printer keeps
// the paper it has (a drawing larger than it is cut at its edges). False when the
// printer cannot be opened or the drawing has no physical unit.
bool PrintAtScale(QPrinter& printer, const spekulor::drawing::Drawing& drawing);

#endif
