// The traced sensitivities against third-order theory (ThirdOrder.h), published
// figures and first-order optics.
#include <gtest/gtest.h>

#include <cmath>

#include "collimation/AxisWavefront.h"
#include "collimation/Sensitivities.h"
#include "trace/SpotDiagram.h"
#include "tests/collimation/ThirdOrder.h"
#include "tests/common/TestDesigns.h"
#include "support/Units.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::trace;
using namespace spekulor::collimation;

namespace {

constexpr double kWavelengthNm = kWavelengthMm * 1e6;
constexpr int kGrid = 48;
constexpr double kPublishedTolerance = 0.02;   // the must-show figures, relative
constexpr double kThirdOrderTolerance = 0.03;  // the trace against third-order theory:
                                               // higher orders grow as the aperture^2
constexpr double kPivotTolerance = 0.005;      // relative: where a pivot is exact
constexpr double kFocusTolerance = 1e-3;       // relative: back focus per unit of despace

AxisProbe ProbeOf(const DesignResult& design) {
  return {BuildTelescope(design), kGrid, kWavelengthMm};
}

Sensitivities Measure(const DesignResult& design) {
  return MeasureSensitivities(ProbeOf(design), kWavelengthNm);
}

// D 250, f1 750, m 4, b 200, decentered 0.1 mm: axial coma of 108.5 nm (classical),
// 118.2 nm (Ritchey-Chretien) and 40.7 nm (Dall-Kirkham).
TEST(Sensitivities, DecenterComaOfThePublishedExample) {
  const struct {
    int type;
    double nanometres;
  } cases[] = {{kClassical, 108.5}, {kRitcheyChretien, 118.2}, {kDallKirkham, 40.7}};
  for (const auto& c : cases) {
    const double coma = Measure(Complete(F12Fields(c.type))).w131NmPerUnit * 0.1;
    EXPECT_NEAR(std::fabs(coma) / c.nanometres, 1.0, kPublishedTolerance) << c.type;
  }
}

// The classical Cassegrain's despace adds (m^2 - 1) / (128 m^2 N1^4) of spherical
// aberration per unit: 90.4 nm per mm in the example (negative in this program's sign:
// moving the secondary in shortens the marginal rays' paths).
TEST(Sensitivities, ClassicalDespaceSphericalAberration) {
  const DesignResult design = Complete(F12Fields(kClassical));
  const double m = design.SecMag;
  const double n1 = design.PriFoc / design.PriDia;
  const double expected = (m * m - 1.0) / (128.0 * m * m * std::pow(n1, 4.0)) * 1e6;
  EXPECT_NEAR(expected, 90.4, 0.05);
  const double traced = Measure(design).w040NmPerUnit;
  EXPECT_LT(traced, 0.0);
  EXPECT_NEAR(-traced / expected, 1.0, kPublishedTolerance);
}

// The classical secondary is a hyperboloid with a focus at the prime focus, the
// Dall-Kirkham's a sphere: turned about that focus or that centre, they add no coma.
TEST(Sensitivities, ComaFreePivotOfClassicalAndDallKirkham) {
  for (const NamedDesign& d : MisalignmentDesigns()) {
    if (d.type != kClassical && d.type != kDallKirkham) continue;
    const double expected = d.type == kClassical ? d.design.SecPriFocDist : d.design.SecRadCur;
    const Sensitivities s = Measure(d.design);
    EXPECT_NEAR(s.comaFreePivot / expected, 1.0, kPivotTolerance) << d.name;

    // Turned about it in the exact trace, the secondary leaves the axis free of coma;
    // turned about its vertex it does not.
    const AxisProbe probe = ProbeOf(d.design);
    SecondaryPerturbation aboutPivot;
    aboutPivot.tiltDeg = 0.05;
    aboutPivot.pivot = s.comaFreePivot;
    SecondaryPerturbation aboutVertex = aboutPivot;
    aboutVertex.pivot = 0.0;
    const double comaAtPivot = MeasureAxis(probe, aboutPivot).terms[kComaY];
    const double comaAtVertex = MeasureAxis(probe, aboutVertex).terms[kComaY];
    EXPECT_GT(std::fabs(comaAtVertex), 0.1) << d.name;  // waves
    EXPECT_LT(std::fabs(comaAtPivot), 0.005 * std::fabs(comaAtVertex)) << d.name;
  }
}

// Every type and layout against third-order theory, with the sign.
TEST(Sensitivities, AgreeWithThirdOrderTheory) {
  for (const NamedDesign& d : MisalignmentDesigns()) {
    const ThirdOrderMisalignment third = ThirdOrder(d.design);
    const Sensitivities s = Measure(d.design);
    EXPECT_NEAR(s.w131NmPerUnit / (third.comaPerDecenter * 1e6), 1.0, kThirdOrderTolerance)
        << d.name;
    EXPECT_NEAR(s.w131NmPerDegree / (third.comaPerTiltRadian * 1e6 / kDegreesPerRadian), 1.0,
                kThirdOrderTolerance)
        << d.name;
    EXPECT_NEAR(s.w040NmPerUnit / (third.sphericalPerDespace * 1e6), 1.0, kThirdOrderTolerance)
        << d.name;
    EXPECT_NEAR(s.comaFreePivot / third.comaFreePivot, 1.0, kThirdOrderTolerance) << d.name;
  }
}

// First-order optics: a despace s moves the paraxial focus by (m^2 + 1) s; a decenter e
// moves the Gaussian image by (1 - m) e, and the light's centroid further by the
// centroid of the coma it adds, (F / (D / 2)) W131 <d(rho^3 cos phi)/d(rho cos phi)> =
// (2F / D) (1 + eps^2) W131 over a ring of obstruction eps (the mean of rho^2 + 2 v^2).
TEST(Sensitivities, FocusAndImageShiftFollowFirstOrderOptics) {
  for (const NamedDesign& d : MisalignmentDesigns()) {
    const double m = d.design.SecMag;
    const Sensitivities s = Measure(d.design);
    EXPECT_NEAR(s.backFocusPerUnit / (m * m + 1.0), 1.0, kFocusTolerance) << d.name;
    const double eps = d.design.SecDia / d.design.PriDia;
    const double comaShift = 2.0 * d.design.SysFoc / d.design.PriDia * (1.0 + eps * eps) *
                             ThirdOrder(d.design).comaPerDecenter;
    EXPECT_NEAR(s.imageShiftPerUnit, 1.0 - m + comaShift, 0.03 * std::fabs(comaShift))
        << d.name;
    EXPECT_GT(std::fabs(comaShift), 0.002) << d.name;  // the test sees the coma's share
  }
}

// A paraboloid and its confocal hyperboloid image the axis perfectly: the measured
// wavefront has nothing in it, and its foci are the design's.
TEST(Sensitivities, AlignedAxisOfAClassicalIsPerfect) {
  const AxisProbe probe = ProbeOf(Complete(F12Fields(kClassical)));
  const AxisWavefront aligned = MeasureAxis(probe, SecondaryPerturbation{});
  ASSERT_TRUE(aligned.traced);
  // Rounding in the paths and the focus search's own accuracy, a ten-thousandth of the
  // shift that adds an eighth of a wave.
  const double focusStep = kWavelengthMm * 12.0 * 12.0;
  EXPECT_LT(aligned.rmsWaves, 1e-5);
  EXPECT_NEAR(aligned.bestFocus, 0.0, 1e-4 * focusStep);
  EXPECT_NEAR(aligned.paraxialFocus, 0.0, 1e-4 * focusStep);
  EXPECT_NEAR(aligned.imageY, 0.0, 1e-9);
  for (double term : aligned.terms) EXPECT_NEAR(term, 0.0, 1e-4);
}

}  // namespace
