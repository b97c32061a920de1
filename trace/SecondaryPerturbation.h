// A secondary mirror out of its design's place, as collimation leaves it: moved along
// the axis, moved sideways, and tilted about a point on its axis. The design stays the
// one the report shows; the perturbation is an input of the trace only.
//
// In the trace's frame (RayTrace.h: primary vertex at the origin, sky toward +z):
//  - despace moves the secondary by -despace along z: positive brings the mirrors
//    closer together;
//  - decenter moves it by +decenter along y, the direction toward which the field's
//    images lie;
//  - the tilt turns it by tiltDeg about the line parallel to x through the point
//    `pivot` from its vertex toward the sky (0: the vertex; R2: a sphere's centre of
//    curvature); positive turns its face toward +y, so the axis' image moves toward +y.
// The mirror is turned about the pivot first and then moved with it. Lengths in the
// design's unit.
#ifndef SPEKULOR_TRACE_SECONDARYPERTURBATION_H
#define SPEKULOR_TRACE_SECONDARYPERTURBATION_H

#include <string>

#include "calc/DesignInput.h"
#include "trace/RayTrace.h"

struct SecondaryPerturbation {
  double despace = 0.0;
  double decenter = 0.0;
  double tiltDeg = 0.0;
  double pivot = 0.0;
};

// True when the secondary stands where the design puts it (the pivot alone moves
// nothing).
bool IsAligned(const SecondaryPerturbation& perturbation);

// The telescope with its secondary (mirror, rim and shadow) placed as `perturbation`
// says, relative to the design's place in `aligned`. An aligned perturbation returns
// `aligned` unchanged, so its trace is the design's to the last bit.
Telescope PerturbSecondary(const Telescope& aligned, const SecondaryPerturbation& perturbation);

// Why the perturbation cannot be traced on the telescope, or no problem when it can: every
// value finite, the tilt within +-45 degrees, and the secondary left in front of the
// primary.
TraceProblem PerturbationProblem(const Telescope& aligned,
                                 const SecondaryPerturbation& perturbation);

// "secondary despaced 0.1 mm, decentered 0.05 mm, tilted 0.02 degrees (a degree sign)
// about its vertex" for the parts that are not zero (the values as given, in their
// shortest exact form), or "secondary aligned"; Windows-1252.
std::string DescribeSecondaryPerturbation(const SecondaryPerturbation& perturbation,
                                          LengthUnit unit);

// How the secondary stands, for a title or a table's first line: empty when aligned,
// otherwise DescribeSecondaryPerturbation.
std::string SecondaryCondition(const SecondaryPerturbation& perturbation, LengthUnit unit);

#endif
