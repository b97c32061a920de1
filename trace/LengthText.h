// The one way pictures and tables write a length in the design's unit: two decimals
// in millimetres, three in inches (both about ten micrometres), and the unit.
#ifndef SPEKULOR_TRACE_LENGTHTEXT_H
#define SPEKULOR_TRACE_LENGTHTEXT_H

#include <string>

#include "calc/DesignInput.h"

namespace spekulor::trace {

std::string LengthText(double value, calc::LengthUnit unit);

}  // namespace spekulor::trace

#endif
