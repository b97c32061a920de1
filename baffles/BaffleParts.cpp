#include "baffles/BaffleParts.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace spekulor::calc;
using namespace spekulor::trace;

namespace spekulor::baffles {

BaffleParts MakeBaffleParts(const BafflePair& pair, const Telescope& telescope, double holeRadius,
                            double tubeBottomZ) {
  BaffleParts parts;
  parts.skirtRadius = pair.skirtRadius;
  parts.skirtZ = pair.skirtZ;
  parts.skirtTopZ = std::max(telescope.shadowZ, pair.skirtZ);
  parts.tubeRadius = pair.tubeRadius;
  parts.tubeZ = pair.tubeZ;
  parts.tubeBottomZ = std::min(tubeBottomZ, pair.tubeZ);
  parts.boreRadius = std::max(holeRadius, pair.tubeRadius);
  parts.boreZ = MirrorSag(telescope.primary, parts.boreRadius);
  return parts;
}

Telescope BareTelescope(const DesignResult& design) {
  Telescope telescope = BuildTelescope(design);
  telescope.shadowRadius = 0.0;
  telescope.secondary.clearRadius = telescope.primary.clearRadius;
  return telescope;
}

bool SegmentMeetsWall(const Vec3& a, const Vec3& b, double radius, double zLow, double zHigh) {
  const Vec3 d = b - a;
  const double A = d.x * d.x + d.y * d.y;
  if (!(A > 0.0)) return false;  // along the axis: never crosses a wall
  const double B = a.x * d.x + a.y * d.y;
  const double C = a.x * a.x + a.y * a.y - radius * radius;
  const double disc = B * B - A * C;
  if (!(disc >= 0.0)) return false;
  const double root = std::sqrt(disc);
  for (double s : {(-B - root) / A, (-B + root) / A}) {
    if (s < 0.0 || s > 1.0) continue;
    const double z = a.z + s * d.z;
    if (z >= zLow && z <= zHigh) return true;
  }
  return false;
}

bool RadiusAtPlane(const Vec3& a, const Vec3& b, double z, double& radius) {
  const double dz = b.z - a.z;
  if (dz == 0.0) return false;
  const double s = (z - a.z) / dz;
  if (!(s >= 0.0 && s <= 1.0)) return false;
  radius = std::hypot(a.x + s * (b.x - a.x), a.y + s * (b.y - a.y));
  return true;
}

double NearestToAxis(const Vec3& a, const Vec3& b, double zLow, double zHigh) {
  const Vec3 d = b - a;
  double s0 = 0.0, s1 = 1.0;
  if (d.z != 0.0) {
    const double sl = (zLow - a.z) / d.z;
    const double sh = (zHigh - a.z) / d.z;
    s0 = std::max(s0, std::min(sl, sh));
    s1 = std::min(s1, std::max(sl, sh));
  } else if (a.z < zLow || a.z > zHigh) {
    return std::numeric_limits<double>::infinity();
  }
  if (!(s0 <= s1)) return std::numeric_limits<double>::infinity();
  const double A = d.x * d.x + d.y * d.y;
  double s = A > 0.0 ? -(a.x * d.x + a.y * d.y) / A : s0;
  s = std::clamp(s, s0, s1);
  return std::hypot(a.x + s * d.x, a.y + s * d.y);
}

bool SkirtShadows(const BaffleParts& parts, const Vec3& from, const Vec3& to) {
  if (SegmentMeetsWall(from, to, parts.skirtRadius, parts.skirtZ, parts.skirtTopZ)) return true;
  double r = 0.0;
  return RadiusAtPlane(from, to, parts.skirtTopZ, r) && r < parts.skirtRadius;
}

}  // namespace spekulor::baffles
