#include <gtest/gtest.h>

#include <cmath>

#include "tests/common/TestDesigns.h"
#include "baffles/BafflePlan.h"
#include "baffles/FocusTravel.h"
#include "calc/Solver.h"

using namespace spekulor::calc;
using namespace spekulor::baffles;

namespace {

constexpr double kSmallDespace = 0.01;          // mm of mirror distance
constexpr double kOneSidedTolerance = 1e-3;  // relative: the change is not quite linear
constexpr double kCentralTolerance = 1e-6;   // relative, central difference
constexpr double kLengthTolerance = 1e-7;    // mm

// A fresh solve of the design with its secondary moved: the same primary and secondary
// radius, the prime focus `move` farther behind the secondary (the mirrors `move`
// closer), completed by calc's solver along the secondary-radius path.
double FreshBackFocus(const DesignResult& design, double move) {
  DesignInput input;
  input.PriDia = design.PriDia;
  input.FieldAng = design.FieldAng;
  input.PriFoc = design.PriFoc;
  input.SecRadCur = design.SecRadCur;
  input.SecPriFocDist = design.SecPriFocDist + move;
  return SolveGeometry(StartDesign(input), SolvePath::FromSecPriFocDist).BackFocLen;
}

TEST(FocusTravel, AgreesWithAFreshSolveOfTheMovedDesign) {
  for (const DesignFields& fields : {F12Fields(kRitcheyChretien), DesignFields()}) {
    const DesignResult design = Complete(fields);
    const FocusTravel travel = ComputeFocusTravel(design, 40.0, 0.0);
    const double b = design.BackFocLen;
    const double forward = (FreshBackFocus(design, kSmallDespace) - b) / kSmallDespace;
    EXPECT_NEAR(forward / travel.backFocusPerSpacing, 1.0, kOneSidedTolerance);
    const double central =
        (FreshBackFocus(design, kSmallDespace) - FreshBackFocus(design, -kSmallDespace)) / (2.0 * kSmallDespace);
    EXPECT_NEAR(central / travel.backFocusPerSpacing, 1.0, kCentralTolerance);
    // The exact rate is m^2 + 1.
    EXPECT_NEAR(travel.backFocusPerSpacing, design.SecMag * design.SecMag + 1.0, 1e-9);
  }
}

TEST(FocusTravel, MirrorDistancesKeepingTheFocusBehindTheBack) {
  const DesignResult design = Complete(F12Fields(kRitcheyChretien));
  EXPECT_NEAR(BackFocusAtSpacing(design, design.PriSecDist), design.BackFocLen, kLengthTolerance);
  const double thickness = 42.0, clearance = 100.0;
  const FocusTravel travel = ComputeFocusTravel(design, thickness, clearance);
  EXPECT_DOUBLE_EQ(travel.primaryBackZ, -thickness);
  // At the largest distance a fresh solve puts the focus exactly that far behind the back.
  const double move = design.PriSecDist - travel.largestSpacing;
  EXPECT_NEAR(FreshBackFocus(design, move), thickness + clearance, kLengthTolerance);
  EXPECT_NEAR(travel.spacingSlack, travel.largestSpacing - design.PriSecDist, 1e-12);
  // b 200 lies 58 mm beyond the wanted 142: the secondary may move away by a little
  // more than 58 / (m^2 + 1) = 3.4 mm, as m falls while it moves.
  EXPECT_GT(travel.spacingSlack, 58.0 / 17.0);
  EXPECT_LT(travel.spacingSlack, 1.1 * 58.0 / 17.0);
  // Nearer than f1 - R2 / 2 the secondary forms no real image: the focus runs off.
  EXPECT_NEAR(travel.focusAtInfinity, design.PriFoc - design.SecRadCur / 2.0, 1e-12);
  EXPECT_GT(BackFocusAtSpacing(design, travel.focusAtInfinity + 1e-6), 1e8);
}

}  // namespace

namespace {

// The options' ranges end at a blank as thick as the primary is wide, and at a focus
// from level with the primary's vertex to a system focal length behind its back; at
// each end the largest mirror distance puts the focus there, by a fresh solve. Far
// beyond (1e30 mm), the distance tends to f1 - R2 / 2, where the focus runs off to
// infinity, not to f1 as the root's cancellation once gave.
TEST(FocusTravel, TheRangesEndsAgreeWithAFreshSolve) {
  for (const DesignFields& fields : {F12Fields(kRitcheyChretien), DesignFields()}) {
    const DesignResult design = Complete(fields);
    const BaffleOptionRange thickness = ThicknessRange(design);
    EXPECT_EQ(thickness.least, 0.0);
    EXPECT_EQ(thickness.most, design.PriDia);
    for (double t : {thickness.least, thickness.most}) {
      const BaffleOptionRange clearance = FocusClearanceRange(design, t);
      for (double c : {clearance.least, 0.0, clearance.most}) {
        const FocusTravel travel = ComputeFocusTravel(design, t, c);
        const double move = design.PriSecDist - travel.largestSpacing;
        EXPECT_NEAR(FreshBackFocus(design, move) / design.SysFoc, (t + c) / design.SysFoc,
                    1e-9)
            << t << " " << c;
        BaffleOptions options;
        options.primaryThickness = t;
        options.focusClearance = c;
        EXPECT_TRUE(BaffleInputsProblem(design, options).ok()) << t << " " << c;
      }
      BaffleOptions beyond;
      beyond.primaryThickness = t;
      beyond.focusClearance = std::nextafter(clearance.most, HUGE_VAL);
      EXPECT_EQ(BaffleInputsProblem(design, beyond).code, BaffleProblemCode::ClearanceOutOfRange);
      beyond.focusClearance = std::nextafter(clearance.least, -HUGE_VAL);
      EXPECT_EQ(BaffleInputsProblem(design, beyond).code, BaffleProblemCode::ClearanceOutOfRange);
    }
    BaffleOptions thick;
    thick.primaryThickness = std::nextafter(design.PriDia, HUGE_VAL);
    EXPECT_EQ(BaffleInputsProblem(design, thick).code, BaffleProblemCode::ThicknessOutOfRange);
    const FocusTravel far = ComputeFocusTravel(design, 0.0, 1e30);
    EXPECT_NEAR(far.largestSpacing, design.PriFoc - design.SecRadCur / 2.0, 1e-9 * design.PriFoc);
  }
}

}  // namespace
