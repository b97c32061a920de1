// The one encoding of point images' intensity, and the painter: its band edges at the
// band boundaries, the Airy pattern's first dark ring where the closed form puts it.
#include <gtest/gtest.h>

#include <cmath>

#include "drawing/IntensityBands.h"
#include "drawing/PictureParts.h"
#include "drawing/PointImagePainter.h"

using namespace spekulor::drawing;

namespace {

constexpr double kPi = 3.14159265358979323846;
// The first zero of J1, in units of pi: the Airy pattern's first dark ring is at
// 1.2197 lambda N (Born and Wolf, "Principles of Optics", sec. 8.5.2).
const double kFirstDarkRing = 3.8317059702075123 / kPi;

// Even-odd: is p inside the closed polygon?
bool Inside(const std::vector<DrawPoint>& polygon, DrawPoint p) {
  bool inside = false;
  for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const DrawPoint& a = polygon[i];
    const DrawPoint& b = polygon[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
      inside = !inside;
    }
  }
  return inside;
}

// The band painted at p: the brightest band whose polygon holds it (they are painted
// faint to bright), -1 for the bare paper.
int PaintedBand(const Drawing& drawing, DrawPoint p) {
  int band = -1;
  for (const Shape& shape : drawing.shapes) {
    const PolylineShape* polygon = std::get_if<PolylineShape>(&shape);
    if (polygon == nullptr || !polygon->filled || !Inside(polygon->points, p)) continue;
    for (int k = 0; k < kIntensityBands; ++k) {
      const Colour c = BandColour(k);
      if (c.r == polygon->fill.r && c.g == polygon->fill.g && c.b == polygon->fill.b) band = std::max(band, k);
    }
  }
  return band;
}

// The Airy pattern [2 J1(pi r) / (pi r)]^2, r in lambda N, sampled every lambda N / 4
// as the pictures' point images are, 51 samples across.
IntensityRaster AiryRaster(int size, double spacing) {
  IntensityRaster raster;
  raster.size = size;
  for (int j = 0; j < size; ++j) {
    for (int i = 0; i < size; ++i) {
      const double v = kPi * spacing * std::hypot(i - size / 2, j - size / 2);
      const double amplitude = v == 0.0 ? 1.0 : 2.0 * std::cyl_bessel_j(1.0, v) / v;
      raster.intensity.push_back(amplitude * amplitude);
    }
  }
  return raster;
}

TEST(IntensityBands, HalfDecadesFromTheLeastIntensity) {
  EXPECT_EQ(IntensityBand(0.0), -1);
  EXPECT_EQ(IntensityBand(std::nan("")), -1);
  EXPECT_EQ(IntensityBand(-1.0), -1);
  EXPECT_EQ(IntensityBand(kLeastIntensity * (1.0 - 1e-9)), -1);
  EXPECT_EQ(IntensityBand(kLeastIntensity), 0);
  // At every boundary, 10^(k / 2 - 4), the band changes from k - 1 to k.
  for (int k = 1; k < kIntensityBands; ++k) {
    const double boundary = std::pow(10.0, k / 2.0 - 4.0);
    EXPECT_EQ(IntensityBand(boundary * (1.0 + 1e-9)), k) << k;
    EXPECT_EQ(IntensityBand(boundary * (1.0 - 1e-9)), k - 1) << k;
    EXPECT_NEAR(BandFloor(k), boundary, 1e-12 * boundary);
  }
  // The brightest band holds the peak and anything above it.
  EXPECT_EQ(IntensityBand(1.0), kIntensityBands - 1);
  EXPECT_EQ(IntensityBand(HUGE_VAL), kIntensityBands - 1);
}

// The legend labels the whole decades from 0.0001 to 1 under the band edges.
TEST(IntensityBands, LegendNamesTheDecadesAtTheEdges) {
  Drawing drawing;
  std::vector<TextBox> placed;
  const double right = AddIntensityLegend(drawing, placed, 20.0, 40.0);
  const std::vector<const Shape*> boxes = PartShapes(drawing, "intensity bands");
  ASSERT_EQ(boxes.size(), static_cast<size_t>(kIntensityBands));
  std::vector<std::string> decades;
  for (const Shape& shape : drawing.shapes) {
    const TextShape* text = std::get_if<TextShape>(&shape);
    if (text != nullptr && text->size < kLabelSize) decades.push_back(text->text);
  }
  EXPECT_EQ(decades, (std::vector<std::string>{"0.0001", "0.001", "0.01", "0.1", "1"}));
  EXPECT_DOUBLE_EQ(std::get<PolylineShape>(*boxes.back()).points[1].x, right);
}

