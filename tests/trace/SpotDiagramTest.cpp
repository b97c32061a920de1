#include <gtest/gtest.h>

#include <cmath>

#include "trace/SpotDiagram.h"
#include "tests/common/TestDesigns.h"
#include "support/Units.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::trace;

namespace {

constexpr double kStatTolerance = 1e-12;

TEST(SpotStatistics, PointsOnACircleAndALopsidedSet) {
  std::vector<SpotPoint> ring;
  for (int i = 0; i < 360; ++i) {
    const double a = i * kPi / 180.0;
    ring.push_back({3.0 + 2.0 * std::cos(a), -1.0 + 2.0 * std::sin(a)});
  }
  const SpotStatistics s = ComputeSpotStatistics(ring);
  EXPECT_NEAR(s.centroidX, 3.0, kStatTolerance);
  EXPECT_NEAR(s.centroidY, -1.0, kStatTolerance);
  EXPECT_NEAR(s.rmsRadius, 2.0, kStatTolerance);
  EXPECT_NEAR(s.maxRadius, 2.0, kStatTolerance);
  EXPECT_NEAR(s.thirdMomentY, 0.0, kStatTolerance);

  // y = 0, 0, 3: centroid 1, deviations -1, -1, 2.
  const SpotStatistics lopsided = ComputeSpotStatistics({{0.0, 0.0}, {0.0, 0.0}, {0.0, 3.0}});
  EXPECT_NEAR(lopsided.centroidY, 1.0, kStatTolerance);
  EXPECT_NEAR(lopsided.rmsRadius, std::sqrt(2.0), kStatTolerance);
  EXPECT_NEAR(lopsided.maxRadius, 2.0, kStatTolerance);
  EXPECT_NEAR(lopsided.thirdMomentY, 2.0, kStatTolerance);

  const SpotStatistics none = ComputeSpotStatistics({});
  EXPECT_EQ(none.rmsRadius, 0.0);
}

// A square grid samples area uniformly: its count approaches the disc's area over the
// cell's, and it is symmetric, so it has no centroid of its own.
TEST(SpotSampling, SquareGridIsUniformAndSymmetric) {
  const std::vector<SpotPoint> grid = SquareGrid(100.0, 2.0);
  const double expected = kPi * 100.0 * 100.0 / 4.0;
  EXPECT_NEAR(static_cast<double>(grid.size()) / expected, 1.0, 0.01);
  const SpotStatistics s = ComputeSpotStatistics(grid);
  EXPECT_NEAR(s.centroidX, 0.0, 1e-9);
  EXPECT_NEAR(s.centroidY, 0.0, 1e-9);
  // Uniform over a disc of radius R: RMS radius R / sqrt(2).
  EXPECT_NEAR(s.rmsRadius / (100.0 / std::sqrt(2.0)), 1.0, 0.01);
  EXPECT_TRUE(SquareGrid(0.0, 1.0).empty());
  EXPECT_TRUE(SquareGrid(10.0, 0.0).empty());
}

// At least as many rays as asked for reach the image, and not wastefully more.
TEST(SpotSampling, EnoughRaysAtEveryFieldPoint) {
  const DesignResult design = Complete(StartupFields(kRitcheyChretien));
  for (int wanted : {1, 50, 2000, 7000}) {
    const SpotSet set = ComputeSpotSet(design, LengthUnit::Millimetre, wanted);
    for (const SpotDiagram& spot : set.spots) {
      EXPECT_GE(spot.points.size(), static_cast<size_t>(wanted));
      if (wanted >= 2000) {
        EXPECT_LT(spot.points.size(), static_cast<size_t>(wanted * 1.1));
      }
    }
  }
}

// A secondary despaced so far that almost no light reaches the image: the first grid
// (about the rays asked for over the clear annulus) already shows that fewer than half
// of the passing rays arrive, and neither a finer grid nor the other field points are
// traced; the set is refused. Before, the grid grew by the shortfall's ratio, a
// million-fold, and ran out of memory.
TEST(SpotSampling, LostLightEndsTheTracingAtOnce) {
  const DesignResult design = Complete(StartupFields(kRitcheyChretien));
  const double clearShare = 1.0 - std::pow(design.SecDia / design.PriDia, 2.0);
  for (double despace : {-1e6, 690.0}) {
    SecondaryPerturbation moved;
    moved.despace = despace;
    const int wanted = 100000;
    const SpotSet set = ComputeSpotSet(design, LengthUnit::Millimetre, wanted, moved);
    EXPECT_EQ(SpotSetProblem(set).code, TraceProblemCode::LightLost) << despace;
    const SpotDiagram& axis = set.spots[0];
    EXPECT_LT(2 * axis.points.size(), static_cast<size_t>(axis.launched - axis.obstructed));
    EXPECT_LT(axis.launched, 1.2 * wanted / clearShare) << despace;
    for (size_t i = 1; i < set.spots.size(); ++i) EXPECT_EQ(set.spots[i].launched, 0) << despace;
  }
}

// However few rays pass, the refinement stops at eight times the rays asked for (and
// 4096): a grid that finds none quadruples at most four times.
TEST(SpotSampling, RefinementIsBounded) {
  const DesignResult design = Complete(StartupFields(kRitcheyChretien));
  Telescope telescope = BuildTelescope(design);
  telescope.shadowRadius = 0.999 * telescope.primary.clearRadius;  // a sliver of an annulus
  for (int wanted : {1, 1000}) {
    const SpotDiagram spot = TraceSpotDiagram(telescope, 0.0, wanted);
    const double mostLaunched = 8.0 * wanted + 4096.0;
    EXPECT_LT(spot.launched, 1.1 * mostLaunched) << wanted;
  }
}

// The three field points and the Airy disk: 1.22 * 0.55 um * F / D, 5.368 um at f/8.
TEST(SpotSet, FieldPointsAndAiryDisk) {
  const DesignResult design = Complete(StartupFields(kRitcheyChretien));
  const SpotSet set = ComputeSpotSet(design, LengthUnit::Millimetre, 500);
  EXPECT_EQ(set.spots[0].fieldAngle, 0.0);
  EXPECT_NEAR(set.spots[1].fieldAngle, 0.7 * 0.375 / 57.29577951308232, 1e-12);
  EXPECT_NEAR(set.spots[2].fieldAngle, 0.375 / 57.29577951308232, 1e-12);
  EXPECT_DOUBLE_EQ(set.spots[2].fieldFraction, 1.0);
  EXPECT_NEAR(set.airyRadius * set.micrometresPerUnit, 5.368, 1e-9);
  EXPECT_NEAR(set.arcsecPerUnit * 3200.0, 206264.806, 1e-3);
}

// The same numbers read as inches describe a telescope 25.4 times larger: its spots are
// 25.4 times larger in micrometres and the same on the sky; the Airy disk, fixed by the
// wavelength and the focal ratio, stays 5.368 um.
TEST(SpotSet, InchDesignsScaleToMicrometres) {
  DesignFields inchFields = StartupFields(kClassical);
  inchFields.m_nUnits = 0;
  const DesignResult mmDesign = Complete(StartupFields(kClassical));
  const DesignResult inchDesign = Complete(inchFields);
  const SpotSet mm = ComputeSpotSet(mmDesign, LengthUnit::Millimetre, 1000);
  const SpotSet inch = ComputeSpotSet(inchDesign, LengthUnit::Inch, 1000);
  EXPECT_NEAR(inch.airyRadius * inch.micrometresPerUnit, 5.368, 1e-9);
  const double mmRms = mm.spots[2].stats.rmsRadius;
  const double inchRms = inch.spots[2].stats.rmsRadius;
  EXPECT_NEAR(inchRms * inch.micrometresPerUnit / (mmRms * mm.micrometresPerUnit), 25.4, 1e-9);
  EXPECT_NEAR(inchRms * inch.arcsecPerUnit, mmRms * mm.arcsecPerUnit, 1e-9);
}

}  // namespace
