// The frame of a telescope drawn in section: optical coordinates, z along the axis
// toward the sky and y across it, mapped to the picture with the sky on the left and
// the focus on the right, to one scale.
#ifndef SPEKULOR_DRAWING_SECTIONFRAME_H
#define SPEKULOR_DRAWING_SECTIONFRAME_H

#include "drawing/Drawing.h"

struct SectionFrame {
  double zLeft = 0.0;  // the z drawn at `left`
  double scale = 1.0;  // pixels per design unit
  double left = 0.0;   // pixels
  double axisY = 0.0;  // the axis's pixel row
  DrawPoint operator()(double z, double y) const {
    return {left + (zLeft - z) * scale, axisY - y * scale};
  }
};

#endif
