#include "quality/PupilFunction.h"

#include <algorithm>
#include <cmath>

namespace spekulor::quality {

PupilFunction TracedPupilFunction(const TracedPupil& pupil, const Wavefront& front) {
  PupilFunction function;
  function.size = pupil.size;
  const size_t cells = static_cast<size_t>(pupil.size) * pupil.size;
  function.amplitude.assign(cells, 0.0);
  function.waves.assign(cells, 0.0);
  for (size_t k = 0; k < pupil.rays.size() && k < front.waves.size(); ++k) {
    function.amplitude[pupil.rays[k].cell] = pupil.rays[k].weight;
    function.waves[pupil.rays[k].cell] = front.waves[k];
  }
  return function;
}

PupilFunction PerfectPupilFunction(int size, double obstruction) {
  constexpr int kSub = 16;
  PupilFunction function;
  function.size = size;
  const size_t cells = static_cast<size_t>(size) * size;
  function.amplitude.assign(cells, 0.0);
  function.waves.assign(cells, 0.0);
  const double outer = 0.5 * size;  // in cells
  const double inner = obstruction > 0.0 ? obstruction * outer : 0.0;
  for (int j = 0; j < size; ++j) {
    for (int i = 0; i < size; ++i) {
      const double cx = i + 0.5 - outer;
      const double cy = j + 0.5 - outer;
      const double nearest = std::hypot(std::max(0.0, std::fabs(cx) - 0.5),
                                        std::max(0.0, std::fabs(cy) - 0.5));
      const double farthest = std::hypot(std::fabs(cx) + 0.5, std::fabs(cy) + 0.5);
      double& amplitude = function.amplitude[static_cast<size_t>(j) * size + i];
      if (nearest >= outer || farthest <= inner) continue;
      if (farthest <= outer && nearest >= inner) {
        amplitude = 1.0;
        continue;
      }
      int inside = 0;
      for (int sj = 0; sj < kSub; ++sj) {
        for (int si = 0; si < kSub; ++si) {
          const double r = std::hypot(cx + (si + 0.5) / kSub - 0.5, cy + (sj + 0.5) / kSub - 0.5);
          if (r <= outer && r >= inner) ++inside;
        }
      }
      amplitude = static_cast<double>(inside) / (kSub * kSub);
    }
  }
  return function;
}

double LargestWaveStep(const PupilFunction& pupil) {
  const int n = pupil.size;
  double largest = 0.0;
  for (int j = 0; j < n; ++j) {
    for (int i = 0; i < n; ++i) {
      const size_t k = static_cast<size_t>(j) * n + i;
      if (!(pupil.amplitude[k] > 0.0)) continue;
      if (i + 1 < n && pupil.amplitude[k + 1] > 0.0) {
        largest = std::max(largest, std::fabs(pupil.waves[k + 1] - pupil.waves[k]));
      }
      if (j + 1 < n && pupil.amplitude[k + n] > 0.0) {
        largest = std::max(largest, std::fabs(pupil.waves[k + n] - pupil.waves[k]));
      }
    }
  }
  return largest;
}

}  // namespace spekulor::quality
