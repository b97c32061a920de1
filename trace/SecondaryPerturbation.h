// A secondary mirror out of its design's place, as collimation leaves it: moved along
// the axis, moved sideways, and tilted about a point on its axis. The design stays the
// one the report shows; the perturbation is an input of the trace only.
//
// The signs of despace, decenter, tilt and pivot: calc/SignConventions.h. The tilt turns
// the mirror about the line parallel to x through the pivot (0: the vertex; R2: a
// sphere's centre of curvature); the mirror is turned about the pivot first and then
// moved with it. Lengths in the design's unit.
#ifndef SPEKULOR_TRACE_SECONDARYPERTURBATION_H
#define SPEKULOR_TRACE_SECONDARYPERTURBATION_H

#include <string>

#include "calc/DesignInput.h"
#include "trace/RayTrace.h"

namespace spekulor::trace {

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

// The largest tilt the trace takes, either way: beyond it the light of the axis leaves
// the secondary more sideways than back toward the primary.
constexpr double kMostTraceableTiltDeg = 45.0;

// Why the perturbation cannot be traced on the telescope, or no problem when it can: every
// value finite, the tilt within +-kMostTraceableTiltDeg, and the secondary left in front
// of the primary.
TraceProblem PerturbationProblem(const Telescope& aligned,
                                 const SecondaryPerturbation& perturbation);

// "secondary despaced 0.1 mm, decentered 0.05 mm, tilted 0.02 degrees (a degree sign)
// about its vertex" for the parts that are not zero (the values as given, in their
// shortest exact form), or "secondary aligned"; Windows-1252.
std::string DescribeSecondaryPerturbation(const SecondaryPerturbation& perturbation,
                                          calc::LengthUnit unit);

// How the secondary stands, for a title or a table's first line: empty when aligned,
// otherwise DescribeSecondaryPerturbation.
std::string SecondaryCondition(const SecondaryPerturbation& perturbation, calc::LengthUnit unit);

}  // namespace spekulor::trace

#endif
