// The exact Foucault readings of a conic primary: where the knife-edge nulls each zone,
// along the axis, positive away from the mirror, from the paraxial centre of curvature.
//
// Given: R, K, the source's arrangement and the zone's radius h. Returned: the reading.
// Source: the conic's normal at (h, z) leans by phi with tan(phi) = h / (R - (1+K) z) and
// meets the axis at R - K z (the sub-normal of z(h), Welford sec. 2.3). With the source
// moving with the knife the zone nulls when both stand on its normal: reading -K z.
// With the source fixed on the axis at S, the incoming ray leans by alpha, tan(alpha) =
// h / (S - z); reflected about the normal it leans by 2 phi - alpha and crosses the axis
// at X = z + h / tan(2 phi - alpha); with S = R the reading is X - R. No series: for a
// paraboloid this is exactly h^2/R + h^4/(2 R^3), of which the tables in Texereau, "How
// to Make a Telescope", print the first term.
#ifndef SPEKULOR_MIRRORTESTS_EXPECTEDREADINGS_H
#define SPEKULOR_MIRRORTESTS_EXPECTEDREADINGS_H

#include <vector>

#include "mirrortests/CouderZones.h"

namespace spekulor::mirrortests {

enum class TestSource {
  Moving,  // the source moves with the knife (or the grating)
  Fixed    // the source stays at the paraxial centre of curvature
};

// Where the ray from the source on the axis at `source` (from the vertex) to the mirror
// at radius h crosses the axis again after the reflection, from the vertex; NaN where
// the surface does not reach h.
double ReflectedAxisCrossing(double radius, double conic, double source, double h);

// The reading of the zone at radius h.
double ExpectedReading(double radius, double conic, TestSource source, double h);

// The readings of the zones at their radii.
std::vector<double> ExpectedReadings(double radius, double conic, TestSource source,
                                     const std::vector<CouderZone>& zones);

}  // namespace spekulor::mirrortests

#endif
