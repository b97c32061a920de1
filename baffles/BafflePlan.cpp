#include "baffles/BafflePlan.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "baffles/BaffleTrace.h"
#include "drawing/Drawing.h"
#include "baffles/FirstOrderBaffles.h"
#include "trace/RayTrace.h"

namespace {

constexpr int kRimAzimuths = 32;

// What helps a design that needs too large a skirt: the skirt grows with the field
// and with the primary's focal ratio.
constexpr char kBaffleAdvice[] = "Narrow the field or choose a faster primary.";

std::string Percent(double fraction) { return FormatFixed(fraction * 100.0, 0) + " %"; }

}  // namespace

double PrimaryThickness(const DesignResult& design, const BaffleOptions& options) {
  return options.primaryThickness != kNotGiven ? options.primaryThickness
                                               : kDefaultThicknessRatio * design.PriDia;
}

BaffleOptionRange ThicknessRange(const DesignResult& design) { return {0.0, design.PriDia}; }

BaffleOptionRange FocusClearanceRange(const DesignResult& design, double thickness) {
  return {-thickness, design.SysFoc};
}

std::string FocusTravelProblem(const DesignResult& design, const BaffleOptions& options) {
  const std::string untraceable = TelescopeProblem(design);
  if (!untraceable.empty()) return "it cannot be traced: " + untraceable;
  const double thickness = PrimaryThickness(design, options);
  if (!ThicknessRange(design).Holds(thickness))
    return "the primary's thickness must be from zero to its diameter";
  if (!FocusClearanceRange(design, thickness).Holds(options.focusClearance))
    return "the focus clearance must be from minus the primary's thickness to the system "
           "focal length";
  return std::string();
}

namespace {

// The one refusal of a design whose focus travel is known: a focus that is not behind
// the primary.
std::string FocusPlaceProblem(const DesignResult& design) {
  if (!(design.BackFocLen > 0.0))
    return "the focus does not lie behind the primary, so there is no hole to bore and no tube "
           "to fit";
  return std::string();
}

}  // namespace

std::string BaffleProblem(const DesignResult& design, const BaffleOptions& options) {
  const std::string travel = FocusTravelProblem(design, options);
  return travel.empty() ? FocusPlaceProblem(design) : travel;
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
    plan.problem = std::string("even to first order no pair of baffles keeps direct skylight off "
                               "the image circle without cutting into the field's light. ") +
                   kBaffleAdvice;
    return plan;
  }
  plan.firstOrderLinearObstruction = plan.firstOrder.skirtRadius * 2.0 / plan.frame.diameter;

  const Telescope bare = BareTelescope(design);
  const std::vector<BeamRay> rimRays = TraceRimRays(bare, plan.frame.halfField, kRimAzimuths);
  plan.hole = 2.0 * HoleRadius(bare, rimRays);
  if (!SolveBafflePair(ExactNeeds(bare, plan.frame, rimRays, plan.hole / 2.0), plan.baffles)) {
    plan.problem = std::string("the exact trace finds no pair of baffles that keeps direct skylight "
                               "off the image circle without cutting into the field's light. ") +
                   kBaffleAdvice;
    return plan;
  }
  plan.parts = MakeBaffleParts(plan.baffles, bare, plan.hole / 2.0, std::max(-thickness, -design.BackFocLen));

  const double obstruction = std::max(2.0 * plan.baffles.skirtRadius, design.SecDia);
  plan.linearObstruction = obstruction / design.PriDia;
  plan.areaObstruction = plan.linearObstruction * plan.linearObstruction;
  if (plan.linearObstruction > kMostBaffleObstruction) {
    plan.problem = "a secondary baffle that keeps direct skylight off the image circle would be " +
                   Percent(plan.linearObstruction) +
                   " of the primary's diameter across, more obstruction than baffling is worth "
                   "(at most " + Percent(kMostBaffleObstruction) + "). " + kBaffleAdvice;
    return plan;
  }

  plan.fieldRays = CheckFieldRays(bare, plan.frame.halfField, plan.parts);
  plan.skyLines = CheckSkyLines(plan.parts, plan.frame.imageRadius, -design.BackFocLen);
  if (plan.fieldRays.blocked > 0 || plan.skyLines.reaching > 0) {
    plan.problem = "the exact check of the baffles failed: " + std::to_string(plan.fieldRays.blocked) +
                   " rays of the field blocked, " + std::to_string(plan.skyLines.reaching) +
                   " lines of skylight reaching the image circle";
  }
  return plan;
}
