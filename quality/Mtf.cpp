#include "quality/Mtf.h"

#include <algorithm>
#include <cmath>

namespace spekulor::quality {

namespace {

// The transfer at zero frequency is the pupil's area, `energy` (PointImage.h): a partly
// lit cell overlaps itself with its whole lit area f, not with f^2, while its overlaps
// with shifted cells, f times theirs, are right.
std::vector<double> LineMtf(FourierPlans& plans, int pupilSize, double energy) {
  plans.TransformLine();
  const std::complex<double>* spectrum = plans.LineSpectrum();
  std::vector<double> curve(static_cast<size_t>(pupilSize) + 1, 0.0);
  if (!(energy > 0.0)) return curve;
  curve[0] = 1.0;
  const int last = std::min(pupilSize, plans.Size() / 2);
  for (int k = 1; k <= last; ++k) curve[k] = std::min(1.0, std::abs(spectrum[k]) / energy);
  return curve;
}

}  // namespace

MtfCurves ComputeMtf(const PointImage& image, int pupilSize, FourierPlans& plans) {
  MtfCurves curves;
  const int m = image.size;
  if (m == 0 || plans.Size() != m || pupilSize < 1) return curves;
  double* line = plans.Line();
  for (int row = 0; row < m; ++row) {
    const double* values = &image.intensity[static_cast<size_t>(row) * m];
    double sum = 0.0;
    for (int column = 0; column < m; ++column) sum += values[column];
    line[row] = sum;
  }
  curves.tangential = LineMtf(plans, pupilSize, image.energy);
  std::fill(line, line + m, 0.0);
  for (int row = 0; row < m; ++row) {
    const double* values = &image.intensity[static_cast<size_t>(row) * m];
    for (int column = 0; column < m; ++column) line[column] += values[column];
  }
  curves.sagittal = LineMtf(plans, pupilSize, image.energy);
  return curves;
}

double MtfAt(const std::vector<double>& curve, double fraction) {
  if (curve.size() < 2 || !(fraction < 1.0)) return 0.0;
  if (!(fraction > 0.0)) return curve.front();
  const double position = fraction * static_cast<double>(curve.size() - 1);
  const size_t k = static_cast<size_t>(position);
  const double t = position - static_cast<double>(k);
  return k + 1 < curve.size() ? curve[k] + t * (curve[k + 1] - curve[k]) : curve.back();
}

}  // namespace spekulor::quality
