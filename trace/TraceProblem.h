// Why the exact trace cannot follow a design, typed: what the trace found and the
// figures that go with it. DescribeTraceProblem is the one place that words it.
#ifndef SPEKULOR_TRACE_TRACEPROBLEM_H
#define SPEKULOR_TRACE_TRACEPROBLEM_H

#include <string>

namespace spekulor::trace {

enum class TraceProblemCode {
  None,
  NotFinite,              // a length of the completed design is not finite
  NoPrimaryDiameter,
  PrimaryNotConcave,
  SecondaryNotConvex,
  SecondaryNotInFront,    // the secondary does not stand in front of the primary
  SecondaryNotSmaller,    // than the primary (or without a diameter)
  SecondaryShortOfRim,    // the conic's surface ends before the secondary's rim
  DisplacementNotFinite,  // a misalignment of the secondary is not finite
  TiltTooLarge,           // more than 45 degrees either way
  DespacedNotInFront,     // the despaced secondary does not stand in front of the primary
  LightLost,              // fewer than half of the rays that pass the secondary are imaged
};

struct TraceProblem {
  TraceProblemCode code = TraceProblemCode::None;
  // LightLost: how many rays reached the image of how many passed the secondary, and
  // where (fraction of the half field).
  int raysImaged = 0;
  int raysPassing = 0;
  double fieldFraction = 0.0;
  bool ok() const { return code == TraceProblemCode::None; }
};

// The light lost at a field point.
TraceProblem LightLostProblem(int raysImaged, int raysPassing, double fieldFraction);

// The reason in plain words, as it follows "Cannot trace this design: ": "the primary
// mirror is not concave", "only 12 of the 800 rays that pass the secondary reach the
// image at the edge of the field"; empty for no problem.
std::string DescribeTraceProblem(const TraceProblem& problem);

// The refusal of a design the trace cannot follow: "Cannot trace this design: " and the
// reason.
std::string TraceRefusalText(const TraceProblem& problem);

}  // namespace spekulor::trace

#endif
