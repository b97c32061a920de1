#include "camera/Illumination.h"

#include <cmath>

#include "baffles/BaffleChecks.h"
#include "trace/SpotDiagram.h"

using namespace spekulor::baffles;
using namespace spekulor::trace;

namespace spekulor::camera {

namespace {

bool HoleStops(const BlankHole& hole, const TracedRay& ray) {
  if (!(hole.radius > 0.0)) return false;
  if (std::hypot(ray.onPrimary.x, ray.onPrimary.y) < hole.radius) return true;
  double r = 0.0;
  if (RadiusAtPlane(ray.onSecondary, ray.onImage, hole.faceZ, r) && r > hole.radius) return true;
  return SegmentMeetsWall(ray.onSecondary, ray.onImage, hole.radius, hole.backZ, hole.faceZ);
}

bool Passes(const LightStops& stops, const Vec3& origin, const TracedRay& ray) {
  if (ray.fate != RayFate::Imaged || HoleStops(stops.hole, ray)) return false;
  return !stops.baffled ||
         !(SkirtShadows(stops.parts, origin, ray.onPrimary) || BafflesStopRay(stops.parts, origin, ray));
}

}  // namespace

double PassingShare(const Telescope& telescope, const LightStops& stops, double fieldAngle, int grid) {
  const double rim = telescope.primary.clearRadius;
  const std::vector<SpotPoint> points = SquareGrid(rim, 2.0 * rim / grid);
  if (points.empty()) return 0.0;
  const double startZ =
      StartPlane(telescope) +
      (stops.baffled ? std::fmax(0.0, stops.parts.skirtTopZ - telescope.shadowZ) : 0.0);
  const Vec3 direction = StarDirection(fieldAngle);
  int passing = 0;
  for (const SpotPoint& p : points) {
    const Vec3 origin = RayOriginThrough(telescope, p.x, p.y, direction, startZ);
    if (Passes(stops, origin, TraceRay(telescope, origin, direction))) ++passing;
  }
  return static_cast<double>(passing) / static_cast<double>(points.size());
}

std::vector<IlluminationPoint> IlluminationProfile(const Telescope& telescope, const LightStops& stops,
                                                   double cornerField, int points, int grid) {
  std::vector<IlluminationPoint> profile;
  double axis = 0.0;
  for (int k = 0; k < points; ++k) {
    IlluminationPoint point;
    point.fieldAngle = cornerField * k / (points - 1);
    point.radius = telescope.systemFocus * std::tan(point.fieldAngle);
    const double share = PassingShare(telescope, stops, point.fieldAngle, grid);
    if (k == 0) axis = share;
    point.relative = axis > 0.0 ? share / axis : 0.0;
    profile.push_back(point);
  }
  return profile;
}

}  // namespace spekulor::camera
