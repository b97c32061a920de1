#include "trace/LengthText.h"

#include "drawing/Drawing.h"

std::string LengthText(double value, LengthUnit unit) {
  return FormatFixed(value, unit == LengthUnit::Inch ? 3 : 2) + UnitSuffix(unit);
}
