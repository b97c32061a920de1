#include "drawing/Plot.h"

#include <algorithm>
#include <cmath>

#include "drawing/Formats.h"
#include "drawing/Palette.h"
#include "drawing/PictureParts.h"

namespace spekulor::drawing {

DrawPoint PlotAxes::Map(double x, double y) const {
  return {topLeft.x + width * (x - xLeft) / (xRight - xLeft),
          topLeft.y + height * (yTop - y) / (yTop - yBottom)};
}

std::vector<PlotTick> RoundTicks(double& most, int decimals) {
  double step = RoundScaleLength(most / 4.0);
  if (!(step > 0.0)) {
    most = 1.0;
    step = 0.25;
  }
  most = step * std::ceil(most / step - 1e-9);
  std::vector<PlotTick> ticks;
  for (int k = 0; k * step <= most * (1.0 + 1e-9); ++k) {
    const double at = k * step;
    ticks.push_back({at, FormatFixed(at, decimals >= 0 ? decimals : ScaleLengthDecimals(step))});
  }
  return ticks;
}

void AddPlotAxes(Drawing& drawing, std::vector<TextBox>& placed, const PlotAxes& axes,
                 const std::vector<PlotTick>& xTicks, const std::vector<PlotTick>& yTicks,
                 const std::string& xTitle, const std::string& title) {
  AddTextAvoiding(drawing, placed,
                  {Label(axes.topLeft.x - 40.0, axes.topLeft.y - 12.0, title, TextAnchor::Start,
                         13.0, kInk, true)});
  const Stroke grid{kGridGrey, 0.8, false};
  for (const PlotTick& tick : yTicks) {
    const double y = axes.Map(axes.xLeft, tick.first).y;
    drawing.shapes.emplace_back(LineShape{{axes.topLeft.x, y}, {axes.Right(), y}, grid});
    AddTextAvoiding(drawing, placed,
                    {Label(axes.topLeft.x - 6.0, y + 4.0, tick.second, TextAnchor::End)});
  }
  for (const PlotTick& tick : xTicks) {
    const double x = axes.Map(tick.first, axes.yBottom).x;
    drawing.shapes.emplace_back(LineShape{{x, axes.topLeft.y}, {x, axes.Bottom()}, grid});
    AddTextAvoiding(drawing, placed,
                    {Label(x, axes.Bottom() + 16.0, tick.second, TextAnchor::Middle)});
  }
  PolylineShape frame;
  frame.points = {axes.topLeft, {axes.Right(), axes.topLeft.y}, {axes.Right(), axes.Bottom()},
                  {axes.topLeft.x, axes.Bottom()}};
  frame.closed = true;
  frame.stroke = {kLineGrey, 1.0, false};
  drawing.shapes.emplace_back(frame);
  AddTextAvoiding(drawing, placed,
                  {Label(axes.topLeft.x + axes.width / 2.0, axes.Bottom() + 34.0, xTitle,
                         TextAnchor::Middle)});
}

void AddPlotCurve(Drawing& drawing, const PlotAxes& axes, const std::vector<double>& xs,
                  const std::vector<double>& ys, const Stroke& stroke, const std::string& name) {
  const size_t first = drawing.shapes.size();
  const double low = std::min(axes.yBottom, axes.yTop);
  const double high = std::max(axes.yBottom, axes.yTop);
  auto point = [&](size_t k) { return axes.Map(xs[k], std::clamp(ys[k], low, high)); };
  size_t shown = 0;
  const size_t count = std::min(xs.size(), ys.size());
  while (shown < count && xs[shown] <= axes.xRight + 1e-12 * std::fabs(axes.xRight)) ++shown;
  const size_t every = std::max<size_t>(1, (shown + kMostCurvePoints - 1) / kMostCurvePoints);
  PolylineShape curve;
  curve.stroke = stroke;
  for (size_t k = 0; k < shown; k += every) curve.points.push_back(point(k));
  if (shown > 0 && (shown - 1) % every != 0) curve.points.push_back(point(shown - 1));
  drawing.shapes.emplace_back(std::move(curve));
  NamePart(drawing, name, first);
}

void AddPlotLevel(Drawing& drawing, const PlotAxes& axes, double y, const Stroke& stroke) {
  drawing.shapes.emplace_back(LineShape{axes.Map(axes.xLeft, y), axes.Map(axes.xRight, y), stroke});
}

}  // namespace spekulor::drawing
