#include "quality/PointImageWindow.h"

namespace spekulor::quality {

PointImageWindow CutPointImageWindow(const PointImage& image, int half) {
  PointImageWindow window;
  if (image.size == 0) return window;
  window.size = 2 * half + 1;
  window.spacing = image.spacing;
  window.intensity.reserve(static_cast<size_t>(window.size) * window.size);
  const int centre = image.size / 2;
  for (int row = centre - half; row <= centre + half; ++row) {
    for (int column = centre - half; column <= centre + half; ++column) {
      window.intensity.push_back(image.intensity[static_cast<size_t>(row) * image.size + column]);
    }
  }
  return window;
}

}  // namespace spekulor::quality
