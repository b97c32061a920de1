// A drawing kept out of the window: written as SVG (the command line's writer, so the
// same bytes) or PNG, copied to the clipboard, printed one picture a page.
#ifndef SPEKULOR_APP_PICTUREEXPORT_H
#define SPEKULOR_APP_PICTUREEXPORT_H

#include <string>
#include <vector>

#include "drawing/Drawing.h"

class QPrinter;
class QWidget;

// The drawing as a PNG file's bytes, `scale` pixels per unit of the drawing.
std::string PngBytes(const spekulor::drawing::Drawing& drawing, double scale = 1.0);

// Makes `bytes` the whole content of the file at `path` through the program's one safe
// writer (support/FileReplace.h); on a failure shows "Error writing" with the path and
// the reason, owned by `parent`, and returns false (the file left as it was).
bool WritePictureFile(QWidget* parent, const std::string& path, const std::string& bytes);

// Puts the drawing on the clipboard as an image and as SVG.
void CopyDrawing(const spekulor::drawing::Drawing& drawing);

// Prints the drawings, one a page, each as large as the page allows; false when the
// printer cannot be opened.
bool PrintDrawings(QPrinter& printer, const std::vector<spekulor::drawing::Drawing>& drawings);

#endif
