#include "FocusTravel.h"

#include <cmath>

double BackFocusAtSpacing(const DesignResult& design, double spacing) {
  const double R2 = design.SecRadCur;
  const double p = design.PriFoc - spacing;
  const double q = R2 * p / (R2 - 2.0 * p);
  return q - spacing;
}

double SpacingForBackFocus(const DesignResult& design, double backFocus) {
  const double R2 = design.SecRadCur;
  const double e = design.PriFoc + backFocus;
  const double p = ((e + R2) - std::sqrt(R2 * R2 + e * e)) / 2.0;
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