// The painted Airy pattern: along the rows and the columns through its centre, the
// faintest band between the core and the first bright ring is centred on the first
// dark ring, within one of the painter's rows. Sampled as the pictures sample it, and
// with samples that miss the ring by 0.1 lambda N, where the samples' squares would
// put it a whole row off.
TEST(PointImagePainter, AiryPatternHasItsFirstDarkRingAt1_22LambdaN) {
  for (const double kSpacing : {0.25, 0.28, 0.31}) {  // lambda N
  constexpr int kSize = 51;
  const double samplePixels = 240.0 / kSize;
  const DrawPoint centre{200.0, 200.0};
  Drawing drawing;
  const double rowPixels = AddPointImage(drawing, AiryRaster(kSize, kSpacing), centre, samplePixels);
  ASSERT_GT(rowPixels, 0.0);
  EXPECT_LE(rowPixels, kMostRowPixels);
  const double pixelsPerLambdaN = samplePixels / kSpacing;
  EXPECT_EQ(PaintedBand(drawing, centre), kIntensityBands - 1);
  for (const DrawPoint direction : {DrawPoint{1.0, 0.0}, DrawPoint{-1.0, 0.0}, DrawPoint{0.0, 1.0},
                                    DrawPoint{0.0, -1.0}}) {
    // Outward from the centre to two Airy radii, the faintest run of bands.
    int least = kIntensityBands;
    double from = 0.0;
    double to = 0.0;
    constexpr double kStep = 0.02;  // pixels
    for (double r = 0.5 * pixelsPerLambdaN; r < 1.6 * pixelsPerLambdaN; r += kStep) {
      const int band = PaintedBand(drawing, {centre.x + direction.x * r, centre.y + direction.y * r});
      if (band < least) {
        least = band;
        from = r;
      }
      if (band == least) to = r;
    }
    ASSERT_LT(least, kIntensityBands - 3);
    const double ring = 0.5 * (from + to);
    EXPECT_NEAR(ring, kFirstDarkRing * pixelsPerLambdaN, rowPixels)
        << kSpacing << ": " << direction.x << ", " << direction.y;
  }
  }
}

// Samples finer than the painter draws are averaged in odd blocks about the middle
// one: the middle stays the reference point's, and the light is kept.
TEST(PointImagePainter, BinningKeepsTheMiddleAndTheLight) {
  IntensityRaster raster;
  raster.size = 9;
  raster.intensity.assign(81, 0.0);
  raster.intensity[4 * 9 + 4] = 9.0;  // the middle
  raster.intensity[4 * 9 + 5] = 3.0;  // beside it, in the middle block
  raster.intensity[1 * 9 + 7] = 4.5;  // in the block up and right
  const IntensityRaster binned = BinRaster(raster, 3);
  ASSERT_EQ(binned.size, 3);
  EXPECT_DOUBLE_EQ(binned.intensity[1 * 3 + 1], 12.0 / 9.0);
  EXPECT_DOUBLE_EQ(binned.intensity[0 * 3 + 2], 0.5);
  double sum = 0.0;
  for (double value : binned.intensity) sum += 9.0 * value;
  EXPECT_DOUBLE_EQ(sum, 16.5);
}

// Infinite, undefined and negative samples (an analysis gone wrong) still give a
// picture of finite points: the infinite one in the brightest band, the others bare.
TEST(PointImagePainter, UndefinedSamplesPaintOnlyFinitePoints) {
  IntensityRaster raster;
  raster.size = 5;
  raster.intensity.assign(25, 1e-6);
  raster.intensity[12] = HUGE_VAL;
  raster.intensity[0] = std::nan("");
  raster.intensity[24] = -1.0;
  Drawing drawing;
  const DrawPoint centre{50.0, 50.0};
  AddPointImage(drawing, raster, centre, 10.0);
  ASSERT_FALSE(drawing.shapes.empty());
  for (const Shape& shape : drawing.shapes) {
    for (const DrawPoint& p : std::get<PolylineShape>(shape).points) {
      EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    }
  }
  EXPECT_EQ(PaintedBand(drawing, centre), kIntensityBands - 1);
  EXPECT_EQ(PaintedBand(drawing, {centre.x - 20.0, centre.y + 20.0}), -1);  // the NaN, bottom left
  EXPECT_EQ(PaintedBand(drawing, {centre.x + 20.0, centre.y - 20.0}), -1);  // the negative, top right
}

}  // namespace

// Two FFTs (or two maths libraries) give a symmetric image's mirrored samples values a
// rounding apart: the painted picture must not depend on which of them came out larger.
TEST(PointImagePainter, RoundingNoiseInASymmetricImageChangesNothing) {
  constexpr int kSize = 51;
  const IntensityRaster exact = AiryRaster(kSize, 0.27);
  const auto painted = [&](const IntensityRaster& raster) {
    Drawing drawing;
    AddPointImage(drawing, raster, {200.0, 200.0}, 240.0 / kSize);
    std::vector<std::vector<DrawPoint>> polygons;
    for (const Shape& shape : drawing.shapes) {
      if (const PolylineShape* polygon = std::get_if<PolylineShape>(&shape)) polygons.push_back(polygon->points);
    }
    return polygons;
  };
  const auto reference = painted(exact);
  ASSERT_FALSE(reference.empty());
  // A few parts in 1e13, a different pattern each time, up or down a sample at a time.
  for (unsigned seed = 1; seed <= 4; ++seed) {
    IntensityRaster noisy = exact;
    unsigned state = seed;
    for (double& value : noisy.intensity) {
      state = state * 1664525u + 1013904223u;  // Numerical Recipes' LCG
      value *= 1.0 + ((state >> 8) / double(1u << 24) - 0.5) * 4e-13;
    }
    const auto shown = painted(noisy);
    ASSERT_EQ(shown.size(), reference.size()) << seed;
    for (size_t k = 0; k < shown.size(); ++k) {
      ASSERT_EQ(shown[k].size(), reference[k].size()) << seed << ", polygon " << k;
      for (size_t p = 0; p < shown[k].size(); ++p) {
        EXPECT_NEAR(shown[k][p].x, reference[k][p].x, 1e-6) << seed << ", polygon " << k;
        EXPECT_NEAR(shown[k][p].y, reference[k][p].y, 1e-6) << seed << ", polygon " << k;
      }
    }
  }
}
