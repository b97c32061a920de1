// Constants of the image-quality analysis.
#ifndef SPEKULOR_QUALITY_QUALITYCONSTANTS_H
#define SPEKULOR_QUALITY_QUALITYCONSTANTS_H

#include <array>

#include "calc/OpticalConstants.h"

namespace spekulor::quality {

// Pupil samples across the primary's diameter: by default, and the range accepted. At
// the largest the transform holds 2048 x 2048 complex values (64 MiB).
constexpr int kDefaultQualityGrid = 128;
constexpr int kLeastQualityGrid = 16;
constexpr int kMostQualityGrid = 512;

// The wavelengths accepted are kLeastWavelengthNm to kMostWavelengthNm
// (calc/OpticalConstants.h), as for the collimation tolerances.

// The pupil grid is padded with zeros to kImagePadding times its size before the
// transform, so the point image is sampled every lambda N / kImagePadding: twice as
// fine as the intensity's Nyquist limit lambda N / 2, and without wrap-around in the
// pupil's autocorrelation (the MTF), which needs a padding of 2 at least.
constexpr int kImagePadding = 4;

// Fractions of the cutoff frequency 1 / (lambda N) at which the MTF is reported.
constexpr std::array<double, 4> kMtfFractions = {0.1, 0.25, 0.5, 0.75};

// Energy fraction whose diameter is reported.
constexpr double kEncircledFraction = 0.8;

// The largest wavefront step between neighbouring pupil cells the grid can follow:
// half a wave, where the point image begins to fold over its frame (PupilFunction.h).
constexpr double kLargestWaveStep = 0.5;

}  // namespace spekulor::quality

#endif
