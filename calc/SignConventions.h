// The signs of the exact trace and of the analyses built on it, stated once; every other
// header refers here.
//
// Frame (trace/RayTrace.h): z along the optical axis, the primary's vertex at the
// origin, the sky toward +z; the secondary's vertex at z = d, the paraxial image plane
// at z = -b. A star off the axis lies toward -y, so the field's images lie toward +y.
//
// Focus shift: a focal plane's distance from the paraxial image plane, positive away
// from the primary (toward -z, a longer back focal length).
//
// Focal surface: its radius is negative when the field's foci come toward the primary
// (toward the sky), as the report's radius of field curvature (FieldCurvedFromSky).
//
// Wavefront: an optical path difference from the reference sphere, positive where a
// ray's path is longer; pupil angles phi are measured from +y.
//
// The secondary out of place (trace/SecondaryPerturbation.h):
//  - despace, positive toward the primary (toward -z): the mirrors come closer;
//  - decenter, positive toward +y, the side of the field's images;
//  - tilt, positive when the mirror's face (the side toward -z) turns toward +y, a right
//    turn about +x, which moves the axis' image toward +y; it turns about the pivot, a
//    point on the mirror's axis, positive from its vertex toward the sky.
// The constants below are the direction, along the frame's axes, in which each of them
// counts positive.
#ifndef SPEKULOR_CALC_SIGNCONVENTIONS_H
#define SPEKULOR_CALC_SIGNCONVENTIONS_H

namespace spekulor::calc {

constexpr double kFocusShiftAlongZ = -1.0;
constexpr double kDespaceAlongZ = -1.0;
constexpr double kDecenterAlongY = 1.0;
constexpr double kTiltAboutX = 1.0;
constexpr double kPivotAlongZ = 1.0;

// z of the focal plane `focusShift` from the paraxial image plane at `paraxialImageZ`.
inline double FocalPlaneZ(double paraxialImageZ, double focusShift) {
  return paraxialImageZ + kFocusShiftAlongZ * focusShift;
}

}  // namespace spekulor::calc

#endif
