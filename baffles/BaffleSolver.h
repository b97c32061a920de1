// The pair of baffles with the least obstruction: a skirt hanging from the secondary
// (radius Rs, open end at z = zs) and a tube on the axis through the primary's hole
// (radius Rp, mouth at z = zp), in the frame of BaffleFrame.h.
//
// The pair must (1) let every ray of the fully illuminated field pass: the skirt
// clears the beam from the primary to the secondary at its open end, the tube clears
// the beam from the secondary to the image at its mouth, and the tube (and the hole)
// stays inside the innermost light coming from the sky past the skirt and going back
// up from the primary; and (2) keep direct skylight off the image circle: the steepest
// straight line from the image circle's edge past the far edge of the tube's mouth
// must run into the skirt. Among such pairs the smallest skirt is wanted.
//
// The skirt's need falls as zs rises toward the secondary, so each constraint is an
// upper bound on zs for a given zp: skylight's bound rises with zp (a longer tube
// steepens the line), the clearance bound falls with it (a longer, wider tube meets
// the inner light sooner). The optimum lies where the two bounds meet; both are found
// by bisection. The classic first-order treatment is A. T. Young, "Design of
// Cassegrain light shields", Applied Optics 6 (1967) 1063, and R. Prescott,
// "Cassegrainian baffle design", Applied Optics 7 (1968) 479.
#ifndef SPEKULOR_BAFFLES_BAFFLESOLVER_H
#define SPEKULOR_BAFFLES_BAFFLESOLVER_H

#include <functional>

namespace spekulor::baffles {

struct BafflePair {
  double skirtRadius = 0.0;  // Rs
  double skirtZ = 0.0;       // zs, the skirt's open end
  double tubeRadius = 0.0;   // Rp
  double tubeZ = 0.0;        // zp, the tube's mouth
};

// What the field's light needs of the baffles, first-order or from the exact trace.
struct BaffleNeeds {
  std::function<double(double zs)> skirtRadius;  // least Rs clearing the beams at zs
  std::function<double(double zp)> tubeRadius;   // least Rp clearing the image beam at zp
  // The nearest the light passing a skirt of radius skirtRadius(zs) ending at zs comes
  // to the axis between the primary and zp, on its way in and back up.
  std::function<double(double zs, double zp)> innerClearance;
  double holeRadius = 0.0;   // the least hole the image beam needs in the primary
  double imageRadius = 0.0;  // h
  double imageZ = 0.0;       // -b
  double secondaryZ = 0.0;   // d: the skirt ends at or below it
};

// Distance from the axis, at height z, of the straight line from the image circle's
// edge (radius h at z = imageZ) across the axis past the far edge of a mouth of radius
// Rp at z = zp: Rp + (Rp + h) (z - zp) / (zp - imageZ). Lines from any point of the
// image circle through the mouth come no farther out at z above the mouth.
double SkyLineRadius(double imageRadius, double imageZ, double tubeRadius, double tubeZ, double z);

// Solves for the pair; false when no zp in [0, d) admits a skirt ending above the
// tube's mouth that meets both conditions.
bool SolveBafflePair(const BaffleNeeds& needs, BafflePair& pair);

}  // namespace spekulor::baffles

#endif
