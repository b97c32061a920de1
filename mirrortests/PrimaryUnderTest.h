// The primary of a completed design as the test stand sees it: its vertex radius of
// curvature, conic, diameter and the radius of the secondary's shadow, and its sag.
//
// Given: a completed design (calc/DesignResult.h) and its unit. Returned: R = 2 f1
// (PriRadCur), K = the primary's conic, D, and the shadow's radius, half the report's
// secondary diameter (SecDia, the fully illuminated field's beam on the secondary),
// the part of the primary that sends no light to the focus.
// Source of the sag: the standard conic, z(h) = h^2 / (R + sqrt(R^2 - (1 + K) h^2))
// (Welford, "Aberrations of Optical Systems", sec. 2.3), z positive toward the centre
// of curvature.
#ifndef SPEKULOR_MIRRORTESTS_PRIMARYUNDERTEST_H
#define SPEKULOR_MIRRORTESTS_PRIMARYUNDERTEST_H

#include "calc/DesignInput.h"
#include "calc/DesignResult.h"

namespace spekulor::mirrortests {

struct PrimaryUnderTest {
  double radius = 0.0;        // R, vertex radius of curvature
  double conic = 0.0;         // K
  double diameter = 0.0;      // D
  double shadowRadius = 0.0;  // r0, the secondary's shadow
  calc::LengthUnit unit = calc::LengthUnit::Millimetre;
};

PrimaryUnderTest MakePrimaryUnderTest(const calc::DesignResult& design, calc::LengthUnit unit);

// z(h) of a conic of vertex radius R and conic K; NaN where the surface does not reach
// h (an ellipsoid narrower than h).
double ConicSag(double radius, double conic, double h);

// Nanometres in one unit of the design (10^6 a millimetre, 25.4 10^6 an inch).
double NanometresPerUnit(calc::LengthUnit unit);

}  // namespace spekulor::mirrortests

#endif
