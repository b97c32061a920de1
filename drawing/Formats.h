// The numbers pictures and tables write beside their lengths: micrometres of blur and
// image, percentages, and the round lengths of scale bars. Lengths in the design's unit are written by
// trace/LengthText.h, where the unit is known.
#ifndef SPEKULOR_DRAWING_FORMATS_H
#define SPEKULOR_DRAWING_FORMATS_H

#include <string>

namespace spekulor::drawing {

// "2.41 µm", "12.4 µm": two decimals below 10 µm, one above, which keeps three
// significant digits where the pictures' lengths lie (Windows-1252).
std::string FormatMicrometres(double micrometres);

// A fraction as a percentage with `decimals` decimals: "40.3 %".
std::string FormatPercent(double fraction, int decimals);

// A round length of a scale bar (1, 2 or 5 times a power of ten, RoundScaleLength)
// with just the decimals it needs: "0.05", "2", "500".
std::string FormatScaleLength(double roundLength);
int ScaleLengthDecimals(double roundLength);

}  // namespace spekulor::drawing

#endif
