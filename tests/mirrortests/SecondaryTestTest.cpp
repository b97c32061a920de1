// The Hindle sphere against the conic's own geometry, a published layout, and the exact
// double pass against the first-order reading of a surface error.
#include <gtest/gtest.h>

#include <cmath>

#include "calc/Calculate.h"
#include "tests/common/TestDesigns.h"
#include "drawing/PictureParts.h"
#include "mirrortests/HindlePicture.h"
#include "mirrortests/HindleSphere.h"
#include "mirrortests/HindleTrace.h"
#include "mirrortests/SecondaryTest.h"
#include "trace/ConicMirror.h"
#include "trace/RayTrace.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::trace;
using namespace spekulor::mirrortests;

namespace {

constexpr double kTestWavelengthMm = 550e-6;
// The published layout prints lengths to 0.1 mm.
constexpr double kPrintedTolerance = 0.051;
constexpr double kRelative = 1e-9;

// A 400 mm f/8.4 Ritchey-Chretien's secondary, laid out for spheres of 800 and 1000 mm.
TEST(HindleSphere, PublishedLayoutOfARitcheyChretienSecondary) {
  HindleInput input;
  input.secondaryRoc = 1374.6;
  input.secondaryConic = -5.907;
  input.testedDiameter = 160.0;
  input.unusedCentre = 40.0;
  const HindleLayout at800 = LayOutHindleSphere(input, 800.0);
  ASSERT_EQ(at800.problem, HindleProblem::None);
  EXPECT_NEAR(at800.nearFocus, 400.7, kPrintedTolerance);
  EXPECT_NEAR(at800.farFocus, 961.0, kPrintedTolerance);
  EXPECT_NEAR(at800.sphereToSecondary, 399.3, kPrintedTolerance);
  EXPECT_NEAR(at800.sphereDiameter, 319.4, kPrintedTolerance);
  EXPECT_NEAR(at800.holeDiameter, 93.5, kPrintedTolerance);
  EXPECT_NEAR(at800.untestedDiameter, 46.8, kPrintedTolerance);
  const HindleLayout at1000 = LayOutHindleSphere(input, 1000.0);
  ASSERT_EQ(at1000.problem, HindleProblem::None);
  EXPECT_NEAR(at1000.sphereToSecondary, 599.3, kPrintedTolerance);
  EXPECT_NEAR(at1000.sphereDiameter, 399.3, kPrintedTolerance);
  EXPECT_NEAR(at1000.holeDiameter, 60.2, kPrintedTolerance);
  EXPECT_NEAR(at1000.untestedDiameter, 24.1, kPrintedTolerance);
  // Outside B < RS < A + B there is no test.
  EXPECT_EQ(LayOutHindleSphere(input, 400.0).problem, HindleProblem::SphereTooSmall);
  EXPECT_EQ(LayOutHindleSphere(input, 1400.0).problem, HindleProblem::SphereTooLarge);
}

// A classical Cassegrain's secondary images the prime focus on the system focus: its
// foci are those two points, B = p and A = q, and so A / B = m and
// K2 = -((m + 1) / (m - 1))^2.
TEST(HindleSphere, AClassicalSecondarysFociAreThePrimeAndSystemFoci) {
  const DesignResult design = Complete(StartupFields(kClassical));
  HindleInput input;
  input.secondaryRoc = design.SecRadCur;
  input.secondaryConic = design.SecConic;
  input.testedDiameter = design.SecDia;
  input.unusedCentre = UnusedSecondaryCentre(design);
  const HindleLayout layout = LayOutHindleSphere(input, 0.0);
  ASSERT_EQ(layout.problem, HindleProblem::None);
  EXPECT_NEAR(layout.nearFocus, design.SecPriFocDist, kRelative * design.SecPriFocDist);
  EXPECT_NEAR(layout.farFocus, design.SecSysFocDist, kRelative * design.SecSysFocDist);
  const double m = layout.farFocus / layout.nearFocus;
  EXPECT_NEAR(m, design.SecMag, kRelative * m);
  EXPECT_NEAR(-std::pow((m + 1.0) / (m - 1.0), 2), design.SecConic, 1e-8);
}

// The default sphere leaves untested exactly the centre the telescope does not use, and
// a smaller sphere leaves more.
TEST(HindleSphere, TheDefaultSphereTestsAllTheTelescopeUses) {
  for (int type : {kClassical, kRitcheyChretien}) {
    const DesignResult design = Complete(StartupFields(type));
    const SecondaryTest test = TestSecondary(design, {0.0, 0.0, kTestWavelengthMm});
    ASSERT_EQ(test.layout.problem, HindleProblem::None);
    // The axis light just outside the secondary's shadow meets the secondary at the rim
    // of the unused centre (to the first order: the exact trace, 1 %).
    const Telescope telescope = BuildTelescope(design);
    const Vec3 star = StarDirection(0.0);
    const double justOutside = 1.0001 * design.SecDia / 2.0;
    const TracedRay ray = TraceRay(
        telescope, RayOriginThrough(telescope, justOutside, 0.0, star, StartPlane(telescope)),
        star);
    ASSERT_EQ(ray.fate, RayFate::Imaged);
    EXPECT_NEAR(2.0 * std::hypot(ray.onSecondary.x, ray.onSecondary.y),
                test.layout.unusedCentre, 0.01 * test.layout.unusedCentre);
    EXPECT_NEAR(test.layout.untestedDiameter, test.layout.unusedCentre,
                1e-9 * design.SecDia);
    const HindleLayout smaller = LayOutHindleSphere(test.input, 0.99 * test.layout.sphereRadius);
    EXPECT_GT(smaller.untestedDiameter, test.layout.unusedCentre);
  }
}

TEST(HindleSphere, ASphereLargerThanThePrimaryIsNamedWithWhatAPrimarySizedOneMisses) {
  HindleInput input{1374.6, -5.907, 160.0, 20.0, 300.0};
  const HindleLayout layout = LayOutHindleSphere(input, 1000.0);  // 399.3 across
  ASSERT_TRUE(layout.largerThanPrimary);
  EXPECT_NEAR(layout.primarySizedRadius * 160.0 / layout.nearFocus, 300.0, 1e-9);
  EXPECT_NEAR(layout.primarySizedUntested,
              HindleUntestedDiameter(layout.nearFocus, layout.farFocus, 160.0,
                                     layout.primarySizedRadius),
              1e-12);
  EXPECT_GT(layout.primarySizedUntested, layout.untestedDiameter);
  EXPECT_FALSE(LayOutHindleSphere(input, 700.0).largerThanPrimary);
}

// Secondaries of no hyperboloid have no Hindle test.
TEST(HindleSphere, OnlyHyperboloidsHaveOne) {
  for (int type : {kDallKirkham, kPressmannCamichel}) {  // Dall-Kirkham's sphere, Pressmann-Camichel's oblate ellipsoid
    const DesignResult design = Complete(StartupFields(type));
    const SecondaryTest test = TestSecondary(design, {0.0, 0.0, kTestWavelengthMm});
    EXPECT_EQ(test.layout.problem, HindleProblem::NotAHyperboloid);
    EXPECT_DOUBLE_EQ(test.layout.problemDetail, design.SecConic);
  }
}

// The test of a perfect secondary is null on the exact double pass.
TEST(HindleTrace, APerfectSecondaryGivesANull) {
  for (int type : {kClassical, kRitcheyChretien, kStigmatic}) {
    const DesignResult design = Complete(StartupFields(type));
    for (double sphere : {0.0, 1.3}) {
      SecondaryTestOptions options{0.0, 0.0, kTestWavelengthMm};
      const HindleLayout layout = LayOutHindleSphere(
          HindleInput{design.SecRadCur, design.SecConic, design.SecDia,
                      UnusedSecondaryCentre(design), design.PriDia},
          0.0);
      if (sphere != 0.0) options.sphereRadius = layout.sphereRadius * sphere;
      const SecondaryTest test = TestSecondary(design, options);
      ASSERT_TRUE(test.null.traced) << type;
      EXPECT_LT(test.null.rmsWaves, 0.001) << type << " " << sphere;
    }
  }
}

// A conic error dK moves the surface by dz(h) = sag(h, K2 + dK) - sag(h, K2) along the
// axis; each of the two reflections then shortens the path by dz (cos a + cos b).
TEST(HindleTrace, TheDoublePassReadsASurfaceErrorTwice) {
  const DesignResult design = Complete(StartupFields(kRitcheyChretien));
  const double dK = 0.05;
  const SecondaryTest test = TestSecondary(design, {0.0, dK, kTestWavelengthMm});
  ASSERT_TRUE(test.withError.traced);
  ASSERT_EQ(test.withError.rays.size(), test.null.rays.size());
  const ConicMirror figured{0.0, -1.0 / design.SecRadCur, design.SecConic + dK, 1e9};
  const ConicMirror perfect{0.0, -1.0 / design.SecRadCur, design.SecConic, 1e9};
  std::vector<double> heights, traced, model;
  for (size_t i = 0; i < test.null.rays.size(); ++i) {
    const HindleRay& ray = test.null.rays[i];
    const double dz = MirrorSag(figured, ray.height) - MirrorSag(perfect, ray.height);
    heights.push_back(ray.height);
    traced.push_back((test.withError.rays[i].path - ray.path) / kTestWavelengthMm);
    model.push_back(-2.0 * dz * (ray.cosIn + ray.cosOut) / kTestWavelengthMm);
  }
  const std::vector<double> tracedResidual = RemovePistonAndDefocus(heights, traced);
  const std::vector<double> modelResidual = RemovePistonAndDefocus(heights, model);
  const double modelRms = AreaRms(heights, modelResidual);
  ASSERT_GT(modelRms, 0.05);
  EXPECT_NEAR(test.withError.rmsWaves, modelRms, 0.02 * modelRms);
  for (size_t i = 0; i < heights.size(); ++i) {
    EXPECT_NEAR(tracedResidual[i], modelResidual[i], 0.03 * modelRms) << heights[i];
  }
  // The test sees the whole secondary twice; the telescope's axis beam only its middle.
  ASSERT_TRUE(test.telescopeTraced);
  EXPECT_GT(test.withError.rmsWaves, 2.0 * test.telescopeRmsWaves);
}

}  // namespace

