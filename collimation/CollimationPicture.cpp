#include "collimation/CollimationPicture.h"

#include <algorithm>
#include <cmath>

#include "drawing/Formats.h"
#include "drawing/IntensityBands.h"
#include "drawing/Palette.h"
#include "drawing/Panel.h"
#include "drawing/PictureParts.h"
#include "drawing/PointImagePainter.h"
#include "drawing/Table.h"
#include "collimation/ToleranceText.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::trace;
using namespace spekulor::quality;

namespace spekulor::collimation {

namespace {

// Pixels: the margin, the panels' side and the gaps between them across and down, the
// spots' top and the rows of text.
constexpr double kMargin = 28.0, kPanel = 200.0, kGap = 24.0, kFigureGap = 48.0;
constexpr double kSpotTop = 112.0, kLineHeight = 17.0;

std::string Micrometres(double length, double micrometresPerUnit) {
  return FormatMicrometres(length * micrometresPerUnit);
}

}  // namespace

Drawing BuildToleranceTablePicture(const ToleranceAnalysis& analysis, TelescopeType type) {
  Drawing drawing;
  drawing.title = std::string("Collimation tolerances of the ") + TelescopeTypeName(type);
  // Wide enough for the table and for its title, which names the design.
  const std::string title = ToleranceTitle(analysis, type);
  const TextBox titleBox =
      EstimateTextBox(Label(0.0, 0.0, title, TextAnchor::Start, kTitleSize, kInk, true));
  drawing.width = std::max(760.0, titleBox.right - titleBox.left + 2.0 * kMargin);

  Table table;
  table.anchors = {TextAnchor::Start, TextAnchor::Start, TextAnchor::Start, TextAnchor::Start};
  table.rowHeight = kLineHeight;
  table.columnGap = 28.0;
  TableRow head;
  head.band = true;
  for (const char* text : {"Secondary", "Sensitivity", "Tolerance", "Adds"}) {
    head.cells.push_back({text, true});
  }
  table.rows.push_back(head);
  for (const ToleranceRow& row : ToleranceRows(analysis)) {
    TableRow figures;
    figures.spaceBefore = 12.0;
    figures.ruleAbove = table.rows.size() > 1;
    figures.cells = {{row.name, true}, {row.sensitivity}, {row.tolerance, true}, {row.adds}};
    table.rows.push_back(figures);
    TableRow detail;
    detail.cells = {{}, {row.detail, false, kInk, 0.0, 3}};
    table.rows.push_back(detail);
  }
  drawing.width = std::max(drawing.width, LayOutTable(table, kMargin).Right() + kMargin);
  std::vector<TextBox> placed;
  AddTitleRows(drawing, placed, title, ToleranceBudgetLine(analysis));
  double y = AddTable(drawing, placed, table, kMargin, 88.0, "table") + 16.0 + kLineHeight;
  AddTextAvoiding(drawing, placed, {Label(kMargin, y, ComaFreePivotLine(analysis), TextAnchor::Start)});
  for (const std::string& note : ToleranceNotes(analysis)) {
    y += kLineHeight;
    AddTextAvoiding(drawing, placed, {Label(kMargin, y, note, TextAnchor::Start)});
  }
  // The signs' note in two lines, split after its first clause.
  const std::string signs = kToleranceSigns;
  const size_t split = signs.find("; ");
  const std::string noteLines[] = {signs.substr(0, split + 1), signs.substr(split + 2)};
  for (const std::string& line : noteLines) {
    y += kLineHeight;
    AddTextAvoiding(drawing, placed, {Label(kMargin, y, line, TextAnchor::Start, 10.5, kLineGrey)});
  }
  FitWidthToTexts(drawing, placed, kMargin);
  drawing.height = y + 22.0;
  return drawing;
}

Drawing BuildCollimationImagesPicture(const CollimationImageSet& images,
                                      const ToleranceAnalysis& analysis,
                                      const DesignResult& design, TelescopeType type) {
  Drawing drawing;
  drawing.title = std::string("The axis image of the ") + TelescopeTypeName(type) +
                  " with its secondary at the tolerances";
  const double count = static_cast<double>(images.images.size());
  drawing.width = 2.0 * kMargin + count * kPanel + (count - 1.0) * kGap;
  std::vector<TextBox> placed;
  const std::string subtitle =
      "D " + FormatFixed(design.PriDia, 2) + UnitSuffix(analysis.unit) + ", F " +
      FormatFixed(design.SysFoc, 2) + UnitSuffix(analysis.unit) + " (f/" +
      FormatFixed(design.SysFoc / design.PriDia, 1) + "), " +
      FormatFixed(analysis.options.wavelengthNm, 0) +
      " nm, each refocused and re-pointed; spots and point images each to one scale";
  AddTitleRows(drawing, placed, drawing.title, subtitle);

  // One scale for the spots: the largest, or the Airy disk, fills 44 % of a panel.
  double extent = images.airyRadius;
  for (const CollimationImage& shown : images.images) {
    for (const SpotPoint& p : shown.spot) extent = std::max(extent, std::hypot(p.x, p.y));
  }
  const double spotScale = 0.44 * kPanel / extent;
  const double imageTop = kSpotTop + kPanel + kFigureGap;

  for (size_t i = 0; i < images.images.size(); ++i) {
    const CollimationImage& shown = images.images[i];
    const double left = kMargin + static_cast<double>(i) * (kPanel + kGap);
    const Panel spotPanel{left, kSpotTop, kPanel};
    AddPanelTitles(drawing, placed, spotPanel, shown.heading, shown.amount);

    // The spot.
    const size_t spotFirst = drawing.shapes.size();
    AddPanelFrame(drawing, spotPanel, true);
    const DrawPoint spotCentre = spotPanel.Centre();
    DotsShape dots;
    dots.radius = 0.8;
    dots.colour = kDots;
    dots.centres.reserve(shown.spot.size());
    for (const SpotPoint& p : shown.spot) {
      dots.centres.push_back({spotCentre.x + p.x * spotScale, spotCentre.y - p.y * spotScale});
    }
    drawing.shapes.emplace_back(std::move(dots));
    drawing.shapes.emplace_back(
        CircleShape{spotCentre, images.airyRadius * spotScale, {kAiry, 1.2, true}});
    NamePart(drawing, "spot " + shown.heading, spotFirst);
    AddTextAvoiding(drawing, placed,
                    {Label(left, spotPanel.Bottom() + 16.0,
                           "RMS " + FormatFixed(shown.rmsWaves, 3) + " waves, Strehl " +
                               FormatFixed(shown.strehl, 3),
                           TextAnchor::Start)});

    // The point image, in the bands of the image-quality picture.
    const Panel imagePanel{left, imageTop, kPanel};
    const size_t imageFirst = drawing.shapes.size();
    const PointImageWindow& window = shown.image;
    if (window.size > 0) {
      const double imageScale = kPanel / (window.size * window.spacing);
      AddPointImage(drawing, {window.size, window.intensity}, imagePanel.Centre(),
                    window.spacing * imageScale);
      AddPanelFrame(drawing, imagePanel, false);
      drawing.shapes.emplace_back(CircleShape{imagePanel.Centre(), images.airyRadius * imageScale,
                                              {kRing, 1.2, true}});
    } else {
      AddPanelFrame(drawing, imagePanel, false);
    }
    NamePart(drawing, "point image " + shown.heading, imageFirst);
  }

  // Scale bars and the legend.
  const double legendY = imageTop + kPanel + 30.0;
  const double spotBar = RoundScaleLength(0.4 * kPanel / spotScale * images.micrometresPerUnit) /
                         images.micrometresPerUnit;
  const size_t barFirst = drawing.shapes.size();
  TextShape text = AddScaleBar(drawing, placed, kMargin, legendY, spotBar * spotScale,
                               FormatScaleLength(spotBar * images.micrometresPerUnit) + " \xB5m (spots)");
  NamePart(drawing, "spot scale bar", barFirst);
  double x = EstimateTextBox(text).right + 28.0;
  const PointImageWindow& window = images.images[0].image;
  if (window.size > 0) {
    const double imageScale = kPanel / (window.size * window.spacing);
    const double imageBar =
        RoundScaleLength(0.4 * kPanel / imageScale * images.micrometresPerUnit) /
        images.micrometresPerUnit;
    const size_t imageBarFirst = drawing.shapes.size();
    text = AddScaleBar(drawing, placed, x, legendY, imageBar * imageScale,
                       FormatScaleLength(imageBar * images.micrometresPerUnit) + " \xB5m (point images)");
    NamePart(drawing, "point image scale bar", imageBarFirst);
    x = EstimateTextBox(text).right + 28.0;
  }
  drawing.shapes.emplace_back(CircleShape{{x + 8.0, legendY - 4.0}, 7.0, {kAiry, 1.2, true}});
  AddTextAvoiding(drawing, placed,
                  {Label(x + 22.0, legendY,
                         "Airy disk, radius " + Micrometres(images.airyRadius, images.micrometresPerUnit) +
                             " (on the point images in blue)",
                         TextAnchor::Start)});

  // The point images' bands.
  const double bandsY = legendY + 30.0;
  AddIntensityLegend(drawing, placed, kMargin, bandsY);

  double bottom = bandsY + kIntensityLegendHeight + 8.0;
  if (HasVanes(analysis.options.spider)) {
    AddTextAvoiding(drawing, placed,
                    {Label(kMargin, bottom + 14.0,
                           "Point images with the spider" +
                               SpiderWords(analysis.options.spider, analysis.unit),
                           TextAnchor::Start)});
    bottom += 24.0;
  }

  FitWidthToTexts(drawing, placed, kMargin);
  drawing.height = bottom;
  return drawing;
}

}  // namespace spekulor::collimation
