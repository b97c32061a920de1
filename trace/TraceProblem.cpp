#include "trace/TraceProblem.h"

#include "drawing/Drawing.h"
#include "trace/AnalysisWording.h"
#include "trace/SecondaryPerturbation.h"

using namespace spekulor::drawing;

namespace spekulor::trace {

TraceProblem LightLostProblem(int raysImaged, int raysPassing, double fieldFraction) {
  TraceProblem problem;
  problem.code = TraceProblemCode::LightLost;
  problem.raysImaged = raysImaged;
  problem.raysPassing = raysPassing;
  problem.fieldFraction = fieldFraction;
  return problem;
}

namespace {

struct Reason {
  TraceProblemCode code;
  const char* text;
};

// The reasons that need no figures.
const Reason kReasons[] = {
    {TraceProblemCode::NotFinite, "the completed design has values that are not finite"},
    {TraceProblemCode::NoPrimaryDiameter, "the primary mirror has no diameter"},
    {TraceProblemCode::PrimaryNotConcave, "the primary mirror is not concave"},
    {TraceProblemCode::SecondaryNotConvex, "the secondary mirror is not convex"},
    {TraceProblemCode::SecondaryNotInFront, "the secondary does not stand in front of the primary"},
    {TraceProblemCode::SecondaryNotSmaller, "the secondary is not smaller than the primary"},
    {TraceProblemCode::SecondaryShortOfRim, "the secondary's surface does not reach its rim"},
    {TraceProblemCode::DisplacementNotFinite, "the secondary's displacement is not a finite number"},
    {TraceProblemCode::DespacedNotInFront,
     "the despaced secondary does not stand in front of the primary"},
};

}  // namespace

std::string DescribeTraceProblem(const TraceProblem& problem) {
  if (problem.code == TraceProblemCode::LightLost) {
    return "only " + std::to_string(problem.raysImaged) + " of the " +
           std::to_string(problem.raysPassing) + " rays that pass the secondary reach the image " +
           FieldPlace(problem.fieldFraction);
  }
  if (problem.code == TraceProblemCode::TiltTooLarge) {
    return "the secondary's tilt is more than " + FormatShortest(kMostTraceableTiltDeg) +
           " degrees";
  }
  for (const Reason& reason : kReasons) {
    if (reason.code == problem.code) return reason.text;
  }
  return std::string();
}

std::string TraceRefusalText(const TraceProblem& problem) {
  return "Cannot trace this design: " + DescribeTraceProblem(problem);
}

}  // namespace spekulor::trace
