// Counts of samples, cells, bins or grid steps that are worked out in floating point (a
// length over a spacing) and wanted as int. Converting a double to an int is undefined
// when the value is NaN or lies outside the int's range (C++17 [conv.fpint] p1); a
// runaway design (a focal ratio of a billion, a spot wider than the telescope) makes such
// values, so every such conversion of a size goes through one of these.
#ifndef SPEKULOR_SUPPORT_SAMPLECOUNT_H
#define SPEKULOR_SUPPORT_SAMPLECOUNT_H

#include <cmath>

namespace spekulor::support {

// `value` rounded up and held within [least, most] (least <= most); NaN gives `most`,
// for a size that nothing bounds is as large as allowed.
inline int ClampedCeil(double value, int least, int most) {
  const double up = std::ceil(value);
  if (!(up < most)) return most;
  if (!(up > least)) return least;
  return static_cast<int>(up);
}

// Whether `value` rounded up is at most `most`; if so, `count` is that, or `least` when
// it is below. NaN is no count.
inline bool CeilWithin(double value, int least, int most, int& count) {
  const double up = std::ceil(value);
  if (!(up <= most)) return false;
  count = up > least ? static_cast<int>(up) : least;
  return true;
}

}  // namespace spekulor::support

#endif
