#include "ToleranceSearch.h"

#include <algorithm>
#include <cmath>

namespace {

// The largest misalignment searched: a quarter of the secondary's distance from the
// primary, a quarter of its radius, five degrees. A tolerance beyond is no longer one.
constexpr double kMostDespaceOfDistance = 0.25;
constexpr double kMostDecenterOfRadius = 0.25;
constexpr double kMostTiltDeg = 5.0;

double MostAmount(const Telescope& telescope, Misalignment kind) {
  switch (kind) {
    case Misalignment::Despace:
      return kMostDespaceOfDistance * telescope.secondary.vertexZ;
    case Misalignment::Decenter:
      return kMostDecenterOfRadius * telescope.secondary.clearRadius;
    case Misalignment::Tilt:
      return kMostTiltDeg;
  }
  return 0.0;
}

// The positive root u of a u^2 + slope u = target, or 0 when there is none.
double Root(double a, double slope, double target) {
  if (a > 0.0) {
    return (-slope + std::sqrt(slope * slope + 4.0 * a * target)) / (2.0 * a);
  }
  return slope > 0.0 ? target / slope : 0.0;
}

}  // namespace

ToleranceFound SearchTolerance(const AxisProbe& probe, Misalignment kind,
                               const MisalignmentProbe& probes, const AxisWavefront& aligned,
                               double budgetWaves, int sign) {
  ToleranceFound result;
  const double base = aligned.rmsWaves * aligned.rmsWaves;
  auto added = [&](const AxisWavefront& axis) { return axis.rmsWaves * axis.rmsWaves - base; };
  const double s = probes.step;
  const double a0 = (added(probes.plus) + added(probes.minus)) / (2.0 * s * s);
  // The linear part along this sign.
  const double slope = sign * (added(probes.plus) - added(probes.minus)) / (2.0 * s);
  const double target = budgetWaves * budgetWaves;
  const double most = MostAmount(probe.telescope, kind);

  double a = a0;
  double u = Root(a, slope, target);
  if (!(u > 0.0) || !std::isfinite(u)) u = most;
  for (int trace = 0; trace < kMostSearchTraces; ++trace) {
    u = std::min(u, most);
    const AxisWavefront axis = MeasureAxis(probe, Misaligned(kind, sign * u));
    ++result.traces;
    if (!axis.traced) {
      u *= 0.5;
      continue;
    }
    const double variance = added(axis);
    result.amount = sign * u;
    result.addedWaves = std::sqrt(std::max(0.0, variance));
    result.axis = axis;
    if (std::fabs(result.addedWaves / budgetWaves - 1.0) < kSearchAccuracy) {
      result.found = true;
      return result;
    }
    if (u >= most && variance < target) return result;
    // The traced variance corrects the quadratic part; the slope at zero stays.
    a = (variance - slope * u) / (u * u);
    const double next = Root(a, slope, target);
    u = next > 0.0 && std::isfinite(next) ? next : 2.0 * u;
  }
  return result;
}

ToleranceFound FindTolerance(const AxisProbe& probe, Misalignment kind,
                             const MisalignmentProbe& probes, const AxisWavefront& aligned,
                             double budgetWaves) {
  ToleranceFound plus = SearchTolerance(probe, kind, probes, aligned, budgetWaves, 1);
  if (kind != Misalignment::Despace) return plus;
  ToleranceFound minus = SearchTolerance(probe, kind, probes, aligned, budgetWaves, -1);
  const int traces = plus.traces + minus.traces;
  // A side that reaches the budget is tighter than one that does not.
  const bool minusTighter = minus.found != plus.found
                                ? minus.found
                                : std::fabs(minus.amount) < std::fabs(plus.amount);
  ToleranceFound& chosen = minusTighter ? minus : plus;
  chosen.traces = traces;
  return chosen;
}
