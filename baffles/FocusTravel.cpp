#include "baffles/FocusTravel.h"

#include <cmath>

using namespace spekulor::calc;

namespace spekulor::baffles {

double BackFocusAtSpacing(const DesignResult& design, double spacing) {
  const double R2 = design.SecRadCur;
  const double p = design.PriFoc - spacing;
  const double q = R2 * p / (R2 - 2.0 * p);
  return q - spacing;
}

double SpacingForBackFocus(const DesignResult& design, double backFocus) {
  const double R2 = design.SecRadCur;
  const double e = design.PriFoc + backFocus;
  // The smaller root without the cancellation of e + R2 against the root when e is
  // large (Press et al., "Numerical Recipes", sec. 5.6): p = R2 e / (e + R2 + root).
  const double root = std::hypot(R2, e);
  const double p = e + R2 > 0.0 ? R2 * e / (e + R2 + root) : ((e + R2) - root) / 2.0;
  return design.PriFoc - p;
}

FocusTravel ComputeFocusTravel(const DesignResult& design, double thickness, double clearance) {
  FocusTravel travel;
  const double R2 = design.SecRadCur;
  const double p = design.PriFoc - design.PriSecDist;
  const double rate = R2 / (R2 - 2.0 * p);
  travel.backFocusPerSpacing = rate * rate + 1.0;
  travel.primaryBackZ = -thickness;
  travel.clearance = clearance;
  travel.largestSpacing = SpacingForBackFocus(design, thickness + clearance);
  travel.focusAtInfinity = design.PriFoc - R2 / 2.0;
  travel.spacingSlack = travel.largestSpacing - design.PriSecDist;
  return travel;
}

}  // namespace spekulor::baffles
