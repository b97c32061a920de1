#include "trace/SpotPicture.h"

#include <algorithm>
#include <cmath>

#include "drawing/Formats.h"
#include "drawing/Palette.h"
#include "drawing/Panel.h"
#include "drawing/PictureParts.h"
#include "support/Units.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::drawing;

namespace spekulor::trace {

namespace {

constexpr double kPanel = 240.0;
constexpr double kGap = 28.0;
constexpr double kSpotMargin = 28.0;
constexpr double kPanelTop = 102.0;

const char* const kFieldNames[] = {"On axis", "0.7 of the field", "Edge of the field"};

// "3.21 µm (0.21")": a length in micrometres and as an angle on the sky.
std::string Blur(double length, const SpotSet& spots) {
  return FormatMicrometres(length * spots.micrometresPerUnit) + " (" +
         FormatFixed(length * spots.arcsecPerUnit, 2) + "\")";
}

}  // namespace

const char* SpotFieldName(size_t index) { return index < 3 ? kFieldNames[index] : ""; }

Drawing BuildSpotPicture(const SpotSet& spots, const DesignResult& design, TelescopeType type,
                         LengthUnit unit) {
  return BuildSpotPicture(spots, design, type, unit, std::string());
}

Drawing BuildSpotPicture(const SpotSet& spots, const DesignResult& design, TelescopeType type,
                         LengthUnit unit, const std::string& condition) {
  Drawing drawing;
  drawing.title = std::string("Spot diagrams of the ") + TelescopeTypeName(type);
  drawing.width = 2.0 * kSpotMargin + 3.0 * kPanel + 2.0 * kGap;
  std::vector<TextBox> placed;

  const std::string subtitle = "D " + FormatFixed(design.PriDia, 2) + UnitSuffix(unit) + ", F " +
                               FormatFixed(design.SysFoc, 2) + UnitSuffix(unit) + " (f/" +
                               FormatFixed(design.SysFoc / design.PriDia, 1) +
                               "), wavelength 550 nm, all three to the same scale";
  const std::string titleRow = drawing.title + " in the paraxial image plane" +
                               (condition.empty() ? std::string() : ", " + condition);
  if (!condition.empty()) drawing.title += ", " + condition;
  AddTitleRows(drawing, placed, titleRow, subtitle);

  // One scale for all three: the largest spot or Airy disk fills 44 % of a panel.
  double extent = spots.airyRadius;
  for (const SpotDiagram& spot : spots.spots) extent = std::max(extent, spot.stats.maxRadius);
  const double scale = 0.44 * kPanel / extent;  // pixels per design unit

  const double textTop = kPanelTop + kPanel + 20.0;
  for (size_t i = 0; i < spots.spots.size(); ++i) {
    const SpotDiagram& spot = spots.spots[i];
    const double left = kSpotMargin + static_cast<double>(i) * (kPanel + kGap);
    const Panel panel{left, kPanelTop, kPanel};
    const DrawPoint centre = panel.Centre();
    AddPanelTitles(drawing, placed, panel, kFieldNames[i],
                   FormatFixed(spot.fieldAngle * kDegreesPerRadian, 3) + "\xB0 off the axis");
    AddPanelFrame(drawing, panel, true);

    DotsShape dots;
    dots.radius = 0.7;
    dots.colour = kDots;
    dots.centres.reserve(spot.points.size());
    // The image's +y is drawn upward.
    for (const SpotPoint& p : spot.points) {
      dots.centres.push_back({centre.x + (p.x - spot.stats.centroidX) * scale,
                              centre.y - (p.y - spot.stats.centroidY) * scale});
    }
    drawing.shapes.emplace_back(std::move(dots));
    const size_t airyFirst = drawing.shapes.size();
    drawing.shapes.emplace_back(CircleShape{centre, spots.airyRadius * scale, {kAiry, 1.2, true}});
    NamePart(drawing, "Airy disk", airyFirst);

    std::string rays = "rays " + std::to_string(spot.points.size());
    if (spot.vignetted > 0) rays += ", " + std::to_string(spot.vignetted) + " vignetted";
    const std::string lines[] = {
        rays,
        "RMS radius " + Blur(spot.stats.rmsRadius, spots),
        "largest radius " + Blur(spot.stats.maxRadius, spots),
        "centroid at " + FormatFixed(spot.stats.centroidY, 4) + UnitSuffix(unit),
    };
    double y = textTop;
    for (const std::string& line : lines) {
      AddTextAvoiding(drawing, placed, {Label(left, y, line, TextAnchor::Start)});
      y += 17.0;
    }
  }

  // Scale bar and legend.
  const double legendY = textTop + 4.0 * 17.0 + 22.0;
  const double barUnits = RoundScaleLength(0.4 * kPanel / scale * spots.micrometresPerUnit) /
                          spots.micrometresPerUnit;
  const double barMicrometres = barUnits * spots.micrometresPerUnit;
  const size_t barFirst = drawing.shapes.size();
  const TextShape barText =
      AddScaleBar(drawing, placed, kSpotMargin, legendY, barUnits * scale,
                  FormatScaleLength(barMicrometres) + " \xB5m");
  NamePart(drawing, "scale bar", barFirst);
  double x = EstimateTextBox(barText).right + 28.0;
  drawing.shapes.emplace_back(CircleShape{{x + 8.0, legendY - 4.0}, 7.0, {kAiry, 1.2, true}});
  AddTextAvoiding(drawing, placed,
                  {Label(x + 22.0, legendY,
                         "Airy disk, radius " + Blur(spots.airyRadius, spots) + ", 1.22 \xB7 550 nm \xB7 F/D",
                         TextAnchor::Start)});

  FitWidthToTexts(drawing, placed, kSpotMargin);
  drawing.height = legendY + 24.0;
  return drawing;
}

}  // namespace spekulor::trace
