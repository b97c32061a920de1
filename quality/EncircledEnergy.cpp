#include "quality/EncircledEnergy.h"

#include <algorithm>
#include <cmath>

#include "quality/PointImage.h"
#include "support/SampleCount.h"

using namespace spekulor::support;

namespace spekulor::quality {

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

namespace {

constexpr int kBinsPerSample = 4;

// Parts per side of a sample's square by its distance from the centre, in samples.
struct PartsByDistance {
  double within;
  int parts;
};
constexpr PartsByDistance kParts[] = {{12.0, 8}, {48.0, 4}};
constexpr int kPartsFar = 2;

int PartsAt(double distance) {
  for (const PartsByDistance& band : kParts) {
    if (distance < band.within) return band.parts;
  }
  return kPartsFar;
}

}  // namespace

EnergyCurve ComputeEncircledEnergy(const PointImage& image, double largestRadius) {
  EnergyCurve curve;
  const int m = image.size;
  if (m < 3 || !(image.energy > 0.0) || !(largestRadius > 0.0)) return curve;
  // In samples from here on.
  const double cx = m / 2 + image.centroidX / image.spacing;
  const double cy = m / 2 + image.centroidY / image.spacing;
  // A centroid off the frame holds no light to count; beyond the frame's diagonal there
  // is none either, so the curve needs no more bins than that.
  if (!(std::fabs(cx) < m && std::fabs(cy) < m)) return curve;
  const double reach = largestRadius / image.spacing;
  int bins = 0;
  if (!CeilWithin(reach * kBinsPerSample, 0, 2 * m * kBinsPerSample, bins)) return curve;
  ++bins;
  std::vector<double> ring(static_cast<size_t>(bins) + 1, 0.0);

  // The frame's outermost samples have no neighbours on one side and hold no light
  // worth counting.
  const int firstRow = std::max(1, static_cast<int>(std::floor(cy - reach - 1.0)));
  const int lastRow = std::min(m - 2, static_cast<int>(std::ceil(cy + reach + 1.0)));
  const int firstColumn = std::max(1, static_cast<int>(std::floor(cx - reach - 1.0)));
  const int lastColumn = std::min(m - 2, static_cast<int>(std::ceil(cx + reach + 1.0)));
  const double* intensity = image.intensity.data();
  for (int row = firstRow; row <= lastRow; ++row) {
    const double* here = intensity + static_cast<size_t>(row) * m;
    const double* below = here - m;
    const double* above = here + m;
    for (int column = firstColumn; column <= lastColumn; ++column) {
      const double rowOffset = row - cy;
      const double columnOffset = column - cx;
      const double distance = std::sqrt(rowOffset * rowOffset + columnOffset * columnOffset);
      if (distance > reach + 1.0) continue;
      const double v = here[column];
      const double gx = 0.5 * (here[column + 1] - here[column - 1]);
      const double gy = 0.5 * (above[column] - below[column]);
      const double hxx = here[column + 1] + here[column - 1] - 2.0 * v;
      const double hyy = above[column] + below[column] - 2.0 * v;
      const double hxy =
          0.25 * (above[column + 1] - above[column - 1] - below[column + 1] + below[column - 1]);
      const int parts = PartsAt(distance);
      const double area = 1.0 / (parts * parts);
      for (int pj = 0; pj < parts; ++pj) {
        const double dy = (pj + 0.5) / parts - 0.5;
        const double y = rowOffset + dy;
        const double alongY = v + gy * dy + 0.5 * hyy * dy * dy;
        const double slopeX = gx + hxy * dy;
        for (int pi = 0; pi < parts; ++pi) {
          const double dx = (pi + 0.5) / parts - 0.5;
          const double x = columnOffset + dx;
          const double bin = std::sqrt(x * x + y * y) * kBinsPerSample;
          if (bin < bins) {
            ring[static_cast<size_t>(bin)] += area * (alongY + dx * (slopeX + 0.5 * hxx * dx));
          }
        }
      }
    }
  }
  curve.radius.reserve(bins + 1);
  curve.fraction.reserve(bins + 1);
  double sum = 0.0;
  for (int k = 0; k <= bins; ++k) {
    curve.radius.push_back(k * image.spacing / kBinsPerSample);
    curve.fraction.push_back(sum / image.energy);
    if (k < bins) sum += ring[k];
  }
  return curve;
}

double RoughEnergyRadius(const PointImage& image, double fraction) {
  const int m = image.size;
  if (m == 0 || !(image.energy > 0.0)) return 0.0;
  const double cx = m / 2 + image.centroidX / image.spacing;
  const double cy = m / 2 + image.centroidY / image.spacing;
  if (!(std::isfinite(cx) && std::isfinite(cy))) return 0.0;
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
    if (sum >= fraction * image.energy) return (static_cast<double>(k) + 1.0) * image.spacing;
  }
  return m / 2 * image.spacing;
}

}  // namespace spekulor::quality
