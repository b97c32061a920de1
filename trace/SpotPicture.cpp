#include "SpotPicture.h"

#include <algorithm>
#include <cmath>

#include "LayoutPicture.h"
#include "Units.h"

namespace {

const Colour kInk{0x1a, 0x1a, 0x1a};
const Colour kGrey{0x9a, 0x9a, 0x9a};
const Colour kFrame{0xc0, 0xc0, 0xc0};
const Colour kDots{0x1f, 0x4f, 0x9f};
const Colour kAiry{0xc8, 0x3c, 0x1e};

constexpr double kPanel = 240.0;
constexpr double kGap = 28.0;
constexpr double kMargin = 28.0;
constexpr double kPanelTop = 102.0;

const char* const kFieldNames[] = {"On axis", "0.7 of the field", "Edge of the field"};

TextShape Label(double x, double y, const std::string& text, TextAnchor anchor,
                double size = 12.0, bool bold = false) {
  TextShape shape;
  shape.at = {x, y};
  shape.text = text;
  shape.size = size;
  shape.anchor = anchor;
  shape.colour = kInk;
  shape.bold = bold;
  return shape;
}

// "3.21 µm (0.21")": a length in micrometres and as an angle on the sky.
std::string Blur(double length, const SpotSet& spots) {
  return FormatFixed(length * spots.micrometresPerUnit, 2) + " \xB5m (" +
         FormatFixed(length * spots.arcsecPerUnit, 2) + "\")";
}

}  // namespace

const char* SpotFieldName(size_t index) { return index < 3 ? kFieldNames[index] : ""; }

Drawing BuildSpotPicture(const SpotSet& spots, const DesignResult& design, TelescopeType type,
                         LengthUnit unit) {
  Drawing drawing;
  drawing.title = std::string("Spot diagrams of the ") + TelescopeTypeName(type);
  drawing.width = 2.0 * kMargin + 3.0 * kPanel + 2.0 * kGap;
  std::vector<TextBox> placed;

  AddTextAvoiding(drawing, placed,
                  {Label(drawing.width / 2.0, 28.0, drawing.title + " in the paraxial image plane",
                         TextAnchor::Middle, 16.0, true)});
  const std::string subtitle = "D " + FormatFixed(design.PriDia, 2) + UnitSuffix(unit) + ", F " +
                               FormatFixed(design.SysFoc, 2) + UnitSuffix(unit) + " (f/" +
                               FormatFixed(design.SysFoc / design.PriDia, 1) +
                               "), wavelength 550 nm, all three to the same scale";
  AddTextAvoiding(drawing, placed,
                  {Label(drawing.width / 2.0, 48.0, subtitle, TextAnchor::Middle)});

  // One scale for all three: the largest spot or Airy disk fills 44 % of a panel.
  double extent = spots.airyRadius;
  for (const SpotDiagram& spot : spots.spots) extent = std::max(extent, spot.stats.maxRadius);
  const double scale = 0.44 * kPanel / extent;  // pixels per design unit

  const double textTop = kPanelTop + kPanel + 20.0;
  for (size_t i = 0; i < spots.spots.size(); ++i) {
    const SpotDiagram& spot = spots.spots[i];
    const double left = kMargin + static_cast<double>(i) * (kPanel + kGap);
    const DrawPoint centre{left + kPanel / 2.0, kPanelTop + kPanel / 2.0};

    AddTextAvoiding(drawing, placed,
                    {Label(centre.x, kPanelTop - 24.0, kFieldNames[i], TextAnchor::Middle, 13.0, true)});
    AddTextAvoiding(drawing, placed,
                    {Label(centre.x, kPanelTop - 8.0,
                           FormatFixed(spot.fieldAngle * kDegreesPerRadian, 3) + "\xB0 off the axis",
                           TextAnchor::Middle)});

    PolylineShape box;
    box.points = {{left, kPanelTop}, {left + kPanel, kPanelTop}, {left + kPanel, kPanelTop + kPanel},
                  {left, kPanelTop + kPanel}};
    box.closed = true;
    box.stroke = {kFrame, 1.0, false};
    drawing.shapes.emplace_back(box);
    drawing.shapes.emplace_back(
        LineShape{{left, centre.y}, {left + kPanel, centre.y}, {kGrey, 0.5, true}});
    drawing.shapes.emplace_back(
        LineShape{{centre.x, kPanelTop}, {centre.x, kPanelTop + kPanel}, {kGrey, 0.5, true}});

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
    drawing.shapes.emplace_back(CircleShape{centre, spots.airyRadius * scale, {kAiry, 1.2, true}});

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
  const double barPixels = barUnits * scale;
  const Stroke bar{kInk, 1.6, false};
  double x = kMargin;
  drawing.shapes.emplace_back(LineShape{{x, legendY - 4.0}, {x + barPixels, legendY - 4.0}, bar});
  drawing.shapes.emplace_back(LineShape{{x, legendY - 9.0}, {x, legendY + 1.0}, bar});
  drawing.shapes.emplace_back(
      LineShape{{x + barPixels, legendY - 9.0}, {x + barPixels, legendY + 1.0}, bar});
  const double barMicrometres = barUnits * spots.micrometresPerUnit;
  const TextShape barText = Label(x + barPixels + 8.0, legendY,
                                  FormatFixed(barMicrometres, barMicrometres < 1.0 ? 2 : 0) + " \xB5m",
                                  TextAnchor::Start);
  AddTextAvoiding(drawing, placed, {barText});
  x = EstimateTextBox(barText).right + 28.0;
  drawing.shapes.emplace_back(CircleShape{{x + 8.0, legendY - 4.0}, 7.0, {kAiry, 1.2, true}});
  AddTextAvoiding(drawing, placed,
                  {Label(x + 22.0, legendY,
                         "Airy disk, radius " + Blur(spots.airyRadius, spots) + ", 1.22 \xB7 550 nm \xB7 F/D",
                         TextAnchor::Start)});

  double right = drawing.width - kMargin;
  for (const TextBox& box : placed) right = std::max(right, box.right);
  drawing.width = right + kMargin;
  drawing.height = legendY + 24.0;
  return drawing;
}
