#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "baffles/BaffleChecks.h"
#include "baffles/BafflePlan.h"
#include "tests/common/TestDesigns.h"
#include "baffles/BaffleTrace.h"

using namespace spekulor::calc;
using namespace spekulor::trace;
using namespace spekulor::baffles;

namespace {

constexpr double kFewMillimetres = 3.0;  // exact against first order, diameters
constexpr double kPositionTolerance = 5.0;  // exact against first order, positions
// The exact hole on the axis against b D / F, relative: the first-order cones leave out
// the mirrors' sagittas (the primary's rim stands D^2 / 16 f1 in front of its vertex),
// a part in a thousand or so for primaries of f/2.5 and f/3.
constexpr double kAxisHoleRelative = 2e-3;
constexpr double kHoleCrossCheck = 0.5;  // mm, the exact hole against 2 [h + (y2 - h) b / (d + b)]
constexpr double kSmallMove = 1.0;       // mm, a baffle's end moved from the optimum

BafflePlan Plan(const DesignFields& fields, BaffleOptions options = BaffleOptions()) {
  return PlanBaffles(Complete(fields), options);
}

// The exact baffles of the f/12 layout lie within a few millimetres of the worked example's
// first-order figures, and a little larger.
TEST(ExactBaffles, CloseToFirstOrderAndALittleLarger) {
  for (int type : {0, 1, 2, 4}) {
    const BafflePlan plan = Plan(F12Fields(type));
    ASSERT_TRUE(plan.ok()) << BaffleRefusalText(plan.problem);
    const double d = plan.frame.spacing;
    EXPECT_NEAR(2.0 * plan.baffles.skirtRadius, 89.6, kFewMillimetres) << type;
    EXPECT_NEAR(d - plan.baffles.skirtZ, 65.7, kPositionTolerance) << type;
    EXPECT_NEAR(2.0 * plan.baffles.tubeRadius, 52.2, kFewMillimetres) << type;
    EXPECT_NEAR(plan.baffles.tubeZ, 270.0, kPositionTolerance) << type;
    EXPECT_GT(plan.baffles.skirtRadius, plan.firstOrder.skirtRadius) << type;
    EXPECT_GT(plan.baffles.tubeRadius, plan.firstOrder.tubeRadius) << type;
    EXPECT_NEAR(plan.linearObstruction, 2.0 * plan.baffles.skirtRadius / 250.0, 1e-12);
    EXPECT_NEAR(plan.areaObstruction, plan.linearObstruction * plan.linearObstruction, 1e-12);
  }
}

// The chosen pair blocks none of the field's rays and lets no skylight through, and
// each check fails when a baffle is made 1 % smaller or larger.
TEST(ExactBaffles, ChecksHoldAndCanFail) {
  const DesignResult design = Complete(F12Fields(kRitcheyChretien));
  const BafflePlan plan = PlanBaffles(design, BaffleOptions());
  ASSERT_TRUE(plan.ok()) << BaffleRefusalText(plan.problem);
  const Telescope bare = BareTelescope(design);
  const double halfField = plan.frame.halfField;
  const double h = plan.frame.imageRadius;
  const double imageZ = -design.BackFocLen;

  const FieldRayCheck rays = CheckFieldRays(bare, halfField, plan.parts);
  EXPECT_GT(rays.rays, 1000);
  EXPECT_EQ(rays.blocked, 0);
  const SkyLineCheck lines = CheckSkyLines(plan.parts, h, imageZ);
  EXPECT_GT(lines.lines, 500);
  EXPECT_EQ(lines.reaching, 0);

  BaffleParts smallerSkirt = plan.parts;
  smallerSkirt.skirtRadius *= 0.99;
  EXPECT_GT(CheckSkyLines(smallerSkirt, h, imageZ).reaching, 0);  // skylight reaches the image
  EXPECT_GT(CheckFieldRays(bare, halfField, smallerSkirt).blocked, 0);  // and it cuts the beam

  BaffleParts narrowerTube = plan.parts;
  narrowerTube.tubeRadius *= 0.99;
  EXPECT_GT(CheckFieldRays(bare, halfField, narrowerTube).blocked, 0);
  BaffleParts widerTube = plan.parts;
  widerTube.tubeRadius *= 1.01;
  widerTube.boreRadius = widerTube.tubeRadius;
  EXPECT_GT(CheckFieldRays(bare, halfField, widerTube).blocked, 0);
}

// No slack is left at the exact optimum: a skirt ending 1 mm higher (and so narrower,
// as the beam allows there) lets skylight reach the image, a mouth 1 mm lower (its
// tube narrower) does too, and a mouth 1 mm higher (its tube wider) cuts the field's
// light; each judged by the exact checks alone.
TEST(ExactBaffles, EveryMoveFromTheOptimumFails) {
  const DesignResult design = Complete(F12Fields(kRitcheyChretien));
  const BafflePlan plan = PlanBaffles(design, BaffleOptions());
  ASSERT_TRUE(plan.ok()) << BaffleRefusalText(plan.problem);
  const Telescope bare = BareTelescope(design);
  const std::vector<BeamRay> rim = TraceRimRays(bare, plan.frame.halfField, 32);
  const double h = plan.frame.imageRadius;
  const double imageZ = -design.BackFocLen;
  // As wide as the beam there, with the solver's allowance for rounding.
  const double margin = kRoundingMargin * design.PriDia;
  const auto skirtAt = [&](double z) { return BeamRadiusAt(rim, z, true) + margin; };
  const auto tubeAt = [&](double z) { return BeamRadiusAt(rim, z, false) + margin; };

  BaffleParts higherSkirt = plan.parts;
  higherSkirt.skirtZ += kSmallMove;
  higherSkirt.skirtRadius = skirtAt(higherSkirt.skirtZ);
  EXPECT_LT(higherSkirt.skirtRadius, plan.parts.skirtRadius);
  EXPECT_GT(CheckSkyLines(higherSkirt, h, imageZ).reaching, 0);

  BaffleParts lowerMouth = plan.parts;
  lowerMouth.tubeZ -= kSmallMove;
  lowerMouth.tubeRadius = tubeAt(lowerMouth.tubeZ);
  EXPECT_GT(CheckSkyLines(lowerMouth, h, imageZ).reaching, 0);

  BaffleParts higherMouth = plan.parts;
  higherMouth.tubeZ += kSmallMove;
  higherMouth.tubeRadius = tubeAt(higherMouth.tubeZ);
  higherMouth.boreRadius = std::max(higherMouth.boreRadius, higherMouth.tubeRadius);
  EXPECT_GT(CheckFieldRays(bare, plan.frame.halfField, higherMouth).blocked, 0);
}

// Slower primaries need larger skirts for the same telescope and field (the light
// cone to the secondary is longer and the secondary farther out), until the skirt
// is refused as too large.
TEST(ExactBaffles, SlowerPrimariesNeedLargerSkirts) {
  double previous = 0.0;
  for (const char* f1 : {"500", "750", "1000"}) {
    DesignFields fields = F12Fields(kRitcheyChretien);
    fields.m_strPriFoc = f1;
    fields.m_strField = "1";
    const BafflePlan plan = Plan(fields);
    ASSERT_TRUE(plan.ok()) << f1 << ": " << BaffleRefusalText(plan.problem);
    EXPECT_GT(plan.linearObstruction, previous) << f1;
    previous = plan.linearObstruction;
  }
  DesignFields slow = F12Fields(kRitcheyChretien);
  slow.m_strPriFoc = "2000";
  slow.m_strField = "1";
  const BafflePlan refused = Plan(slow);
  EXPECT_FALSE(refused.ok());
  // Refused as a skirt too large, which a faster primary shrinks.
  EXPECT_EQ(refused.problem.code, BaffleProblemCode::TooMuchObstruction)
      << BaffleRefusalText(refused.problem);
}

// On the axis the exact hole is b D / F: the classical Cassegrain images the axis
// perfectly, so its cone is exactly the first-order one.
TEST(ExactBaffles, HoleOnTheAxis) {
  for (const DesignFields& fields : {F12Fields(kClassical), StartupFields(kClassical)}) {
    const DesignResult design = Complete(fields);
    const Telescope bare = BareTelescope(design);
    const double hole = 2.0 * HoleRadius(bare, TraceRimRays(bare, 0.0, 32));
    const double firstOrder = design.BackFocLen * design.PriDia / design.SysFoc;
    EXPECT_NEAR(hole, firstOrder, kAxisHoleRelative * firstOrder);
  }
}

// Over designs of every kind the exact hole agrees with 2 [h + (y2 - h) b / (d + b)]
// and both checks pass.
TEST(ExactBaffles, EveryDesignOfTheSpread) {
  for (const DesignCase& c : BaffleSpread()) {
    const DesignResult design = Complete(c.fields);
    const BafflePlan plan = PlanBaffles(design, BaffleOptions());
    ASSERT_TRUE(plan.ok()) << c.name << ": " << BaffleRefusalText(plan.problem);
    const double h = design.SysFoc * std::tan(design.FieldRad / 2.0);
    const double y2 = design.SecDia / 2.0;
    const double d = design.PriSecDist, b = design.BackFocLen;
    const double scale = c.fields.m_nUnits == 0 ? 25.4 : 1.0;
    EXPECT_NEAR(plan.hole, 2.0 * (h + (y2 - h) * b / (d + b)), kHoleCrossCheck / scale) << c.name;
    EXPECT_EQ(plan.fieldRays.blocked, 0) << c.name;
    EXPECT_EQ(plan.skyLines.reaching, 0) << c.name;
    EXPECT_GT(plan.baffles.skirtZ, plan.baffles.tubeZ) << c.name;
    EXPECT_LT(plan.baffles.skirtZ, d) << c.name;
    EXPECT_GE(plan.baffles.tubeZ, 0.0) << c.name;
  }
}

TEST(ExactBaffles, RefusesWhatCannotBeBaffled) {
  DesignFields wide;  // three degrees on the start-up layout
  wide.m_strField = "3";
  const BafflePlan huge = Plan(wide);
  EXPECT_FALSE(huge.ok());
  EXPECT_EQ(huge.problem.code, BaffleProblemCode::TooMuchObstruction)
      << BaffleRefusalText(huge.problem);
  EXPECT_GT(huge.problem.linearObstruction, kMostBaffleObstruction);
  EXPECT_EQ(huge.problem.linearObstruction, huge.linearObstruction);

  DesignFields inFront;
  inFront.m_strBackFocLen = "-50";
  const BafflePlan noHole = Plan(inFront);
  EXPECT_EQ(noHole.problem.code, BaffleProblemCode::FocusNotBehind);

  BaffleOptions negative;
  negative.primaryThickness = -1.0;
  EXPECT_EQ(Plan(DesignFields(), negative).problem.code, BaffleProblemCode::ThicknessOutOfRange);
}

}  // namespace
