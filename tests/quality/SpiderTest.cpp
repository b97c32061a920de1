// The spider's vanes in the pupil: the area they block against the geometry of a
// strip crossing an annulus, the perfect point image's peak against the square of the
// light passed, and the diffraction spikes' directions in the point image.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "quality/FourierPlans.h"
#include "quality/PointImage.h"
#include "quality/PupilFunction.h"
#include "quality/QualityConstants.h"
#include "quality/Spider.h"

using namespace spekulor::quality;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDiameter = 200.0;  // design unit: any, the vanes' width is a fraction of it

// The area of the half-strip |across| < h, along > 0 inside a circle of radius rho
// centred on the strip's end: the integral of sqrt(rho^2 - t^2) over -h..h.
double HalfStripInCircle(double h, double rho) {
  return h * std::sqrt(rho * rho - h * h) + rho * rho * std::asin(h / rho);
}

// The vanes' share of the annulus between the obstruction `e` D / 2 and the rim D / 2,
// for vanes too few and too narrow to meet outside the obstruction.
double VaneFraction(int vanes, double width, double e) {
  const double outer = kDiameter / 2.0;
  const double inner = e * outer;
  const double h = width / 2.0;
  const double vane = HalfStripInCircle(h, outer) - HalfStripInCircle(h, inner);
  return vanes * vane / (kPi * (outer * outer - inner * inner));
}

TEST(Spider, AreaFractionMatchesTheStripsGeometry) {
  for (int vanes : {1, 2, 3, 4, 6, 8}) {
    for (double angle : {0.0, 17.0, 45.0}) {
      for (double e : {0.25, 0.4}) {
        const Spider spider{vanes, 0.012 * kDiameter, angle};
        const SpiderFigures figures = MeasureSpider(spider, kDiameter, e, kDefaultQualityGrid);
        const double expected = VaneFraction(vanes, spider.width, e);
        EXPECT_NEAR(figures.areaFraction / expected, 1.0, 0.003)
            << vanes << " vanes at " << angle << " deg over " << e;
      }
    }
  }
  EXPECT_EQ(MeasureSpider(Spider{4, 0.0, 0.0}, kDiameter, 0.3, 64).areaFraction, 0.0);
  EXPECT_EQ(MeasureSpider(Spider{0, 2.0, 0.0}, kDiameter, 0.3, 64).peakRatio, 1.0);
}

// Four vanes 1 % of the diameter wide over a 30 % obstruction block a = 0.0196 of the
// clear area: the peak falls to (1 - a)^2, about 0.961.
TEST(Spider, PeakRatioIsTheSquareOfTheLightPassed) {
  const double a = VaneFraction(4, 0.01 * kDiameter, 0.3);
  EXPECT_NEAR(a, 0.0196, 0.0001);
  for (int grid : {64, kDefaultQualityGrid}) {
    for (double angle : {0.0, 30.0}) {
      const SpiderFigures figures =
          MeasureSpider(Spider{4, 0.01 * kDiameter, angle}, kDiameter, 0.3, grid);
      EXPECT_NEAR(figures.peakRatio / ((1.0 - a) * (1.0 - a)), 1.0, 0.005) << grid << " " << angle;
      EXPECT_NEAR(figures.peakRatio, 0.961, 0.001) << grid << " " << angle;
    }
  }
}

// Each cell keeps its rim's or obstruction's weight times the part the vanes leave.
TEST(Spider, VanesNeverBrightenACell) {
  const PupilFunction clear = PerfectPupilFunction(48, 0.35);
  PupilFunction blocked = clear;
  BlockVanes(blocked, Spider{5, 0.03 * kDiameter, 12.0}, kDiameter, 3.0);
  int darker = 0;
  for (size_t k = 0; k < clear.amplitude.size(); ++k) {
    EXPECT_GE(blocked.amplitude[k], 0.0);
    EXPECT_LE(blocked.amplitude[k], clear.amplitude[k]);
    if (blocked.amplitude[k] < clear.amplitude[k]) ++darker;
  }
  EXPECT_GT(darker, 5 * 10);  // five vanes, each across a dozen cells at least
}

// The mean intensity along the ray at `angleDeg` from the point image's centre, from 16
// to 56 lambda N, bilinear between samples (spaced lambda N / kImagePadding): out where
// a spike (falling as the radius squared) stands above the rings (as its cube), and
// narrower than the angle between spikes.
double MeanAlong(const PointImage& image, double angleDeg) {
  const double c = std::cos(angleDeg * kPi / 180.0);
  const double s = std::sin(angleDeg * kPi / 180.0);
  const int half = image.size / 2;
  double sum = 0.0;
  int count = 0;
  for (double r = 16.0; r <= 56.0; r += 0.25) {
    const double x = half + r * kImagePadding * c;
    const double y = half + r * kImagePadding * s;
    const int i = static_cast<int>(std::floor(x));
    const int j = static_cast<int>(std::floor(y));
    const double fx = x - i;
    const double fy = y - j;
    auto at = [&](int col, int row) {
      return image.intensity[static_cast<size_t>(row) * image.size + col];
    };
    sum += (1 - fx) * (1 - fy) * at(i, j) + fx * (1 - fy) * at(i + 1, j) +
           (1 - fx) * fy * at(i, j + 1) + fx * fy * at(i + 1, j + 1);
    ++count;
  }
  return sum / count;
}

// A vane diffracts across its length: N even vanes give N spikes at right angles to
// them (opposite vanes share a line), N odd vanes 2 N. Along every spike the image is
// brighter than anywhere halfway between two spikes, at the same radii.
TEST(Spider, SpikesLieAcrossTheVanes) {
  constexpr int kFineGrid = 128;
  FourierPlans plans(kImagePadding * kFineGrid, kFineGrid);
  for (int vanes : {2, 3, 4, 5, 6}) {
    const double first = 10.0;
    PupilFunction pupil = PerfectPupilFunction(kFineGrid, 0.3);
    BlockVanes(pupil, Spider{vanes, 0.02 * kDiameter, first}, kDiameter);
    PointImage image;
    ComputePointImage(pupil, 1.0 / kImagePadding, plans, image);
    ASSERT_EQ(image.size, kImagePadding * kFineGrid);

    const int spikes = vanes % 2 == 0 ? vanes : 2 * vanes;
    const double apart = 360.0 / spikes;
    // A spike at right angles to the first vane; the others `apart` from it.
    double dimmestSpike = HUGE_VAL;
    double brightestBetween = 0.0;
    for (int k = 0; k < spikes; ++k) {
      const double spike = first + 90.0 + k * apart;
      dimmestSpike = std::min(dimmestSpike, MeanAlong(image, spike));
      brightestBetween = std::max(brightestBetween, MeanAlong(image, spike + apart / 2.0));
    }
    // Halfway between even vanes' spikes is where an odd count's other half would lie;
    // for odd vanes, the vanes' own directions.
    EXPECT_GT(dimmestSpike, 5.0 * brightestBetween) << vanes << " vanes";
  }
}

}  // namespace
