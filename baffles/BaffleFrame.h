// The figures of a completed design that its central hole and baffles depend on.
//
// Frame of trace/RayTrace.h: z along the axis from the primary's vertex toward the
// sky, the secondary's vertex at z = d, the focal plane at z = -b; lengths in the
// design's unit. The fully illuminated field runs from the axis to theta, half the
// design's field; its image circle on the focal plane has the radius h = F tan(theta).
#ifndef SPEKULOR_BAFFLES_BAFFLEFRAME_H
#define SPEKULOR_BAFFLES_BAFFLEFRAME_H

#include "calc/DesignResult.h"

namespace spekulor::baffles {

struct BaffleFrame {
  double diameter = 0.0;             // D
  double primaryFocus = 0.0;         // f1
  double systemFocus = 0.0;          // F
  double spacing = 0.0;              // d, primary to secondary
  double backFocus = 0.0;            // b, primary to focal plane
  double halfField = 0.0;            // theta, radians
  double imageRadius = 0.0;          // h = F tan(theta)
  double secondaryBeamRadius = 0.0;  // y2 = SecDia / 2, the field's beam on the secondary
};

// From a completed design: PriDia, PriFoc, SysFoc, PriSecDist, BackFocLen, FieldRad
// (the full field, halved here) and SecDia.
BaffleFrame MakeBaffleFrame(const calc::DesignResult& design);

}  // namespace spekulor::baffles

#endif
