#include "mirrortests/CouderMask.h"

#include <algorithm>
#include <cmath>

#include "support/Units.h"
#include "drawing/PictureParts.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::drawing;

namespace spekulor::mirrortests {

namespace {

// The openings span these angles from the horizontal diameter; the gap keeps a
// zone's window from touching its neighbour's at the common edge.
constexpr double kWindowFrom = 3.0 / kDegreesPerRadian;
constexpr double kWindowTo = 33.0 / kDegreesPerRadian;
constexpr int kArcSegments = 24;

// Lengths of the card in millimetres, turned into the design's unit by `perMm`.
constexpr double kMarginMm = 12.0;
constexpr double kTitleMm = 14.0;
constexpr double kTextMm = 5.0;
constexpr double kLineMm = 0.3;
constexpr double kBarGapMm = 16.0;

// One window: between the zone's edges and between the angles (measured from the
// horizontal, up negative on the page), on the side `side` (+1 right, -1 left).
PolylineShape Window(DrawPoint centre, const CouderZone& zone, double from, double to, double side,
                     const Stroke& stroke) {
  PolylineShape window;
  window.closed = true;
  window.stroke = stroke;
  for (int k = 0; k <= kArcSegments; ++k) {
    const double angle = from + (to - from) * k / kArcSegments;
    window.points.push_back(
        {centre.x + side * zone.outer * std::cos(angle), centre.y - zone.outer * std::sin(angle)});
  }
  for (int k = kArcSegments; k >= 0; --k) {
    const double angle = from + (to - from) * k / kArcSegments;
    window.points.push_back(
        {centre.x + side * zone.inner * std::cos(angle), centre.y - zone.inner * std::sin(angle)});
  }
  return window;
}

}  // namespace

double CheckBarLength(LengthUnit unit) { return unit == LengthUnit::Inch ? 4.0 : 100.0; }

Drawing DrawCouderMask(const PrimaryUnderTest& primary, const std::vector<CouderZone>& zones) {
  const bool inch = primary.unit == LengthUnit::Inch;
  const double perMm = inch ? 1.0 / kMillimetresPerInch : 1.0;
  const double margin = kMarginMm * perMm;
  const double text = kTextMm * perMm;
  const double rim = primary.diameter / 2.0;
  const double bar = CheckBarLength(primary.unit);
  const Stroke cut{kInk, kLineMm * perMm, false};

  Drawing drawing;
  drawing.physicalUnit = inch ? "in" : "mm";
  drawing.title = "Couder mask of the primary, " + std::to_string(zones.size()) + " zones, 1:1";
  drawing.width = std::max(2.0 * rim, bar + 4.0 * text) + 2.0 * margin;
  const DrawPoint centre{drawing.width / 2.0, margin + kTitleMm * perMm + rim};
  const double barY = centre.y + rim + kBarGapMm * perMm;
  drawing.height = barY + text + margin;

  drawing.shapes.emplace_back(
      Label(centre.x, margin + text,
            "Couder mask: " + std::to_string(zones.size()) + " zones, print at 100 %",
            TextAnchor::Middle, text));
  size_t first = drawing.shapes.size();
  drawing.shapes.emplace_back(CircleShape{centre, rim, cut});
  drawing.shapes.emplace_back(LineShape{{centre.x - 2.0 * text, centre.y},
                                        {centre.x + 2.0 * text, centre.y},
                                        {kLineGrey, cut.width, false}});
  drawing.shapes.emplace_back(LineShape{{centre.x, centre.y - 2.0 * text},
                                        {centre.x, centre.y + 2.0 * text},
                                        {kLineGrey, cut.width, false}});
  NamePart(drawing, "rim", first);
  if (primary.shadowRadius > 0.0) {
    first = drawing.shapes.size();
    drawing.shapes.emplace_back(
        CircleShape{centre, primary.shadowRadius, {kLineGrey, cut.width, true}});
    NamePart(drawing, "shadow", first);
  }

  first = drawing.shapes.size();
  for (size_t i = 0; i < zones.size(); ++i) {
    const double up = i % 2 == 0 ? 1.0 : -1.0;
    for (double side : {1.0, -1.0}) {
      drawing.shapes.emplace_back(
          Window(centre, zones[i], up * kWindowFrom, up * kWindowTo, side, cut));
    }
  }
  NamePart(drawing, "openings", first);

  first = drawing.shapes.size();
  const double labelAngle = kWindowTo + 0.1;
  for (size_t i = 0; i < zones.size(); ++i) {
    const double up = i % 2 == 0 ? 1.0 : -1.0;
    const double y =
        centre.y - up * zones[i].radius * std::sin(labelAngle) + (up > 0 ? 0.0 : text * 0.8);
    for (double side : {1.0, -1.0}) {
      drawing.shapes.emplace_back(Label(centre.x + side * zones[i].radius * std::cos(labelAngle), y,
                                        std::to_string(i + 1), TextAnchor::Middle, text * 0.8));
    }
  }
  NamePart(drawing, "numbers", first);

  first = drawing.shapes.size();
  const double barX = centre.x - bar / 2.0;
  const Stroke barStroke{kInk, 2.0 * cut.width, false};
  drawing.shapes.emplace_back(LineShape{{barX, barY}, {barX + bar, barY}, barStroke});
  drawing.shapes.emplace_back(
      LineShape{{barX, barY - text / 2.0}, {barX, barY + text / 2.0}, barStroke});
  drawing.shapes.emplace_back(
      LineShape{{barX + bar, barY - text / 2.0}, {barX + bar, barY + text / 2.0}, barStroke});
  drawing.shapes.emplace_back(Label(centre.x, barY - text / 2.0 - 0.5 * perMm,
                                    inch ? "4 inch: check the print" : "100 mm: check the print",
                                    TextAnchor::Middle, text * 0.8));
  NamePart(drawing, "check bar", first);
  return drawing;
}

}  // namespace spekulor::mirrortests
