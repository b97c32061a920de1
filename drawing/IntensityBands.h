// The one encoding of a point image's intensity on every tab: half-decade bands of
// intensity relative to the perfect image's peak, from kLeastIntensity up, each its
// colour of kBandColours (Palette.h); below the first the paper stays white. And the
// one legend that explains it.
#ifndef SPEKULOR_DRAWING_INTENSITYBANDS_H
#define SPEKULOR_DRAWING_INTENSITYBANDS_H

#include <vector>

#include "drawing/Drawing.h"

namespace spekulor::drawing {

constexpr int kIntensityBands = 8;
constexpr double kLeastIntensity = 1e-4;
constexpr double kBandsPerDecade = 2.0;

// The band of an intensity, -1 below the first (and for NaN); the brightest band
// holds everything from its lower edge up, the infinite too.
int IntensityBand(double intensity);

// The lowest intensity of a band, kLeastIntensity 10^(band / 2).
double BandFloor(int band);

// The colour of a band, 0 to kIntensityBands - 1.
Colour BandColour(int band);

// The caption on the baseline y from x, the bands' colours in a row under it and the
// decades under their edges; named "intensity bands". Returns the right edge of the
// colours (the caption, above them, runs further).
double AddIntensityLegend(Drawing& drawing, std::vector<TextBox>& placed, double x, double y);

// Pixels from the caption's baseline to the legend's bottom.
constexpr double kIntensityLegendHeight = 40.0;

}  // namespace spekulor::drawing

#endif
