// The perfect annular aperture in closed form: a clear circle with a central
// obstruction, `obstruction` the ratio of the obstruction's diameter to the aperture's
// (0 for a clear circle, below 1). Radii in the image are in units of lambda N, the
// wavelength times the focal ratio; spatial frequencies are fractions of the cutoff
// 1 / (lambda N).
#ifndef SPEKULOR_QUALITY_PERFECTAPERTURE_H
#define SPEKULOR_QUALITY_PERFECTAPERTURE_H

#include "quality/EncircledEnergy.h"

namespace spekulor::quality {

// Modulation transfer at `frequency` (0..1 of the cutoff): the overlap of the annulus
// with itself shifted, over its area. O'Neill, "Transfer function for an annular
// aperture", JOSA 46 (1956) 285; the form of Schroeder, "Astronomical Optics", 2nd ed.,
// sec. 10.3. 1 at 0, 0 from the cutoff on.
double ObstructedMtf(double frequency, double obstruction);

// Intensity of the point image at `radius` (lambda N) relative to its peak:
// [2 J1(v)/v - e^2 2 J1(e v)/(e v)]^2 / (1 - e^2)^2 with v = pi radius.
// Born and Wolf, "Principles of Optics", sec. 8.6.2; Schroeder sec. 10.2.
double ObstructedPointImage(double radius, double obstruction);

// Radius (lambda N) of the point image's first dark ring: the first zero of
// J1(v) - e J1(e v), v = pi radius. 1.2197 for a clear circle.
double ObstructedFirstDarkRing(double obstruction);

// Fraction of the light within a radius (lambda N), Mahajan, "Uniform versus Gaussian
// beams", JOSA A 3 (1986) 470:
//   [1 - J0^2(v) - J1^2(v) + e^2 (1 - J0^2(e v) - J1^2(e v))
//    - 4 e Int_0^v J1(x) J1(e x) / x dx] / (1 - e^2),  v = pi radius,
// at `count` radii evenly from 0 to `largestRadius`, the integral accumulated along them
// by Simpson's rule on steps of at most 0.04 in v; empty when the samples would lie
// more than about 100 (lambda N) apart.
EnergyCurve ObstructedEncircledEnergy(double obstruction, double largestRadius, int count);

}  // namespace spekulor::quality

#endif
