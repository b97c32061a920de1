#include "quality/Wavefront.h"

#include <algorithm>
#include <cmath>

#include "calc/SignConventions.h"

using namespace spekulor::calc;
using namespace spekulor::trace;

namespace spekulor::quality {

namespace {

Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Solves the symmetric 3 x 3 system m a = r by Cramer's rule; zeros when singular.
void SolveSymmetric3(const double m[3][3], const double r[3], double a[3]) {
  auto det3 = [](const double c0[3], const double c1[3], const double c2[3]) {
    return c0[0] * (c1[1] * c2[2] - c1[2] * c2[1]) - c1[0] * (c0[1] * c2[2] - c0[2] * c2[1]) +
           c2[0] * (c0[1] * c1[2] - c0[2] * c1[1]);
  };
  const double c0[3] = {m[0][0], m[1][0], m[2][0]};
  const double c1[3] = {m[0][1], m[1][1], m[2][1]};
  const double c2[3] = {m[0][2], m[1][2], m[2][2]};
  const double det = det3(c0, c1, c2);
  if (det == 0.0 || !std::isfinite(det)) {
    a[0] = a[1] = a[2] = 0.0;
    return;
  }
  a[0] = det3(r, c1, c2) / det;
  a[1] = det3(c0, r, c2) / det;
  a[2] = det3(c0, c1, r) / det;
}

}  // namespace

Wavefront EvaluateWavefront(const TracedPupil& pupil, double focusShift, double wavelength) {
  Wavefront front;
  front.focusShift = focusShift;
  const size_t n = pupil.rays.size();
  if (n == 0) return front;
  const double planeZ = FocalPlaneZ(pupil.imageZ, focusShift);

  double sumWeight = 0.0;
  double sumX = 0.0;
  double sumY = 0.0;
  for (const PupilRay& ray : pupil.rays) {
    const double s = (planeZ - ray.onSecondary.z) / ray.direction.z;
    sumWeight += ray.weight;
    sumX += ray.weight * (ray.onSecondary.x + s * ray.direction.x);
    sumY += ray.weight * (ray.onSecondary.y + s * ray.direction.y);
  }
  front.imageX = sumX / sumWeight;
  front.imageY = sumY / sumWeight;
  const Vec3 image{front.imageX, front.imageY, planeZ};
  const Vec3 toPupil = Vec3{0.0, 0.0, pupil.exitPupilZ} - image;
  const double radiusSquared = Dot(toPupil, toPupil);

  // Path to the sphere |p - image| = R along each ray, the crossing on the pupil's side:
  // t = -(u . v) - sqrt(R^2 - |v x u|^2) with v = onSecondary - image. The first ray's
  // path is subtracted at once so the fit works on small numbers.
  front.waves.resize(n);
  double reference = 0.0;
  double m[3][3] = {{0.0}};
  double r[3] = {0.0, 0.0, 0.0};
  for (size_t k = 0; k < n; ++k) {
    const PupilRay& ray = pupil.rays[k];
    const Vec3 v = ray.onSecondary - image;
    const Vec3 across = Cross(v, ray.direction);
    const double t = -Dot(ray.direction, v) -
                     std::sqrt(std::max(0.0, radiusSquared - Dot(across, across)));
    double path = ray.path + t;
    if (k == 0) reference = path;
    path -= reference;
    front.waves[k] = path;
    const double w = ray.weight;
    const double basis[3] = {1.0, ray.x, ray.y};
    for (int a = 0; a < 3; ++a) {
      r[a] += w * basis[a] * path;
      for (int b = 0; b < 3; ++b) m[a][b] += w * basis[a] * basis[b];
    }
  }
  double fit[3];
  SolveSymmetric3(m, r, fit);

  double sumSquares = 0.0;
  double low = 0.0;
  double high = 0.0;
  for (size_t k = 0; k < n; ++k) {
    const PupilRay& ray = pupil.rays[k];
    const double residual =
        (front.waves[k] - fit[0] - fit[1] * ray.x - fit[2] * ray.y) / wavelength;
    front.waves[k] = residual;
    sumSquares += ray.weight * residual * residual;
    low = k == 0 ? residual : std::min(low, residual);
    high = k == 0 ? residual : std::max(high, residual);
  }
  front.rmsWaves = std::sqrt(sumSquares / sumWeight);
  front.pvWaves = high - low;
  return front;
}

}  // namespace spekulor::quality
