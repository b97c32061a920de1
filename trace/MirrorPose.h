// Where a mirror stands when it is not where the design puts it: a rigid motion from
// the mirror's own frame (the telescope's frame with the mirror aligned) to the
// telescope's frame.
//
// The motion turns the mirror by an angle about the line parallel to x through the
// point (0, 0, pivotZ), then shifts it by (0, shiftY, shiftZ):
//   X = P + T + R (L - P),  L = P + R^T (X - P - T),
// with P the pivot, T the shift and R the turn about +x by the right-hand rule, which
// takes the mirror's face toward -z (the one looking at the primary) toward +y.
// Lengths in the design's unit.
#ifndef SPEKULOR_TRACE_MIRRORPOSE_H
#define SPEKULOR_TRACE_MIRRORPOSE_H

#include "trace/ConicMirror.h"

namespace spekulor::trace {

struct MirrorPose {
  bool moved = false;  // false: the design's place, and the trace takes no detour
  double cosTurn = 1.0;
  double sinTurn = 0.0;
  double pivotZ = 0.0;
  double shiftY = 0.0;
  double shiftZ = 0.0;
};

// A point of the telescope's frame in the mirror's own frame, and back.
Vec3 ToMirrorFrame(const MirrorPose& pose, const Vec3& point);
Vec3 FromMirrorFrame(const MirrorPose& pose, const Vec3& point);

// A direction (or any free vector) likewise: turned only.
Vec3 ToMirrorDirection(const MirrorPose& pose, const Vec3& direction);
Vec3 FromMirrorDirection(const MirrorPose& pose, const Vec3& direction);

}  // namespace spekulor::trace

#endif
