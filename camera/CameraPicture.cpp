#include "camera/CameraPicture.h"

#include <algorithm>
#include <cmath>

#include "camera/CameraTable.h"
#include "drawing/Formats.h"
#include "drawing/Palette.h"
#include "drawing/Panel.h"
#include "drawing/PictureParts.h"
#include "drawing/Plot.h"
#include "drawing/Table.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;

namespace spekulor::camera {

namespace {

constexpr double kMargin = 28.0;
constexpr double kTop = 102.0;
constexpr double kPlotLeft = 74.0;
constexpr double kPlotWidth = 340.0;
constexpr double kPlotHeight = 240.0;
constexpr double kGap = 80.0;
constexpr double kPanel = 240.0;
constexpr double kLine = 17.0;
constexpr double kRowHeight = 18.0;
// The corner, or the design's image circle when it is wider, reaches this fraction of
// the panel's half width; an image circle wider than kWidestCircle corners is left out,
// so that the sensor stays large enough to see.
constexpr double kCornerReach = 0.86;
constexpr double kWidestCircle = 3.0;
constexpr size_t kLongestLine = 110;  // characters of a line under the plots

// The text in lines of at most kLongestLine characters, broken at spaces.
std::vector<std::string> Wrapped(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(start, end - start);
    if (!line.empty() && line.size() + 1 + word.size() > kLongestLine) {
      lines.push_back(line);
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
    start = end + 1;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

void AddIlluminationPlot(Drawing& drawing, std::vector<TextBox>& placed, const CameraPage& page) {
  const double mmPerUnit = MillimetresPerUnit(page.unit);
  double reach = page.scale.halfDiagonalMm;
  const std::vector<PlotTick> xTicks = RoundTicks(reach);
  double top = 1.0;
  const std::vector<PlotTick> yTicks = RoundTicks(top, 1);
  PlotAxes axes;
  axes.topLeft = {kPlotLeft, kTop};
  axes.width = kPlotWidth;
  axes.height = kPlotHeight;
  axes.xRight = reach;
  axes.yTop = top;
  AddPlotAxes(drawing, placed, axes, xTicks, yTicks, "distance from the axis along the diagonal, mm",
              "Illumination relative to the axis");
  std::vector<double> xs;
  std::vector<double> ys;
  for (const IlluminationPoint& point : page.illumination) {
    xs.push_back(point.radius * mmPerUnit);
    ys.push_back(point.relative);
  }
  AddPlotCurve(drawing, axes, xs, ys, {kFieldColours[0], 1.8, false}, "illumination");
  const size_t first = drawing.shapes.size();
  DotsShape dots;
  dots.radius = 2.5;
  dots.colour = kFieldColours[0];
  for (size_t k = 0; k < xs.size(); ++k) dots.centres.push_back(axes.Map(xs[k], ys[k]));
  drawing.shapes.push_back(dots);
  NamePart(drawing, "illumination points", first);
}

void AddSensorPanel(Drawing& drawing, std::vector<TextBox>& placed, const CameraPage& page) {
  Panel panel;
  panel.left = kPlotLeft + kPlotWidth + kGap;
  panel.top = kTop;
  panel.size = kPanel;
  AddPanelTitles(drawing, placed, panel, "Sensor over the illuminated field",
                 "rings of equal illumination, to scale");
  const double mmPerUnit = MillimetresPerUnit(page.unit);
  const double circleMm = page.imageCircleRadius * mmPerUnit;
  const bool showCircle = circleMm > 0.0 && circleMm <= kWidestCircle * page.scale.halfDiagonalMm;
  const double reach = showCircle ? std::max(circleMm, page.scale.halfDiagonalMm) : page.scale.halfDiagonalMm;
  const double scale = kCornerReach * kPanel / 2.0 / reach;  // pixels per mm
  const DrawPoint c = panel.Centre();
  size_t first = drawing.shapes.size();
  for (size_t i = 0; i < kRingLevels.size(); ++i) {
    const double radius = RadiusAtLevel(page.illumination, kRingLevels[i]);
    if (!(radius > 0.0)) continue;
    const double pixels = radius * mmPerUnit * scale;
    CircleShape ring;
    ring.centre = c;
    ring.radius = pixels;
    ring.stroke = {kFieldColours[std::min<size_t>(i, 2)], 1.2, i > 0};
    drawing.shapes.emplace_back(ring);
    const double angle = 0.3 + 0.4 * static_cast<double>(i);  // the labels apart
    drawing.shapes.push_back(Label(c.x + pixels * std::cos(angle), c.y - pixels * std::sin(angle) - 3.0,
                                   FormatPercent(kRingLevels[i], 0), TextAnchor::Start, 10.0,
                                   kFieldColours[std::min<size_t>(i, 2)]));
  }
  NamePart(drawing, "illumination rings", first);
  first = drawing.shapes.size();
  CircleShape field;
  field.centre = c;
  field.radius = circleMm * scale;
  field.stroke = {kLineGrey, 1.0, true};
  if (showCircle) {
    drawing.shapes.emplace_back(field);
    drawing.shapes.push_back(Label(c.x, c.y + field.radius + 12.0, "design's image circle",
                                   TextAnchor::Middle, 10.0, kLineGrey));
  }
  NamePart(drawing, "image circle", first);
  first = drawing.shapes.size();
  const double w = page.options.sensor.widthMm * scale / 2.0;
  const double h = page.options.sensor.heightMm * scale / 2.0;
  PolylineShape outline;
  outline.points = {{c.x - w, c.y - h}, {c.x + w, c.y - h}, {c.x + w, c.y + h}, {c.x - w, c.y + h}};
  outline.closed = true;
  outline.stroke = {kInk, 1.6, false};
  outline.fill = kInk;
  drawing.shapes.emplace_back(outline);
  NamePart(drawing, "sensor", first);
  AddPanelFrame(drawing, panel, true);
}

}  // namespace

double RadiusAtLevel(const std::vector<IlluminationPoint>& profile, double level) {
  for (size_t k = 1; k < profile.size(); ++k) {
    const IlluminationPoint& a = profile[k - 1];
    const IlluminationPoint& b = profile[k];
    if (b.relative < level && a.relative >= level) {
      return a.radius + (level - a.relative) / (b.relative - a.relative) * (b.radius - a.radius);
    }
  }
  return -1.0;
}

Drawing BuildCameraPicture(const CameraPage& page, TelescopeType type) {
  Drawing drawing;
  drawing.title = std::string("Camera at the focus of the ") + TelescopeTypeName(type);
  drawing.width = kPlotLeft + kPlotWidth + kGap + kPanel + kMargin;
  std::vector<TextBox> placed;
  AddTitleRows(drawing, placed, drawing.title,
               FormatFixed(page.options.sensor.widthMm, 2) + " x " +
                   FormatFixed(page.options.sensor.heightMm, 2) + " mm sensor, " +
                   FormatFixed(page.scale.arcsecPerPixel, 3) + "\" per pixel");
  AddIlluminationPlot(drawing, placed, page);
  AddSensorPanel(drawing, placed, page);

  double y = kTop + kPlotHeight + 64.0;
  for (const std::string& sentence : {StopsText(page), FlattenerSentence(page)}) {
    for (const std::string& line : Wrapped(sentence)) {
      const TextShape text = Label(kMargin, y, line, TextAnchor::Start);
      placed.push_back(EstimateTextBox(text));
      drawing.shapes.push_back(text);
      y += kLine;
    }
  }
  y = AddTable(drawing, placed, CameraFiguresTable(page), kMargin, y + kRowHeight, "table");
  FitWidthToTexts(drawing, placed, kMargin);
  drawing.height = y + kRowHeight / 2.0 + kMargin / 2.0;
  return drawing;
}

}  // namespace spekulor::camera
