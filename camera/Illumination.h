// How much of a star's light reaches the sensor across its field, from the exact trace
// (trace/RayTrace.h): rays over the whole primary, on a square grid, from a star at each
// field angle, each stopped where it meets something opaque on its way:
//  - the secondary's disc and its rim (the telescope's own: a ray reflected outside the
//    secondary is lost), and the skirt when the telescope is baffled;
//  - the primary baffle's tube, on the way in and on the way down to the image;
//  - the central hole bored through the blank: light landing in it is lost, and the
//    light on its way to the image must pass inside it from the primary's face to its
//    back;
//  - the primary's rim, the aperture stop.
// The relative illumination at a field angle is the share of the rays that reach the
// image there over the share on the axis: the vignetting of the geometric beam (Smith,
// "Modern Optical Engineering", on vignetting), by counting rays rather than by the
// overlapping circles of first-order theory.
#ifndef SPEKULOR_CAMERA_ILLUMINATION_H
#define SPEKULOR_CAMERA_ILLUMINATION_H

#include <vector>

#include "baffles/BaffleParts.h"
#include "trace/RayTrace.h"

namespace spekulor::camera {

// Rays across the primary's diameter: about 5000 over its face, a share known to a few
// parts in a thousand.
constexpr int kIlluminationGrid = 80;

// The central hole through the blank: a cylinder of `radius` from the primary's face
// (the plane of the hole's edge on the mirror) down to its back. Radius 0: no hole.
struct BlankHole {
  double radius = 0.0;
  double faceZ = 0.0;
  double backZ = 0.0;
};

struct LightStops {
  bool baffled = false;          // the skirt and the tube of `parts` stand in the light
  baffles::BaffleParts parts;
  BlankHole hole;
};

// The share of the rays over the primary's face, from a star `fieldAngle` radians off
// the axis, that reach the image through `telescope` past `stops`; `grid` rays across
// the diameter.
double PassingShare(const trace::Telescope& telescope, const LightStops& stops, double fieldAngle,
                    int grid = kIlluminationGrid);

struct IlluminationPoint {
  double fieldAngle = 0.0;  // radians
  double radius = 0.0;      // the image's distance from the axis, F tan(field angle)
  double relative = 0.0;    // the share reaching the image over the axis' share
};

// The relative illumination at `points` (at least 2) field angles evenly spaced from the
// axis to `cornerField`, both included.
std::vector<IlluminationPoint> IlluminationProfile(const trace::Telescope& telescope,
                                                   const LightStops& stops, double cornerField,
                                                   int points, int grid = kIlluminationGrid);

}  // namespace spekulor::camera

#endif
