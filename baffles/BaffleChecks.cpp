#include "baffles/BaffleChecks.h"

#include <cmath>
#include <vector>

#include "baffles/BaffleTrace.h"
#include "trace/SpotDiagram.h"
#include "support/Units.h"

using namespace spekulor::support;
using namespace spekulor::trace;

namespace spekulor::baffles {

namespace {

constexpr int kGridAcross = 24;       // grid spacing D / 24 on the primary
constexpr int kEdgeAzimuths = 48;     // rim and skirt-silhouette points per turn
constexpr int kImageAzimuths = 8;     // points per ring of the image circle
constexpr int kMouthAzimuths = 48;    // points on the mouth's edge
constexpr double kInsideMouth = 1.0 - 1e-9;

}  // namespace

bool BafflesStopRay(const BaffleParts& parts, const Vec3& start, const TracedRay& ray) {
  const double rs = parts.skirtRadius;
  const double rp = parts.tubeRadius;
  // On the way in: the tube's outside, and the bore.
  if (SegmentMeetsWall(start, ray.onPrimary, rp, parts.tubeBottomZ, parts.tubeZ)) return true;
  if (std::hypot(ray.onPrimary.x, ray.onPrimary.y) < parts.boreRadius) return true;
  // Up to the secondary: past the tube, into the skirt through its open end.
  if (SegmentMeetsWall(ray.onPrimary, ray.onSecondary, rp, parts.tubeBottomZ, parts.tubeZ)) return true;
  if (SegmentMeetsWall(ray.onPrimary, ray.onSecondary, rs, parts.skirtZ, parts.skirtTopZ)) return true;
  // Down to the image: out of the skirt, into the tube through its mouth, through the bore.
  if (SegmentMeetsWall(ray.onSecondary, ray.onImage, rs, parts.skirtZ, parts.skirtTopZ)) return true;
  if (SegmentMeetsWall(ray.onSecondary, ray.onImage, rp, parts.tubeBottomZ, parts.tubeZ)) return true;
  double r = 0.0;
  return RadiusAtPlane(ray.onSecondary, ray.onImage, parts.boreZ, r) && r > parts.boreRadius;
}

FieldRayCheck CheckFieldRays(const Telescope& bare, double halfField, const BaffleParts& parts) {
  FieldRayCheck check;
  const double startZ = StartPlane(bare) + std::fmax(0.0, parts.skirtTopZ - bare.shadowZ);
  const double rim = bare.primary.clearRadius;
  const std::vector<SpotPoint> grid = SquareGrid(rim, 2.0 * rim / kGridAcross);
  for (double fraction : kBaffleFieldFractions) {
    const Vec3 direction = StarDirection(fraction * halfField);
    std::vector<Vec3> origins;
    for (const SpotPoint& p : grid) origins.push_back(RayOriginThrough(bare, p.x, p.y, direction, startZ));
    for (int k = 0; k < kEdgeAzimuths; ++k) {
      const double c = std::cos(2.0 * kPi * k / kEdgeAzimuths);
      const double s = std::sin(2.0 * kPi * k / kEdgeAzimuths);
      origins.push_back(RayOriginThrough(bare, rim * (1.0 - 1e-12) * c, rim * (1.0 - 1e-12) * s,
                                         direction, startZ));
      const double graze = parts.skirtRadius * (1.0 + 1e-9);
      for (double z : {parts.skirtZ, parts.skirtTopZ}) {
        origins.push_back(RayOriginAt({graze * c, graze * s, z}, direction, startZ));
      }
    }
    for (const Vec3& origin : origins) {
      const TracedRay ray = TraceRay(bare, origin, direction);
      if (ray.fate != RayFate::Imaged || SkirtShadows(parts, origin, ray.onPrimary)) continue;
      ++check.rays;
      if (BafflesStopRay(parts, origin, ray)) ++check.blocked;
    }
  }
  return check;
}

SkyLineCheck CheckSkyLines(const BaffleParts& parts, double imageRadius, double imageZ) {
  SkyLineCheck check;
  std::vector<Vec3> imagePoints = {{0.0, 0.0, imageZ}};
  for (double ring : {0.5, 1.0}) {
    for (int k = 0; k < kImageAzimuths; ++k) {
      const double phi = 2.0 * kPi * k / kImageAzimuths;
      imagePoints.push_back(
          {ring * imageRadius * std::cos(phi), ring * imageRadius * std::sin(phi), imageZ});
    }
  }
  const double mouth = parts.tubeRadius * kInsideMouth;
  const double skyZ = parts.skirtTopZ + (parts.skirtTopZ - imageZ);
  for (const Vec3& from : imagePoints) {
    for (int k = 0; k < kMouthAzimuths; ++k) {
      const double phi = 2.0 * kPi * k / kMouthAzimuths;
      const Vec3 through{mouth * std::cos(phi), mouth * std::sin(phi), parts.tubeZ};
      const Vec3 to = from + ((skyZ - from.z) / (through.z - from.z)) * (through - from);
      ++check.lines;
      if (SegmentMeetsWall(from, to, parts.tubeRadius, parts.tubeBottomZ, parts.tubeZ)) continue;
      double r = 0.0;
      if (RadiusAtPlane(from, to, parts.boreZ, r) && r > parts.boreRadius) continue;
      if (SkirtShadows(parts, to, from)) continue;
      ++check.reaching;
    }
  }
  return check;
}

}  // namespace spekulor::baffles
