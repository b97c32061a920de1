#include "mirrortests/ReadingReduction.h"

#include <algorithm>
#include <cmath>

#include "support/Units.h"

using namespace spekulor::support;

namespace spekulor::mirrortests {

std::vector<double> ZoneAreas(const std::vector<CouderZone>& zones) {
  std::vector<double> areas;
  areas.reserve(zones.size());
  for (const CouderZone& zone : zones) {
    areas.push_back(kPi * (zone.outer * zone.outer - zone.inner * zone.inner));
  }
  return areas;
}

SurfaceErrorFit RemoveBestSphere(const std::vector<CouderZone>& zones,
                                 const std::vector<double>& surface) {
  const std::vector<double> weights = ZoneAreas(zones);
  // Weighted normal equations of w = a + b t, t = h^2, about the weighted means.
  double total = 0.0, meanT = 0.0, meanW = 0.0;
  for (size_t i = 0; i < zones.size(); ++i) {
    const double t = zones[i].radius * zones[i].radius;
    total += weights[i];
    meanT += weights[i] * t;
    meanW += weights[i] * surface[i];
  }
  meanT /= total;
  meanW /= total;
  double stt = 0.0, stw = 0.0;
  for (size_t i = 0; i < zones.size(); ++i) {
    const double dt = zones[i].radius * zones[i].radius - meanT;
    stt += weights[i] * dt * dt;
    stw += weights[i] * dt * (surface[i] - meanW);
  }
  const double b = stt > 0.0 ? stw / stt : 0.0;

  SurfaceErrorFit fit;
  double squares = 0.0;
  for (size_t i = 0; i < zones.size(); ++i) {
    const double rest = surface[i] - meanW - b * (zones[i].radius * zones[i].radius - meanT);
    fit.surface.push_back(rest);
    squares += weights[i] * 4.0 * rest * rest;
  }
  fit.wavefrontRms = std::sqrt(squares / total);
  const auto [low, high] = std::minmax_element(fit.surface.begin(), fit.surface.end());
  fit.wavefrontPv = 2.0 * (*high - *low);
  return fit;
}

SurfaceErrorFit ReduceReadings(const std::vector<CouderZone>& zones,
                               const std::vector<double>& measured,
                               const std::vector<double>& expected, double radius,
                               TestSource source) {
  const double scale = source == TestSource::Moving ? radius * radius : 2.0 * radius * radius;
  std::vector<double> slope(zones.size());
  for (size_t i = 0; i < zones.size(); ++i) {
    slope[i] = (expected[i] - measured[i]) * zones[i].radius / scale;
  }
  std::vector<double> surface(zones.size(), 0.0);
  for (size_t i = 1; i < zones.size(); ++i) {
    surface[i] =
        surface[i - 1] + 0.5 * (slope[i - 1] + slope[i]) * (zones[i].radius - zones[i - 1].radius);
  }
  return RemoveBestSphere(zones, surface);
}

}  // namespace spekulor::mirrortests
