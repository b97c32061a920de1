#include "LayoutPicture.h"

#include <algorithm>
#include <cmath>

#include "RayTrace.h"
#include "Units.h"

namespace {

const Colour kInk{0x1a, 0x1a, 0x1a};
const Colour kGrey{0x80, 0x80, 0x80};
const Colour kGlass{0xd5, 0xe1, 0xec};
const Colour kAxisRays{0x1f, 0x5f, 0xbf};
const Colour kFieldRays{0xc8, 0x3c, 0x1e};
const Colour kFocus{0x2e, 0x7d, 0x32};

constexpr double kOpticsWidth = 860.0;  // pixels for the telescope's length
constexpr double kMostHeight = 420.0;   // pixels for the primary's diameter at most
constexpr double kMargin = 40.0;
constexpr double kTitleSize = 16.0;
constexpr double kLabelSize = 12.0;

// Maps optical coordinates (z along the axis, y across) to the picture: the sky on
// the left, the focus on the right.
struct Frame {
  double zLeft = 0.0;
  double scale = 1.0;
  double left = 0.0;
  double axisY = 0.0;
  DrawPoint operator()(double z, double y) const {
    return {left + (zLeft - z) * scale, axisY - y * scale};
  }
};

TextShape Label(double x, double y, const std::string& text, TextAnchor anchor,
                double size = kLabelSize, Colour colour = kInk) {
  TextShape shape;
  shape.at = {x, y};
  shape.text = text;
  shape.size = size;
  shape.anchor = anchor;
  shape.colour = colour;
  return shape;
}

std::string Length(double value, LengthUnit unit) {
  return FormatFixed(value, 2) + UnitSuffix(unit);
}

void AddArrowHead(Drawing& drawing, DrawPoint tip, double direction, Colour colour) {
  PolylineShape head;
  head.points = {tip, {tip.x - direction * 8.0, tip.y - 3.0}, {tip.x - direction * 8.0, tip.y + 3.0}};
  head.closed = true;
  head.filled = true;
  head.fill = colour;
  head.stroke = {colour, 0.5, false};
  drawing.shapes.emplace_back(head);
}

// A horizontal dimension between x1 and x2 on the line at lineY, with extension lines
// from fromY1 and fromY2 and arrows at both ends pointing outward to the extension lines.
void AddDimension(Drawing& drawing, double x1, double x2, double lineY, double fromY1,
                  double fromY2) {
  const Stroke thin{kGrey, 0.8, false};
  const double overshoot = lineY < fromY1 ? -5.0 : 5.0;
  drawing.shapes.emplace_back(LineShape{{x1, fromY1}, {x1, lineY + overshoot}, thin});
  drawing.shapes.emplace_back(LineShape{{x2, fromY2}, {x2, lineY + overshoot}, thin});
  drawing.shapes.emplace_back(LineShape{{x1, lineY}, {x2, lineY}, {kInk, 0.9, false}});
  const double direction = x2 > x1 ? 1.0 : -1.0;
  AddArrowHead(drawing, {x2, lineY}, direction, kInk);
  AddArrowHead(drawing, {x1, lineY}, -direction, kInk);
}

// Points of a mirror's profile in the meridional section between radii r1 and r2.
std::vector<DrawPoint> Profile(const Frame& frame, const ConicMirror& mirror, double r1,
                               double r2) {
  std::vector<DrawPoint> points;
  const int steps = 48;
  for (int i = 0; i <= steps; ++i) {
    const double r = r1 + (r2 - r1) * i / steps;
    points.push_back(frame(mirror.vertexZ + MirrorSag(mirror, r), r));
  }
  return points;
}

// The blank behind a mirror between radii r1 and r2: its surface, then the flat back
// at z = backZ.
void AddBlank(Drawing& drawing, const Frame& frame, const ConicMirror& mirror, double r1,
              double r2, double backZ) {
  PolylineShape blank;
  blank.points = Profile(frame, mirror, r1, r2);
  blank.points.push_back(frame(backZ, r2));
  blank.points.push_back(frame(backZ, r1));
  blank.closed = true;
  blank.filled = true;
  blank.fill = kGlass;
  blank.stroke = {kGrey, 0.8, false};
  drawing.shapes.emplace_back(blank);
}

void AddSurface(Drawing& drawing, const Frame& frame, const ConicMirror& mirror, double r1,
                double r2) {
  PolylineShape surface;
  surface.points = Profile(frame, mirror, r1, r2);
  surface.stroke = {kInk, 2.2, false};
  drawing.shapes.emplace_back(surface);
}

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

double RoundScaleLength(double most) {
  if (!(most > 0.0) || !std::isfinite(most)) return 0.0;
  const double power = std::pow(10.0, std::floor(std::log10(most)));
  for (double step : {5.0, 2.0, 1.0}) {
    if (step * power <= most * (1.0 + 1e-12)) return step * power;
  }
  return power;
}

Drawing BuildLayoutPicture(const DesignResult& design, TelescopeType type, LengthUnit unit) {
  const Telescope telescope = BuildTelescope(design);
  const double D = design.PriDia;
  const double d = design.PriSecDist;
  const double b = design.BackFocLen;
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

  Frame frame;
  frame.zLeft = zTop;
  frame.scale = std::min(kOpticsWidth / (zTop - zEnd), kMostHeight / D);
  frame.left = kMargin;
  const double top = 104.0;  // the primary's upper rim
  frame.axisY = top + rim * frame.scale;
  const double bottom = frame.axisY + rim * frame.scale;

  Drawing drawing;
  drawing.title = std::string(TelescopeTypeName(type)) + " telescope in section";
  drawing.width = 2.0 * kMargin + (zTop - zEnd) * frame.scale;
  std::vector<TextBox> placed;

  // Rays first, so that the mirrors are painted over their ends.
  const double startZ = zStart;
  const std::vector<RayPath> axisFan = TraceFan(telescope, 0.0, startZ);
  const std::vector<RayPath> fieldFan = TraceFan(telescope, halfField, startZ);
  double hole = 0.0;
  double imageHeight = 0.0;
  for (const auto* fan : {&axisFan, &fieldFan}) {
    const Colour colour = fan == &axisFan ? kAxisRays : kFieldRays;
    for (const RayPath& path : *fan) {
      PolylineShape line;
      for (const Vec3& p : path.points) line.points.push_back(frame(p.z, p.y));
      line.stroke = {colour, 1.0, false};
      drawing.shapes.emplace_back(line);
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
  AddBlank(drawing, frame, telescope.primary, hole, rim, priBack);
  AddBlank(drawing, frame, telescope.primary, -hole, -rim, priBack);
  AddBlank(drawing, frame, telescope.secondary, -secRim, secRim, secBack);
  AddSurface(drawing, frame, telescope.primary, hole, rim);
  AddSurface(drawing, frame, telescope.primary, -hole, -rim);
  AddSurface(drawing, frame, telescope.secondary, -secRim, secRim);

  // Optical axis and focal plane.
  LineShape axis{frame(zTop, 0.0), frame(zEnd, 0.0), {kGrey, 0.8, true}};
  drawing.shapes.emplace_back(axis);
  const double planeHalf = std::max(0.12 * D, 1.6 * imageHeight);
  drawing.shapes.emplace_back(
      LineShape{frame(-b, planeHalf), frame(-b, -planeHalf), {kFocus, 1.6, false}});

  // Title and subtitle.
  const double centreX = drawing.width / 2.0;
  AddTextAvoiding(drawing, placed,
                  {[&] {
                    TextShape t = Label(centreX, 28.0, drawing.title + ", to scale",
                                        TextAnchor::Middle, kTitleSize);
                    t.bold = true;
                    return t;
                  }()});
  const std::string subtitle =
      "D " + Length(D, unit) + ", F " + Length(design.SysFoc, unit) + " (f/" +
      FormatFixed(design.SysFoc / D, 1) + "), primary f/" + FormatFixed(design.PriFoc / D, 1) +
      ", fully illuminated field " + FormatFixed(design.FieldAng, 3) + "\xB0";
  AddTextAvoiding(drawing, placed, {Label(centreX, 48.0, subtitle, TextAnchor::Middle)});

  // Mirror distance above the telescope, back focal length below it.
  const double xPrimary = frame(0.0, 0.0).x;
  const double xSecondary = frame(d, 0.0).x;
  const double xFocus = frame(-b, 0.0).x;
  const double mdLine = top - 18.0;
  AddDimension(drawing, xSecondary, xPrimary, mdLine, frame(d, secRim).y - 4.0, top - 4.0);
  AddTextAvoiding(drawing, placed,
                  {Label((xSecondary + xPrimary) / 2.0, mdLine - 7.0,
                         "mirror distance " + Length(d, unit), TextAnchor::Middle)});

  const double rowA = bottom + 22.0;
  const double bfLine = bottom + 36.0;
  const double rowC = bottom + 54.0;
  AddDimension(drawing, xPrimary, xFocus, bfLine, bottom + 4.0, frame(-b, -planeHalf).y + 4.0);
  const std::string bfText = "back focal length " + Length(b, unit);
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
  double x = kMargin;
  const std::string fieldText =
      "rays from the edge of the field, " + FormatFixed(design.FieldAng / 2.0, 3) + "\xB0 off the axis";
  for (int i = 0; i < 2; ++i) {
    const Colour colour = i == 0 ? kAxisRays : kFieldRays;
    drawing.shapes.emplace_back(LineShape{{x, legendY - 4.0}, {x + 26.0, legendY - 4.0}, {colour, 1.6, false}});
    const TextShape text =
        Label(x + 32.0, legendY, i == 0 ? std::string("rays from the axis") : fieldText, TextAnchor::Start);
    AddTextAvoiding(drawing, placed, {text});
    x = EstimateTextBox(text).right + 24.0;
  }
  const double barLength = RoundScaleLength(120.0 / frame.scale);
  const double barPixels = barLength * frame.scale;
  const Stroke bar{kInk, 1.6, false};
  drawing.shapes.emplace_back(LineShape{{x, legendY - 4.0}, {x + barPixels, legendY - 4.0}, bar});
  drawing.shapes.emplace_back(LineShape{{x, legendY - 9.0}, {x, legendY + 1.0}, bar});
  drawing.shapes.emplace_back(
      LineShape{{x + barPixels, legendY - 9.0}, {x + barPixels, legendY + 1.0}, bar});
  const TextShape barText =
      Label(x + barPixels + 8.0, legendY, FormatFixed(barLength, barLength < 1.0 ? 3 : 0) + UnitSuffix(unit),
            TextAnchor::Start);
  AddTextAvoiding(drawing, placed, {barText});

  // Wide enough for every text, with the margin on both sides.
  double right = drawing.width - kMargin;
  for (const TextBox& box : placed) right = std::max(right, box.right);
  drawing.width = right + kMargin;
  drawing.height = legendY + 26.0;
  return drawing;
}
