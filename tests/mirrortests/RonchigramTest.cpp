#include <gtest/gtest.h>

#include <cmath>

#include "mirrortests/RonchiPicture.h"
#include "drawing/PictureParts.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::mirrortests;

namespace {

PrimaryUnderTest Mirror(double conic) {
  PrimaryUnderTest primary;
  primary.radius = 2400.0;  // f/4
  primary.conic = conic;
  primary.diameter = 300.0;
  primary.shadowRadius = 40.0;
  return primary;
}

// The x on the line at height y where 2 nu u reaches n, by bisection from the axis to
// the rim (u grows steadily there for the mirrors tested).
double EdgeAt(const PrimaryUnderTest& primary, const RonchiSetup& setup, double y, double n) {
  const double nu = LinesPerUnit(setup.linesPerInch, primary.unit);
  double low = 0.0, high = primary.diameter / 2.0;
  const double sign = 2.0 * nu * GratingCoordinate(primary, setup, high, y) > 0.0 ? 1.0 : -1.0;
  for (int i = 0; i < 100; ++i) {
    const double x = (low + high) / 2.0;
    if (sign * (2.0 * nu * GratingCoordinate(primary, setup, x, y)) < n)
      low = x;
    else
      high = x;
  }
  return (low + high) / 2.0;
}

// A sphere shows straight bands R / (2 nu |d|) apart with the source moving with the
// grating and R / (nu |d|) apart with it fixed at the centre of curvature.
TEST(Ronchigram, SphereShowsStraightEvenlySpacedBands) {
  const PrimaryUnderTest sphere = Mirror(0.0);
  const double nu = 100.0 / 25.4;
  for (TestSource source : {TestSource::Moving, TestSource::Fixed}) {
    for (double offset : {-3.0, 3.0, 8.0}) {
      const RonchiSetup setup{100.0, offset, source};
      const double period =
          sphere.radius / ((source == TestSource::Moving ? 2.0 : 1.0) * nu * std::fabs(offset));
      const Ronchigram gram = ComputeRonchigram(sphere, setup);
      const std::vector<double>& edges = gram.bandEdges;
      ASSERT_GE(edges.size(), 3u) << offset;
      for (size_t i = 1; i < edges.size(); ++i) {
        EXPECT_NEAR(edges[i] - edges[i - 1], period / 2.0, 0.01 * period) << offset << " " << i;
      }
      // Straight: the first band's edge stands at the same x across the mirror.
      const double onDiameter = EdgeAt(sphere, setup, 0.0, 1.0);
      EXPECT_NEAR(onDiameter, period / 2.0, 0.01 * period);
      for (double y : {-0.6, -0.3, 0.3, 0.6}) {
        EXPECT_NEAR(EdgeAt(sphere, setup, y * 150.0, 1.0), onDiameter, 0.01 * period) << y;
      }
    }
  }
}

// The default offsets show four line pairs across a sphere.
TEST(Ronchigram, FourPairOffsetShowsFourLinePairs) {
  const PrimaryUnderTest sphere = Mirror(0.0);
  const double nu = LinesPerUnit(100.0, LengthUnit::Millimetre);
  for (TestSource source : {TestSource::Moving, TestSource::Fixed}) {
    const double offset = FourPairOffset(sphere.radius, sphere.diameter, nu, source);
    const RonchiSetup setup{100.0, offset, source};
    EXPECT_NEAR(EdgeAt(sphere, setup, 0.0, 4.0), sphere.diameter / 2.0, 0.01 * sphere.diameter);
  }
  EXPECT_DOUBLE_EQ(LinesPerUnit(100.0, LengthUnit::Inch), 100.0);
}

// A paraboloid's bands bow: the test above would see it.
TEST(Ronchigram, ParaboloidBandsAreCurved) {
  const PrimaryUnderTest paraboloid = Mirror(-1.0);
  const RonchiSetup setup{100.0, -3.0, TestSource::Moving};
  const double period = paraboloid.radius / (2.0 * 100.0 / 25.4 * 3.0);
  EXPECT_GT(std::fabs(EdgeAt(paraboloid, setup, 90.0, 1.0) - EdgeAt(paraboloid, setup, 0.0, 1.0)),
            0.05 * period);
}

// The sampled picture of a sphere agrees with the band edges found on the diameter: a
// sample is lit or dark by how many edges lie left of it (the bands being straight).
TEST(Ronchigram, SamplesAgreeWithTheBandEdges) {
  const PrimaryUnderTest sphere = Mirror(0.0);
  const RonchiSetup setup{150.0, 4.0, TestSource::Fixed};
  const Ronchigram gram = ComputeRonchigram(sphere, setup, 200);
  ASSERT_EQ(gram.lit.size(), 200u * 200u);
  const double period = sphere.radius / (150.0 / 25.4 * 4.0);
  auto edgesLeftOf = [&](double x) {
    int count = 0;
    for (double edge : gram.bandEdges) count += edge < x ? 1 : 0;
    return count;
  };
  // The sample just right of the centre and below it sets which parity is lit.
  const int reference = edgesLeftOf(0.75);
  const bool referenceLit = gram.lit[100u * 200u + 100u] != 0;
  int compared = 0, dark = 0;
  for (int row = 0; row < 200; ++row) {
    for (int column = 0; column < 200; ++column) {
      const double x = -150.0 + (column + 0.5) * 1.5, y = 150.0 - (row + 0.5) * 1.5;
      const char lit = gram.lit[static_cast<size_t>(row) * 200 + column];
      if (std::hypot(x, y) > 150.0) {
        EXPECT_EQ(lit, 0);
        continue;
      }
      bool nearEdge = false;
      for (double edge : gram.bandEdges) nearEdge = nearEdge || std::fabs(edge - x) < 0.02 * period;
      if (nearEdge) continue;
      EXPECT_EQ(lit != 0, ((edgesLeftOf(x) - reference) % 2 == 0) == referenceLit)
          << row << " " << column;
      ++compared;
      dark += lit ? 0 : 1;
    }
  }
  EXPECT_GT(compared, 20000);
  EXPECT_GT(dark, compared / 3);
  EXPECT_LT(dark, 2 * compared / 3);
}

// The picture's lit rectangles cover exactly the lit samples, once each.
TEST(Ronchigram, PictureCoversTheLitSamples) {
  const PrimaryUnderTest mirror = Mirror(-0.7);
  const std::vector<Ronchigram> grams = {
      ComputeRonchigram(mirror, {100.0, -4.0, TestSource::Moving}),
      ComputeRonchigram(mirror, {100.0, 0.0, TestSource::Fixed})};
  const Drawing drawing = DrawRonchigrams(mirror, grams);
  const std::vector<const Shape*> shapes = PartShapes(drawing, "ronchigram");
  double area = 0.0;
  size_t rectangles = 0;
  for (const Shape* shape : shapes) {
    const auto* box = std::get_if<PolylineShape>(shape);
    if (box == nullptr || box->points.size() != 4) continue;  // the mirror's disc
    area += (box->points[2].x - box->points[0].x) * (box->points[2].y - box->points[0].y);
    ++rectangles;
  }
  double lit = 0.0;
  for (const Ronchigram& gram : grams) {
    for (char cell : gram.lit) lit += cell ? 1.0 : 0.0;
  }
  EXPECT_DOUBLE_EQ(area, lit);
  EXPECT_LT(rectangles, static_cast<size_t>(lit / 4.0));
}

}  // namespace
