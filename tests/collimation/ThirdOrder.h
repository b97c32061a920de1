// The third-order (Seidel) aberrations a misaligned secondary adds to the axis image of
// a two-mirror telescope, from the paraxial marginal ray and the surface contributions
// of the secondary alone (Welford, "Aberrations of Optical Systems", ch. 7: S_I and
// S_II of a spherical surface with the stop shifted, plus the conic's share
// K c^3 y^4 (n' - n) and (ybar / y) of it; Schroeder, "Astronomical Optics", ch. 6, for
// the two-mirror telescope's rays). Derived independently of the trace, as the tests'
// expectations.
//
// The secondary stands p before the prime focus, its vertex radius R2 and conic K2;
// the marginal ray meets the primary at Y = D / 2 and the secondary at y2 = Y p / f1.
//  - Decentered by e, the secondary sees the prime focus as a field point at -e with
//    the chief ray parallel to its axis (stop at infinity in its object space): the
//    coma is C e with C = (Y/f1)^2 (1 - p/R2) (p y2 / R2^2) - K2 y2^3 / R2^3.
//  - Tilted about its vertex by a radians, it sees a field point with its chief ray
//    through the vertex: no share of the conic, and the coma is -R2 Cs a, Cs the
//    spherical part of C (a sphere turned about its vertex is that sphere turned about
//    its centre, which changes nothing, and moved by -R2 a).
//  - Despaced by s, p grows by s and the spherical aberration W040 changes by
//    (Y^4 / (4 f1^4 R2^3)) (2p (R2 - p)^2 - 2p^2 (R2 - p) + 4 K2 p^3) per unit; for a
//    classical Cassegrain that is -(m^2 - 1) / (128 m^2 N1^4).
// Coefficients are optical path differences, positive where the path is longer (the
// negative of Welford's W = S_I / 8 rho^4 + S_II / 2 rho^3 cos phi), rho on the
// primary, phi from +y. Lengths in the design's unit; the W per unit are pure numbers.
#ifndef SPEKULOR_TESTS_COLLIMATION_THIRDORDER_H
#define SPEKULOR_TESTS_COLLIMATION_THIRDORDER_H

#include "calc/DesignResult.h"

struct ThirdOrderMisalignment {
  double comaPerDecenter = 0.0;      // W131 per unit of decenter
  double comaSpherePart = 0.0;       // its share without the conic
  double comaPerTiltRadian = 0.0;    // W131 per radian of tilt about the vertex, length
  double sphericalPerDespace = 0.0;  // W040 per unit of despace
  double comaFreePivot = 0.0;        // from the vertex toward the sky, length
};

ThirdOrderMisalignment ThirdOrder(const spekulor::calc::DesignResult& design);

#endif
