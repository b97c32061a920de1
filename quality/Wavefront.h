// The wavefront error of a traced pupil in a chosen focal plane.
//
// The reference sphere is centred on the image point, taken as the centroid of the
// cells' rays in the focal plane (weighted by the cells' areas; the chief ray runs
// into the secondary's shadow), and passes through the paraxial exit pupil's centre.
// Each ray's optical path runs from the incoming plane wavefront to where it meets
// that sphere (Welford, "Aberrations of Optical Systems", sec. 5.2, the wave
// aberration computed by finite ray tracing); the piston and the two tilts fitted to
// it by least squares over the pupil's area are removed, which also moves the
// reference point to the image's best lateral place. Signs: calc/SignConventions.h.
#ifndef SPEKULOR_QUALITY_WAVEFRONT_H
#define SPEKULOR_QUALITY_WAVEFRONT_H

#include <vector>

#include "quality/PupilTrace.h"

namespace spekulor::quality {

struct Wavefront {
  double focusShift = 0.0;  // the focal plane's from the paraxial one, design unit
  double imageX = 0.0;      // the reference sphere's centre in that plane, design unit
  double imageY = 0.0;
  double rmsWaves = 0.0;    // root mean square over the pupil's area, in waves
  double pvWaves = 0.0;     // largest minus smallest over the cells passing light
  std::vector<double> waves;  // one value per ray of the pupil, in its order, in waves
};

// The wavefront at `wavelength` (design unit) in the plane `focusShift` from the
// paraxial image plane.
Wavefront EvaluateWavefront(const TracedPupil& pupil, double focusShift, double wavelength);

}  // namespace spekulor::quality

#endif
