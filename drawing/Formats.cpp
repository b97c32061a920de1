#include "drawing/Formats.h"

#include <algorithm>
#include <cmath>

#include "drawing/Drawing.h"

namespace spekulor::drawing {

std::string FormatMicrometres(double micrometres) {
  return FormatFixed(micrometres, std::fabs(micrometres) < 10.0 ? 2 : 1) + " \xB5m";
}

std::string FormatPercent(double fraction, int decimals) {
  return FormatFixed(fraction * 100.0, decimals) + " %";
}

int ScaleLengthDecimals(double roundLength) {
  if (!(roundLength > 0.0) || !std::isfinite(roundLength)) return 0;
  // The first significant digit's place, nudged so that 0.1 stored a hair low is 0.1.
  const double place = std::floor(std::log10(roundLength) + 1e-9);
  return static_cast<int>(std::clamp(-place, 0.0, 12.0));
}

std::string FormatScaleLength(double roundLength) {
  return FormatFixed(roundLength, ScaleLengthDecimals(roundLength));
}

}  // namespace spekulor::drawing
