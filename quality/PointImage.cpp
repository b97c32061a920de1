#include "quality/PointImage.h"

#include <algorithm>
#include <cmath>

#include "support/Units.h"

using namespace spekulor::support;

namespace spekulor::quality {

void ComputePointImage(const PupilFunction& pupil, double spacing, FourierPlans& plans,
                       PointImage& image) {
  image.size = 0;
  image.spacing = spacing;
  image.strehl = 0.0;
  image.centroidX = 0.0;
  image.centroidY = 0.0;
  image.total = 0.0;
  image.energy = 0.0;
  const int m = plans.Size();
  const int n = pupil.size;
  if (n < 1 || m < 2 * n || plans.FilledColumns() < n) return;

  std::complex<double>* columns = plans.Columns();
  std::fill(columns, columns + static_cast<size_t>(plans.FilledColumns()) * m,
            std::complex<double>(0.0, 0.0));
  double amplitudeSum = 0.0;
  double powerSum = 0.0;
  for (int j = 0; j < n; ++j) {
    for (int i = 0; i < n; ++i) {
      const size_t k = static_cast<size_t>(j) * n + i;
      const double a = pupil.amplitude[k];
      if (!(a > 0.0)) continue;
      amplitudeSum += a;
      powerSum += a * a;
      columns[static_cast<size_t>(i) * m + j] = std::polar(a, 2.0 * kPi * pupil.waves[k]);
    }
  }
  if (!(amplitudeSum > 0.0)) return;
  plans.Transform();
  const std::complex<double>* spectrum = plans.Spectrum();
  image.size = m;

  // The same pupil without error has its peak, (sum of amplitudes)^2, at the origin.
  // The transform's sample k lies at k spacing, taken modulo m into -m/2 .. m/2 - 1.
  const double norm = 1.0 / (amplitudeSum * amplitudeSum);
  image.intensity.resize(static_cast<size_t>(m) * m);
  const int half = m / 2;
  double sum = 0.0;
  double sumX = 0.0;
  double sumY = 0.0;
  for (int l = 0; l < m; ++l) {
    const int row = (l + half) % m;
    const double y = row - half;
    for (int k = 0; k < m; ++k) {
      const int column = (k + half) % m;
      const double value = std::norm(spectrum[static_cast<size_t>(l) * m + k]) * norm;
      image.intensity[static_cast<size_t>(row) * m + column] = value;
      image.strehl = std::max(image.strehl, value);
      sum += value;
      sumX += value * (column - half);
      sumY += value * y;
    }
  }
  image.total = sum;
  image.energy = sum * amplitudeSum / powerSum;
  image.centroidX = sumX / sum * spacing;
  image.centroidY = sumY / sum * spacing;
}

double MarechalStrehl(double rmsWaves) {
  const double phase = 2.0 * kPi * rmsWaves;
  return std::exp(-phase * phase);
}

}  // namespace spekulor::quality
