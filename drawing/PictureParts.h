// The pieces every picture is built from: the ink, labels, the title rows, dimension
// lines with arrows, scale bars, named parts, and the final fit of the canvas to its
// texts. Coordinates as in Drawing.h: pixels, y downward.
#ifndef SPEKULOR_DRAWING_PICTUREPARTS_H
#define SPEKULOR_DRAWING_PICTUREPARTS_H

#include <string>
#include <vector>

#include "drawing/Drawing.h"
#include "drawing/Palette.h"

namespace spekulor::drawing {

// Font sizes, in pixels, of labels and of titles; and the rows at the top of every
// picture, the title's and the subtitle's baselines.
constexpr double kLabelSize = 12.0, kTitleSize = 16.0;
constexpr double kTitleBaseline = 28.0, kSubtitleBaseline = 48.0;

// A text on its baseline at (x, y).
TextShape Label(double x, double y, const std::string& text, TextAnchor anchor,
                double size = kLabelSize, Colour colour = kInk, bool bold = false);

// The bold title and the subtitle under it, centred on the drawing's width.
void AddTitleRows(Drawing& drawing, std::vector<TextBox>& placed, const std::string& title,
                  const std::string& subtitle);

// A filled arrow head with its tip at `tip`, pointing right (direction 1) or left (-1).
void AddArrowHead(Drawing& drawing, DrawPoint tip, double direction, Colour colour);

// A horizontal dimension between x1 and x2 on the line at lineY, with extension lines
// from fromY1 and fromY2 and arrows at both ends pointing outward to them.
void AddDimension(Drawing& drawing, double x1, double x2, double lineY, double fromY1,
                  double fromY2);

// A scale bar `pixels` long from x, its ticks around the baseline `baselineY`, with
// `text` after it. Returns the text as placed.
TextShape AddScaleBar(Drawing& drawing, std::vector<TextBox>& placed, double x, double baselineY,
                      double pixels, const std::string& text);

// One key of a legend: a short stroke and what it stands for.
struct StrokeKey {
  Stroke stroke;
  std::string text;
};

// The keys left to right on the baseline y from x; returns where the next item may
// start.
double AddStrokeLegend(Drawing& drawing, std::vector<TextBox>& placed, double x, double y,
                       const std::vector<StrokeKey>& keys);

// A round length for a scale bar: the largest 1, 2 or 5 times a power of ten that is
// not longer than `most`.
double RoundScaleLength(double most);

// Widens the drawing so that every placed text fits with `margin` to its right.
void FitWidthToTexts(Drawing& drawing, const std::vector<TextBox>& placed, double margin);

// Names the shapes added since `first` (a size of drawing.shapes taken before them).
void NamePart(Drawing& drawing, const std::string& name, size_t first);

// The shapes of the part `name`, in painting order; empty when there is none.
std::vector<const Shape*> PartShapes(const Drawing& drawing, const std::string& name);

// The longest horizontal line of the part `name`: the span of a dimension, the length
// of a scale bar; 0 when it has none.
double PartHorizontalSpan(const Drawing& drawing, const std::string& name);

}  // namespace spekulor::drawing

#endif
