#include "trace/LayoutPicture.h"

#include <algorithm>
#include <cmath>

#include "drawing/Palette.h"
#include "drawing/PictureParts.h"
#include "trace/LengthText.h"
#include "trace/TelescopeSection.h"
#include "trace/RayTrace.h"
#include "support/Units.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;

namespace spekulor::trace {

namespace {

constexpr double kOpticsWidth = 860.0;  // pixels for the telescope's length
constexpr double kMostHeight = 420.0;   // pixels for the primary's diameter at most
constexpr double kMargin = 40.0;

struct RayPath {
  std::vector<Vec3> points;  // start, primary, secondary, image
  Vec3 finalDirection;
};

// Meridional rays of one star: near the rim and just outside the secondary's shadow,
// on both sides of the axis.
std::vector<RayPath> TraceFan(const Telescope& telescope, double fieldAngle, double startZ) {
  const Vec3 direction = StarDirection(fieldAngle);
  const double rim = telescope.primary.clearRadius;
  const double shadow = telescope.shadowRadius;
  const double shift = std::tan(fieldAngle) * (telescope.shadowZ - 0.0);
  const double inner = shadow + 0.15 * (rim - shadow);
  const double heights[] = {0.96 * rim, inner + shift, -inner + shift, -0.96 * rim};
  std::vector<RayPath> fan;
  for (double y : heights) {
    const Vec3 origin = RayOriginThrough(telescope, 0.0, y, direction, startZ);
    const TracedRay ray = TraceRay(telescope, origin, direction);
    if (ray.fate != RayFate::Imaged) continue;
    fan.push_back({{origin, ray.onPrimary, ray.onSecondary, ray.onImage}, ray.finalDirection});
  }
  return fan;
}

}  // namespace

Drawing BuildLayoutPicture(const DesignResult& design, TelescopeType type, LengthUnit unit) {
  const Telescope telescope = BuildTelescope(design);
  // The primary's diameter, the mirror distance and the back focal length.
  const double D = design.PriDia, d = design.PriSecDist, b = design.BackFocLen;
  const double rim = D / 2.0;
  const double secRim = telescope.secondary.clearRadius;
  const double halfField = design.FieldRad / 2.0;

  // Extent along the axis: the incoming light, the secondary with its blank, the
  // primary's blank and the focal plane.
  const double span = d + std::fabs(b);
  const double priBack = -std::min(D / 10.0, std::max(std::fabs(b) / 3.0, D / 40.0));
  const double secBack = telescope.shadowZ + std::max(design.SecDia / 8.0, D / 80.0);
  const double zStart = secBack + std::max(0.2 * span, 0.3 * D);
  const double zEnd = std::min({-b, priBack, 0.0}) - 0.04 * span;
  const double zTop = std::max(zStart, telescope.imageZ);

  Drawing drawing;
  drawing.title = std::string(TelescopeTypeName(type)) + " telescope in section";
  std::vector<TextBox> placed;
  const double top = 104.0;  // the primary's upper rim
  const SectionFrame frame = FitSection(zTop, zEnd, D, kMargin, top, kOpticsWidth, kMostHeight);
  const double bottom = frame(0.0, -rim).y;
  drawing.width = frame(zEnd, 0.0).x + kMargin;

  // Rays first, so that the mirrors are painted over their ends.
  const double startZ = zStart;
  const std::vector<RayPath> axisFan = TraceFan(telescope, 0.0, startZ);
  const std::vector<RayPath> fieldFan = TraceFan(telescope, halfField, startZ);
  double hole = 0.0;
  double imageHeight = 0.0;
  for (const auto* fan : {&axisFan, &fieldFan}) {
    const Colour colour = fan == &axisFan ? kAxisRays : kFieldRays;
    for (const RayPath& path : *fan) {
      AddRayPath(drawing, frame, path.points, colour);
      const Vec3& s = path.points[2];
      if (telescope.imageZ < 0.0 && path.finalDirection.z < 0.0) {
        const double atVertex = s.y + (0.0 - s.z) / path.finalDirection.z * path.finalDirection.y;
        hole = std::max(hole, std::fabs(atVertex));
      }
      imageHeight = std::max(imageHeight, std::fabs(path.points[3].y));
    }
  }
  hole = std::min(hole * 1.08 + D / 200.0, 0.45 * D);
  if (telescope.imageZ >= 0.0) hole = 0.0;

  // Mirrors and their blanks.
  AddMirrorInSection(drawing, frame, telescope.primary, hole, rim, priBack);
  AddMirrorInSection(drawing, frame, telescope.primary, -hole, -rim, priBack);
  AddMirrorInSection(drawing, frame, telescope.secondary, -secRim, secRim, secBack);

  // Optical axis and focal plane.
  LineShape axis{frame(zTop, 0.0), frame(zEnd, 0.0), {kLineGrey, 0.8, true}};
  drawing.shapes.emplace_back(axis);
  const double planeHalf = std::max(0.12 * D, 1.6 * imageHeight);
  drawing.shapes.emplace_back(
      LineShape{frame(-b, planeHalf), frame(-b, -planeHalf), {kFocus, 1.6, false}});

  const std::string subtitle =
      "D " + LengthText(D, unit) + ", F " + LengthText(design.SysFoc, unit) + " (f/" +
      FormatFixed(design.SysFoc / D, 1) + "), primary f/" + FormatFixed(design.PriFoc / D, 1) +
      ", fully illuminated field " + FormatFixed(design.FieldAng, 3) + "\xB0";
  AddTitleRows(drawing, placed, drawing.title + ", to scale", subtitle);

  // Mirror distance above the telescope, back focal length below it.
  const double xPrimary = frame(0.0, 0.0).x;
  const double xSecondary = frame(d, 0.0).x;
  const double xFocus = frame(-b, 0.0).x;
  const double mdLine = top - 18.0;
  const size_t mdFirst = drawing.shapes.size();
  AddDimension(drawing, xSecondary, xPrimary, mdLine, frame(d, secRim).y - 4.0, top - 4.0);
  NamePart(drawing, "mirror distance", mdFirst);
  AddTextAvoiding(drawing, placed,
                  {Label((xSecondary + xPrimary) / 2.0, mdLine - 7.0,
                         "mirror distance " + LengthText(d, unit), TextAnchor::Middle)});

  const double rowA = bottom + 22.0;
  const double bfLine = bottom + 36.0;
  const double rowC = bottom + 54.0;
  const size_t bfFirst = drawing.shapes.size();
  AddDimension(drawing, xPrimary, xFocus, bfLine, bottom + 4.0, frame(-b, -planeHalf).y + 4.0);
  NamePart(drawing, "back focal length", bfFirst);
  const std::string bfText = "back focal length " + LengthText(b, unit);
  AddTextAvoiding(drawing, placed,
                  {Label((xPrimary + xFocus) / 2.0, rowC, bfText, TextAnchor::Middle),
                   Label(std::max(xPrimary, xFocus) + 8.0, rowC, bfText, TextAnchor::Start)});

  // Names of the parts, under them; each moves aside when the row is taken.
  const double xPrimaryBlank = frame(priBack / 2.0, 0.0).x;
  AddTextAvoiding(drawing, placed,
                  {Label(xSecondary, rowA, "secondary", TextAnchor::Middle),
                   Label(xSecondary, mdLine - 7.0, "secondary", TextAnchor::Middle)});
  AddTextAvoiding(drawing, placed,
                  {Label(xPrimaryBlank, rowA, "primary", TextAnchor::Middle),
                   Label(xPrimaryBlank - 6.0, rowA, "primary", TextAnchor::End)});
  AddTextAvoiding(
      drawing, placed,
      {Label(xFocus, frame(-b, planeHalf).y - 6.0, "focal plane", TextAnchor::Middle, kLabelSize, kFocus),
       Label(xFocus + 6.0, rowA, "focal plane", TextAnchor::Start, kLabelSize, kFocus),
       Label(xFocus, rowA, "focal plane", TextAnchor::Middle, kLabelSize, kFocus)});

  // Legend: the two ray colours and a scale bar.
  const double legendY = bottom + 86.0;
  const std::string fieldText =
      "rays from the edge of the field, " + FormatFixed(design.FieldAng / 2.0, 3) + "\xB0 off the axis";
  const double x = AddStrokeLegend(drawing, placed, kMargin, legendY,
                                   {{{kAxisRays, 1.6, false}, "rays from the axis"},
                                    {{kFieldRays, 1.6, false}, fieldText}});
  AddSectionScaleBar(drawing, placed, x, legendY, frame, unit);

  FitWidthToTexts(drawing, placed, kMargin);
  drawing.height = legendY + 26.0;
  return drawing;
}

}  // namespace spekulor::trace
