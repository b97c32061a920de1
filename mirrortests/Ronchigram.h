// The Ronchigram of a conic primary: which points of the mirror the eye behind a
// grating of straight bars sees lit.
//
// Given: the primary, the grating's lines per unit nu and its offset from the paraxial
// centre of curvature (positive away from the mirror; the grating stands at G = R +
// offset from the vertex), and the source: moving with the grating (on the axis at G)
// or fixed at the paraxial centre of curvature. Returned: for the mirror point (x, y)
// at radius h, the ray from the source reflects and crosses the axis at X(h)
// (ReflectedAxisCrossing); at the grating plane its x coordinate is
// u = x (X - G) / (X - z(h)); the light passes where floor(2 nu u) is even (a bar's edge
// on the axis). The pattern sampled over the mirror, and the band edges along the
// horizontal diameter: the x where 2 nu u is a whole number.
// Source: V. Ronchi, "Forty Years of History of a Grating Interferometer", Appl. Opt. 3
// (1964) 437; the geometric ray model of D. Malacara, "Optical Shop Testing", 3rd ed.,
// ch. 9.
#ifndef SPEKULOR_MIRRORTESTS_RONCHIGRAM_H
#define SPEKULOR_MIRRORTESTS_RONCHIGRAM_H

#include <vector>

#include "mirrortests/ExpectedReadings.h"
#include "mirrortests/PrimaryUnderTest.h"

namespace spekulor::mirrortests {

constexpr double kDefaultGratingLinesPerInch = 100.0;
constexpr int kRonchiSamples = 240;  // across the whole mirror

struct RonchiSetup {
  double linesPerInch = kDefaultGratingLinesPerInch;
  double offset = 0.0;  // from the paraxial centre of curvature, in the design's unit
  TestSource source = TestSource::Moving;
};

struct Ronchigram {
  RonchiSetup setup;
  int samples = 0;                // across the mirror's diameter, in both directions
  std::vector<char> lit;          // samples x samples, rows from the top; 0 outside the mirror
  std::vector<double> bandEdges;  // x on the horizontal diameter, increasing
};

// Lines per unit of the design.
double LinesPerUnit(double linesPerInch, calc::LengthUnit unit);

// The offset that shows four line pairs across a sphere of this R and D:
// 2 R / (nu D) with the source moving with the grating, 4 R / (nu D) with it fixed.
double FourPairOffset(double radius, double diameter, double linesPerUnit, TestSource source);

// u at the grating plane of the ray through the mirror point (x, y).
double GratingCoordinate(const PrimaryUnderTest& primary, const RonchiSetup& setup, double x,
                         double y);

// Whether the grating lets the light at u pass.
bool GratingPasses(double u, double linesPerUnit);

Ronchigram ComputeRonchigram(const PrimaryUnderTest& primary, const RonchiSetup& setup,
                             int samples = kRonchiSamples);

}  // namespace spekulor::mirrortests

#endif
