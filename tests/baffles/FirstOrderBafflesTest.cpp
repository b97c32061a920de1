#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "baffles/BaffleFrame.h"
#include "baffles/BaffleSolver.h"
#include "tests/common/TestDesigns.h"
#include "baffles/FirstOrderBaffles.h"

using namespace spekulor::calc;
using namespace spekulor::baffles;

namespace {

// The worked example's first-order figures are given to a tenth of a millimetre (the mouth
// "about 270").
constexpr double kExampleTolerance = 0.1;
constexpr double kMouthTolerance = 0.5;
constexpr double kGridStep = 0.25;  // mm, brute-force search

BaffleFrame F12Frame() { return MakeBaffleFrame(Complete(F12Fields(kRitcheyChretien))); }

// D 250, f1 750, m 4, b 200, theta 0.25 degree: skirt 89.6 ending 65.7 below the
// secondary, tube 52.2 with its mouth 270 in front of the primary.
TEST(FirstOrderBaffles, WorkedExampleOptimum) {
  const BaffleFrame frame = F12Frame();
  ASSERT_NEAR(frame.spacing, 560.0, 1e-9);
  BafflePair pair;
  ASSERT_TRUE(SolveBafflePair(FirstOrderNeeds(frame), pair));
  EXPECT_NEAR(2.0 * pair.skirtRadius, 89.6, kExampleTolerance);
  EXPECT_NEAR(frame.spacing - pair.skirtZ, 65.7, kExampleTolerance);
  EXPECT_NEAR(2.0 * pair.tubeRadius, 52.2, kExampleTolerance);
  EXPECT_NEAR(pair.tubeZ, 270.0, kMouthTolerance);
}

// No pair on a fine grid of (zs, zp) that meets both conditions has a smaller skirt.
TEST(FirstOrderBaffles, NothingOnAGridDoesBetter) {
  const BaffleFrame frame = F12Frame();
  const BaffleNeeds needs = FirstOrderNeeds(frame);
  BafflePair pair;
  ASSERT_TRUE(SolveBafflePair(needs, pair));
  double best = HUGE_VAL;
  for (double zp = 0.0; zp < frame.spacing; zp += 4.0 * kGridStep) {
    const double rp = needs.tubeRadius(zp);
    for (double zs = zp + kGridStep; zs <= frame.spacing; zs += kGridStep) {
      const double rs = needs.skirtRadius(zs);
      const bool dark = SkyLineRadius(frame.imageRadius, -frame.backFocus, rp, zp, zs) <= rs;
      const bool clear = needs.innerClearance(zs, zp) >= std::fmax(rp, needs.holeRadius);
      if (dark && clear) best = std::fmin(best, rs);
    }
  }
  EXPECT_GE(best, pair.skirtRadius - 1e-9);
  EXPECT_LE(best, pair.skirtRadius + 0.05);  // the grid comes within its step
}

// At the optimum both conditions hold with nothing to spare.
TEST(FirstOrderBaffles, BothConditionsMeetAtTheOptimum) {
  const BaffleFrame frame = F12Frame();
  BafflePair pair;
  ASSERT_TRUE(SolveBafflePair(FirstOrderNeeds(frame), pair));
  EXPECT_NEAR(SkyLineRadius(frame.imageRadius, -frame.backFocus, pair.tubeRadius, pair.tubeZ, pair.skirtZ),
              pair.skirtRadius, 1e-6);
  EXPECT_NEAR(InnerLightRadius(frame, pair.skirtRadius, pair.skirtZ, pair.tubeZ), pair.tubeRadius, 1e-6);
}

// On the axis the hole is b D / F (the cone from the secondary's footprint p D / f1
// to the focus, cut by the primary b / q of the way).
TEST(FirstOrderBaffles, HoleOnTheAxis) {
  for (const DesignFields& fields : {F12Fields(kClassical), DesignFields()}) {
    const DesignResult design = Complete(fields);
    BaffleFrame axis = MakeBaffleFrame(design);
    axis.halfField = 0.0;
    axis.imageRadius = 0.0;
    axis.secondaryBeamRadius = design.SecMinDia / 2.0;
    EXPECT_NEAR(FirstOrderHoleDiameter(axis), design.BackFocLen * design.PriDia / design.SysFoc, 1e-9);
  }
  // The image circle is F tan(theta) in radius.
  EXPECT_NEAR(F12Frame().imageRadius, 3000.0 * std::tan(0.25 * M_PI / 180.0), 1e-6);
}

// The line from the image circle's edge past the far edge of the mouth is the
// outermost of all lines from any point of the circle through any point of the mouth.
TEST(FirstOrderBaffles, SkyLineIsTheOutermost) {
  const double h = 13.0, imageZ = -200.0, rp = 26.0, zp = 270.0, z = 490.0;
  const double extreme = SkyLineRadius(h, imageZ, rp, zp, z);
  // The two meridional edge points give it exactly.
  const double s = (z - imageZ) / (zp - imageZ);
  EXPECT_NEAR(extreme, std::fabs(-h + s * (rp + h)), 1e-9);
  std::mt19937 random(7);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  double outermost = 0.0;
  for (int i = 0; i < 20000; ++i) {
    const double ri = h * std::sqrt(unit(random)), ai = 2.0 * M_PI * unit(random);
    const double rm = rp * std::sqrt(unit(random)), am = 2.0 * M_PI * unit(random);
    const double x = ri * std::cos(ai) + s * (rm * std::cos(am) - ri * std::cos(ai));
    const double y = ri * std::sin(ai) + s * (rm * std::sin(am) - ri * std::sin(ai));
    outermost = std::fmax(outermost, std::hypot(x, y));
  }
  EXPECT_LE(outermost, extreme);
  EXPECT_GT(outermost, 0.9 * extreme);
}

// When the tube can never stay clear of the light, there is no pair.
TEST(FirstOrderBaffles, NoPairWhenTheTubeCannotClear) {
  BaffleNeeds needs = FirstOrderNeeds(F12Frame());
  needs.innerClearance = [](double, double) { return 0.0; };
  BafflePair pair;
  EXPECT_FALSE(SolveBafflePair(needs, pair));
}

}  // namespace
