// Exact sequential ray trace through a completed two-mirror design.
//
// Frame: the optical axis is z, the primary's vertex is the origin and the sky lies
// toward +z. Light travels toward -z, is reflected by the concave primary toward +z,
// by the convex secondary (vertex at z = d, the mirror distance) back toward -z, and
// reaches the image plane at z = -b, the back focal length behind the primary. Both
// vertex curvatures are positive in this frame (both centres of curvature lie toward
// +z). Lengths are in the design's unit.
#ifndef SPEKULOR_TRACE_RAYTRACE_H
#define SPEKULOR_TRACE_RAYTRACE_H

#include <string>

#include "trace/ConicMirror.h"
#include "calc/DesignResult.h"
#include "trace/MirrorPose.h"
#include "trace/TraceProblem.h"

namespace spekulor::trace {

struct Telescope {
  ConicMirror primary;    // clear radius D / 2: its rim is the aperture stop
  ConicMirror secondary;  // clear radius SecDia / 2
  double shadowZ = 0.0;       // plane of the secondary's rim, where its disc blocks the sky
  double shadowRadius = 0.0;  // SecDia / 2; 0 traces without the central obstruction
  double imageZ = 0.0;        // -b
  double systemFocus = 0.0;   // F, for angular measures
  double diameter = 0.0;      // D
  // The secondary's place when it is moved off the design's (SecondaryPerturbation.h):
  // `secondary`, shadowZ and shadowRadius then describe it in its own frame. The image
  // plane stays where the design puts it.
  MirrorPose secondaryPose;
};

// The telescope of a completed design: R1, K1, R2, K2, d, b, D, SecDia, F.
Telescope BuildTelescope(const calc::DesignResult& design);

// Why the completed design cannot be traced, or no problem when it can: every
// length used must be finite, the mirrors must have power, the secondary must stand
// in front of the primary and be smaller than it.
TraceProblem TelescopeProblem(const calc::DesignResult& design);

enum class RayFate {
  Imaged,           // reached the image plane
  Obstructed,       // stopped by the secondary's disc on its way in
  OutsideStop,      // met the primary beyond its rim, or not at all
  MissedSecondary,  // passed beside the secondary after the primary (vignetted)
  NoImage           // left the secondary away from the image plane, or numbers ran out
};

struct TracedRay {
  RayFate fate = RayFate::NoImage;
  Vec3 onPrimary;        // valid from OutsideStop on (when the primary was met)
  Vec3 onSecondary;      // valid for Imaged and NoImage
  Vec3 onImage;          // valid for Imaged
  Vec3 finalDirection;   // after the secondary; valid for Imaged and NoImage
};

// Traces one ray from `origin` (in front of the secondary's disc) along the unit
// vector `direction` (toward -z).
TracedRay TraceRay(const Telescope& telescope, const Vec3& origin, const Vec3& direction);

// Direction of the light from a star `fieldAngle` radians off the axis. The star lies
// toward -y, so that its image forms at +y: (0, sin a, -cos a).
Vec3 StarDirection(double fieldAngle);

// The ray from that star that meets the primary's surface above the point (x, y),
// started on the plane z = startZ.
Vec3 RayOriginThrough(const Telescope& telescope, double x, double y, const Vec3& direction,
                      double startZ);

// A plane in front of the secondary's disc, wherever the secondary is moved, from which
// rays are started. For a secondary in its place, or whose disc stays below it, the
// plane lies 0.05 D + 1 unit above the rim.
double StartPlane(const Telescope& telescope);

}  // namespace spekulor::trace

#endif
