#include "baffles/BafflePlan.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "baffles/BaffleTrace.h"
#include "baffles/FirstOrderBaffles.h"
#include "trace/RayTrace.h"

using namespace spekulor::calc;
using namespace spekulor::trace;

namespace spekulor::baffles {

namespace {

BaffleProblem Refusal(BaffleProblemCode code) {
  BaffleProblem problem;
  problem.code = code;
  return problem;
}

}  // namespace

double PrimaryThickness(const DesignResult& design, const BaffleOptions& options) {
  return options.primaryThickness != kNotGiven ? options.primaryThickness
                                               : kDefaultThicknessRatio * design.PriDia;
}

BaffleOptionRange ThicknessRange(const DesignResult& design) { return {0.0, design.PriDia}; }

BaffleOptionRange FocusClearanceRange(const DesignResult& design, double thickness) {
  return {-thickness, design.SysFoc};
}

BaffleProblem FocusTravelProblem(const DesignResult& design, const BaffleOptions& options) {
  const TraceProblem untraceable = TelescopeProblem(design);
  if (!untraceable.ok()) {
    BaffleProblem problem = Refusal(BaffleProblemCode::Untraceable);
    problem.trace = untraceable;
    return problem;
  }
  const double thickness = PrimaryThickness(design, options);
  if (!ThicknessRange(design).Holds(thickness)) {
    return Refusal(BaffleProblemCode::ThicknessOutOfRange);
  }
  if (!FocusClearanceRange(design, thickness).Holds(options.focusClearance)) {
    return Refusal(BaffleProblemCode::ClearanceOutOfRange);
  }
  return BaffleProblem();
}

namespace {

// The one refusal of a design whose focus travel is known: a focus that is not behind
// the primary.
BaffleProblem FocusPlaceProblem(const DesignResult& design) {
  if (!(design.BackFocLen > 0.0)) return Refusal(BaffleProblemCode::FocusNotBehind);
  return BaffleProblem();
}

}  // namespace

BaffleProblem BaffleInputsProblem(const DesignResult& design, const BaffleOptions& options) {
  const BaffleProblem travel = FocusTravelProblem(design, options);
  return travel.ok() ? FocusPlaceProblem(design) : travel;
}

BafflePlan PlanBaffles(const DesignResult& design, const BaffleOptions& options) {
  BafflePlan plan;
  plan.problem = FocusTravelProblem(design, options);
  if (!plan.ok()) return plan;
  // The focus travel first: where the baffles fail, it tells how far the secondary
  // must move to bring the focus where it is wanted.
  const double thickness = PrimaryThickness(design, options);
  plan.frame = MakeBaffleFrame(design);
  plan.focus = ComputeFocusTravel(design, thickness, options.focusClearance);
  plan.focusKnown = true;
  plan.problem = FocusPlaceProblem(design);
  if (!plan.ok()) return plan;

  plan.firstOrderHole = FirstOrderHoleDiameter(plan.frame);
  if (!SolveBafflePair(FirstOrderNeeds(plan.frame), plan.firstOrder)) {
    plan.problem = Refusal(BaffleProblemCode::NoFirstOrderPair);
    return plan;
  }
  plan.firstOrderLinearObstruction = plan.firstOrder.skirtRadius * 2.0 / plan.frame.diameter;

  const Telescope bare = BareTelescope(design);
  const std::vector<BeamRay> rimRays = TraceRimRays(bare, plan.frame.halfField, kHoleRimAzimuths);
  plan.hole = 2.0 * HoleRadius(bare, rimRays);
  if (!SolveBafflePair(ExactNeeds(bare, plan.frame, rimRays, plan.hole / 2.0), plan.baffles)) {
    plan.problem = Refusal(BaffleProblemCode::NoExactPair);
    return plan;
  }
  plan.parts = MakeBaffleParts(plan.baffles, bare, plan.hole / 2.0, std::max(-thickness, -design.BackFocLen));

  const double obstruction = std::max(2.0 * plan.baffles.skirtRadius, design.SecDia);
  plan.linearObstruction = obstruction / design.PriDia;
  plan.areaObstruction = plan.linearObstruction * plan.linearObstruction;
  if (plan.linearObstruction > kMostBaffleObstruction) {
    plan.problem = Refusal(BaffleProblemCode::TooMuchObstruction);
    plan.problem.linearObstruction = plan.linearObstruction;
    return plan;
  }

  plan.fieldRays = CheckFieldRays(bare, plan.frame.halfField, plan.parts);
  plan.skyLines = CheckSkyLines(plan.parts, plan.frame.imageRadius, -design.BackFocLen);
  if (plan.fieldRays.blocked > 0 || plan.skyLines.reaching > 0) {
    plan.problem = Refusal(BaffleProblemCode::CheckFailed);
    plan.problem.raysBlocked = plan.fieldRays.blocked;
    plan.problem.skyLinesReaching = plan.skyLines.reaching;
  }
  return plan;
}

BaffleObstruction PlanObstruction(const DesignResult& design, const BaffleOptions& options) {
  const BafflePlan plan = PlanBaffles(design, options);
  BaffleObstruction obstruction;
  obstruction.problem = plan.problem;
  if (plan.ok()) obstruction.diameter = plan.linearObstruction * design.PriDia;
  return obstruction;
}

}  // namespace spekulor::baffles
