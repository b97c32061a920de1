// Measured Foucault readings turned into the mirror's error: the slope error of each
// zone, the surface through them, the best reference sphere removed, and the
// wavefront's RMS and peak to valley, and the Strehl ratio.
//
// Given: the zones, the measured readings (one a zone, any origin: a constant added to
// all of them changes only the reference sphere), the expected ones, R and the source.
// Returned: with d = expected - measured, the slope of the surface error at each zone,
// d h / R^2 with the source moving with the knife, d h / (2 R^2) with a fixed source
// (the reflected ray turns by twice the slope); the surface error integrated across
// the zone radii by trapezoids, zero at the first zone; the sphere a + b h^2 of least
// area-weighted squares removed; the wavefront error twice the surface error.
// Surface errors are positive where the glass stands high (toward the centre of
// curvature). Strehl by Marechal, exp(-(2 pi rms)^2).
// Source: J. Texereau, "How to Make a Telescope", 2nd English ed. (1984), the reduction
// of Foucault measurements; V. N. Mahajan, JOSA 72 (1982) 1258, the exponential form of
// Marechal's Strehl ratio.
#ifndef SPEKULOR_MIRRORTESTS_READINGREDUCTION_H
#define SPEKULOR_MIRRORTESTS_READINGREDUCTION_H

#include <vector>

#include "mirrortests/CouderZones.h"
#include "mirrortests/ExpectedReadings.h"

namespace spekulor::mirrortests {

constexpr double kReductionWavelengthNm = 550.0;

struct SurfaceErrorFit {
  std::vector<double> surface;  // at each zone radius, in the design's unit, sphere removed
  double wavefrontRms = 0.0;    // in the design's unit, area-weighted
  double wavefrontPv = 0.0;
};

// The zones' areas, the weights of every fit.
std::vector<double> ZoneAreas(const std::vector<CouderZone>& zones);

// Removes from `surface` (one value a zone) the sphere a + b h^2 of least
// area-weighted squares and measures the wavefront, twice the rest.
SurfaceErrorFit RemoveBestSphere(const std::vector<CouderZone>& zones,
                                 const std::vector<double>& surface);

// The surface error from the measured readings; measured and expected one a zone.
SurfaceErrorFit ReduceReadings(const std::vector<CouderZone>& zones,
                               const std::vector<double>& measured,
                               const std::vector<double>& expected, double radius,
                               TestSource source);

}  // namespace spekulor::mirrortests

#endif
