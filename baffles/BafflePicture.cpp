#include "baffles/BafflePicture.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "baffles/BaffleTrace.h"
#include "drawing/Palette.h"
#include "drawing/PictureParts.h"
#include "trace/LengthText.h"
#include "trace/TelescopeSection.h"
#include "trace/RayTrace.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::trace;

namespace spekulor::baffles {

namespace {

constexpr double kOpticsWidth = 860.0;  // pixels for the telescope's length
constexpr double kMostHeight = 380.0;   // pixels for the primary's diameter at most
constexpr double kMargin = 40.0;
constexpr double kTop = 130.0;          // the primary's upper rim
constexpr double kRowHeight = 18.0;
constexpr double kBaffleStroke = 3.0;

// A filled arrow head with its tip at `tip`, pointing down (direction 1) or up (-1).
void AddVerticalArrowHead(Drawing& drawing, DrawPoint tip, double direction) {
  PolylineShape head;
  head.points = {tip, {tip.x - 3.0, tip.y - direction * 8.0}, {tip.x + 3.0, tip.y - direction * 8.0}};
  head.closed = true;
  head.filled = true;
  head.fill = kInk;
  head.stroke = {kInk, 0.5, false};
  drawing.shapes.emplace_back(head);
}

// A diameter across the axis at x, from y1 to y2, arrows at both ends pointing outward.
void AddDiameter(Drawing& drawing, double x, double y1, double y2) {
  drawing.shapes.emplace_back(LineShape{{x, y1}, {x, y2}, {kInk, 0.9, false}});
  const double direction = y2 > y1 ? 1.0 : -1.0;
  AddVerticalArrowHead(drawing, {x, y2}, direction);
  AddVerticalArrowHead(drawing, {x, y1}, -direction);
}

// The meridional rays of one star that the picture shows: through the primary's rim
// on both sides and grazing the skirt where the light comes nearest the axis.
std::vector<std::vector<Vec3>> TraceBeam(const Telescope& bare, const BaffleParts& parts,
                                         double fieldAngle) {
  const Vec3 direction = StarDirection(fieldAngle);
  const double startZ = StartPlane(bare);
  const double rim = 0.999 * bare.primary.clearRadius;
  const double graze = parts.skirtRadius * (1.0 + 1e-6);
  const Vec3 origins[] = {RayOriginThrough(bare, 0.0, rim, direction, startZ),
                          RayOriginAt({0.0, graze, parts.skirtTopZ}, direction, startZ),
                          RayOriginAt({0.0, -graze, parts.skirtZ}, direction, startZ),
                          RayOriginThrough(bare, 0.0, -rim, direction, startZ)};
  std::vector<std::vector<Vec3>> beam;
  for (const Vec3& origin : origins) {
    const TracedRay ray = TraceRay(bare, origin, direction);
    if (ray.fate != RayFate::Imaged || SkirtShadows(parts, origin, ray.onPrimary)) continue;
    beam.push_back({origin, ray.onPrimary, ray.onSecondary, ray.onImage});
  }
  return beam;
}

}  // namespace

Drawing BuildBafflePicture(const BafflePlan& plan, const DesignResult& design, TelescopeType type,
                           LengthUnit unit) {
  const Telescope bare = BareTelescope(design);
  const BaffleParts& parts = plan.parts;
  const double D = design.PriDia;
  const double d = design.PriSecDist;
  const double b = design.BackFocLen;
  const double rim = D / 2.0;
  const double h = plan.frame.imageRadius;
  const double secRim = design.SecDia / 2.0;
  const double back = plan.focus.primaryBackZ;

  // Extent along the axis: the incoming light, the secondary's blank and cell, the
  // primary's blank, the tube and the focal plane.
  const double span = d + b;
  const double secBack = parts.skirtTopZ + std::max(design.SecDia / 8.0, D / 80.0);
  const double zStart = secBack + std::max(0.12 * span, 0.2 * D);
  const double zEnd = std::min({-b, back, parts.tubeBottomZ}) - 0.04 * span;

  const SectionFrame frame = FitSection(zStart, zEnd, D, kMargin, kTop, kOpticsWidth, kMostHeight);
  const double bottom = frame(0.0, -rim).y;

  Drawing drawing;
  drawing.title = std::string(TelescopeTypeName(type)) + " telescope with its baffles and central hole";
  drawing.width = frame(zEnd, 0.0).x + kMargin;
  std::vector<TextBox> placed;

  // The field's light first, so that the mirrors and baffles are painted over it.
  for (const double fieldAngle : {0.0, plan.frame.halfField}) {
    const Colour colour = fieldAngle == 0.0 ? kAxisRays : kFieldRays;
    for (const std::vector<Vec3>& path : TraceBeam(bare, parts, fieldAngle)) {
      AddRayPath(drawing, frame, path, colour);
    }
  }

  // Mirrors: the primary bored for the tube or the light, the secondary on its cell.
  AddMirrorInSection(drawing, frame, bare.primary, parts.boreRadius, rim, back);
  AddMirrorInSection(drawing, frame, bare.primary, -parts.boreRadius, -rim, back);
  AddMirrorInSection(drawing, frame, bare.secondary, -secRim, secRim, secBack);

  // The extreme lines of skylight: from the image circle's edge past the far edge of
  // the tube's mouth, until they meet the skirt's open end.
  const double skyAtSkirt = SkyLineRadius(h, -b, parts.tubeRadius, parts.tubeZ, parts.skirtZ);
  const size_t skyFirst = drawing.shapes.size();
  for (double side : {1.0, -1.0}) {
    drawing.shapes.emplace_back(LineShape{frame(-b, -side * h), frame(parts.skirtZ, side * skyAtSkirt),
                                          {kSkyLine, 1.2, true}});
  }
  NamePart(drawing, "skylight lines", skyFirst);

  // The baffles: the skirt closed by the secondary's cell, the tube down through the bore.
  const Stroke baffle{kBaffle, kBaffleStroke, false};
  const size_t skirtFirst = drawing.shapes.size();
  for (double side : {1.0, -1.0}) {
    drawing.shapes.emplace_back(LineShape{frame(parts.skirtZ, side * parts.skirtRadius),
                                          frame(secBack, side * parts.skirtRadius), baffle});
  }
  drawing.shapes.emplace_back(
      LineShape{frame(secBack, parts.skirtRadius), frame(secBack, -parts.skirtRadius), baffle});
  NamePart(drawing, "secondary baffle", skirtFirst);
  const size_t tubeFirst = drawing.shapes.size();
  for (double side : {1.0, -1.0}) {
    drawing.shapes.emplace_back(LineShape{frame(parts.tubeBottomZ, side * parts.tubeRadius),
                                          frame(parts.tubeZ, side * parts.tubeRadius), baffle});
  }
  NamePart(drawing, "primary baffle", tubeFirst);

  // Axis, focal plane and image circle.
  drawing.shapes.emplace_back(LineShape{frame(zStart, 0.0), frame(zEnd, 0.0), {kLineGrey, 0.8, true}});
  const double planeHalf = std::max(0.1 * D, 1.6 * h);
  drawing.shapes.emplace_back(LineShape{frame(-b, planeHalf), frame(-b, -planeHalf), {kFocus, 1.6, false}});
  drawing.shapes.emplace_back(LineShape{frame(-b, h), frame(-b, -h), {kFocus, 4.0, false}});

  // Diameters across the parts they measure.
  const double xSkirt = frame(parts.skirtZ, 0.0).x;
  const double xMouth = frame(parts.tubeZ, 0.0).x;
  const double xPrimary = frame(0.0, 0.0).x;
  const double xSecondary = frame(d, 0.0).x;
  const double xFocus = frame(-b, 0.0).x;
  size_t first = drawing.shapes.size();
  AddDiameter(drawing, xSkirt - 6.0, frame(0.0, parts.skirtRadius).y, frame(0.0, -parts.skirtRadius).y);
  NamePart(drawing, "skirt diameter", first);
  first = drawing.shapes.size();
  AddDiameter(drawing, xMouth - 6.0, frame(0.0, parts.tubeRadius).y, frame(0.0, -parts.tubeRadius).y);
  NamePart(drawing, "tube diameter", first);

  const std::string subtitle = "D " + LengthText(D, unit) + ", F " + LengthText(design.SysFoc, unit) +
                               ", fully illuminated field " + FormatFixed(design.FieldAng, 3) +
                               "\xB0, image circle " + LengthText(2.0 * h, unit) + " across";
  AddTitleRows(drawing, placed, drawing.title + ", to scale", subtitle);

  // The baffles' places above the telescope.
  const double skirtLine = kTop - 46.0;
  const double mouthLine = kTop - 18.0;
  first = drawing.shapes.size();
  AddDimension(drawing, xSecondary, xSkirt, skirtLine, frame(d, secRim).y - 4.0,
               frame(parts.skirtZ, parts.skirtRadius).y - 4.0);
  NamePart(drawing, "skirt end", first);
  const std::string skirtText = "skirt ends " + LengthText(d - parts.skirtZ, unit) + " below the secondary";
  AddTextAvoiding(drawing, placed,
                  {Label((xSecondary + xSkirt) / 2.0, skirtLine - 7.0, skirtText, TextAnchor::Middle),
                   Label(std::min(xSecondary, xSkirt) - 8.0, skirtLine + 4.0, skirtText, TextAnchor::End),
                   Label(std::max(xSecondary, xSkirt) + 8.0, skirtLine + 4.0, skirtText, TextAnchor::Start)});
  first = drawing.shapes.size();
  AddDimension(drawing, xMouth, xPrimary, mouthLine, frame(parts.tubeZ, parts.tubeRadius).y - 4.0,
               kTop - 4.0);
  NamePart(drawing, "tube mouth", first);
  const std::string mouthText = "tube's mouth " + LengthText(parts.tubeZ, unit) + " in front of the primary";
  AddTextAvoiding(drawing, placed,
                  {Label((xMouth + xPrimary) / 2.0, mouthLine - 7.0, mouthText, TextAnchor::Middle),
                   Label(xPrimary + 8.0, mouthLine + 4.0, mouthText, TextAnchor::Start)});

  // Names and diameters under the parts; each moves down a row when its place is taken.
  const auto addUnder = [&](double x, const std::string& text, Colour colour) {
    std::vector<TextShape> candidates;
    for (int row = 0; row < 4; ++row) {
      candidates.push_back(
          Label(x, bottom + 24.0 + row * kRowHeight, text, TextAnchor::Middle, kLabelSize, colour));
    }
    AddTextAvoiding(drawing, placed, candidates);
  };
  addUnder(xSkirt, "secondary baffle \xD8 " + LengthText(2.0 * parts.skirtRadius, unit), kInk);
  addUnder(xMouth, "primary baffle \xD8 " + LengthText(2.0 * parts.tubeRadius, unit), kInk);
  std::string holeText = "hole \xD8 " + LengthText(plan.hole, unit);
  if (parts.boreRadius > plan.hole / 2.0) holeText += ", bore \xD8 " + LengthText(2.0 * parts.boreRadius, unit);
  addUnder(xPrimary, holeText, kInk);
  addUnder(xFocus, "image circle \xD8 " + LengthText(2.0 * h, unit), kFocus);
  addUnder(xSecondary, "secondary", kInk);

  // Legend: the rays, the skylight lines and a scale bar.
  const double legendY = bottom + 24.0 + 3.0 * kRowHeight + 22.0;
  const double x = AddStrokeLegend(drawing, placed, kMargin, legendY,
                                   {{{kAxisRays, 1.6, false}, "rays from the axis"},
                                    {{kFieldRays, 1.6, false}, "rays from the field's edge"},
                                    {{kSkyLine, 1.6, true}, "extreme skylight lines"}});
  AddSectionScaleBar(drawing, placed, x, legendY, frame, unit);

  FitWidthToTexts(drawing, placed, kMargin);
  drawing.height = legendY + 26.0;
  return drawing;
}

}  // namespace spekulor::baffles
