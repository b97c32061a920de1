// The central hole and the baffles' needs from the exact ray trace (trace/RayTrace.h).
//
// The beams' outer edges are found from rays through the primary's rim, the light's
// inner edge from rays that graze the skirt's silhouette, for stars at several field
// angles up to theta in one direction (the baffles are round, so one direction stands
// for all). Rays are traced through the bare telescope (BareTelescope) and their
// straight pieces measured against the baffles.
#ifndef SPEKULOR_BAFFLES_BAFFLETRACE_H
#define SPEKULOR_BAFFLES_BAFFLETRACE_H

#include <array>
#include <vector>

#include "baffles/BaffleFrame.h"
#include "baffles/BaffleParts.h"
#include "baffles/BaffleSolver.h"
#include "trace/RayTrace.h"

namespace spekulor::baffles {

// Field angles as fractions of theta at which the beams are traced.
constexpr std::array<double, 5> kBaffleFieldFractions = {0.0, 0.25, 0.5, 0.75, 1.0};

// Both the skirt and the tube are made wider, and the inner light is asked to keep
// farther off, by this fraction of D, so that rounding never decides a ray's fate.
constexpr double kRoundingMargin = 1e-7;

// One imaged ray's corners: its start in front of everything, on the primary, on the
// secondary and on the focal plane.
struct BeamRay {
  trace::Vec3 start;
  trace::Vec3 onPrimary;
  trace::Vec3 onSecondary;
  trace::Vec3 onImage;
};

// The imaged rays through `azimuths` points of the primary's rim for every field
// fraction (azimuths of at least 4, a multiple of 4 keeping both meridional edges).
std::vector<BeamRay> TraceRimRays(const trace::Telescope& bare, double halfField, int azimuths);

// The star's ray that passes the point (x, y, z), started on the plane startZ.
trace::Vec3 RayOriginAt(const trace::Vec3& point, const trace::Vec3& direction, double startZ);

// The widest the beams are at height z: the light from the primary to the secondary
// and from the secondary to the image (primaryBeam true), or only the latter (false).
double BeamRadiusAt(const std::vector<BeamRay>& rays, double z, bool primaryBeam);

// Radius of the least hole through which every given ray passes the primary's surface
// on its way from the secondary to the image.
double HoleRadius(const trace::Telescope& bare, const std::vector<BeamRay>& rays);

// The nearest the light that passes the skirt of `parts` comes to the axis below
// height z, on its way in and back up from the primary: from the rays grazing the
// skirt's open end and closed top at `azimuths` points on a half turn (the other half
// is its mirror image), for every field fraction.
double InnerLightClearance(const trace::Telescope& bare, double halfField, const BaffleParts& parts,
                           double z, int azimuths);

// The exact needs for SolveBafflePair, with kRoundingMargin added. They refer to
// `bare` and `rimRays`, which must outlive them.
BaffleNeeds ExactNeeds(const trace::Telescope& bare, const BaffleFrame& frame,
                       const std::vector<BeamRay>& rimRays, double holeRadius);

}  // namespace spekulor::baffles

#endif
