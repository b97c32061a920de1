// The opaque parts that baffle a telescope, and the meeting of straight segments with
// them, in the frame of trace/RayTrace.h.
//
// The skirt is a thin cylinder on the axis from its open end up to the plane of the
// secondary's rim, closed there by the secondary and its cell. The tube is a thin
// open cylinder from below the primary up to its mouth. The primary is opaque outside
// its bore, taken on the plane of the bore's edge on the mirror's face.
#ifndef SPEKULOR_BAFFLES_BAFFLEPARTS_H
#define SPEKULOR_BAFFLES_BAFFLEPARTS_H

#include "baffles/BaffleSolver.h"
#include "trace/ConicMirror.h"
#include "trace/RayTrace.h"

namespace spekulor::baffles {

struct BaffleParts {
  double skirtRadius = 0.0;
  double skirtZ = 0.0;      // open end
  double skirtTopZ = 0.0;   // closed end, the secondary's rim
  double tubeRadius = 0.0;
  double tubeZ = 0.0;       // mouth
  double tubeBottomZ = 0.0;
  double boreRadius = 0.0;  // the primary's hole as bored: the light's hole or the tube, the larger
  double boreZ = 0.0;
};

// The parts of a pair of baffles in a telescope whose light needs a hole of holeRadius;
// the tube reaches down to tubeBottomZ (the primary's back).
BaffleParts MakeBaffleParts(const BafflePair& pair, const trace::Telescope& telescope, double holeRadius,
                            double tubeBottomZ);

// The telescope of the design without the secondary's disc in the way (the skirt
// takes its place as the central obstruction) and with a secondary wide enough for
// the whole field: the design's first-order secondary falls short of the exact beam
// by a hair at the field's edge, and the baffles are to pass every ray of the field.
trace::Telescope BareTelescope(const calc::DesignResult& design);

// True when the segment from a to b meets the wall of the coaxial cylinder of the
// given radius somewhere between the heights zLow and zHigh.
bool SegmentMeetsWall(const trace::Vec3& a, const trace::Vec3& b, double radius, double zLow, double zHigh);

// The distance from the axis at which the segment crosses the plane at height z;
// false when it does not cross it.
bool RadiusAtPlane(const trace::Vec3& a, const trace::Vec3& b, double z, double& radius);

// The least distance from the axis of the segment's part between the heights zLow and
// zHigh; +infinity when no part lies there.
double NearestToAxis(const trace::Vec3& a, const trace::Vec3& b, double zLow, double zHigh);

// True when light coming from the sky along the segment is stopped by the skirt's
// wall or by the secondary's cell at its top.
bool SkirtShadows(const BaffleParts& parts, const trace::Vec3& from, const trace::Vec3& to);

}  // namespace spekulor::baffles

#endif
