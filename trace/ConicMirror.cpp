#include "trace/ConicMirror.h"

#include <cmath>
#include <limits>

namespace spekulor::trace {

namespace {

// The point lies on the vertex sheet: 1 - (1 + K) c w >= 0, with a little room for
// rounding at the vertex of a paraboloid, where the expression is exactly 1 anyway.
bool OnVertexSheet(const ConicMirror& mirror, double w) {
  return 1.0 - (1.0 + mirror.conic) * mirror.curvature * w >= -1e-12;
}

}  // namespace

double MirrorSag(const ConicMirror& mirror, double r) {
  const double c = mirror.curvature;
  const double root = 1.0 - (1.0 + mirror.conic) * c * c * r * r;
  if (root < 0.0) return std::numeric_limits<double>::quiet_NaN();
  return c * r * r / (1.0 + std::sqrt(root));
}

bool IntersectMirror(const ConicMirror& mirror, const Vec3& origin, const Vec3& direction,
                     double& t) {
  const double c = mirror.curvature;
  const double k1 = 1.0 + mirror.conic;
  const double px = origin.x;
  const double py = origin.y;
  const double pw = origin.z - mirror.vertexZ;
  // a t^2 + 2 b t + g = 0 from substituting the ray into the surface equation.
  const double a =
      c * (direction.x * direction.x + direction.y * direction.y + k1 * direction.z * direction.z);
  const double b = c * (px * direction.x + py * direction.y + k1 * pw * direction.z) - direction.z;
  const double g = c * (px * px + py * py + k1 * pw * pw) - 2.0 * pw;
  const double disc = b * b - a * g;
  if (!(disc >= 0.0)) return false;  // also false for NaN
  // The root pair without cancellation: q = -(b + sign(b) sqrt(disc)), roots q / a and g / q.
  const double q = -(b + std::copysign(std::sqrt(disc), b));
  double roots[2] = {q != 0.0 ? g / q : std::numeric_limits<double>::quiet_NaN(),
                     a != 0.0 ? q / a : std::numeric_limits<double>::quiet_NaN()};
  if (roots[1] < roots[0]) {
    const double swap = roots[0];
    roots[0] = roots[1];
    roots[1] = swap;
  }
  for (double root : roots) {
    if (!std::isfinite(root) || root <= 0.0) continue;
    if (OnVertexSheet(mirror, pw + root * direction.z)) {
      t = root;
      return true;
    }
  }
  return false;
}

Vec3 MirrorNormal(const ConicMirror& mirror, const Vec3& point) {
  // Gradient of c r^2 + (1 + K) c w^2 - 2 w, halved and reversed so that it is +z at
  // the vertex.
  const double c = mirror.curvature;
  const double w = point.z - mirror.vertexZ;
  const Vec3 n{-c * point.x, -c * point.y, 1.0 - (1.0 + mirror.conic) * c * w};
  const double length = std::sqrt(Dot(n, n));
  return (1.0 / length) * n;
}

Vec3 Reflect(const Vec3& direction, const Vec3& normal) {
  return direction - (2.0 * Dot(direction, normal)) * normal;
}

}  // namespace spekulor::trace
