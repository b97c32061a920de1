// First-order (paraxial, straight-cone) figures of the central hole and the baffles.
//
// The beams are cones: from the primary (radius D/2 at z = 0) to the field's image at
// the prime focus (height f1 t at z = f1, t = tan(theta)); from the secondary's
// footprint (radius y2 at z = d) to the image circle's edge (h at z = -b). Every image
// lies toward +y (calc/SignConventions.h); the innermost light is the field edge's ray
// that grazes the skirt's open end on the -y side.
// After A. T. Young, Applied Optics 6 (1967) 1063, and R. Prescott, Applied Optics 7
// (1968) 479; the hole is the image cone's width where it crosses the primary.
#ifndef SPEKULOR_BAFFLES_FIRSTORDERBAFFLES_H
#define SPEKULOR_BAFFLES_FIRSTORDERBAFFLES_H

#include "baffles/BaffleFrame.h"
#include "baffles/BaffleSolver.h"

namespace spekulor::baffles {

// The least diameter of the primary's hole: 2 [h + (y2 - h) b / (d + b)]. On the axis
// (theta 0, y2 = p D / 2 f1) it is b D / F.
double FirstOrderHoleDiameter(const BaffleFrame& frame);

// Radius of the beam from the primary to the secondary at height z:
// D/2 (1 - z / f1) + z t.
double PrimaryBeamRadius(const BaffleFrame& frame, double z);

// Radius of the beam from the secondary to the image circle at height z:
// h + (y2 - h) (z + b) / (d + b).
double ImageBeamRadius(const BaffleFrame& frame, double z);

// The nearest approach to the axis, at height z, of the light that passes a skirt of
// radius Rs ending at zs: the smaller of the incoming ray, Rs - (zs - z) t, and that
// ray after the primary, (Rs - zs t)(1 - z / f1) - z t.
double InnerLightRadius(const BaffleFrame& frame, double skirtRadius, double skirtZ, double z);

// The needs above, for SolveBafflePair.
BaffleNeeds FirstOrderNeeds(const BaffleFrame& frame);

}  // namespace spekulor::baffles

#endif
