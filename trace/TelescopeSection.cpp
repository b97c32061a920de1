#include "trace/TelescopeSection.h"

#include "drawing/Formats.h"
#include "drawing/Palette.h"
#include "drawing/PictureParts.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;

namespace spekulor::trace {

namespace {

std::vector<DrawPoint> Profile(const SectionFrame& frame, const ConicMirror& mirror, double r1,
                               double r2) {
  std::vector<DrawPoint> points;
  const int steps = 48;
  for (int i = 0; i <= steps; ++i) {
    const double r = r1 + (r2 - r1) * i / steps;
    points.push_back(frame(mirror.vertexZ + MirrorSag(mirror, r), r));
  }
  return points;
}

}  // namespace

void AddMirrorInSection(Drawing& drawing, const SectionFrame& frame, const ConicMirror& mirror,
                        double r1, double r2, double backZ) {
  PolylineShape blank;
  blank.points = Profile(frame, mirror, r1, r2);
  blank.points.push_back(frame(backZ, r2));
  blank.points.push_back(frame(backZ, r1));
  blank.closed = true;
  blank.filled = true;
  blank.fill = kGlass;
  blank.stroke = {kLineGrey, 0.8, false};
  drawing.shapes.emplace_back(blank);
  PolylineShape surface;
  surface.points = Profile(frame, mirror, r1, r2);
  surface.stroke = {kInk, 2.2, false};
  drawing.shapes.emplace_back(surface);
}

void AddRayPath(Drawing& drawing, const SectionFrame& frame, const std::vector<Vec3>& points,
                Colour colour) {
  PolylineShape line;
  for (const Vec3& p : points) line.points.push_back(frame(p.z, p.y));
  line.stroke = {colour, 1.0, false};
  drawing.shapes.emplace_back(line);
}

void AddSectionScaleBar(Drawing& drawing, std::vector<TextBox>& placed, double x, double y,
                        const SectionFrame& frame, LengthUnit unit) {
  const double length = RoundScaleLength(120.0 / frame.scale);
  const size_t first = drawing.shapes.size();
  AddScaleBar(drawing, placed, x, y, length * frame.scale,
              FormatScaleLength(length) + UnitSuffix(unit));
  NamePart(drawing, "scale bar", first);
}

}  // namespace spekulor::trace
