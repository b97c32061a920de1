// The pupil function on the square grid over the primary: each cell's amplitude (the
// fraction of its area that passes light) and wavefront error, from which the point
// image is the squared modulus of the Fourier transform (Goodman, "Introduction to
// Fourier Optics", sec. 6.2, the Fraunhofer diffraction of the exit pupil).
#ifndef SPEKULOR_QUALITY_PUPILFUNCTION_H
#define SPEKULOR_QUALITY_PUPILFUNCTION_H

#include <vector>

#include "quality/PupilTrace.h"
#include "quality/Wavefront.h"

namespace spekulor::quality {

struct PupilFunction {
  int size = 0;                    // cells across the aperture's diameter
  std::vector<double> amplitude;   // size * size, row j (along y) after row, 0..1
  std::vector<double> waves;       // the same cells' wavefront error, waves
};

// The traced pupil with its wavefront in one focal plane.
PupilFunction TracedPupilFunction(const TracedPupil& pupil, const Wavefront& front);

// The perfect annulus with the given central obstruction (ratio of diameters) on a
// grid of `size` cells across, each cell weighted by the part of its area inside,
// measured on a 16 x 16 sub-grid.
PupilFunction PerfectPupilFunction(int size, double obstruction);

// The largest wavefront step between cells that touch (along a row or a column), in
// waves. Above half a wave the grid cannot follow the wavefront and the point image
// folds over its frame: a finer grid is needed.
double LargestWaveStep(const PupilFunction& pupil);

}  // namespace spekulor::quality

#endif
