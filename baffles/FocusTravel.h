// How the focus moves when the mirrors are moved, exact from the secondary's paraxial
// mirror equation in the magnitudes of calc/DesignResult.h: with the primary's focus
// p = f1 - s behind the secondary at mirror distance s, the secondary forms the
// image q = R2 p / (R2 - 2 p) behind itself, and the back focal length is q - s.
// Its rate dq/dp = (R2 / (R2 - 2 p))^2 is m^2, so the back focal length grows by
// m^2 + 1 per unit the mirror distance shrinks. Paraxial two-mirror relations as in
// D. J. Schroeder, Astronomical Optics (Academic Press), on two-mirror telescopes.
#ifndef SPEKULOR_BAFFLES_FOCUSTRAVEL_H
#define SPEKULOR_BAFFLES_FOCUSTRAVEL_H

#include "calc/DesignResult.h"

namespace spekulor::baffles {

// Back focal length of the design's mirrors (f1 and R2 kept) at mirror distance s.
double BackFocusAtSpacing(const calc::DesignResult& design, double spacing);

// The mirror distance at which the back focal length is `backFocus`: the smaller root
// of p^2 - (e + R2) p + R2 e / 2 = 0 with e = f1 + backFocus, and s = f1 - p; to
// rounding for every back focal length up to 1e300.
double SpacingForBackFocus(const calc::DesignResult& design, double backFocus);

struct FocusTravel {
  double backFocusPerSpacing = 0.0;  // change of b per unit decrease of d: (R2 / (R2 - 2p))^2 + 1
  double primaryBackZ = 0.0;         // the primary's back, -thickness
  double clearance = 0.0;            // the least distance wanted from the back to the focus
  double largestSpacing = 0.0;       // d at which the focus lies `clearance` behind the back
  double focusAtInfinity = 0.0;      // d = f1 - R2 / 2, where the focus runs off to infinity
  double spacingSlack = 0.0;         // largestSpacing - d; negative when the focus lies too close
};

// The focus travel of a completed design whose primary's back lies `thickness` behind
// its vertex, for a wanted `clearance` of the focus behind that back. Mirror distances
// between focusAtInfinity (excluded) and largestSpacing keep the focus far enough back.
FocusTravel ComputeFocusTravel(const calc::DesignResult& design, double thickness, double clearance);

}  // namespace spekulor::baffles

#endif