namespace {

// The picture is to scale: the sphere's distance and the source's stand to the scale
// bar as the lengths they are drawn for.
TEST(HindlePicture, TheBenchIsDrawnToScale) {
  const DesignResult design = Complete(StartupFields(kRitcheyChretien));
  const SecondaryTest test = TestSecondary(design, {0.0, 0.0, kTestWavelengthMm});
  const Drawing picture = BuildHindlePicture(test, TelescopeType::RitcheyChretien,
                                             LengthUnit::Millimetre);
  const double bar = PartHorizontalSpan(picture, "scale bar");
  ASSERT_GT(bar, 0.0);
  const double sphere = PartHorizontalSpan(picture, "sphere to secondary");
  const double source = PartHorizontalSpan(picture, "source to secondary");
  EXPECT_NEAR(sphere / source, test.layout.sphereToSecondary / test.layout.farFocus, 1e-9);
  // The bar stands for a round length: 1, 2 or 5 times a power of ten.
  const double barLength = bar / source * test.layout.farFocus;
  const double leading = barLength / std::pow(10.0, std::floor(std::log10(barLength) + 1e-9));
  EXPECT_TRUE(std::fabs(leading - 1.0) < 1e-6 || std::fabs(leading - 2.0) < 1e-6 ||
              std::fabs(leading - 5.0) < 1e-6)
      << barLength;
}

}  // namespace
