#include "trace/AnalysisWording.h"

#include "drawing/Drawing.h"

using namespace spekulor::drawing;

namespace spekulor::trace {

std::string FieldPlace(double fieldFraction) {
  // The fractions are the exact constants of the field points (kSpotFieldFractions);
  // what rounds to them reads as them too.
  const std::string fraction = FormatFixed(fieldFraction, 1);
  if (fraction == "0.0" || fraction == "-0.0") return "on the axis";
  if (fraction == "1.0") return "at the edge of the field";
  return "at " + fraction + " of the field";
}

}  // namespace spekulor::trace
