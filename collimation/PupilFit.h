// The wavefront over the axis' annular pupil as a sum of the classical aberration
// terms, fitted together by least squares over the pupil's area.
//
// Pupil coordinates are those of the primary, which is the stop: rho = r / (D / 2), and
// phi measured from +y (calc/SignConventions.h). The nine terms are
//   piston 1, tilts rho cos phi and rho sin phi, defocus rho^2,
//   astigmatism rho^2 cos 2phi and rho^2 sin 2phi, coma rho^3 cos phi and rho^3 sin phi,
//   spherical aberration rho^4,
// the wave aberration polynomial to the third order (Welford, "Aberrations of Optical
// Systems", sec. 7.2 and 7.3, and Mahajan, "Optical Imaging and Aberrations" I,
// sec. 8.2) written for one image point: its field dependence is folded into the
// coefficients, so W131 is the coefficient of rho^3 cos phi and W040 that of rho^4.
// Fitting all of them together keeps each free of the others' share: over the ring
// rho^4 and rho^2 (and rho^3 cos phi and rho cos phi) are far from orthogonal, and a fit
// of one alone would give balanced, Zernike-like values instead.
#ifndef SPEKULOR_COLLIMATION_PUPILFIT_H
#define SPEKULOR_COLLIMATION_PUPILFIT_H

#include <array>
#include <vector>

#include "quality/PupilTrace.h"

namespace spekulor::collimation {

enum PupilTerm : int {
  kPiston = 0,
  kTiltY,        // rho cos phi
  kTiltX,        // rho sin phi
  kDefocus,      // rho^2
  kAstigmatism,  // rho^2 cos 2phi
  kAstigmatism45,  // rho^2 sin 2phi
  kComaY,        // rho^3 cos phi: W131
  kComaX,        // rho^3 sin phi
  kSpherical,    // rho^4: W040
  kPupilTermCount
};

// The coefficients, in the unit of the values fitted.
using PupilTerms = std::array<double, kPupilTermCount>;

// The nine terms' values at the normalised pupil point (u, v) = (x, y) / (D / 2).
PupilTerms PupilTermValues(double u, double v);

// Fits `values` (one per ray of `pupil`, in its order, such as Wavefront::waves) with
// each ray weighted by its cell's area. Zeros when the pupil holds too few rays.
PupilTerms FitPupilTerms(const quality::TracedPupil& pupil, const std::vector<double>& values);

}  // namespace spekulor::collimation

#endif
