// The two-mirror solver: completes the paraxial layout of a Cassegrain-family
// telescope (concave primary, convex secondary), sets the conic constants that the
// chosen design requires, sizes the secondary and gives obstruction and sagittas.
//
// Paraxial two-mirror relations in the magnitudes of DesignResult.h; the aplanatic
// and stigmatic conics follow the classical third-order theory of two-mirror
// telescopes (K. Schwarzschild 1905; see D. J. Schroeder, Astronomical Optics).
//
// No quantity is tested: divisions by zero and square roots of negative numbers give
// infinities and NaNs that flow on into the report.
#ifndef SPEKULOR_CALC_SOLVER_H
#define SPEKULOR_CALC_SOLVER_H

#include "calc/DesignInput.h"
#include "calc/DesignResult.h"

namespace spekulor::calc {

// Degrees per radian, to eight decimals, as the field angle conversion uses it.
constexpr double kFieldDegreesPerRadian = 57.29577951;

// Starts a design from the inputs: the input quantities copied, everything else not
// given, and FieldRad = FieldAng / kFieldDegreesPerRadian.
DesignResult StartDesign(const DesignInput& input);

// Completes the geometry along the path: SecMag, SecPriFocDist, SecSysFocDist,
// PriSecDist, SysFoc, BackFocLen, SecRadCur, PriRadCur and ClassicSecConic (and
// PriSysFocDist on the back-focal-length path, whose steps are guarded by
// application assertions). On the secondary-conic path the stored SecConic becomes
// the negative of the entry.
DesignResult SolveGeometry(DesignResult design, SolvePath path);

// Sets PriConic and SecConic for the design type, overwriting entered conics except
// the primary's of a stigmatic combination.
DesignResult SetDesignConics(DesignResult design, TelescopeType type);

// SecMinDia = p D / f1 (the axial cone at the secondary) and SecDia = d theta +
// SecMinDia (widened by the full field over the distance from the primary).
DesignResult SizeSecondary(DesignResult design);

// LinObstruction = SecDia / D * 100 and AreaObstruction = (SecDia / D)^2 * 100, the
// latter by way of the two disc areas.
DesignResult ComputeObstruction(DesignResult design);

// Paraxial sagittas a^2 / (16 f): PriSag = D^2 / (16 f1), SecSag = SecDia^2 / (8 R2).
DesignResult ComputeSagittas(DesignResult design);

}  // namespace spekulor::calc

#endif
