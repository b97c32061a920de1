// The point image, MTF and encircled energy by FFT of a sampled pupil, against the
// closed forms of the perfect aperture and of simple aberrations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "quality/EncircledEnergy.h"
#include "quality/FourierPlans.h"
#include "quality/Mtf.h"
#include "quality/PerfectAperture.h"
#include "quality/PointImage.h"
#include "quality/PointImageWindow.h"
#include "quality/PupilFunction.h"
#include "quality/QualityConstants.h"
#include "support/Units.h"

using namespace spekulor::support;
using namespace spekulor::quality;

namespace {

constexpr int kPointImageGrid = 64;                   // pupil cells across: modest, for the sanitizers
constexpr double kMtfTolerance = 0.005;     // against O'Neill's closed form
constexpr double kRingTolerance = 0.003;    // lambda N, the first dark ring found in the image
constexpr double kEnergyRadiusTolerance = 0.005;  // relative, the 80 % radius
constexpr double kDefocusStrehlTolerance = 0.003;
constexpr double kMarechalTolerance = 0.02;  // where the Strehl ratio is above 0.8

const double kObstructions[] = {0.0, 0.25, 0.33, 0.5};

// The point image of `pupil` sampled every lambda N / padding, lengths in lambda N.
PointImage ImageOf(const PupilFunction& pupil, int padding) {
  FourierPlans plans(padding * pupil.size, pupil.size);
  PointImage image;
  ComputePointImage(pupil, 1.0 / padding, plans, image);
  return image;
}

// The perfect annulus with the wavefront w(rho) (rho 0..1 over the aperture).
template <typename W>
PupilFunction AberratedPupil(int size, double obstruction, W wavefront) {
  PupilFunction pupil = PerfectPupilFunction(size, obstruction);
  for (int j = 0; j < size; ++j) {
    for (int i = 0; i < size; ++i) {
      const double x = (i + 0.5 - 0.5 * size) / (0.5 * size);
      const double y = (j + 0.5 - 0.5 * size) / (0.5 * size);
      pupil.waves[static_cast<size_t>(j) * size + i] = wavefront(std::hypot(x, y));
    }
  }
  return pupil;
}

// RMS of the wavefront over the pupil's area, piston removed.
double Rms(const PupilFunction& pupil) {
  double area = 0.0;
  double sum = 0.0;
  double squares = 0.0;
  for (size_t k = 0; k < pupil.amplitude.size(); ++k) {
    area += pupil.amplitude[k];
    sum += pupil.amplitude[k] * pupil.waves[k];
    squares += pupil.amplitude[k] * pupil.waves[k] * pupil.waves[k];
  }
  const double mean = sum / area;
  return std::sqrt(squares / area - mean * mean);
}

TEST(PointImage, PerfectPupilPeaksAtOneOnTheReferencePoint) {
  for (double e : kObstructions) {
    const PointImage image = ImageOf(PerfectPupilFunction(kPointImageGrid, e), kImagePadding);
    ASSERT_EQ(image.size, kImagePadding * kPointImageGrid);
    const int centre = image.size / 2;
    EXPECT_NEAR(image.intensity[static_cast<size_t>(centre) * image.size + centre], 1.0, 1e-12);
    EXPECT_NEAR(image.strehl, 1.0, 1e-12);
    EXPECT_NEAR(image.centroidX, 0.0, 1e-9);
    EXPECT_NEAR(image.centroidY, 0.0, 1e-9);
    EXPECT_GE(image.energy, image.total);
  }
}

// O'Neill's closed form within 0.005 at the four reported frequencies, both ways.
TEST(PointImage, PerfectPupilMtfMatchesTheClosedForm) {
  for (double e : kObstructions) {
    const PupilFunction pupil = PerfectPupilFunction(kPointImageGrid, e);
    FourierPlans plans(kImagePadding * kPointImageGrid, kPointImageGrid);
    PointImage image;
    ComputePointImage(pupil, 1.0 / kImagePadding, plans, image);
    const MtfCurves curves = ComputeMtf(image, kPointImageGrid, plans);
    ASSERT_EQ(curves.tangential.size(), static_cast<size_t>(kPointImageGrid) + 1);
    for (double v : kMtfFractions) {
      EXPECT_NEAR(MtfAt(curves.tangential, v), ObstructedMtf(v, e), kMtfTolerance) << e << " " << v;
      EXPECT_NEAR(MtfAt(curves.sagittal, v), ObstructedMtf(v, e), kMtfTolerance) << e << " " << v;
    }
    EXPECT_EQ(curves.tangential.front(), 1.0);
    EXPECT_NEAR(curves.tangential.back(), 0.0, 1e-3);
  }
}

// The first dark ring along a row through the peak, found between samples by the
// parabola through the three samples about the lowest: 1.2197, 1.1416, 1.0977 and
// 1.0009 lambda N (the published zeros of J1(v) - e J1(e v)). The intensity about a
// dark ring is the square of an amplitude that bends, so the parabola needs fine
// samples: a small pupil grid padded to 32 times its size.
TEST(PointImage, PerfectPupilFirstDarkRingFallsWhereTheoryPutsIt) {
  const double published[] = {1.2197, 1.1416, 1.0977, 1.0009};
  constexpr int kSmallGrid = 32;
  constexpr int kPadding = 32;  // samples every lambda N / 32
  for (int k = 0; k < 4; ++k) {
    const PointImage image = ImageOf(PerfectPupilFunction(kSmallGrid, kObstructions[k]), kPadding);
    const int centre = image.size / 2;
    const double* row = &image.intensity[static_cast<size_t>(centre) * image.size];
    int lowest = centre + 1;
    while (row[lowest + 1] < row[lowest]) ++lowest;
    const double a = row[lowest - 1];
    const double b = row[lowest];
    const double c = row[lowest + 1];
    const double offset = 0.5 * (a - c) / (a - 2.0 * b + c);
    const double ring = (lowest - centre + offset) / kPadding;
    EXPECT_NEAR(ring, published[k], kRingTolerance) << kObstructions[k];
    EXPECT_LT(b, 1e-3);
  }
}

TEST(PointImage, PerfectPupilEncircledEnergyMatchesTheClosedForm) {
  for (double e : kObstructions) {
    const PointImage image = ImageOf(PerfectPupilFunction(kPointImageGrid, e), kImagePadding);
    const EnergyCurve measured = ComputeEncircledEnergy(image, 6.0);
    const EnergyCurve exact = ObstructedEncircledEnergy(e, 6.0, 601);
    const double expected = RadiusForFraction(exact, 0.8);
    EXPECT_NEAR(RadiusForFraction(measured, 0.8) / expected, 1.0, kEnergyRadiusTolerance) << e;
  }
}

// Pure defocus w = W020 rho^2 over an annulus: the light on the reference point is
// sinc^2(pi W020 (1 - e^2)) of the perfect peak (the pupil integral in rho^2), and its
// RMS W020 (1 - e^2) / (2 sqrt 3).
TEST(PointImage, DefocusStrehlRatioIsTheSincSquared) {
  for (double e : {0.0, 0.33}) {
    for (double w020 : {0.1, 0.25, 0.4}) {
      const PupilFunction pupil = AberratedPupil(kPointImageGrid, e, [w020](double rho) { return w020 * rho * rho; });
      EXPECT_NEAR(Rms(pupil), w020 * (1.0 - e * e) / (2.0 * std::sqrt(3.0)), 0.002 * w020);
      const double x = kPi * w020 * (1.0 - e * e);
      const double expected = std::pow(std::sin(x) / x, 2.0);
      EXPECT_NEAR(ImageOf(pupil, kImagePadding).strehl, expected, kDefocusStrehlTolerance)
          << e << " " << w020;
    }
  }
}

// Marechal's exp(-(2 pi sigma)^2) against the transform where the Strehl ratio is high:
// defocus, spherical aberration balanced and not, astigmatism and coma, each up to
// about a fourteenth of a wave RMS.
TEST(PointImage, MarechalEstimateAgreesWhereTheStrehlRatioIsHigh) {
  struct Case {
    const char* name;
    double (*wave)(double x, double y);
  };
  const Case cases[] = {
      {"defocus", [](double x, double y) { return 0.2 * (x * x + y * y); }},
      {"spherical", [](double x, double y) { return 0.2 * std::pow(x * x + y * y, 2.0); }},
      {"balanced spherical",
       [](double x, double y) {
         const double r2 = x * x + y * y;
         return 0.35 * (r2 * r2 - r2);
       }},
      {"astigmatism", [](double, double y) { return 0.15 * y * y; }},
      {"coma", [](double x, double y) { return 0.15 * (x * x + y * y) * y; }},
  };
  int checked = 0;
  for (double e : {0.0, 0.33}) {
    for (const Case& c : cases) {
      PupilFunction pupil = PerfectPupilFunction(kPointImageGrid, e);
      // Piston and tilt removed by least squares, as the wavefront is.
      double m[3][3] = {{0}};
      double r[3] = {0};
      for (int j = 0; j < kPointImageGrid; ++j) {
        for (int i = 0; i < kPointImageGrid; ++i) {
          const size_t k = static_cast<size_t>(j) * kPointImageGrid + i;
          const double x = (i + 0.5 - 0.5 * kPointImageGrid) / (0.5 * kPointImageGrid);
          const double y = (j + 0.5 - 0.5 * kPointImageGrid) / (0.5 * kPointImageGrid);
          pupil.waves[k] = c.wave(x, y);
          const double basis[3] = {1.0, x, y};
          for (int a = 0; a < 3; ++a) {
            r[a] += pupil.amplitude[k] * basis[a] * pupil.waves[k];
            for (int b = 0; b < 3; ++b) m[a][b] += pupil.amplitude[k] * basis[a] * basis[b];
          }
        }
      }
      // By symmetry of the grid m is diagonal.
      for (int j = 0; j < kPointImageGrid; ++j) {
        for (int i = 0; i < kPointImageGrid; ++i) {
          const size_t k = static_cast<size_t>(j) * kPointImageGrid + i;
          const double x = (i + 0.5 - 0.5 * kPointImageGrid) / (0.5 * kPointImageGrid);
          const double y = (j + 0.5 - 0.5 * kPointImageGrid) / (0.5 * kPointImageGrid);
          pupil.waves[k] -= r[0] / m[0][0] + r[1] / m[1][1] * x + r[2] / m[2][2] * y;
        }
      }
      const double strehl = ImageOf(pupil, kImagePadding).strehl;
      if (strehl <= 0.8) continue;
      ++checked;
      EXPECT_NEAR(MarechalStrehl(Rms(pupil)), strehl, kMarechalTolerance)
          << c.name << ", obstruction " << e;
    }
  }
  EXPECT_GE(checked, 8);
}

TEST(PointImage, MarechalOfNoErrorIsOne) {
  EXPECT_EQ(MarechalStrehl(0.0), 1.0);
  EXPECT_NEAR(MarechalStrehl(1.0 / 14.0), std::exp(-std::pow(2.0 * kPi / 14.0, 2.0)), 1e-15);
}

// The grid follows a wavefront whose step between cells stays below half a wave.
TEST(PointImage, LargestWaveStepIsTheSteepestNeighbourDifference) {
  const PupilFunction tilt = AberratedPupil(kPointImageGrid, 0.0, [](double) { return 0.0; });
  EXPECT_EQ(LargestWaveStep(tilt), 0.0);
  PupilFunction ramp = PerfectPupilFunction(kPointImageGrid, 0.0);
  for (int j = 0; j < kPointImageGrid; ++j) {
    for (int i = 0; i < kPointImageGrid; ++i) ramp.waves[static_cast<size_t>(j) * kPointImageGrid + i] = 0.3 * i + 0.1 * j;
  }
  EXPECT_NEAR(LargestWaveStep(ramp), 0.3, 1e-12);
}

// The window cut for the pictures keeps the peak and the light inside it: against a
// brute-force walk over the whole image by each sample's distance from the reference
// point, for an image tilted and defocused off the centre.
TEST(PointImageWindow, KeepsThePeakAndTheLightInsideIt) {
  constexpr int kPadding = 4;
  PupilFunction pupil = AberratedPupil(kPointImageGrid, 0.33, [](double rho) { return 0.4 * rho * rho; });
  for (int j = 0; j < kPointImageGrid; ++j) {
    for (int i = 0; i < kPointImageGrid; ++i) {
      // Half a wave of tilt across x: the light moves about 1.5 samples toward +x.
      pupil.waves[static_cast<size_t>(j) * kPointImageGrid + i] += 0.75 * (i + 0.5 - 0.5 * kPointImageGrid) / (0.5 * kPointImageGrid);
    }
  }
  const PointImage image = ImageOf(pupil, kPadding);
  for (int half : {6, 20}) {
    const PointImageWindow window = CutPointImageWindow(image, half);
    ASSERT_EQ(window.size, 2 * half + 1);
    ASSERT_EQ(window.intensity.size(), static_cast<size_t>(window.size) * window.size);
    EXPECT_EQ(window.spacing, image.spacing);
    double peakInside = 0.0;
    double lightInside = 0.0;
    for (int j = 0; j < image.size; ++j) {
      for (int i = 0; i < image.size; ++i) {
        const double x = (i - image.size / 2) * image.spacing;
        const double y = (j - image.size / 2) * image.spacing;
        if (std::fabs(x) > (half + 0.5) * image.spacing || std::fabs(y) > (half + 0.5) * image.spacing) continue;
        const double value = image.intensity[static_cast<size_t>(j) * image.size + i];
        peakInside = std::max(peakInside, value);
        lightInside += value;
      }
    }
    double windowPeak = 0.0;
    double windowLight = 0.0;
    for (double value : window.intensity) {
      windowPeak = std::max(windowPeak, value);
      windowLight += value;
    }
    EXPECT_EQ(windowPeak, peakInside) << half;
    EXPECT_NEAR(windowLight, lightInside, 1e-12 * lightInside) << half;
    // The middle sample is the reference point's.
    EXPECT_EQ(window.intensity[static_cast<size_t>(half) * window.size + half],
              image.intensity[static_cast<size_t>(image.size / 2) * image.size + image.size / 2]);
  }
  // The wide window holds the whole peak, the Strehl ratio.
  const PointImageWindow wide = CutPointImageWindow(image, 20);
  EXPECT_EQ(*std::max_element(wide.intensity.begin(), wide.intensity.end()), image.strehl);
}

}  // namespace
