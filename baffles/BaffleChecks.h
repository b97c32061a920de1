// The two checks of a pair of baffles, by the exact trace and by straight lines:
// (1) no ray of the fully illuminated field is blocked, (2) no straight line from the
// image circle reaches the sky. Frame and parts as in BaffleParts.h.
#ifndef SPEKULOR_BAFFLES_BAFFLECHECKS_H
#define SPEKULOR_BAFFLES_BAFFLECHECKS_H

#include "baffles/BaffleParts.h"
#include "trace/RayTrace.h"

namespace spekulor::baffles {

// True when the imaged `ray`, started at `start`, meets on its way the tube, lands
// inside the bore, meets the skirt on its way up or down, or passes the primary
// outside the bore on its way to the image. The skirt's shadow on the way in is
// SkirtShadows'.
bool BafflesStopRay(const BaffleParts& parts, const trace::Vec3& start, const trace::TracedRay& ray);

struct FieldRayCheck {
  int rays = 0;     // rays of the field that pass the skirt's shadow and reach the image
  int blocked = 0;  // of them, those that meet a baffle or the edge of the bore
};

// Traces, for every field fraction of kBaffleFieldFractions, rays through a square grid
// on the primary, through its rim and past the skirt's silhouette, through the bare
// telescope. A ray counts when the skirt does not shadow it and it reaches the image;
// it is blocked when on its way it meets the tube, lands inside the bore, meets the
// skirt on its way up or down, or passes the primary outside the bore on its way to
// the image.
FieldRayCheck CheckFieldRays(const trace::Telescope& bare, double halfField, const BaffleParts& parts);

struct SkyLineCheck {
  int lines = 0;     // straight lines tried
  int reaching = 0;  // of them, those that reach the sky
};

// Straight lines from points of the image circle (radius imageRadius on the plane
// imageZ: its centre and rings at half and full radius) through points just inside
// the edge of the tube's mouth, followed up past the skirt. A line reaches the sky
// when it meets neither the tube's wall nor the primary outside its bore nor the skirt
// or the secondary's cell. Lines through the inside of the mouth lie between these.
SkyLineCheck CheckSkyLines(const BaffleParts& parts, double imageRadius, double imageZ);

}  // namespace spekulor::baffles

#endif
