// A plot with axes: a frame over x from xLeft to xRight and y from yBottom to yTop,
// a grid with labelled ticks, the axis title under it, and curves clipped to the
// frame. Every curve of the pictures (MTF, encircled energy) is drawn on one.
#ifndef SPEKULOR_DRAWING_PLOT_H
#define SPEKULOR_DRAWING_PLOT_H

#include <string>
#include <utility>
#include <vector>

#include "drawing/Drawing.h"

namespace spekulor::drawing {

struct PlotAxes {
  DrawPoint topLeft;   // pixels: the frame's top left corner
  double width = 0.0;  // pixels
  double height = 0.0;
  double xLeft = 0.0;  // the data at the frame's edges
  double xRight = 1.0;
  double yBottom = 0.0;
  double yTop = 1.0;

  // The pixel of a data point (x, y), linear on both axes; outside the frame when the
  // point lies outside the ranges.
  DrawPoint Map(double x, double y) const;
  double Bottom() const { return topLeft.y + height; }
  double Right() const { return topLeft.x + width; }
};

// A tick: its place on the axis in data units and its label.
using PlotTick = std::pair<double, std::string>;

// Ticks at round steps (1, 2 or 5 times a power of ten) from 0: about four across
// `most`, which becomes the last tick (at least `most`). Labels with `decimals`
// digits, or as few as the step needs when negative.
std::vector<PlotTick> RoundTicks(double& most, int decimals = -1);

// The frame, the grid and labels at the ticks of both axes, the bold title above the
// frame and the axis title under it.
void AddPlotAxes(Drawing& drawing, std::vector<TextBox>& placed, const PlotAxes& axes,
                 const std::vector<PlotTick>& xTicks, const std::vector<PlotTick>& yTicks,
                 const std::string& xTitle, const std::string& title);

// A curve through (xs[k], ys[k]) for the points with x up to the right edge, at most
// kMostCurvePoints of them (evenly thinned, the last always kept), y held to the
// frame; named `name` (PictureParts.h).
constexpr size_t kMostCurvePoints = 240;
void AddPlotCurve(Drawing& drawing, const PlotAxes& axes, const std::vector<double>& xs,
                  const std::vector<double>& ys, const Stroke& stroke, const std::string& name);

// A horizontal line at y across the frame.
void AddPlotLevel(Drawing& drawing, const PlotAxes& axes, double y, const Stroke& stroke);

}  // namespace spekulor::drawing

#endif
