#include "trace/RayTrace.h"

#include <algorithm>
#include <cmath>

#include "calc/Inputs.h"

using namespace spekulor::calc;

namespace spekulor::trace {

namespace {

bool IsFiniteLength(double value) { return std::isfinite(value) && IsGiven(value); }

// Whether a ray from the sky meets the disc of a moved secondary's rim, which lies in
// the mirror's own frame at shadowZ.
bool InMovedShadow(const Telescope& telescope, const Vec3& origin, const Vec3& direction) {
  if (!(telescope.shadowRadius > 0.0)) return false;
  const Vec3 p = ToMirrorFrame(telescope.secondaryPose, origin);
  const Vec3 u = ToMirrorDirection(telescope.secondaryPose, direction);
  if (!(u.z < 0.0)) return false;
  const double s = (telescope.shadowZ - p.z) / u.z;
  if (!(s > 0.0)) return false;
  const double hx = p.x + s * u.x;
  const double hy = p.y + s * u.y;
  return hx * hx + hy * hy < telescope.shadowRadius * telescope.shadowRadius;
}

}  // namespace

Telescope BuildTelescope(const DesignResult& design) {
  Telescope telescope;
  telescope.primary = {0.0, 1.0 / design.PriRadCur, design.PriConic, design.PriDia / 2.0};
  telescope.secondary = {design.PriSecDist, 1.0 / design.SecRadCur, design.SecConic,
                         design.SecDia / 2.0};
  telescope.shadowRadius = design.SecDia / 2.0;
  telescope.shadowZ =
      design.PriSecDist + MirrorSag(telescope.secondary, telescope.secondary.clearRadius);
  telescope.imageZ = -design.BackFocLen;
  telescope.systemFocus = design.SysFoc;
  telescope.diameter = design.PriDia;
  return telescope;
}

TraceProblem TelescopeProblem(const DesignResult& design) {
  auto refuse = [](TraceProblemCode code) { return TraceProblem{code}; };
  const double lengths[] = {design.PriDia,   design.PriRadCur, design.SecRadCur,
                            design.PriSecDist, design.BackFocLen, design.SecDia,
                            design.SysFoc,   design.PriConic,  design.SecConic};
  for (double value : lengths) {
    if (!IsFiniteLength(value)) return refuse(TraceProblemCode::NotFinite);
  }
  if (!(design.PriDia > 0.0)) return refuse(TraceProblemCode::NoPrimaryDiameter);
  if (!(design.PriRadCur > 0.0)) return refuse(TraceProblemCode::PrimaryNotConcave);
  if (!(design.SecRadCur > 0.0)) return refuse(TraceProblemCode::SecondaryNotConvex);
  if (!(design.PriSecDist > 0.0)) return refuse(TraceProblemCode::SecondaryNotInFront);
  if (!(design.SecDia > 0.0) || !(design.SecDia < design.PriDia))
    return refuse(TraceProblemCode::SecondaryNotSmaller);
  if (!std::isfinite(MirrorSag({0.0, 1.0 / design.SecRadCur, design.SecConic, 0.0},
                               design.SecDia / 2.0)))
    return refuse(TraceProblemCode::SecondaryShortOfRim);
  return TraceProblem();
}

Vec3 StarDirection(double fieldAngle) { return {0.0, std::sin(fieldAngle), -std::cos(fieldAngle)}; }

double StartPlane(const Telescope& telescope) {
  const double margin = 0.05 * telescope.diameter + 1.0;
  const double plane = telescope.shadowZ + margin;
  if (!telescope.secondaryPose.moved) return plane;
  // A secondary moved toward the sky, or tilted, may lift its disc's rim to the plane
  // or above; rays started below it would pass under its shadow. Its rim's highest
  // point lies in the plane of the tilt (the mirror turns about a line parallel to x).
  double top = telescope.shadowZ;
  for (double side : {-1.0, 1.0}) {
    const Vec3 rim{0.0, side * telescope.shadowRadius, telescope.shadowZ};
    top = std::max(top, FromMirrorFrame(telescope.secondaryPose, rim).z);
  }
  return top < plane ? plane : top + margin;
}

Vec3 RayOriginThrough(const Telescope& telescope, double x, double y, const Vec3& direction,
                      double startZ) {
  const Vec3 onPrimary{x, y, MirrorSag(telescope.primary, std::hypot(x, y))};
  const double back = (startZ - onPrimary.z) / direction.z;  // negative: toward the sky
  return onPrimary + back * direction;
}

TracedRay TraceRay(const Telescope& telescope, const Vec3& origin, const Vec3& direction) {
  TracedRay ray;
  // The secondary's disc, seen from the sky.
  if (telescope.secondaryPose.moved) {
    if (InMovedShadow(telescope, origin, direction)) {
      ray.fate = RayFate::Obstructed;
      return ray;
    }
  } else if (telescope.shadowRadius > 0.0 && direction.z < 0.0 && origin.z > telescope.shadowZ) {
    const double s = (telescope.shadowZ - origin.z) / direction.z;
    const double hx = origin.x + s * direction.x;
    const double hy = origin.y + s * direction.y;
    if (hx * hx + hy * hy < telescope.shadowRadius * telescope.shadowRadius) {
      ray.fate = RayFate::Obstructed;
      return ray;
    }
  }

  double t = 0.0;
  if (!IntersectMirror(telescope.primary, origin, direction, t)) {
    ray.fate = RayFate::OutsideStop;
    return ray;
  }
  ray.onPrimary = origin + t * direction;
  const double rimSquared = telescope.primary.clearRadius * telescope.primary.clearRadius;
  if (ray.onPrimary.x * ray.onPrimary.x + ray.onPrimary.y * ray.onPrimary.y >
      rimSquared * (1.0 + 1e-12)) {
    ray.fate = RayFate::OutsideStop;
    return ray;
  }
  const Vec3 afterPrimary = Reflect(direction, MirrorNormal(telescope.primary, ray.onPrimary));

  // The secondary is met in its own frame; for a secondary in the design's place that
  // frame is the telescope's, and nothing is converted.
  const MirrorPose& pose = telescope.secondaryPose;
  const Vec3 towardSecondary = pose.moved ? ToMirrorDirection(pose, afterPrimary) : afterPrimary;
  const Vec3 fromPrimary = pose.moved ? ToMirrorFrame(pose, ray.onPrimary) : ray.onPrimary;
  if (!IntersectMirror(telescope.secondary, fromPrimary, towardSecondary, t)) {
    ray.fate = RayFate::MissedSecondary;
    return ray;
  }
  const Vec3 onSecondary = fromPrimary + t * towardSecondary;
  const double secRim = telescope.secondary.clearRadius * telescope.secondary.clearRadius;
  if (onSecondary.x * onSecondary.x + onSecondary.y * onSecondary.y > secRim * (1.0 + 1e-12)) {
    ray.fate = RayFate::MissedSecondary;
    return ray;
  }
  const Vec3 reflected =
      Reflect(towardSecondary, MirrorNormal(telescope.secondary, onSecondary));
  ray.onSecondary = pose.moved ? FromMirrorFrame(pose, onSecondary) : onSecondary;
  ray.finalDirection = pose.moved ? FromMirrorDirection(pose, reflected) : reflected;

  // The image plane lies behind the secondary, toward -z.
  if (!(ray.finalDirection.z < 0.0) || !(ray.onSecondary.z > telescope.imageZ)) {
    ray.fate = RayFate::NoImage;
    return ray;
  }
  const double toImage = (telescope.imageZ - ray.onSecondary.z) / ray.finalDirection.z;
  ray.onImage = ray.onSecondary + toImage * ray.finalDirection;
  if (!std::isfinite(ray.onImage.x) || !std::isfinite(ray.onImage.y)) {
    ray.fate = RayFate::NoImage;
    return ray;
  }
  ray.fate = RayFate::Imaged;
  return ray;
}

}  // namespace spekulor::trace
