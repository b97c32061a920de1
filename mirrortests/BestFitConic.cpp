#include "mirrortests/BestFitConic.h"

#include <cmath>

namespace spekulor::mirrortests {

namespace {

constexpr int kMostSteps = 50;
constexpr double kStepTolerance = 1e-10;
constexpr double kDerivativeStep = 1e-6;

// The measured readings less the expected ones for K, less their mean.
std::vector<double> Residuals(const std::vector<CouderZone>& zones,
                              const std::vector<double>& measured, double radius, TestSource source,
                              double conic) {
  std::vector<double> rest(zones.size());
  double mean = 0.0;
  for (size_t i = 0; i < zones.size(); ++i) {
    rest[i] = measured[i] - ExpectedReading(radius, conic, source, zones[i].radius);
    mean += rest[i];
  }
  mean /= static_cast<double>(zones.size());
  for (double& value : rest) value -= mean;
  return rest;
}

bool AllFinite(const std::vector<double>& values) {
  for (double value : values) {
    if (!std::isfinite(value)) return false;
  }
  return true;
}

}  // namespace

ConicFit FitConic(const std::vector<CouderZone>& zones, const std::vector<double>& measured,
                  double radius, TestSource source, double startConic) {
  ConicFit fit;
  double conic = startConic;
  for (int step = 0; step < kMostSteps; ++step) {
    const std::vector<double> rest = Residuals(zones, measured, radius, source, conic);
    const std::vector<double> moved =
        Residuals(zones, measured, radius, source, conic - kDerivativeStep);
    if (!AllFinite(rest) || !AllFinite(moved)) break;
    // The residuals grow with -K: their derivative in K is (rest - moved) / step.
    double jj = 0.0, jr = 0.0;
    for (size_t i = 0; i < rest.size(); ++i) {
      const double j = (rest[i] - moved[i]) / kDerivativeStep;
      jj += j * j;
      jr += j * rest[i];
    }
    if (!(jj > 0.0)) break;
    double change = -jr / jj;
    // Halve a step that leaves the conics whose surface reaches the outermost zone.
    while (!AllFinite(Residuals(zones, measured, radius, source, conic + change)) &&
           std::fabs(change) > kStepTolerance) {
      change /= 2.0;
    }
    conic += change;
    if (std::fabs(change) <= kStepTolerance * (1.0 + std::fabs(conic))) {
      fit.conic = conic;
      return fit;
    }
  }
  fit.problem.kind = MirrorTestProblemKind::NoBestFitConic;
  return fit;
}

}  // namespace spekulor::mirrortests
