// The tolerance search against the exact trace sampled on its own, evenly, on the way
// to each tolerance: "beyond" is said only where every sample up to the range's end
// stays within the budget, a tolerance is where the traced error first reaches the
// budget, and budgets below what the trace resolves follow the law of the added
// variance.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "tests/common/TestDesigns.h"
#include "collimation/Tolerances.h"
#include "support/Units.h"

using namespace spekulor::calc;
using namespace spekulor::trace;
using namespace spekulor::collimation;

namespace {

constexpr int kSamples = 16;            // evenly spaced traces on the way to an amount
constexpr double kLawTolerance = 0.03;  // a tolerance ratio against the law's
constexpr size_t kCaseCount = 15;       // the eleven misalignment designs, four 16.55-inch

struct Case {
  std::string name;
  DesignResult design;
  LengthUnit unit = LengthUnit::Millimetre;
};

Case InchCase(int type, const char* diameter, const char* primaryFocus, const char* systemFocus,
              const char* backFocus) {
  const DesignResult design =
      Complete(ExampleFields(type, diameter, primaryFocus, systemFocus, backFocus, kInchUnits));
  return {std::string("16.55 inch type ") + std::to_string(type) + " f1 " + primaryFocus + " F " +
              systemFocus,
          design, LengthUnit::Inch};
}

// Every type and speed of the misalignment tests, and 16.55-inch telescopes whose
// secondary must move inches before the budget is spent: a Dall-Kirkham whose despace
// crosses the budget only after the eight model-guided traces, slow ones whose decenter
// stays within the budget over the whole range, and a Ritchey-Chretien whose despace
// error steps over the budget where the beam begins to overfill the secondary.
std::vector<Case> Cases() {
  std::vector<Case> cases;
  for (const NamedDesign& named : MisalignmentDesigns()) {
    cases.push_back({named.name, named.design, LengthUnit::Millimetre});
  }
  cases.push_back(InchCase(kDallKirkham, "16.55", "66.2", "264.8", "10"));
  cases.push_back(InchCase(kDallKirkham, "16.55", "165", "330", "4"));
  cases.push_back(InchCase(kClassical, "16.55", "165", "330", "12"));
  cases.push_back(InchCase(kRitcheyChretien, "16.55", "165", "660", "4"));
  return cases;
}

AxisProbe ProbeOf(const Case& c, const ToleranceAnalysis& analysis) {
  return {BuildTelescope(c.design), analysis.options.gridSize, analysis.wavelength};
}

// The error the misalignment adds in quadrature, traced; infinite where the axis image
// loses half its light.
double Added(const AxisProbe& probe, const AxisWavefront& aligned, Misalignment kind,
             double amount) {
  const AxisWavefront axis = MeasureAxis(probe, Misaligned(kind, amount));
  if (!HoldsTheLight(axis)) return std::numeric_limits<double>::infinity();
  return std::sqrt(std::max(0.0, axis.rmsWaves * axis.rmsWaves -
                                     aligned.rmsWaves * aligned.rmsWaves));
}

// The largest error added at kSamples - 1 evenly spaced amounts strictly between 0 and
// `amount` (and at `amount` itself when `includeEnd`).
double LargestOnTheWay(const AxisProbe& probe, const AxisWavefront& aligned, Misalignment kind,
                       double amount, bool includeEnd) {
  double largest = 0.0;
  for (int k = 1; k <= (includeEnd ? kSamples : kSamples - 1); ++k) {
    largest = std::max(largest, Added(probe, aligned, kind, amount * k / kSamples));
  }
  return largest;
}

// One case a test, so that each has its own time.
class EachCase : public testing::TestWithParam<size_t> {};

TEST_P(EachCase, BeyondOnlyWhereTheTracedErrorStaysWithinTheBudget) {
  const std::vector<Case> cases = Cases();
  ASSERT_EQ(cases.size(), kCaseCount);
  const Case& c = cases[GetParam()];
  const ToleranceAnalysis analysis = AnalyseTolerances(c.design, c.unit, ToleranceOptions{});
  ASSERT_TRUE(analysis.ok()) << c.name << ": " << ToleranceRefusalText(analysis);
  const AxisProbe probe = ProbeOf(c, analysis);
  const double budget = analysis.options.budgetWaves;
  for (Misalignment kind : kMisalignments) {
    const ToleranceFound& found = analysis.Tolerance(kind);
    const std::string what = c.name + " " + MisalignmentName(kind);
    if (found.limit == ToleranceLimit::BeyondRange) {
      EXPECT_FALSE(found.found) << what;
      EXPECT_DOUBLE_EQ(std::fabs(found.amount), SearchRange(probe.telescope, kind)) << what;
      EXPECT_LT(LargestOnTheWay(probe, analysis.aligned, kind, found.amount, true), budget)
          << what;
      if (kind == Misalignment::Despace) {
        EXPECT_LT(LargestOnTheWay(probe, analysis.aligned, kind, -found.amount, true), budget)
            << what;
      }
      continue;
    }
    // Nothing short of the tolerance reaches the budget, on either side for a despace.
    EXPECT_LT(LargestOnTheWay(probe, analysis.aligned, kind, found.amount, false), budget)
        << what;
    if (kind == Misalignment::Despace) {
      EXPECT_LT(LargestOnTheWay(probe, analysis.aligned, kind, -found.amount, false), budget)
          << what;
    }
    if (found.limit == ToleranceLimit::Jump || found.limit == ToleranceLimit::LightLost) {
      EXPECT_LT(Added(probe, analysis.aligned, kind, found.amount), budget) << what;
      EXPECT_GE(Added(probe, analysis.aligned, kind, found.beyondAmount), budget) << what;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(ToleranceSearch, EachCase, testing::Range<size_t>(0, kCaseCount));

// The cases hold both kinds of answer: tolerances the budget bounds, and ranges within it.
TEST(ToleranceSearch, CasesHoldBothAnswers) {
  int beyond = 0;
  int bounded = 0;
  for (const Case& c : Cases()) {
    const ToleranceAnalysis analysis = AnalyseTolerances(c.design, c.unit, ToleranceOptions{});
    for (const ToleranceFound& found : analysis.tolerances) {
      (found.limit == ToleranceLimit::BeyondRange ? beyond : bounded) += 1;
    }
  }
  EXPECT_GT(beyond, 0);
  EXPECT_GT(bounded, 0);
}

// With W0 the aligned wavefront and W0 + x w1 + x^2 w2 the misaligned one (refocused and
// re-pointed), the variance added is
//   rms(x)^2 - rms(0)^2 = 2 cov(W0, w1) x + (var w1 + 2 cov(W0, w2)) x^2 + O(x^3)
// (Mahajan, "Optical Imaging and Aberrations" I, sec. 8.3). Coma w1 is odd in phi and
// the aligned error even, so cov(W0, w1) = 0 for a decenter and a tilt, and W0 = 0 for
// a perfect classical Cassegrain: the error added in quadrature grows as x, and a tenth
// of the budget gives a tenth of the tolerance. A despace's spherical aberration meets a
// Dall-Kirkham's or Ritchey-Chretien's residual: the linear term leads, the error grows
// as sqrt(x), and a tenth of the budget gives a hundredth of the tolerance.
TEST(ToleranceSearch, TinyBudgetsScaleByTheLawOfTheAddedVariance) {
  for (int type : {kClassical, kDallKirkham, kRitcheyChretien}) {
    const DesignResult design = Complete(F12Fields(type));
    ToleranceOptions options;
    options.budgetWaves = 1e-6;
    const ToleranceAnalysis one = AnalyseTolerances(design, LengthUnit::Millimetre, options);
    options.budgetWaves = 1e-7;
    const ToleranceAnalysis tenth = AnalyseTolerances(design, LengthUnit::Millimetre, options);
    ASSERT_TRUE(one.ok() && tenth.ok());
    for (Misalignment kind : kMisalignments) {
      const ToleranceFound& a = one.Tolerance(kind);
      const ToleranceFound& b = tenth.Tolerance(kind);
      ASSERT_TRUE(a.found && b.found) << type << " " << MisalignmentName(kind);
      ASSERT_TRUE(std::isfinite(a.amount) && std::isfinite(b.amount) && b.amount != 0.0);
      const bool linearLeads = kind == Misalignment::Despace && type != kClassical;
      EXPECT_NEAR(a.amount / b.amount / (linearLeads ? 100.0 : 10.0), 1.0, kLawTolerance)
          << type << " " << MisalignmentName(kind);
    }
  }
}

}  // namespace
