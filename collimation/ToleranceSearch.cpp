#include "collimation/ToleranceSearch.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

using namespace spekulor::trace;

namespace spekulor::collimation {

namespace {

// SearchRange's reaches; the tilt's lies well within what the trace takes
// (kMostTraceableTiltDeg).
constexpr double kMostDespaceOfDistance = 0.25;
constexpr double kMostDecenterOfRadius = 0.25;
constexpr double kTiltSearchReachDeg = 5.0;

// The positive root u of a u^2 + slope u = target, or 0 when there is none.
double Root(double a, double slope, double target) {
  if (a > 0.0) {
    return (-slope + std::sqrt(slope * slope + 4.0 * a * target)) / (2.0 * a);
  }
  return slope > 0.0 ? target / slope : 0.0;
}

// One exact trace of the search: the amount (along the sign searched) and the variance
// it adds to the aligned axis image's.
struct Sample {
  double amount = 0.0;
  double variance = 0.0;
  bool holds = true;  // HoldsTheLight
  AxisWavefront axis;
};

// Everything one sign's search shares, and the traces it has made.
struct SideSearch {
  const AxisProbe& probe;
  Misalignment kind;
  int sign;
  double base;    // the aligned variance
  double budget;  // waves
  std::vector<Sample> samples;
  int traces = 0;

