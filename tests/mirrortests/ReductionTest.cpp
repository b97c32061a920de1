#include <gtest/gtest.h>

#include "quality/PointImage.h"

#include <cmath>
#include <vector>

#include "mirrortests/BestFitConic.h"
#include "mirrortests/ReadingReduction.h"

using namespace spekulor::mirrortests;

namespace {

double Sag(double radius, double conic, double h) {
  return h * h / (radius + std::sqrt(radius * radius - (1.0 + conic) * h * h));
}

// The wavefront difference of two conics of one vertex radius, straight from their sags
// at the zone radii, less its sphere a + b h^2 of least area-weighted squares (the 2x2
// normal equations by Cramer's rule): one value a zone.
std::vector<double> DirectWavefront(const std::vector<CouderZone>& zones, double radius,
                                    double actual, double design) {
  double s0 = 0, s1 = 0, s2 = 0, w0 = 0, w1 = 0;
  std::vector<double> wave;
  for (const CouderZone& zone : zones) {
    const double weight = zone.outer * zone.outer - zone.inner * zone.inner;
    const double t = zone.radius * zone.radius;
    const double w = 2.0 * (Sag(radius, actual, zone.radius) - Sag(radius, design, zone.radius));
    wave.push_back(w);
    s0 += weight;
    s1 += weight * t;
    s2 += weight * t * t;
    w0 += weight * w;
    w1 += weight * t * w;
  }
  const double det = s0 * s2 - s1 * s1;
  const double a = (w0 * s2 - w1 * s1) / det, b = (s0 * w1 - s1 * w0) / det;
  for (size_t i = 0; i < zones.size(); ++i) wave[i] -= a + b * zones[i].radius * zones[i].radius;
  return wave;
}

double WeightedRms(const std::vector<CouderZone>& zones, const std::vector<double>& values) {
  double sum = 0.0, total = 0.0;
  for (size_t i = 0; i < zones.size(); ++i) {
    const double weight = zones[i].outer * zones[i].outer - zones[i].inner * zones[i].inner;
    sum += weight * values[i] * values[i];
    total += weight;
  }
  return std::sqrt(sum / total);
}

struct Case {
  double radius;
  double design;  // the conic the mirror should have
  double actual;  // the conic it has
  int zones;
};

// Readings of a mirror of another conic, synthesised by the exact formulas with an
// arbitrary origin, reduce to that conic and to the wavefront difference of the two
// surfaces.
TEST(Reduction, ReadingsOfAnotherConicReduceToIt) {
  const std::vector<Case> cases = {{2000.0, -0.7, -0.55, 8},  // an under-corrected Dall-Kirkham
                                   {1600.0, -1.08, -1.2, 8},  // an over-corrected RC at f/2
                                   {2400.0, -1.0, -0.8, 6},   // a paraboloid at f/3
                                   {96.0, -1.0, -0.75, 5}};   // 6-inch f/8, in inches
  for (const Case& c : cases) {
    const double rim = c.radius / 10.0;
    const std::vector<CouderZone> zones = EqualAreaZones(0.2 * rim, rim, c.zones).zones;
    for (TestSource source : {TestSource::Moving, TestSource::Fixed}) {
      std::vector<double> measured = ExpectedReadings(c.radius, c.actual, source, zones);
      for (double& reading : measured) reading += 3.7;  // the scale's own zero
      const std::vector<double> expected = ExpectedReadings(c.radius, c.design, source, zones);

      const ConicFit fit = FitConic(zones, measured, c.radius, source, c.design);
      ASSERT_TRUE(fit.problem.ok());
      EXPECT_NEAR(fit.conic, c.actual, 0.002) << c.radius << " " << c.actual;

      const SurfaceErrorFit reduced = ReduceReadings(zones, measured, expected, c.radius, source);
      const std::vector<double> direct = DirectWavefront(zones, c.radius, c.actual, c.design);
      const double directRms = WeightedRms(zones, direct);
      EXPECT_NEAR(reduced.wavefrontRms, directRms, 0.05 * directRms) << c.radius << " " << c.actual;
      double directLow = direct.front(), directHigh = direct.front();
      for (size_t i = 0; i < zones.size(); ++i) {
        // The surface error at each zone has the sign of the direct difference.
        EXPECT_NEAR(2.0 * reduced.surface[i], direct[i], 0.05 * 3.0 * directRms) << i;
        directLow = std::fmin(directLow, direct[i]);
        directHigh = std::fmax(directHigh, direct[i]);
      }
      EXPECT_NEAR(reduced.wavefrontPv, directHigh - directLow, 0.05 * (directHigh - directLow))
          << c.radius << " " << c.actual;
    }
  }
}

TEST(Reduction, PerfectReadingsGiveNoError) {
  const std::vector<CouderZone> zones = EqualAreaZones(30.0, 200.0, 8).zones;
  const std::vector<double> expected = ExpectedReadings(2000.0, -0.7, TestSource::Moving, zones);
  std::vector<double> measured = expected;
  for (double& reading : measured) reading -= 12.5;
  const SurfaceErrorFit fit = ReduceReadings(zones, measured, expected, 2000.0, TestSource::Moving);
  EXPECT_LT(fit.wavefrontRms, 1e-12);
  EXPECT_LT(fit.wavefrontPv, 1e-12);
  EXPECT_DOUBLE_EQ(spekulor::quality::MarechalStrehl(0.0), 1.0);
  // A quarter wave peak to valley of defocus-free error: RMS 1/14 gives Strehl 0.818.
  EXPECT_NEAR(spekulor::quality::MarechalStrehl(1.0 / 14.0), 0.818, 0.001);
}

// A sphere removed from a sphere's own error leaves nothing: a surface a + b h^2
// vanishes whatever the weights.
TEST(Reduction, BestSphereTakesPistonAndCurvature) {
  const std::vector<CouderZone> zones = EqualAreaZones(0.0, 100.0, 5).zones;
  std::vector<double> surface;
  for (const CouderZone& zone : zones) surface.push_back(3e-4 - 2e-8 * zone.radius * zone.radius);
  const SurfaceErrorFit fit = RemoveBestSphere(zones, surface);
  for (double value : fit.surface) EXPECT_NEAR(value, 0.0, 1e-15);
}

}  // namespace
