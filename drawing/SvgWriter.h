// The SVG back end of a Drawing: a complete, self-contained SVG 1.1 document in
// UTF-8 with LF line ends, numbers to two decimals (four in a picture printed to scale,
// whose width and height carry their unit).
#ifndef SPEKULOR_DRAWING_SVGWRITER_H
#define SPEKULOR_DRAWING_SVGWRITER_H

#include <string>

#include "drawing/Drawing.h"

namespace spekulor::drawing {

std::string WriteSvg(const Drawing& drawing);

// Text made safe for XML character data and attribute values ("&", "<", ">", '"'),
// converted from Windows-1252 to UTF-8; control characters other than tab become "?".
std::string SvgText(const std::string& windowsText);

}  // namespace spekulor::drawing

#endif
