#include "trace/LengthText.h"

#include "drawing/Drawing.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;

namespace spekulor::trace {

std::string LengthText(double value, LengthUnit unit) {
  return FormatFixed(value, unit == LengthUnit::Inch ? 3 : 2) + UnitSuffix(unit);
}

}  // namespace spekulor::trace
