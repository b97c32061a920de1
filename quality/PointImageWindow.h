// The central part of a point image, for pictures: the samples within `half` of the
// reference point along both axes, relative to the perfect peak as the point image is.
#ifndef SPEKULOR_QUALITY_POINTIMAGEWINDOW_H
#define SPEKULOR_QUALITY_POINTIMAGEWINDOW_H

#include <vector>

#include "quality/PointImage.h"

namespace spekulor::quality {

struct PointImageWindow {
  int size = 0;          // samples across (odd)
  double spacing = 0.0;  // design unit
  std::vector<double> intensity;  // size * size, row (along y) after row
};

// The (2 half + 1)^2 samples about the image's sample (size / 2, size / 2), `half` at
// most size / 2 - 1 (less than that is asked of the caller); empty for an empty image.
PointImageWindow CutPointImageWindow(const PointImage& image, int half);

}  // namespace spekulor::quality

#endif
