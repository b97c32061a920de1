#include "quality/QualityPicture.h"

#include <algorithm>
#include <cmath>

#include "drawing/Formats.h"
#include "drawing/IntensityBands.h"
#include "drawing/Palette.h"
#include "drawing/Panel.h"
#include "drawing/PictureParts.h"
#include "drawing/Plot.h"
#include "drawing/PointImagePainter.h"
#include "drawing/Table.h"
#include "quality/QualityTable.h"
#include "trace/SpotPicture.h"
#include "support/Units.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::trace;

namespace spekulor::quality {

namespace {

constexpr double kMargin = 28.0;
constexpr double kPanel = 240.0;
constexpr double kGap = 28.0;
constexpr double kPanelTop = 102.0;
constexpr double kLine = 17.0;  // between rows of text

constexpr double kPlotLeft = 74.0;
constexpr double kPlotWidth = 316.0;
constexpr double kPlotGap = 96.0;
constexpr double kPlotHeight = 200.0;

const char* const kTableHeads[] = {"On axis", "0.7 of the field", "Edge of the field",
                                   "Perfect aperture"};

std::string Micrometres(double length, const QualitySet& set) {
  return FormatMicrometres(length * set.micrometresPerUnit);
}

// The fractions of the cutoff at which an MTF curve of `count` samples lies.
std::vector<double> CurveFractions(size_t count) {
  std::vector<double> xs(count);
  for (size_t k = 0; k < count; ++k) xs[k] = static_cast<double>(k) / static_cast<double>(count - 1);
  return xs;
}

std::vector<PlotTick> FractionTicks() {
  std::vector<PlotTick> ticks;
  for (int k = 0; k <= 5; ++k) ticks.push_back({0.2 * k, FormatFixed(0.2 * k, 1)});
  return ticks;
}

}  // namespace

Drawing BuildQualityPicture(const QualitySet& set, const DesignResult& design, TelescopeType type,
                            LengthUnit unit) {
  Drawing drawing;
  drawing.title = std::string("Image quality of the ") + TelescopeTypeName(type);
  drawing.width = 2.0 * kMargin + 3.0 * kPanel + 2.0 * kGap;
  std::vector<TextBox> placed;
  AddTitleRows(drawing, placed, drawing.title,
               "D " + FormatFixed(design.PriDia, 2) + UnitSuffix(unit) + ", f/" +
                   FormatFixed(set.focalRatio, 1) + ", central obstruction " +
                   FormatFixed(100.0 * set.obstruction, 1) + " % (" +
                   ObstructionName(set.options.obstruction.source) + "), " +
                   FormatFixed(set.options.wavelengthNm, 0) + " nm, pupil grid " +
                   std::to_string(set.options.gridSize) + ", point images to one scale");

  // The point images.
  const double extent = set.fields[0].image.size * set.fields[0].image.spacing;
  const double scale = extent > 0.0 ? kPanel / extent : 1.0;  // pixels per design unit
  const double textTop = kPanelTop + kPanel + 20.0;
  for (size_t i = 0; i < set.fields.size(); ++i) {
    const FieldQuality& field = set.fields[i];
    const Panel panel{kMargin + static_cast<double>(i) * (kPanel + kGap), kPanelTop, kPanel};
    AddPanelTitles(drawing, placed, panel, SpotFieldName(i),
                   FormatFixed(field.fieldAngle * kDegreesPerRadian, 3) + "\xB0 off the axis");
    const size_t imageFirst = drawing.shapes.size();
    AddPointImage(drawing, {field.image.size, field.image.intensity}, panel.Centre(),
                  field.image.spacing * scale);
    NamePart(drawing, "point image", imageFirst);
    AddPanelFrame(drawing, panel, false);
    const size_t ringFirst = drawing.shapes.size();
    drawing.shapes.emplace_back(
        CircleShape{panel.Centre(), set.perfect.firstDarkRing * scale, {kRing, 1.2, true}});
    NamePart(drawing, "first dark ring", ringFirst);

    const std::string lines[] = {
        "Strehl " + FormatFixed(field.strehl, 3) + ", Mar\xE9" "chal " +
            FormatFixed(field.strehlMarechal, 3),
        "RMS " + FormatFixed(field.rmsWaves, 3) + ", P-V " + FormatFixed(field.pvWaves, 3) +
            " waves",
        "80 % within " + Micrometres(field.ee80Diameter, set) + " diameter",
    };
    double y = textTop;
    for (const std::string& line : lines) {
      AddTextAvoiding(drawing, placed, {Label(panel.left, y, line, TextAnchor::Start)});
      y += kLine;
    }
  }

  // Their legend: the bands, a scale bar and the ring.
  const double legendY = textTop + 3.0 * kLine + 16.0;
  const double legendX = AddIntensityLegend(drawing, placed, kMargin, legendY) + 48.0;
  const double most = 0.3 * kPanel / scale * set.micrometresPerUnit;
  const double barMicrometres = RoundScaleLength(most);
  const size_t barFirst = drawing.shapes.size();
  AddScaleBar(drawing, placed, legendX, legendY + 18.0,
              barMicrometres / set.micrometresPerUnit * scale,
              FormatScaleLength(barMicrometres) + " \xB5m");
  NamePart(drawing, "scale bar", barFirst);
  drawing.shapes.emplace_back(
      CircleShape{{legendX + 8.0, legendY + 32.0}, 7.0, {kRing, 1.2, true}});
  AddTextAvoiding(drawing, placed,
                  {Label(legendX + 22.0, legendY + 36.0,
                         "first dark ring of the perfect aperture, radius " +
                             Micrometres(set.perfect.firstDarkRing, set),
                         TextAnchor::Start)});

  // The MTF and the encircled energy.
  const double plotTop = legendY + 86.0;
  PlotAxes mtf;
  mtf.topLeft = {kPlotLeft, plotTop};
  mtf.width = kPlotWidth;
  mtf.height = kPlotHeight;
  std::vector<PlotTick> mtfTicks;
  for (double fraction : {0.0, 0.25, 0.5, 0.75, 1.0}) {
    mtfTicks.push_back({fraction, FormatFixed(fraction * set.cutoffPerMm, 0)});
  }
  AddPlotAxes(drawing, placed, mtf, mtfTicks, FractionTicks(),
              "cycles per mm, cutoff 1/(lambda\xB7N) " + FormatFixed(set.cutoffPerMm, 1),
              "Modulation transfer function");

  PlotAxes energy = mtf;
  energy.topLeft.x = kPlotLeft + kPlotWidth + kPlotGap;
  // Out to half again the widest 80 % radius, and three dark rings at least.
  double reach = 3.0 * set.perfect.firstDarkRing * set.micrometresPerUnit;
  for (const FieldQuality& field : set.fields) {
    reach = std::max(reach, 0.75 * field.ee80Diameter * set.micrometresPerUnit);
  }
  const std::vector<PlotTick> energyTicks = RoundTicks(reach);
  energy.xRight = reach;
  AddPlotAxes(drawing, placed, energy, energyTicks, FractionTicks(),
              "radius about the centroid, \xB5m", "Encircled energy");
  AddPlotLevel(drawing, energy, kEncircledFraction, {kLineGrey, 0.8, true});

  AddPlotCurve(drawing, mtf, CurveFractions(set.perfect.mtfCurve.size()), set.perfect.mtfCurve,
               {kInk, 1.8, false}, "perfect MTF");
  auto inMicrometres = [&](const EnergyCurve& curve) {
    std::vector<double> xs;
    for (double r : curve.radius) xs.push_back(r * set.micrometresPerUnit);
    return xs;
  };
  AddPlotCurve(drawing, energy, inMicrometres(set.perfect.energy), set.perfect.energy.fraction,
               {kInk, 1.8, false}, "perfect encircled energy");
  for (size_t i = 0; i < set.fields.size(); ++i) {
    const FieldQuality& field = set.fields[i];
    const std::string name = SpotFieldName(i);
    AddPlotCurve(drawing, mtf, CurveFractions(field.mtf.tangential.size()), field.mtf.tangential,
                 {kFieldColours[i], 1.3, false}, name + " tangential MTF");
    AddPlotCurve(drawing, mtf, CurveFractions(field.mtf.sagittal.size()), field.mtf.sagittal,
                 {kFieldColours[i], 1.3, true}, name + " sagittal MTF");
    AddPlotCurve(drawing, energy, inMicrometres(field.energy), field.energy.fraction,
                 {kFieldColours[i], 1.3, false}, name + " encircled energy");
  }
  const double legendRow = mtf.Bottom() + 60.0;
  std::vector<StrokeKey> entries;
  for (size_t i = 0; i < set.fields.size(); ++i) {
    entries.push_back({{kFieldColours[i], 1.6, false}, SpotFieldName(i)});
  }
  // The closed forms know the annulus only.
  entries.push_back({{kInk, 1.8, false},
                     HasVanes(set.options.spider) ? "Perfect aperture, without the vanes"
                                                  : "Perfect aperture"});
  AddStrokeLegend(drawing, placed, kMargin, legendRow, entries);
  AddStrokeLegend(drawing, placed, kMargin, legendRow + kLine + 2.0,
                {{{kInk, 1.3, false}, "MTF tangential (along the field)"},
                 {{kInk, 1.3, true}, "MTF sagittal"}});

  // The figures.
  double y = legendRow + 2.0 * kLine + 24.0;
  for (const std::string& line : QualitySummaryLines(set, unit)) {
    AddTextAvoiding(drawing, placed, {Label(kMargin, y, line, TextAnchor::Start)});
    y += kLine;
  }
  Table table;
  table.anchors = {TextAnchor::Start, TextAnchor::End, TextAnchor::End, TextAnchor::End,
                   TextAnchor::End};
  table.rowHeight = kLine;
  TableRow head;
  head.band = true;
  head.cells.push_back({});
  for (const char* text : kTableHeads) head.cells.push_back({text, true});
  table.rows.push_back(head);
  for (const QualityTableRow& row : QualityTableRows(set, unit)) {
    TableRow shown;
    shown.ruleAbove = table.rows.size() > 1;
    shown.cells.push_back({row.label});
    for (const std::string& cell : row.cells) shown.cells.push_back({cell});
    table.rows.push_back(shown);
  }
  y = AddTable(drawing, placed, table, kMargin, y + 10.0, "table");

  FitWidthToTexts(drawing, placed, kMargin);
  drawing.height = y + 24.0;
  return drawing;
}

}  // namespace spekulor::quality
