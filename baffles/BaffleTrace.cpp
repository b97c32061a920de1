#include "baffles/BaffleTrace.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "support/Units.h"

using namespace spekulor::support;
using namespace spekulor::trace;

namespace spekulor::baffles {

namespace {

constexpr double kJustInside = 1.0 - 1e-12;   // a rim point that the rim does not clip
constexpr double kJustOutside = 1.0 + 1e-9;   // a grazing point that the skirt does not stop
constexpr int kGrazingAzimuths = 13;          // on a half turn, both meridional ends included

}  // namespace

Vec3 RayOriginAt(const Vec3& point, const Vec3& direction, double startZ) {
  return point + ((startZ - point.z) / direction.z) * direction;
}

std::vector<BeamRay> TraceRimRays(const Telescope& bare, double halfField, int azimuths) {
  std::vector<BeamRay> rays;
  const double startZ = StartPlane(bare);
  const double rim = bare.primary.clearRadius * kJustInside;
  for (double fraction : kBaffleFieldFractions) {
    const Vec3 direction = StarDirection(fraction * halfField);
    for (int k = 0; k < azimuths; ++k) {
      const double phi = 2.0 * kPi * k / azimuths;
      const Vec3 origin =
          RayOriginThrough(bare, rim * std::cos(phi), rim * std::sin(phi), direction, startZ);
      const TracedRay ray = TraceRay(bare, origin, direction);
      if (ray.fate != RayFate::Imaged) continue;
      rays.push_back({origin, ray.onPrimary, ray.onSecondary, ray.onImage});
    }
  }
  return rays;
}

double BeamRadiusAt(const std::vector<BeamRay>& rays, double z, bool primaryBeam) {
  double widest = 0.0;
  double r = 0.0;
  for (const BeamRay& ray : rays) {
    if (primaryBeam && RadiusAtPlane(ray.onPrimary, ray.onSecondary, z, r)) widest = std::max(widest, r);
    if (RadiusAtPlane(ray.onSecondary, ray.onImage, z, r)) widest = std::max(widest, r);
  }
  return widest;
}

double HoleRadius(const Telescope& bare, const std::vector<BeamRay>& rays) {
  double widest = 0.0;
  for (const BeamRay& ray : rays) {
    const Vec3 path = ray.onImage - ray.onSecondary;
    const Vec3 direction = (1.0 / std::sqrt(Dot(path, path))) * path;
    double t = 0.0;
    if (!IntersectMirror(bare.primary, ray.onSecondary, direction, t)) continue;
    const Vec3 p = ray.onSecondary + t * direction;
    widest = std::max(widest, std::hypot(p.x, p.y));
  }
  return widest;
}

double InnerLightClearance(const Telescope& bare, double halfField, const BaffleParts& parts,
                           double z, int azimuths) {
  double nearest = std::numeric_limits<double>::infinity();
  const double startZ = StartPlane(bare) + std::max(0.0, parts.skirtTopZ - bare.shadowZ);
  const double radius = parts.skirtRadius * kJustOutside;
  const double low = -std::numeric_limits<double>::infinity();
  for (double fraction : kBaffleFieldFractions) {
    const Vec3 direction = StarDirection(fraction * halfField);
    for (int k = 0; k < azimuths; ++k) {
      const double phi = -kPi / 2.0 + kPi * k / (azimuths - 1);
      for (double rimZ : {parts.skirtZ, parts.skirtTopZ}) {
        const Vec3 origin = RayOriginAt(
            {radius * std::cos(phi), radius * std::sin(phi), rimZ}, direction, startZ);
        const TracedRay ray = TraceRay(bare, origin, direction);
        if (ray.fate != RayFate::Imaged) continue;
        if (SkirtShadows(parts, origin, ray.onPrimary)) continue;
        nearest = std::min({nearest, NearestToAxis(origin, ray.onPrimary, low, z),
                            NearestToAxis(ray.onPrimary, ray.onSecondary, low, z)});
      }
    }
  }
  return nearest;
}

BaffleNeeds ExactNeeds(const Telescope& bare, const BaffleFrame& frame,
                       const std::vector<BeamRay>& rimRays, double holeRadius) {
  const double margin = kRoundingMargin * frame.diameter;
  const double halfField = frame.halfField;
  const double topZ = bare.shadowZ;
  const double secondaryRim = frame.secondaryBeamRadius;
  BaffleNeeds needs;
  needs.skirtRadius = [&rimRays, margin, secondaryRim](double zs) {
    return std::max(BeamRadiusAt(rimRays, zs, true), secondaryRim) + margin;
  };
  needs.tubeRadius = [&rimRays, margin](double zp) {
    return BeamRadiusAt(rimRays, zp, false) + margin;
  };
  needs.innerClearance = [&bare, halfField, topZ, margin, skirt = needs.skirtRadius](double zs,
                                                                                   double zp) {
    BaffleParts parts;
    parts.skirtRadius = skirt(zs);
    parts.skirtZ = zs;
    parts.skirtTopZ = std::max(topZ, zs);
    return InnerLightClearance(bare, halfField, parts, zp, kGrazingAzimuths) - margin;
  };
  needs.holeRadius = holeRadius;
  needs.imageRadius = frame.imageRadius;
  needs.imageZ = -frame.backFocus;
  needs.secondaryZ = frame.spacing;
  return needs;
}

}  // namespace spekulor::baffles
