// The perfect annular aperture's closed forms against published values and against
// sums made here from first principles.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "quality/PerfectAperture.h"
#include "support/Units.h"

using namespace spekulor::support;
using namespace spekulor::quality;

namespace {

constexpr double kPublishedMtfTolerance = 5e-5;  // the published five decimals
constexpr double kPublishedRingTolerance = 5e-5;  // lambda N, four decimals
constexpr double kOverlapTolerance = 1e-5;        // against the strip sum below
constexpr double kEnergyTolerance = 2e-5;         // against the radial sum below

// Length of the intersection of two sets, each a union of disjoint intervals.
double CommonLength(const std::vector<std::pair<double, double>>& a,
                    const std::vector<std::pair<double, double>>& b) {
  double length = 0.0;
  for (const auto& p : a) {
    for (const auto& q : b) {
      length += std::max(0.0, std::min(p.second, q.second) - std::max(p.first, q.first));
    }
  }
  return length;
}

// The annulus (outer radius 1, inner e) cut along the line at height y.
std::vector<std::pair<double, double>> Chord(double y, double e, double shift) {
  if (std::fabs(y) >= 1.0) return {};
  const double outer = std::sqrt(1.0 - y * y);
  if (std::fabs(y) >= e) return {{shift - outer, shift + outer}};
  const double inner = std::sqrt(e * e - y * y);
  return {{shift - outer, shift - inner}, {shift + inner, shift + outer}};
}

// The overlap of the annulus with itself shifted by 2 v (v the fraction of the cutoff),
// over its area, summed over thin strips along the shift: the definition of the
// incoherent transfer function of a clear pupil (Goodman, sec. 6.3).
double OverlapByStrips(double v, double e) {
  constexpr int kStrips = 40000;
  double overlap = 0.0;
  const double dy = 2.0 / kStrips;
  for (int k = 0; k < kStrips; ++k) {
    const double y = -1.0 + (k + 0.5) * dy;
    overlap += CommonLength(Chord(y, e, 0.0), Chord(y, e, 2.0 * v)) * dy;
  }
  return overlap / (kPi * (1.0 - e * e));
}

TEST(PerfectAperture, MtfMatchesPublishedValuesForAThirdObstruction) {
  const double fractions[] = {0.1, 0.25, 0.5, 0.75};
  const double published[] = {0.81093, 0.54120, 0.32516, 0.16193};
  for (int k = 0; k < 4; ++k) {
    EXPECT_NEAR(ObstructedMtf(fractions[k], 0.33), published[k], kPublishedMtfTolerance)
        << fractions[k];
  }
}

TEST(PerfectAperture, MtfIsTheOverlapOfTheAnnuli) {
  for (double e : {0.0, 0.25, 0.33, 0.5, 0.7}) {
    for (double v : {0.05, 0.1, 0.2, 0.25, 0.3, 0.5, 0.6, 0.75, 0.9, 0.99}) {
      EXPECT_NEAR(ObstructedMtf(v, e), OverlapByStrips(v, e), kOverlapTolerance)
          << "obstruction " << e << ", frequency " << v;
    }
    EXPECT_DOUBLE_EQ(ObstructedMtf(0.0, e), 1.0);
    EXPECT_EQ(ObstructedMtf(1.0, e), 0.0);
    EXPECT_EQ(ObstructedMtf(1.3, e), 0.0);
  }
}

TEST(PerfectAperture, FirstDarkRingMatchesPublishedRadii) {
  const double obstructions[] = {0.0, 0.25, 0.33, 0.5};
  const double published[] = {1.2197, 1.1416, 1.0977, 1.0009};
  for (int k = 0; k < 4; ++k) {
    const double ring = ObstructedFirstDarkRing(obstructions[k]);
    EXPECT_NEAR(ring, published[k], kPublishedRingTolerance) << obstructions[k];
    EXPECT_NEAR(ObstructedPointImage(ring, obstructions[k]), 0.0, 1e-20);
  }
  EXPECT_DOUBLE_EQ(ObstructedPointImage(0.0, 0.4), 1.0);
}

// The closed form of the encircled energy against the point image summed over rings;
// the clear circle keeps 83.8 % inside its first dark ring (Born and Wolf, sec. 8.5.2).
TEST(PerfectAperture, EncircledEnergyIsThePointImageSummedOverRings) {
  for (double e : {0.0, 0.25, 0.5}) {
    const double reach = 6.0;
    const EnergyCurve curve = ObstructedEncircledEnergy(e, reach, 121);
    ASSERT_EQ(curve.radius.size(), 121u);
    // The whole image holds 4 / (pi (1 - e^2)) (lambda N)^2 times its peak.
    const double whole = 4.0 / (kPi * (1.0 - e * e));
    constexpr int kSteps = 60000;
    const double dr = reach / kSteps;
    double sum = 0.0;
    size_t next = 1;
    for (int k = 0; k < kSteps; ++k) {
      const double r = (k + 0.5) * dr;
      sum += ObstructedPointImage(r, e) * 2.0 * kPi * r * dr;
      if (std::fabs((k + 1) * dr - curve.radius[next]) < 1e-9 * reach) {
        EXPECT_NEAR(curve.fraction[next], sum / whole, kEnergyTolerance)
            << "obstruction " << e << ", radius " << curve.radius[next];
        ++next;
      }
    }
    EXPECT_EQ(next, curve.radius.size()) << e;
  }
  const EnergyCurve clear = ObstructedEncircledEnergy(0.0, 1.2197, 2);
  EXPECT_NEAR(clear.fraction.back(), 0.838, 5e-4);
}

}  // namespace
