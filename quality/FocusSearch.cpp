#include "quality/FocusSearch.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "calc/SignConventions.h"
#include "quality/Wavefront.h"

using namespace spekulor::calc;

namespace spekulor::quality {

namespace {

double RmsSquared(const TracedPupil& pupil, double shift, double wavelength) {
  const double rms = EvaluateWavefront(pupil, shift, wavelength).rmsWaves;
  return rms * rms;
}

double MeanRms(const std::vector<FocusQuadratic>& fits, double shift) {
  double sum = 0.0;
  for (const FocusQuadratic& fit : fits) sum += std::sqrt(std::max(0.0, fit.At(shift)));
  return sum / static_cast<double>(fits.size());
}

// Golden-section search for the least of a convex function on [low, high].
template <typename F>
double GoldenMinimum(F f, double low, double high) {
  const double ratio = 0.5 * (std::sqrt(5.0) - 1.0);
  double a = low;
  double b = high;
  double c = b - ratio * (b - a);
  double d = a + ratio * (b - a);
  double fc = f(c);
  double fd = f(d);
  for (int i = 0; i < 200 && b - a > 1e-12 * (1.0 + std::fabs(a) + std::fabs(b)); ++i) {
    if (fc <= fd) {
      b = d;
      d = c;
      fd = fc;
      c = b - ratio * (b - a);
      fc = f(c);
    } else {
      a = c;
      c = d;
      fc = fd;
      d = a + ratio * (b - a);
      fd = f(d);
    }
  }
  return 0.5 * (a + b);
}

}  // namespace

double FocusQuadratic::At(double shift) const {
  const double s = shift - centre;
  return value + slope * s + 0.5 * curvature * s * s;
}

double FocusQuadratic::Lowest() const {
  return curvature > 0.0 ? centre - slope / curvature : centre;
}

double GeometricBestFocus(const TracedPupil& pupil) {
  // In the plane z = imageZ + zeta a ray lies at p + m zeta, m its slope per unit z.
  double sumWeight = 0.0;
  double sum[4] = {0.0, 0.0, 0.0, 0.0};  // p.x, p.y, m.x, m.y
  std::vector<double> values;
  values.reserve(4 * pupil.rays.size());
  for (const PupilRay& ray : pupil.rays) {
    const double s = (pupil.imageZ - ray.onSecondary.z) / ray.direction.z;
    const double v[4] = {ray.onSecondary.x + s * ray.direction.x,
                         ray.onSecondary.y + s * ray.direction.y,
                         ray.direction.x / ray.direction.z, ray.direction.y / ray.direction.z};
    for (int k = 0; k < 4; ++k) {
      sum[k] += ray.weight * v[k];
      values.push_back(v[k]);
    }
    sumWeight += ray.weight;
  }
  if (!(sumWeight > 0.0)) return 0.0;
  double cross = 0.0;
  double slopes = 0.0;
  for (size_t r = 0; r < pupil.rays.size(); ++r) {
    const double* v = &values[4 * r];
    const double w = pupil.rays[r].weight;
    const double dx = v[0] - sum[0] / sumWeight;
    const double dy = v[1] - sum[1] / sumWeight;
    const double mx = v[2] - sum[2] / sumWeight;
    const double my = v[3] - sum[3] / sumWeight;
    cross += w * (dx * mx + dy * my);
    slopes += w * (mx * mx + my * my);
  }
  const double zeta = slopes > 0.0 ? -cross / slopes : 0.0;
  return kFocusShiftAlongZ * zeta;
}

double GeometricSpotRadius(const TracedPupil& pupil, double focusShift) {
  const double planeZ = FocalPlaneZ(pupil.imageZ, focusShift);
  double sumWeight = 0.0;
  double sumX = 0.0;
  double sumY = 0.0;
  double sumSquares = 0.0;
  for (const PupilRay& ray : pupil.rays) {
    const double s = (planeZ - ray.onSecondary.z) / ray.direction.z;
    const double x = ray.onSecondary.x + s * ray.direction.x;
    const double y = ray.onSecondary.y + s * ray.direction.y;
    sumWeight += ray.weight;
    sumX += ray.weight * x;
    sumY += ray.weight * y;
    sumSquares += ray.weight * (x * x + y * y);
  }
  if (!(sumWeight > 0.0)) return 0.0;
  const double cx = sumX / sumWeight;
  const double cy = sumY / sumWeight;
  return std::sqrt(std::max(0.0, sumSquares / sumWeight - cx * cx - cy * cy));
}

double FocusStep(const TracedPupil& pupil, double wavelength) {
  return wavelength * pupil.focalRatio * pupil.focalRatio;
}

FocusQuadratic FitFocusQuadratic(const TracedPupil& pupil, double centre, double step,
                                 double wavelength) {
  const double below = RmsSquared(pupil, centre - step, wavelength);
  const double at = RmsSquared(pupil, centre, wavelength);
  const double above = RmsSquared(pupil, centre + step, wavelength);
  FocusQuadratic fit;
  fit.centre = centre;
  fit.value = at;
  fit.slope = (above - below) / (2.0 * step);
  fit.curvature = (above + below - 2.0 * at) / (step * step);
  return fit;
}

double OwnBestFocus(const TracedPupil& pupil, double wavelength) {
  if (pupil.rays.empty()) return 0.0;
  const double step = FocusStep(pupil, wavelength);
  double shift = GeometricBestFocus(pupil);
  for (int round = 0; round < 2; ++round) {
    shift = FitFocusQuadratic(pupil, shift, step, wavelength).Lowest();
  }
  return shift;
}

double CommonBestFocus(const std::vector<const TracedPupil*>& pupils,
                       const std::vector<double>& ownFoci, double wavelength) {
  std::vector<const TracedPupil*> lit;
  std::vector<double> foci;
  for (size_t k = 0; k < pupils.size() && k < ownFoci.size(); ++k) {
    if (!pupils[k]->rays.empty()) {
      lit.push_back(pupils[k]);
      foci.push_back(ownFoci[k]);
    }
  }
  if (lit.empty()) return 0.0;
  const double low = *std::min_element(foci.begin(), foci.end());
  const double high = *std::max_element(foci.begin(), foci.end());
  if (!(high > low)) return low;

  // First about each field's own focus, then once more about the plane found.
  std::vector<FocusQuadratic> fits(lit.size());
  for (size_t k = 0; k < lit.size(); ++k) {
    fits[k] = FitFocusQuadratic(*lit[k], foci[k], FocusStep(*lit[k], wavelength), wavelength);
  }
  double shift = GoldenMinimum([&](double s) { return MeanRms(fits, s); }, low, high);
  for (size_t k = 0; k < lit.size(); ++k) {
    fits[k] = FitFocusQuadratic(*lit[k], shift, FocusStep(*lit[k], wavelength), wavelength);
  }
  return GoldenMinimum([&](double s) { return MeanRms(fits, s); }, low, high);
}

double FocalSurfaceRadius(const std::vector<double>& heights, const std::vector<double>& shifts) {
  if (heights.size() < 2 || shifts.size() != heights.size()) {
    return std::numeric_limits<double>::infinity();
  }
  // Curvature c of the sphere y^2 + dz^2 = 2 R dz: 2 dz = c (y^2 + dz^2).
  double numerator = 0.0;
  double denominator = 0.0;
  for (size_t k = 1; k < heights.size(); ++k) {
    const double dz = shifts[k] - shifts[0];
    const double q = heights[k] * heights[k] + dz * dz;
    numerator += 2.0 * dz * q;
    denominator += q * q;
  }
  if (!(denominator > 0.0) || numerator == 0.0) return std::numeric_limits<double>::infinity();
  return denominator / numerator;
}

}  // namespace spekulor::quality