  Sample Measure(double amount) {
    Sample sample = FromAxis(amount, MeasureAxis(probe, Misaligned(kind, sign * amount)));
    ++traces;
    samples.push_back(sample);
    return sample;
  }
  Sample FromAxis(double amount, const AxisWavefront& axis) const {
    return {amount, axis.rmsWaves * axis.rmsWaves - base, HoldsTheLight(axis), axis};
  }
  // The RMS error added in quadrature; infinite where the light is lost.
  double Added(const Sample& sample) const {
    return sample.holds ? std::sqrt(std::max(0.0, sample.variance))
                        : std::numeric_limits<double>::infinity();
  }
  bool Within(const Sample& sample) const { return Added(sample) < budget; }
  bool Reaches(const Sample& sample) const {
    return sample.holds && std::fabs(Added(sample) / budget - 1.0) < kSearchAccuracy;
  }
  ToleranceFound Result(const Sample& at, ToleranceLimit limit) const {
    ToleranceFound result;
    result.limit = limit;
    result.found = limit == ToleranceLimit::Budget;
    result.amount = sign * at.amount;
    result.addedWaves = Added(at);
    result.axis = at.axis;
    result.traces = traces;
    return result;
  }
};

// The model-guided search: each trace at the quadratic's root corrects its curvature.
// Returns the index of the sample that reaches the budget, or -1.
int FollowTheModel(SideSearch& search, const MisalignmentProbe& probes, double most) {
  auto added = [&](const AxisWavefront& axis) {
    return axis.rmsWaves * axis.rmsWaves - search.base;
  };
  const double s = probes.step;
  const double a0 = (added(probes.plus) + added(probes.minus)) / (2.0 * s * s);
  // The linear part along this sign.
  const double slope = search.sign * (added(probes.plus) - added(probes.minus)) / (2.0 * s);
  const double target = search.budget * search.budget;

  double a = a0;
  double u = Root(a, slope, target);
  if (!(u > 0.0) || !std::isfinite(u)) u = most;
  for (int trace = 0; trace < kMostSearchTraces; ++trace) {
    u = std::min(u, most);
    const Sample sample = search.Measure(u);
    if (!sample.holds) {
      u *= 0.5;
      continue;
    }
    if (search.Reaches(sample)) return static_cast<int>(search.samples.size()) - 1;
    if (u >= most && sample.variance < target) return -1;
    a = (sample.variance - slope * u) / (u * u);
    const double next = Root(a, slope, target);
    u = next > 0.0 && std::isfinite(next) ? next : 2.0 * u;
  }
  return -1;
}

// Traces the way up to `top` (and `top` itself when `includeTop`) so that, from the
// probe's step up, no two neighbouring amounts traced are more than kSearchLadder apart.
// Below the step the probes' quadratic holds.
void ClimbTheLadder(SideSearch& search, double step, double top, bool includeTop) {
  for (;;) {
    std::vector<double> known;
    if (step < top) known.push_back(step);
    bool topTraced = false;
    for (const Sample& sample : search.samples) {
      if (sample.amount >= step && sample.amount < top) known.push_back(sample.amount);
      if (sample.amount == top) topTraced = true;
    }
    std::sort(known.begin(), known.end());
    known.push_back(top);
    double missing = 0.0;
    for (size_t k = 0; k + 1 < known.size(); ++k) {
      if (known[k + 1] > kSearchLadder * known[k]) {
        missing = kSearchLadder * known[k];
        break;
      }
    }
    if (missing == 0.0 && includeTop && !topTraced) missing = top;
    if (missing == 0.0) return;
    search.Measure(missing);
  }
}

// Narrows the bracket (lo within the budget, hi not) on the exact trace.
ToleranceFound NarrowTheBracket(SideSearch& search, Sample lo, Sample hi) {
  double gLo = search.Added(lo) - search.budget;
  double gHi = search.Added(hi) - search.budget;
  int moved = 0;  // which end the last step moved: -1 lo, +1 hi (for the Illinois rule)
  double widthMark = hi.amount - lo.amount;
  for (int n = 0; n < kMostBracketTraces; ++n) {
    const double width = hi.amount - lo.amount;
    if (!(width > kNarrowestBracket * hi.amount)) break;
    // Every third step halves unless the falsi steps have halved the bracket since.
    if (n % 3 == 0) widthMark = width;
    const bool halve = !std::isfinite(gHi) || (n % 3 == 2 && width > 0.5 * widthMark);
    double u = 0.5 * (lo.amount + hi.amount);
    if (!halve) {
      const double falsi = lo.amount - gLo * width / (gHi - gLo);
      if (falsi > lo.amount && falsi < hi.amount) u = falsi;
    }
    const Sample sample = search.Measure(u);
    if (search.Reaches(sample)) return search.Result(sample, ToleranceLimit::Budget);
    const double g = search.Added(sample) - search.budget;
    if (search.Within(sample)) {
      lo = sample;
      gLo = g;
      if (moved == -1) gHi *= 0.5;
      moved = -1;
    } else {
      hi = sample;
      gHi = g;
      if (moved == +1) gLo *= 0.5;
      moved = +1;
    }
  }
  // The sampled pupil's edge cells change their weight in steps (PupilTrace.h): an error
  // that steps over the budget from close below it still has its tolerance.
  if (lo.holds && search.Added(lo) >= (1.0 - kStepAccuracy) * search.budget) {
    return search.Result(lo, ToleranceLimit::Budget);
  }
  ToleranceFound result =
      search.Result(lo, hi.holds ? ToleranceLimit::Jump : ToleranceLimit::LightLost);
  result.beyondAmount = search.sign * hi.amount;
  result.beyondWaves = search.Added(hi);
  return result;
}

}  // namespace

double SearchRange(const Telescope& telescope, Misalignment kind) {
  switch (kind) {
    case Misalignment::Despace:
      return kMostDespaceOfDistance * telescope.secondary.vertexZ;
    case Misalignment::Decenter:
      return kMostDecenterOfRadius * telescope.secondary.clearRadius;
    case Misalignment::Tilt:
      return kTiltSearchReachDeg;
  }
  return 0.0;
}

namespace {

// The search on the exact trace alone.
ToleranceFound SearchTheTrace(const AxisProbe& probe, Misalignment kind,
                              const MisalignmentProbe& probes, const AxisWavefront& aligned,
                              double budgetWaves, int sign) {
  SideSearch search{probe, kind, sign, aligned.rmsWaves * aligned.rmsWaves, budgetWaves, {}};
  const double most = SearchRange(probe.telescope, kind);
  const int reached = FollowTheModel(search, probes, most);
  const bool hasCandidate = reached >= 0;
  const Sample candidate = hasCandidate ? search.samples[static_cast<size_t>(reached)] : Sample{};
  const double top = hasCandidate ? candidate.amount : most;

  // The probe at this sign is a trace already made.
  const Sample probed = search.FromAxis(probes.step, sign > 0 ? probes.plus : probes.minus);
  if (probes.step < top) search.samples.push_back(probed);
  ClimbTheLadder(search, probes.step, top, !hasCandidate);

  // The first trace below the tolerance (or up to the range's end) that is not within
  // the budget, in the order of the amounts.
  std::vector<Sample> below;
  for (const Sample& sample : search.samples) {
    if (sample.amount < top || (!hasCandidate && sample.amount <= top)) below.push_back(sample);
  }
  std::stable_sort(below.begin(), below.end(),
                   [](const Sample& x, const Sample& y) { return x.amount < y.amount; });
  Sample lo = search.FromAxis(0.0, aligned);
  for (const Sample& sample : below) {
    if (search.Within(sample)) {
      lo = sample;
      continue;
    }
    if (search.Reaches(sample)) return search.Result(sample, ToleranceLimit::Budget);
    return NarrowTheBracket(search, lo, sample);
  }
  if (hasCandidate) return search.Result(candidate, ToleranceLimit::Budget);
  return search.Result(lo, ToleranceLimit::BeyondRange);
}

}  // namespace

double ResolvedWaves(const Telescope& telescope, const AxisWavefront& aligned, double wavelength) {
  const double path = 2.0 * telescope.secondary.vertexZ + std::fabs(telescope.imageZ) +
                      std::fabs(telescope.systemFocus);
  const double rounding = path / wavelength * std::numeric_limits<double>::epsilon();
  const double variance = 2.0 * aligned.rmsWaves * rounding + rounding * rounding;
  return kResolvedFactor * std::sqrt(variance);
}

ToleranceFound SearchTolerance(const AxisProbe& probe, Misalignment kind,
                               const MisalignmentProbe& probes, const AxisWavefront& aligned,
                               double budgetWaves, int sign) {
  const double resolved = ResolvedWaves(probe.telescope, aligned, probe.wavelength);
  if (!(budgetWaves < resolved)) {
    return SearchTheTrace(probe, kind, probes, aligned, budgetWaves, sign);
  }
  // The amount that adds the least error the trace resolves, and half of it, give the
  // two coefficients of the added variance a x^2 + b x.
  ToleranceFound reach = SearchTheTrace(probe, kind, probes, aligned, resolved, sign);
  if (reach.limit != ToleranceLimit::Budget) {
    return SearchTheTrace(probe, kind, probes, aligned, budgetWaves, sign);
  }
  const double base = aligned.rmsWaves * aligned.rmsWaves;
  const double x = std::fabs(reach.amount);
  const AxisWavefront half = MeasureAxis(probe, Misaligned(kind, 0.5 * sign * x));
  const double whole = reach.axis.rmsWaves * reach.axis.rmsWaves - base;
  const double halfVariance = half.rmsWaves * half.rmsWaves - base;
  const double a = 2.0 * (whole - 2.0 * halfVariance) / (x * x);
  const double b = (whole - a * x * x) / x;
  const double target = budgetWaves * budgetWaves;
  const double disc = b * b + 4.0 * a * target;
  double u = 0.0;
  if (b > 0.0) {
    u = 2.0 * target / (b + std::sqrt(std::max(0.0, disc)));
  } else if (a > 0.0) {
    u = (-b + std::sqrt(std::max(0.0, disc))) / (2.0 * a);
  }
  const int traces = reach.traces + 1;
  if (!(u > 0.0 && u < x) || !HoldsTheLight(half)) {
    ToleranceFound traced = SearchTheTrace(probe, kind, probes, aligned, budgetWaves, sign);
    traced.traces += traces;
    return traced;
  }
  ToleranceFound found;
  found.found = true;
  found.limit = ToleranceLimit::Budget;
  found.fromGrowth = true;
  found.amount = sign * u;
  found.addedWaves = budgetWaves;
  found.axis = MeasureAxis(probe, Misaligned(kind, found.amount));
  found.traces = traces + 1;
  return found;
}

ToleranceFound FindTolerance(const AxisProbe& probe, Misalignment kind,
                             const MisalignmentProbe& probes, const AxisWavefront& aligned,
                             double budgetWaves) {
  ToleranceFound plus = SearchTolerance(probe, kind, probes, aligned, budgetWaves, 1);
  if (kind != Misalignment::Despace) return plus;
  ToleranceFound minus = SearchTolerance(probe, kind, probes, aligned, budgetWaves, -1);
  const int traces = plus.traces + minus.traces;
  // A side limited within the range is tighter than one that is not.
  const bool plusLimited = plus.limit != ToleranceLimit::BeyondRange;
  const bool minusLimited = minus.limit != ToleranceLimit::BeyondRange;
  const bool minusTighter = minusLimited != plusLimited
                                ? minusLimited
                                : std::fabs(minus.amount) < std::fabs(plus.amount);
  ToleranceFound& chosen = minusTighter ? minus : plus;
  chosen.traces = traces;
  return chosen;
}

}  // namespace spekulor::collimation
