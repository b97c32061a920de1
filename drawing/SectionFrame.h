// The frame of a telescope drawn in section: optical coordinates, z along the axis
// toward the sky and y across it, mapped to the picture with the sky on the left and
// the focus on the right, to one scale.
#ifndef SPEKULOR_DRAWING_SECTIONFRAME_H
#define SPEKULOR_DRAWING_SECTIONFRAME_H

#include <algorithm>

#include "drawing/Drawing.h"

namespace spekulor::drawing {

struct SectionFrame {
  double zLeft = 0.0;  // the z drawn at `left`
  double scale = 1.0;  // pixels per design unit
  double left = 0.0;   // pixels
  double axisY = 0.0;  // the axis's pixel row
  DrawPoint operator()(double z, double y) const {
    return {left + (zLeft - z) * scale, axisY - y * scale};
  }
};

// The frame that shows z from zLeft down to zRight across at most `mostWidth` pixels
// and a mirror of `diameter` across at most `mostHeight`, its upper rim on the row
// `rimTop`, from the column `left`.
inline SectionFrame FitSection(double zLeft, double zRight, double diameter, double left,
                               double rimTop, double mostWidth, double mostHeight) {
  SectionFrame frame;
  frame.zLeft = zLeft;
  frame.left = left;
  frame.scale = std::min(mostWidth / (zLeft - zRight), mostHeight / diameter);
  frame.axisY = rimTop + diameter / 2.0 * frame.scale;
  return frame;
}

}  // namespace spekulor::drawing

#endif
