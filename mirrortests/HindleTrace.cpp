#include "mirrortests/HindleTrace.h"

#include <algorithm>
#include <cmath>

using namespace spekulor::trace;

namespace spekulor::mirrortests {

namespace {

double Length(const Vec3& v) { return std::sqrt(Dot(v, v)); }
Vec3 Unit(const Vec3& v) { return (1.0 / Length(v)) * v; }

// The bench's two mirrors in the test's frame.
struct BenchMirrors {
  ConicMirror secondary;
  ConicMirror sphere;
  Vec3 source;
};

BenchMirrors MirrorsOf(const HindleBench& bench) {
  const double clear = 2.0 * bench.outerRadius + bench.secondaryRoc;
  return {{0.0, -1.0 / bench.secondaryRoc, bench.secondaryConic, clear},
          {bench.sphereRadius - bench.nearFocus, -1.0 / bench.sphereRadius, 0.0,
           clear + bench.sphereRadius},
          {0.0, 0.0, bench.farFocus}};
}

// One ray's double pass in the meridian plane through the secondary's point at height
// h: its points (source, secondary, sphere, secondary, home) and the ray's cosines;
// false when it misses a surface.
bool TraceOne(const BenchMirrors& m, double h, std::vector<Vec3>& points, HindleRay& ray) {
  const double sag = MirrorSag(m.secondary, h);
  if (!std::isfinite(sag)) return false;
  Vec3 direction = Unit(Vec3{0.0, h, sag} - m.source);
  double t = 0.0;
  if (!IntersectMirror(m.secondary, m.source, direction, t)) return false;
  const Vec3 p1 = m.source + t * direction;
  ray.height = h;
  ray.cosIn = std::fabs(direction.z);
  double path = t;
  direction = Reflect(direction, MirrorNormal(m.secondary, p1));
  ray.cosOut = std::fabs(direction.z);
  if (!IntersectMirror(m.sphere, p1, direction, t)) return false;
  const Vec3 p2 = p1 + t * direction;
  path += t;
  direction = Reflect(direction, MirrorNormal(m.sphere, p2));
  if (!IntersectMirror(m.secondary, p2, direction, t)) return false;
  const Vec3 p3 = p2 + t * direction;
  path += t;
  direction = Reflect(direction, MirrorNormal(m.secondary, p3));
  path += Length(m.source - p3);
  ray.path = path;
  const double home = direction.z != 0.0 ? (m.source.z - p3.z) / direction.z : 0.0;
  points = {m.source, p1, p2, p3, p3 + home * direction};
  return std::isfinite(path);
}

}  // namespace

HindleBench BenchOf(const HindleLayout& layout, const HindleInput& input, double secondaryConic) {
  HindleBench bench;
  bench.secondaryRoc = input.secondaryRoc;
  bench.secondaryConic = secondaryConic;
  bench.sphereRadius = layout.sphereRadius;
  bench.nearFocus = layout.nearFocus;
  bench.farFocus = layout.farFocus;
  bench.innerRadius = layout.untestedDiameter / 2.0;
  bench.outerRadius = input.testedDiameter / 2.0;
  return bench;
}

std::vector<double> RemovePistonAndDefocus(const std::vector<double>& heights,
                                           const std::vector<double>& values) {
  // Normal equations of values ~ a + c h^2 with weights h.
  double s0 = 0.0, s1 = 0.0, s2 = 0.0, v0 = 0.0, v1 = 0.0;
  for (size_t i = 0; i < heights.size(); ++i) {
    const double w = heights[i];
    const double u = heights[i] * heights[i];
    s0 += w;
    s1 += w * u;
    s2 += w * u * u;
    v0 += w * values[i];
    v1 += w * u * values[i];
  }
  const double det = s0 * s2 - s1 * s1;
  const double a = det != 0.0 ? (v0 * s2 - v1 * s1) / det : v0 / s0;
  const double c = det != 0.0 ? (s0 * v1 - s1 * v0) / det : 0.0;
  std::vector<double> residual(values.size());
  for (size_t i = 0; i < values.size(); ++i) {
    residual[i] = values[i] - a - c * heights[i] * heights[i];
  }
  return residual;
}

double AreaRms(const std::vector<double>& heights, const std::vector<double>& values) {
  double sum = 0.0, weight = 0.0;
  for (size_t i = 0; i < heights.size(); ++i) {
    sum += heights[i] * values[i] * values[i];
    weight += heights[i];
  }
  return weight > 0.0 ? std::sqrt(sum / weight) : 0.0;
}

std::vector<Vec3> HindleRayPath(const HindleBench& bench, double h) {
  std::vector<Vec3> points;
  HindleRay ray;
  if (!TraceOne(MirrorsOf(bench), h, points, ray)) points.clear();
  return points;
}

HindleWavefront TraceHindleTest(const HindleBench& bench, double wavelength, int samples) {
  HindleWavefront result;
  samples = std::max(samples, 3);
  const BenchMirrors mirrors = MirrorsOf(bench);
  std::vector<Vec3> points;
  std::vector<double> heights, paths;
  for (int i = 0; i < samples; ++i) {
    // Midpoints of equal steps in h: the annulus' inner and outer rims are approached
    // alike, and the weights h stand for the rings' areas.
    const double h = bench.innerRadius +
                     (bench.outerRadius - bench.innerRadius) * (i + 0.5) / samples;
    HindleRay ray;
    if (!TraceOne(mirrors, h, points, ray)) return result;
    result.rays.push_back(ray);
    heights.push_back(h);
    paths.push_back(ray.path / wavelength);
  }
  result.waves = RemovePistonAndDefocus(heights, paths);
  result.rmsWaves = AreaRms(heights, result.waves);
  const auto range = std::minmax_element(result.waves.begin(), result.waves.end());
  result.pvWaves = *range.second - *range.first;
  result.traced = true;
  return result;
}

}  // namespace spekulor::mirrortests
