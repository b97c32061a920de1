// The wavefront from the exact trace against the first-order and third-order optics
// it must reproduce: a perfect axis image, the wavefront of a known defocus over the
// clear circle and the annulus, and the spherical aberration of a spherical primary.
#include <gtest/gtest.h>

#include <cmath>

#include "quality/PupilTrace.h"
#include "quality/QualityConstants.h"
#include "tests/common/TestDesigns.h"
#include "quality/Wavefront.h"

using namespace spekulor::calc;
using namespace spekulor::trace;
using namespace spekulor::quality;

namespace {

constexpr int kWavefrontGrid = 64;
constexpr double kWavelength = 550e-6;  // mm
constexpr double kPerfectRms = 1e-4;    // waves: a stigmatic image, traced
constexpr double kDefocusRmsTolerance = 0.002;  // relative: W020 = dz / (8 N^2) is paraxial
constexpr double kW040Tolerance = 0.005;       // relative: third order against the exact trace

// A classical Cassegrain of the start-up size.
DesignResult Classical() { return Complete(StartupFields(kClassical)); }

// A slow classical Cassegrain, f/10 primary, 100 mm across, whose primary can be made
// spherical with a spherical aberration of about a third of a wave.
DesignResult SlowClassical() {
  DesignFields fields = StartupFields(kClassical);
  fields.m_strPriDia = "100";
  return Complete(fields);
}

// Fits w = a + b rho^2 + c rho^4 over the pupil's area by least squares; returns c.
double QuarticCoefficient(const TracedPupil& pupil, const Wavefront& front, double radius) {
  double m[3][3] = {{0}};
  double r[3] = {0};
  for (size_t k = 0; k < pupil.rays.size(); ++k) {
    const double rho2 = (pupil.rays[k].x * pupil.rays[k].x + pupil.rays[k].y * pupil.rays[k].y) /
                        (radius * radius);
    const double basis[3] = {1.0, rho2, rho2 * rho2};
    for (int a = 0; a < 3; ++a) {
      r[a] += pupil.rays[k].weight * basis[a] * front.waves[k];
      for (int b = 0; b < 3; ++b) m[a][b] += pupil.rays[k].weight * basis[a] * basis[b];
    }
  }
  // Cramer's rule for the last unknown.
  auto det = [](double a[3][3]) {
    return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
           a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
           a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
  };
  double last[3][3];
  for (int a = 0; a < 3; ++a) {
    for (int b = 0; b < 3; ++b) last[a][b] = b == 2 ? r[a] : m[a][b];
  }
  return det(last) / det(m);
}

TEST(Wavefront, ClassicalCassegrainAxisIsPerfect) {
  const DesignResult design = Classical();
  const TracedPupil pupil = TracePupil(BuildTelescope(design), 0.0, kWavefrontGrid);
  ASSERT_GT(pupil.rays.size(), 2000u);
  const Wavefront front = EvaluateWavefront(pupil, 0.0, kWavelength);
  EXPECT_LT(front.rmsWaves, kPerfectRms);
  EXPECT_LT(front.pvWaves, 5.0 * kPerfectRms);
  EXPECT_NEAR(front.imageX, 0.0, 1e-9);
  EXPECT_NEAR(front.imageY, 0.0, 1e-9);
}

// A focal plane dz from the focus adds W020 = dz / (8 N^2) at the rim, whose RMS over
// an annulus of obstruction e is W020 (1 - e^2) / (2 sqrt 3): over the clear circle
// W020 / sqrt 12 (Mahajan, "Optical Imaging and Aberrations" I, sec. 8.2).
TEST(Wavefront, DefocusRmsFollowsTheClosedForm) {
  const DesignResult design = Classical();
  const double n = design.SysFoc / design.PriDia;
  Telescope clear = BuildTelescope(design);
  clear.shadowRadius = 0.0;
  struct Case {
    const char* name;
    Telescope telescope;
    double obstruction;
  };
  const Case cases[] = {{"annulus", BuildTelescope(design), design.SecDia / design.PriDia},
                        {"clear circle", clear, 0.0}};
  for (const Case& c : cases) {
    const TracedPupil pupil = TracePupil(c.telescope, 0.0, kWavefrontGrid);
    for (double shift : {-0.2, -0.05, 0.05, 0.2}) {
      const double w020 = std::fabs(shift) / (8.0 * n * n) / kWavelength;
      const double expected = w020 * (1.0 - c.obstruction * c.obstruction) / (2.0 * std::sqrt(3.0));
      EXPECT_NEAR(EvaluateWavefront(pupil, shift, kWavelength).rmsWaves / expected, 1.0,
                  kDefocusRmsTolerance)
          << c.name << ", shift " << shift;
    }
  }
}

// Making the paraboloid spherical (K from -1 to 0) raises its surface toward the sky
// by the sag's fourth-order term (1 + K) r^4 / (8 R1^3), which shortens the path to the
// image by twice that: at the rim r = D / 2, W040 = -D^4 / (64 R1^3), the third-order
// spherical aberration of a sphere against a paraboloid (Schroeder, "Astronomical
// Optics", sec. 5.1).
TEST(Wavefront, SphericalPrimaryHasTheThirdOrderSphericalAberration) {
  const DesignResult design = SlowClassical();
  Telescope telescope = BuildTelescope(design);
  telescope.primary.conic = 0.0;
  const double radius = design.PriDia / 2.0;
  const double r1 = design.PriRadCur;
  const double expected = -2.0 * std::pow(radius, 4.0) / (8.0 * r1 * r1 * r1) / kWavelength;
  ASSERT_LT(std::fabs(expected), 0.5);
  ASSERT_GT(std::fabs(expected), 0.1);
  const TracedPupil pupil = TracePupil(telescope, 0.0, kWavefrontGrid);
  const Wavefront front = EvaluateWavefront(pupil, 0.0, kWavelength);
  EXPECT_NEAR(QuarticCoefficient(pupil, front, radius) / expected, 1.0, kW040Tolerance);
}

// The reference sphere follows the image off the axis: its centre is the rays'
// centroid, near the chief ray's height F tan(a) for a design free of distortion to
// first order.
TEST(Wavefront, ReferenceCentreFollowsTheImage) {
  const DesignResult design = Complete(StartupFields(kRitcheyChretien));
  const double angle = design.FieldRad / 2.0;
  const TracedPupil pupil = TracePupil(BuildTelescope(design), angle, kWavefrontGrid);
  const Wavefront front = EvaluateWavefront(pupil, 0.0, kWavelength);
  EXPECT_NEAR(front.imageY / (design.SysFoc * std::tan(angle)), 1.0, 1e-3);
  EXPECT_NEAR(front.imageX, 0.0, 1e-9);
  ASSERT_EQ(front.waves.size(), pupil.rays.size());
}

// The pupil's edge cells carry the fraction of their area that passes: the weights
// add up to the annulus's area in cells.
TEST(PupilTrace, WeightsAddUpToTheAnnulus) {
  const DesignResult design = Classical();
  const TracedPupil pupil = TracePupil(BuildTelescope(design), 0.0, kWavefrontGrid);
  double area = 0.0;
  for (const PupilRay& ray : pupil.rays) area += ray.weight;
  const double e = design.SecDia / design.PriDia;
  const double expected = 3.14159265358979 / 4.0 * kWavefrontGrid * kWavefrontGrid * (1.0 - e * e);
  EXPECT_NEAR(area / expected, 1.0, 2e-3);
  EXPECT_EQ(pupil.launched - pupil.obstructed, pupil.imaged);
  EXPECT_GT(pupil.obstructed, 0);
}

}  // namespace
