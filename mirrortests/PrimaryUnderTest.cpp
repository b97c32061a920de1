#include "mirrortests/PrimaryUnderTest.h"

#include <cmath>
#include <limits>

#include "support/Units.h"

using namespace spekulor::support;
using namespace spekulor::calc;

namespace spekulor::mirrortests {

PrimaryUnderTest MakePrimaryUnderTest(const DesignResult& design, LengthUnit unit) {
  PrimaryUnderTest primary;
  primary.radius = design.PriRadCur;
  primary.conic = design.PriConic;
  primary.diameter = design.PriDia;
  primary.shadowRadius = design.SecDia / 2.0;
  primary.unit = unit;
  return primary;
}

double ConicSag(double radius, double conic, double h) {
  const double root = radius * radius - (1.0 + conic) * h * h;
  if (root < 0.0) return std::numeric_limits<double>::quiet_NaN();
  return h * h / (radius + std::sqrt(root));
}

double NanometresPerUnit(LengthUnit unit) {
  return unit == LengthUnit::Inch ? kMillimetresPerInch * 1e6 : 1e6;
}

}  // namespace spekulor::mirrortests
