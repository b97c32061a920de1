// The telescope finished from its mirrors as made: the design's own mirrors give the
// design back, the solved spacing puts the traced focus where it was kept, and the
// solved conic corrects the axis on the exact trace.
#include <gtest/gtest.h>

#include <cmath>

#include "calc/Calculate.h"
#include "tests/common/TestDesigns.h"
#include "collimation/AxisWavefront.h"
#include "mirrortests/Refit.h"
#include "trace/RayTrace.h"

using namespace spekulor::calc;
using namespace spekulor::trace;
using namespace spekulor::collimation;
using namespace spekulor::mirrortests;

namespace {

constexpr double kRefitWavelengthMm = 550e-6;
constexpr double kSameLength = 1e-4;      // relative
constexpr double kCorrectedWaves = 0.01;  // RMS of a corrected axis
// What the traced RMS of a stigmatic axis image reads: rounding, not optics.
constexpr double kTraceNoiseWaves = 1e-4;

double AxisRms(const DesignResult& design) {
  const AxisProbe probe{BuildTelescope(design), 64, kRefitWavelengthMm};
  return MeasureAxis(probe, SecondaryPerturbation{}).rmsWaves;
}

void ExpectSameLength(double got, double want, const char* what) {
  EXPECT_NEAR(got, want, kSameLength * std::fabs(want)) << what;
}

TEST(Refit, TheDesignsOwnMirrorsGiveTheDesignBack) {
  for (int type : {kClassical, kRitcheyChretien}) {
    const DesignResult design = Complete(StartupFields(type));
    for (RefitKeep keep : {RefitKeep::BackFocus, RefitKeep::FocalLength}) {
      for (double secondaryRoc : {0.0, design.SecRadCur}) {
        const RefitResult refit = RefitTelescope(
            design, {design.PriRadCur, design.PriConic, secondaryRoc, keep}, kRefitWavelengthMm);
        ASSERT_EQ(refit.problem, RefitProblem::None);
        ExpectSameLength(refit.design.PriSecDist, design.PriSecDist, "spacing");
        ExpectSameLength(refit.design.SecRadCur, design.SecRadCur, "secondary radius");
        ExpectSameLength(refit.design.SysFoc, design.SysFoc, "focal length");
        ExpectSameLength(refit.design.BackFocLen, design.BackFocLen, "back focus");
        // The conic: the design's third-order one moved toward the exact optimum, no
        // farther than the traced axis can tell apart.
        EXPECT_NEAR(refit.design.SecConic, design.SecConic, 0.01 * std::fabs(design.SecConic));
        EXPECT_LE(refit.axisRmsWaves, AxisRms(design) + kTraceNoiseWaves);
        // A classical pair is stigmatic on the axis (both conics' foci coincide): its
        // conic is the exact optimum.
        if (type == kClassical) {
          EXPECT_NEAR(refit.design.SecConic, design.SecConic, 1e-3);
        }
        EXPECT_LT(refit.axisRmsWaves, kCorrectedWaves);
        EXPECT_NEAR(refit.edgeRmsWaves, refit.designEdgeRmsWaves,
                    0.01 * refit.designEdgeRmsWaves);
      }
    }
  }
}

// A primary figured to another conic and radius: the solved telescope's axis is
// corrected on the exact trace, and its traced focus lies where the kept figure says.
TEST(Refit, AnotherPrimaryIsMadeIntoACorrectedTelescope) {
  const DesignResult design = Complete(StartupFields(kRitcheyChretien));
  for (RefitKeep keep : {RefitKeep::BackFocus, RefitKeep::FocalLength}) {
    for (double secondaryRoc : {0.0, design.SecRadCur}) {
      const RefitRequest request{design.PriRadCur * 1.01, design.PriConic + 0.04, secondaryRoc,
                                 keep};
      const RefitResult refit = RefitTelescope(design, request, kRefitWavelengthMm);
      ASSERT_EQ(refit.problem, RefitProblem::None);
      const DesignResult& g = refit.design;
      EXPECT_LT(refit.axisRmsWaves, kCorrectedWaves);
      // The secondary's mirror equation in the design's magnitudes.
      EXPECT_NEAR(g.SecRadCur * (g.SecSysFocDist - g.SecPriFocDist),
                  2.0 * g.SecPriFocDist * g.SecSysFocDist, 1e-9 * g.SecRadCur * g.SecSysFocDist);
      if (keep == RefitKeep::BackFocus) {
        ExpectSameLength(g.BackFocLen, design.BackFocLen, "kept back focus");
      } else {
        ExpectSameLength(g.SysFoc, design.SysFoc, "kept focal length");
      }
      if (secondaryRoc != 0.0) ExpectSameLength(g.SecRadCur, secondaryRoc, "made secondary");
      // The exact trace's paraxial focus lies on the solved image plane.
      const AxisProbe probe{BuildTelescope(g), 64, kRefitWavelengthMm};
      const AxisWavefront axis = MeasureAxis(probe, SecondaryPerturbation{});
      EXPECT_NEAR(axis.paraxialFocus, 0.0, 1e-4 * g.BackFocLen);
      // The uncorrected pair: the design's secondary conic with the new primary.
      DesignResult mismatched = g;
      mismatched.SecConic = design.SecConic;
      EXPECT_GT(AxisRms(mismatched), 3.0 * refit.axisRmsWaves);
    }
  }
}

TEST(Refit, MirrorsThatMakeNoTelescopeAreRefused) {
  const DesignResult design = Complete(StartupFields(kRitcheyChretien));
  EXPECT_EQ(RefitTelescope(design, {NAN, -1.0, 0.0, RefitKeep::BackFocus}, kRefitWavelengthMm).problem,
            RefitProblem::NotFinite);
  EXPECT_EQ(RefitTelescope(design, {-2000.0, -1.0, 0.0, RefitKeep::BackFocus}, kRefitWavelengthMm)
                .problem,
            RefitProblem::NotFinite);
  // A secondary flatter than the primary's focus can reach: no place gives F.
  EXPECT_EQ(SolveRefitGeometry(design, {design.PriRadCur, design.PriConic, 1e7,
                                        RefitKeep::FocalLength})
                .problem,
            RefitProblem::NoTelescope);
}

}  // namespace
