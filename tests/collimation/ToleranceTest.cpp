// Each tolerance, put into the exact trace, adds the budget; and the tolerances agree
// with the RMS of a pure third-order aberration over the ring (Mahajan, "Optical
// Imaging and Aberrations" I, sec. 8.3, the variance of primary aberrations; for an
// annulus the moments <rho^2k> = (1 - eps^(2k+2)) / ((k + 1)(1 - eps^2))).
#include <gtest/gtest.h>

#include <cmath>

#include "collimation/CollimationPictures.h"
#include "drawing/Drawing.h"
#include "quality/FocusSearch.h"
#include "quality/ImageQuality.h"
#include "quality/PupilFunction.h"
#include "quality/QualityConstants.h"
#include "quality/PupilTrace.h"
#include "trace/SecondaryPerturbation.h"
#include "tests/collimation/ThirdOrder.h"
#include "tests/common/TestDesigns.h"
#include "collimation/ToleranceText.h"
#include "collimation/Tolerances.h"
#include "quality/Wavefront.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::trace;
using namespace spekulor::quality;
using namespace spekulor::collimation;

namespace {

constexpr double kBudgetTolerance = 0.03;      // the traced error at a tolerance
constexpr double kThirdOrderToleranceShare = 0.03;  // tolerance against third-order theory
// A despace tolerance is a few per cent of the secondary's distance from the prime
// focus, where the spherical aberration it adds already grows faster than linearly.
constexpr double kDespaceThirdOrderTolerance = 0.06;
constexpr int kCheckGrid = 96;                 // finer than the analysis' own

// RMS wavefront error of the axis at its own best focus, piston and tilt removed, on a
// grid of its own: the check does not reuse the analysis' fit.
double TracedAxisRms(const DesignResult& design, const SecondaryPerturbation& secondary,
                     double wavelength) {
  const TracedPupil pupil =
      TracePupil(PerturbSecondary(BuildTelescope(design), secondary), 0.0, kCheckGrid);
  return EvaluateWavefront(pupil, OwnBestFocus(pupil, wavelength), wavelength).rmsWaves;
}

double RingMoment(int k, double eps) {
  return (1.0 - std::pow(eps, 2.0 * k + 2.0)) / ((k + 1.0) * (1.0 - eps * eps));
}

// Every type and speed, and budgets from a hundredth of a wave to a tenth, one budget a
// test.
class EachBudget : public testing::TestWithParam<double> {};

TEST_P(EachBudget, EachToleranceAddsTheBudgetInTheExactTrace) {
  const double budget = GetParam();
  for (const NamedDesign& named : MisalignmentDesigns()) {
    const DesignResult& design = named.design;
    const double aligned = TracedAxisRms(design, SecondaryPerturbation{}, 550e-6);
    ToleranceOptions options;
    options.budgetWaves = budget;
    const ToleranceAnalysis analysis = AnalyseTolerances(design, LengthUnit::Millimetre, options);
    ASSERT_TRUE(analysis.ok()) << named.name << ": " << ToleranceRefusalText(analysis);
    EXPECT_NEAR(aligned, analysis.aligned.rmsWaves, 0.002) << named.name;
    for (Misalignment kind : kMisalignments) {
      const ToleranceFound& found = analysis.Tolerance(kind);
      ASSERT_TRUE(found.found) << named.name << " " << MisalignmentName(kind) << " " << budget;
      const double rms =
          TracedAxisRms(design, Misaligned(kind, found.amount), analysis.wavelength);
      const double added = std::sqrt(rms * rms - aligned * aligned);
      EXPECT_NEAR(added / budget, 1.0, kBudgetTolerance)
          << named.name << " " << MisalignmentName(kind) << " " << budget;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Tolerances, EachBudget, testing::Values(0.01, kDefaultBudgetWaves, 0.1));

// Coma W131 rho^3 cos phi with its tilt removed has the variance
// W131^2 (<rho^6> - <rho^4>^2 / <rho^2>) / 2 over the ring; spherical aberration W040 rho^4
// with piston and defocus removed var(rho^4) - cov(rho^4, rho^2)^2 / var(rho^2). A
// classical Cassegrain, perfect when aligned, reaches the budget where these equal it.
TEST(Tolerances, AgreeWithTheRmsOfThirdOrderAberrations) {
  for (int type : {kClassical, kRitcheyChretien}) {
    const DesignResult design = Complete(F12Fields(type));
    const ToleranceAnalysis analysis =
        AnalyseTolerances(design, LengthUnit::Millimetre, ToleranceOptions{});
    ASSERT_TRUE(analysis.ok());
    const ThirdOrderMisalignment third = ThirdOrder(design);
    const double eps = design.SecDia / design.PriDia;
    const double m2 = RingMoment(1, eps);
    const double m4 = RingMoment(2, eps);
    const double m6 = RingMoment(3, eps);
    const double m8 = RingMoment(4, eps);
    const double comaFactor = std::sqrt((m6 - m4 * m4 / m2) / 2.0);
    const double budget = kDefaultBudgetWaves * analysis.wavelength;
    EXPECT_NEAR(analysis.Tolerance(Misalignment::Decenter).amount /
                    (budget / (std::fabs(third.comaPerDecenter) * comaFactor)),
                1.0, kThirdOrderToleranceShare)
        << type;
    EXPECT_NEAR(analysis.Tolerance(Misalignment::Tilt).amount /
                    (budget / (std::fabs(third.comaPerTiltRadian) * comaFactor) *
                     57.29577951308232),
                1.0, kThirdOrderToleranceShare)
        << type;
    if (type == kClassical) {
      const double sphericalFactor =
          std::sqrt(m8 - m4 * m4 - std::pow(m6 - m4 * m2, 2.0) / (m4 - m2 * m2));
      EXPECT_NEAR(std::fabs(analysis.Tolerance(Misalignment::Despace).amount) /
                      (budget / (std::fabs(third.sphericalPerDespace) * sphericalFactor)),
                  1.0, kDespaceThirdOrderTolerance);
    }
  }
}

// Coma grows in proportion to the misalignment: twice the budget, twice the tolerance.
TEST(Tolerances, TwiceTheBudgetDoublesTheComaTolerances) {
  const DesignResult design = Complete(F12Fields(kRitcheyChretien));
  ToleranceOptions options;
  const ToleranceAnalysis one = AnalyseTolerances(design, LengthUnit::Millimetre, options);
  options.budgetWaves = 2.0 * kDefaultBudgetWaves;
  const ToleranceAnalysis two = AnalyseTolerances(design, LengthUnit::Millimetre, options);
  for (Misalignment kind : {Misalignment::Decenter, Misalignment::Tilt}) {
    EXPECT_NEAR(two.Tolerance(kind).amount / one.Tolerance(kind).amount, 2.0, 0.02)
        << MisalignmentName(kind);
  }
  EXPECT_NEAR(two.sensitivities.w131NmPerUnit, one.sensitivities.w131NmPerUnit, 1e-9);
}

// The same telescope in inches: lengths per unit 25.4 times larger, lengths 25.4 times
// smaller, angles the same.
TEST(Tolerances, InchDesignIsTheSameTelescope) {
  const DesignResult mm = Complete(ExampleFields(kRitcheyChretien, "254", "762", "3048", "203.2"));
  const DesignResult inch =
      Complete(ExampleFields(kRitcheyChretien, "10", "30", "120", "8", kInchUnits));
  const ToleranceAnalysis a = AnalyseTolerances(mm, LengthUnit::Millimetre, ToleranceOptions{});
  const ToleranceAnalysis b = AnalyseTolerances(inch, LengthUnit::Inch, ToleranceOptions{});
  ASSERT_TRUE(a.ok() && b.ok());
  EXPECT_NEAR(b.sensitivities.w131NmPerUnit / a.sensitivities.w131NmPerUnit, 25.4, 1e-3);
  EXPECT_NEAR(b.sensitivities.w040NmPerUnit / a.sensitivities.w040NmPerUnit, 25.4, 1e-3);
  EXPECT_NEAR(b.sensitivities.w131NmPerDegree / a.sensitivities.w131NmPerDegree, 1.0, 1e-3);
  EXPECT_NEAR(a.sensitivities.comaFreePivot / b.sensitivities.comaFreePivot, 25.4, 1e-3);
  EXPECT_NEAR(b.sensitivities.backFocusPerUnit, a.sensitivities.backFocusPerUnit, 1e-4);
  for (Misalignment kind : {Misalignment::Decenter, Misalignment::Despace}) {
    EXPECT_NEAR(a.Tolerance(kind).amount / b.Tolerance(kind).amount, 25.4, 0.01);
  }
  EXPECT_NEAR(a.Tolerance(Misalignment::Tilt).amount / b.Tolerance(Misalignment::Tilt).amount,
              1.0, 0.01);
}

TEST(Tolerances, WhatCannotBeAnalysedIsSaid) {
  const DesignResult design = Complete(F12Fields(kClassical));
  ToleranceOptions options;
  options.budgetWaves = 0.0;
  EXPECT_EQ(AnalyseTolerances(design, LengthUnit::Millimetre, options).refusal,
            ToleranceRefusal::BudgetOutOfRange);
  options.budgetWaves = std::nan("");
  EXPECT_EQ(AnalyseTolerances(design, LengthUnit::Millimetre, options).refusal,
            ToleranceRefusal::BudgetOutOfRange);
  options = ToleranceOptions{};
  options.wavelengthNm = 150.0;
  EXPECT_EQ(AnalyseTolerances(design, LengthUnit::Millimetre, options).refusal,
            ToleranceRefusal::WavelengthOutOfRange);
  options = ToleranceOptions{};
  options.gridSize = 8;
  EXPECT_EQ(AnalyseTolerances(design, LengthUnit::Millimetre, options).refusal,
            ToleranceRefusal::GridOutOfRange);
  DesignResult wide = design;
  wide.SecDia = 2.0 * design.PriDia;
  const ToleranceAnalysis untraceable =
      AnalyseTolerances(wide, LengthUnit::Millimetre, ToleranceOptions{});
  EXPECT_EQ(untraceable.refusal, ToleranceRefusal::Telescope);
  EXPECT_EQ(untraceable.trace.code, TraceProblemCode::SecondaryNotSmaller);
  EXPECT_EQ(ToleranceRefusalText(untraceable),
            "Cannot analyse this design: the secondary is not smaller than the primary");
}

// A stigmatic pair given a primary of conic +3 instead of its own is many waves wrong
// on the axis: the quality analysis refuses it, its axis wavefront, traced here on the
// tolerances' grid, steps by more than half a wave between cells, and so the tolerances
// refuse it too, with that step, and the Collimation tab shows why instead of a table.
TEST(Tolerances, RefuseTheAxisImagesQualityRefuses) {
  DesignFields fields;
  fields.m_nType = kStigmatic;
  fields.m_strPriCC = "3";
  const Calculation calculation = CompleteDesign(fields);
  ASSERT_EQ(calculation.rules.error, CalcError::None);
  const DesignResult& design = calculation.design;
  EXPECT_FALSE(
      QualitySetProblem(ComputeImageQuality(design, LengthUnit::Millimetre, QualityOptions{})).ok());
  const ToleranceAnalysis analysis =
      AnalyseTolerances(design, LengthUnit::Millimetre, ToleranceOptions{});
  const TracedPupil pupil = TracePupil(BuildTelescope(design), 0.0, kToleranceGrid);
  const Wavefront front =
      EvaluateWavefront(pupil, OwnBestFocus(pupil, analysis.wavelength), analysis.wavelength);
  const double step = LargestWaveStep(TracedPupilFunction(pupil, front));
  ASSERT_GT(step, kLargestWaveStep);
  EXPECT_EQ(analysis.refusal, ToleranceRefusal::TooSteep);
  EXPECT_FALSE(analysis.ok());
  EXPECT_NEAR(analysis.aligned.largestWaveStep, step, 0.005);
  const std::string text = ToleranceRefusalText(analysis);

  const CollimationPictures pictures = DrawCollimationPictures(calculation, ToleranceOptions{});
  EXPECT_EQ(pictures.errorText, text);
  EXPECT_TRUE(pictures.table.shapes.empty());
  EXPECT_TRUE(pictures.axisImages.shapes.empty());
  EXPECT_EQ(pictures.tableText, "");
}

// A secondary cut to 0.4 of its diameter turns most of the axis' light away: counted
// here on the tolerances' grid, fewer than half the rays that pass it reach the image,
// the quality analysis' criterion for a field point it cannot trace.
TEST(Tolerances, RefuseAnAxisImageThatLosesHalfItsLight) {
  DesignResult design = Complete(F12Fields(kClassical));
  design.SecDia *= 0.4;
  const TracedPupil pupil = TracePupil(BuildTelescope(design), 0.0, kToleranceGrid);
  const int passing = pupil.launched - pupil.obstructed;
  ASSERT_LT(2 * pupil.imaged, passing);
  const ToleranceAnalysis analysis =
      AnalyseTolerances(design, LengthUnit::Millimetre, ToleranceOptions{});
  EXPECT_EQ(analysis.refusal, ToleranceRefusal::LightLost);
  EXPECT_EQ(ToleranceRefusalText(analysis),
            "Cannot trace this design: only " + std::to_string(pupil.imaged) + " of the " +
                std::to_string(passing) +
                " rays that pass the secondary reach the image on the axis");
}

// A fast Dall-Kirkham's own axis error, traced here, is above the budget: the table and
// AlignedAboveBudget say so; a Ritchey-Chretien's is not, and they say nothing.
TEST(Tolerances, AnAlignedDesignAboveTheBudgetSaysSo) {
  const DesignResult fast = Complete(ExampleFields(kDallKirkham, "300", "450", "1800", "150"));
  ASSERT_GT(TracedAxisRms(fast, SecondaryPerturbation{}, 550e-6), kDefaultBudgetWaves);
  const ToleranceAnalysis above = AnalyseTolerances(fast, LengthUnit::Millimetre, ToleranceOptions{});
  ASSERT_TRUE(above.ok()) << ToleranceRefusalText(above);
  EXPECT_TRUE(AlignedAboveBudget(above));
  const std::string aboveTable = FormatToleranceTable(above, TelescopeType::DallKirkham);
  EXPECT_NE(aboveTable.find("\nThe aligned design alone has " + FormatFixed(above.aligned.rmsWaves, 4) +
                            " waves RMS on the axis, already above the budget of 0.05 waves.\n"),
            std::string::npos)
      << aboveTable;

  const DesignResult slow = Complete(F12Fields(kRitcheyChretien));
  ASSERT_LT(TracedAxisRms(slow, SecondaryPerturbation{}, 550e-6), kDefaultBudgetWaves);
  const ToleranceAnalysis below = AnalyseTolerances(slow, LengthUnit::Millimetre, ToleranceOptions{});
  EXPECT_FALSE(AlignedAboveBudget(below));
  EXPECT_EQ(FormatToleranceTable(below, TelescopeType::RitcheyChretien).find("aligned design alone"),
            std::string::npos);
}

}  // namespace

namespace {

// The image-quality analysis of a decentered secondary, made its own way (its own focus
// and reference sphere, piston and tilt removed by its own fit), finds on the axis the
// wavefront error the tolerance search says the decenter tolerance adds: the budget, in
// quadrature with the aligned design's.
TEST(Tolerances, ImageQualityOfAMisalignedSecondaryAgrees) {
  const DesignResult design = Complete(F12Fields(kClassical));
  const ToleranceAnalysis analysis =
      AnalyseTolerances(design, LengthUnit::Millimetre, ToleranceOptions());
  ASSERT_TRUE(analysis.ok()) << ToleranceRefusalText(analysis);
  const ToleranceFound& decenter = analysis.Tolerance(Misalignment::Decenter);
  ASSERT_TRUE(decenter.found);

  QualityOptions options;
  options.gridSize = 64;
  options.focus = FocusMode::Paraxial;
  const QualitySet aligned = ComputeImageQuality(design, LengthUnit::Millimetre, options);
  options.secondary.decenter = decenter.amount;
  const QualitySet moved = ComputeImageQuality(design, LengthUnit::Millimetre, options);
  ASSERT_TRUE(QualitySetProblem(moved).ok());
  const double added = std::sqrt(std::pow(moved.fields[0].rmsWaves, 2) -
                                 std::pow(aligned.fields[0].rmsWaves, 2));
  EXPECT_NEAR(added, analysis.options.budgetWaves, kBudgetTolerance * analysis.options.budgetWaves);
  EXPECT_LT(moved.fields[0].strehl, aligned.fields[0].strehl);
}

}  // namespace
