// The axis image of a telescope as collimation sees it: refocused to its least RMS
// wavefront error, re-pointed (piston and tilt removed), and the wavefront there fitted
// with the classical terms (PupilFit.h).
//
// Focus shifts are from the design's paraxial image plane, in the design's unit, signed
// as calc/SignConventions.h says.
#ifndef SPEKULOR_COLLIMATION_AXISWAVEFRONT_H
#define SPEKULOR_COLLIMATION_AXISWAVEFRONT_H

#include "collimation/PupilFit.h"
#include "quality/PupilTrace.h"
#include "trace/SecondaryPerturbation.h"

namespace spekulor::collimation {

struct AxisWavefront {
  bool traced = false;        // false when no ray reached the image
  // The pupil cells' centre rays that pass the secondary's disc, and of those, the ones
  // that reach the image (as FieldQuality counts them).
  int raysPassing = 0;
  int raysImaged = 0;
  // The largest wavefront step between neighbouring cells in the best plane, in waves
  // (LargestWaveStep): above kLargestWaveStep the grid cannot follow the wavefront.
  double largestWaveStep = 0.0;
  double bestFocus = 0.0;     // the plane of least RMS wavefront error
  double paraxialFocus = 0.0; // the plane in which the fitted defocus rho^2 vanishes
  double imageX = 0.0;        // the light's centroid in the best plane, design unit
  double imageY = 0.0;
  double rmsWaves = 0.0;      // RMS wavefront error there, piston and tilt removed
  PupilTerms terms{};         // the fitted coefficients there, in waves
};

// Measures the axis image of a pupil traced for a star on the axis, at `wavelength`
// (design unit).
AxisWavefront MeasureAxisWavefront(const quality::TracedPupil& pupil, double wavelength);

// Whether the image holds the light as the image-quality analysis asks of every field
// point (QualityProblem): some rays pass the secondary, and at least half of those reach
// the image.
bool HoldsTheLight(const AxisWavefront& axis);

// What every measurement of one telescope's axis image shares.
struct AxisProbe {
  trace::Telescope telescope;      // the design's, secondary aligned
  int gridSize = 0;         // pupil cells across the primary (PupilTrace.h)
  double wavelength = 0.0;  // design unit
};

// The axis image with the secondary placed as `secondary` says.
AxisWavefront MeasureAxis(const AxisProbe& probe, const trace::SecondaryPerturbation& secondary);

}  // namespace spekulor::collimation

#endif
