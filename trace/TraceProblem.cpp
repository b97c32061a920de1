#include "trace/TraceProblem.h"

#include "trace/AnalysisWording.h"

TraceProblem LightLostProblem(int raysImaged, int raysPassing, double fieldFraction) {
  TraceProblem problem;
  problem.code = TraceProblemCode::LightLost;
  problem.raysImaged = raysImaged;
  problem.raysPassing = raysPassing;
  problem.fieldFraction = fieldFraction;
  return problem;
}

std::string DescribeTraceProblem(const TraceProblem& problem) {
  switch (problem.code) {
    case TraceProblemCode::None:
      return std::string();
    case TraceProblemCode::NotFinite:
      return "the completed design has values that are not finite";
    case TraceProblemCode::NoPrimaryDiameter:
      return "the primary mirror has no diameter";
    case TraceProblemCode::PrimaryNotConcave:
      return "the primary mirror is not concave";
    case TraceProblemCode::SecondaryNotConvex:
      return "the secondary mirror is not convex";
    case TraceProblemCode::SecondaryNotInFront:
      return "the secondary does not stand in front of the primary";
    case TraceProblemCode::SecondaryNotSmaller:
      return "the secondary is not smaller than the primary";
    case TraceProblemCode::SecondaryShortOfRim:
      return "the secondary's surface does not reach its rim";
    case TraceProblemCode::DisplacementNotFinite:
      return "the secondary's displacement is not a finite number";
    case TraceProblemCode::TiltTooLarge:
      return "the secondary's tilt is more than 45 degrees";
    case TraceProblemCode::DespacedNotInFront:
      return "the despaced secondary does not stand in front of the primary";
    case TraceProblemCode::LightLost:
      return "only " + std::to_string(problem.raysImaged) + " of the " +
             std::to_string(problem.raysPassing) + " rays that pass the secondary reach the image " +
             FieldPlace(problem.fieldFraction);
  }
  return std::string();
}

std::string TraceRefusalText(const TraceProblem& problem) {
  return "Cannot trace this design: " + DescribeTraceProblem(problem);
}
