#include "EncircledEnergy.h"

#include <algorithm>
#include <cmath>

#include "PointImage.h"

double RadiusForFraction(const EnergyCurve& curve, double fraction) {
  const size_t n = curve.fraction.size();
  if (n == 0) return 0.0;
  if (curve.fraction[0] >= fraction) return curve.radius[0];
  for (size_t k = 1; k < n; ++k) {
    if (curve.fraction[k] >= fraction) {
      const double f0 = curve.fraction[k - 1];
      const double f1 = curve.fraction[k];
      const double t = f1 > f0 ? (fraction - f0) / (f1 - f0) : 1.0;
      return curve.radius[k - 1] + t * (curve.radius[k] - curve.radius[k - 1]);
    }
  }
  return curve.radius.back();
}

EnergyCurve ComputeEncircledEnergy(const PointImage& image, double largestRadius) {
  constexpr int kParts = 4;      // per side of a sample
  constexpr int kBinsPerSample = 4;
  EnergyCurve curve;
  const int m = image.size;
  if (m == 0 || !(image.total > 0.0) || !(largestRadius > 0.0)) return curve;
  // In samples from here on.
  const double cx = m / 2 + image.centroidX / image.spacing;
  const double cy = m / 2 + image.centroidY / image.spacing;
  const double reach = largestRadius / image.spacing;
  const int bins = static_cast<int>(std::ceil(reach * kBinsPerSample)) + 1;
  std::vector<double> ring(static_cast<size_t>(bins) + 1, 0.0);

  const int firstRow = std::max(0, static_cast<int>(std::floor(cy - reach - 1.0)));
  const int lastRow = std::min(m - 1, static_cast<int>(std::ceil(cy + reach + 1.0)));
  const int firstColumn = std::max(0, static_cast<int>(std::floor(cx - reach - 1.0)));
  const int lastColumn = std::min(m - 1, static_cast<int>(std::ceil(cx + reach + 1.0)));
  const double part = 1.0 / (kParts * kParts);
  for (int row = firstRow; row <= lastRow; ++row) {
    for (int column = firstColumn; column <= lastColumn; ++column) {
      const double value = image.intensity[static_cast<size_t>(row) * m + column] * part;
      for (int pj = 0; pj < kParts; ++pj) {
        const double dy = row + (pj + 0.5) / kParts - 0.5 - cy;
        for (int pi = 0; pi < kParts; ++pi) {
          const double dx = column + (pi + 0.5) / kParts - 0.5 - cx;
          const double bin = std::sqrt(dx * dx + dy * dy) * kBinsPerSample;
          if (bin < bins) ring[static_cast<size_t>(bin)] += value;
        }
      }
    }
  }
  curve.radius.reserve(bins + 1);
  curve.fraction.reserve(bins + 1);
  double sum = 0.0;
  for (int k = 0; k <= bins; ++k) {
    curve.radius.push_back(k * image.spacing / kBinsPerSample);
    curve.fraction.push_back(sum / image.total);
    if (k < bins) sum += ring[k];
  }
  return curve;
}

double RoughEnergyRadius(const PointImage& image, double fraction) {
  const int m = image.size;
  if (m == 0 || !(image.total > 0.0)) return 0.0;
  const double cx = m / 2 + image.centroidX / image.spacing;
  const double cy = m / 2 + image.centroidY / image.spacing;
  std::vector<double> ring(static_cast<size_t>(m), 0.0);
  for (int row = 0; row < m; ++row) {
    for (int column = 0; column < m; ++column) {
      const double dx = column - cx;
      const double dy = row - cy;
      const size_t bin = static_cast<size_t>(std::sqrt(dx * dx + dy * dy));
      if (bin < ring.size()) ring[bin] += image.intensity[static_cast<size_t>(row) * m + column];
    }
  }
  double sum = 0.0;
  for (size_t k = 0; k < ring.size(); ++k) {
    sum += ring[k];
    if (sum >= fraction * image.total) return (static_cast<double>(k) + 1.0) * image.spacing;
  }
  return m / 2 * image.spacing;
}
