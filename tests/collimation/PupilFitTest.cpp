#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "collimation/PupilFit.h"
#include "quality/PupilTrace.h"
#include "trace/RayTrace.h"
#include "tests/common/TestDesigns.h"

using namespace spekulor::trace;
using namespace spekulor::quality;
using namespace spekulor::collimation;

namespace {

constexpr double kFitTolerance = 1e-10;

// The pupil of the example's axis: a ring with weighted edge cells.
TracedPupil ExamplePupil(int grid) {
  return TracePupil(BuildTelescope(Complete(F12Fields(kRitcheyChretien))), 0.0, grid);
}

// A wavefront made of the nine terms is given back term by term, however strongly the
// ring couples rho^4 with rho^2 and rho^3 cos phi with rho cos phi.
TEST(PupilFit, RecoversEveryTermOfAKnownWavefront) {
  const TracedPupil pupil = ExamplePupil(40);
  const double radius = 0.5 * pupil.size * pupil.spacing;
  const PupilTerms given = {0.3, -0.2, 0.15, 0.8, -0.05, 0.07, 0.6, -0.4, 1.1};
  std::vector<double> values;
  for (const PupilRay& ray : pupil.rays) {
    // Written out with phi from +y: rho cos phi = y / a, rho sin phi = x / a.
    const double u = ray.x / radius;
    const double v = ray.y / radius;
    const double r2 = u * u + v * v;
    const double rho = std::sqrt(r2);
    const double phi = std::atan2(u, v);
    values.push_back(given[0] + given[1] * rho * std::cos(phi) + given[2] * rho * std::sin(phi) +
                     given[3] * r2 + given[4] * r2 * std::cos(2.0 * phi) +
                     given[5] * r2 * std::sin(2.0 * phi) + given[6] * r2 * rho * std::cos(phi) +
                     given[7] * r2 * rho * std::sin(phi) + given[8] * r2 * r2);
  }
  const PupilTerms fit = FitPupilTerms(pupil, values);
  for (int k = 0; k < kPupilTermCount; ++k) EXPECT_NEAR(fit[k], given[k], kFitTolerance) << k;
}

// A term outside the nine (secondary spherical aberration rho^6) goes into the
// symmetric ones only: no coma, tilt or astigmatism appears.
TEST(PupilFit, SymmetricRemaindersStaySymmetric) {
  const TracedPupil pupil = ExamplePupil(40);
  const double radius = 0.5 * pupil.size * pupil.spacing;
  std::vector<double> values;
  for (const PupilRay& ray : pupil.rays) {
    const double r2 = (ray.x * ray.x + ray.y * ray.y) / (radius * radius);
    values.push_back(r2 * r2 * r2);
  }
  const PupilTerms fit = FitPupilTerms(pupil, values);
  for (int k : {kTiltX, kTiltY, kAstigmatism, kAstigmatism45, kComaX, kComaY}) {
    EXPECT_NEAR(fit[k], 0.0, kFitTolerance) << k;
  }
  EXPECT_GT(fit[kSpherical], 1.0);  // rho^6 leans on rho^4 over the ring
}

TEST(PupilFit, TooFewRaysGiveZeros) {
  TracedPupil pupil = ExamplePupil(40);
  pupil.rays.resize(5);
  const PupilTerms fit = FitPupilTerms(pupil, std::vector<double>(5, 1.0));
  for (double term : fit) EXPECT_EQ(term, 0.0);
  const TracedPupil whole = ExamplePupil(40);
  EXPECT_EQ(FitPupilTerms(whole, std::vector<double>(3, 1.0))[kPiston], 0.0);
}

}  // namespace
