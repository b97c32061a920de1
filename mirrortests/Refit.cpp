#include "mirrortests/Refit.h"

#include <algorithm>
#include <cmath>

#include "collimation/AxisWavefront.h"
#include "quality/FocusSearch.h"
#include "quality/PupilTrace.h"
#include "quality/Wavefront.h"
#include "trace/RayTrace.h"

using namespace spekulor::calc;
using namespace spekulor::trace;
using namespace spekulor::quality;
using namespace spekulor::collimation;

namespace spekulor::mirrortests {

namespace {

// Pupil cells across the primary: fine enough that the axis RMS at a hundredth of a
// wave is settled to a few per cent, coarse enough for the refit's dozen traces.
constexpr int kRefitGrid = 64;

bool FiniteAndPositive(double x) { return std::isfinite(x) && x > 0.0; }

double Square(double x) { return x * x; }

// The third-order secondary conic for a primary of conic K1 (the design's relation for
// a given primary conic, Solver.cpp): zero spherical aberration of the pair.
double ThirdOrderSecondaryConic(const DesignResult& g) {
  const double m = g.SecMag;
  const double classic = Square((m + 1.0) / (m - 1.0));
  return std::pow(m / (m - 1.0), 3) * ((g.PriConic + 1.0) * g.PriRadCur /
                                       (g.PriRadCur - 2.0 * g.PriSecDist)) -
         classic;
}

struct AxisSample {
  bool ok = false;
  double rms = 0.0;
  double spherical = 0.0;
};

AxisSample MeasureWithConic(DesignResult design, double conic, int grid, double wavelength) {
  design.SecConic = conic;
  const AxisProbe probe{BuildTelescope(design), grid, wavelength};
  const AxisWavefront axis = MeasureAxis(probe, SecondaryPerturbation{});
  AxisSample sample;
  sample.ok = HoldsTheLight(axis) && std::isfinite(axis.rmsWaves);
  sample.rms = axis.rmsWaves;
  sample.spherical = axis.terms[kSpherical];
  return sample;
}

double EdgeRms(const DesignResult& design, double wavelength) {
  const TracedPupil pupil = TracePupil(BuildTelescope(design), design.FieldRad / 2.0, kRefitGrid);
  if (pupil.rays.empty()) return NAN;
  return EvaluateWavefront(pupil, OwnBestFocus(pupil, wavelength), wavelength).rmsWaves;
}

}  // namespace

RefitResult SolveRefitGeometry(const DesignResult& design, const RefitRequest& request) {
  RefitResult result;
  result.design = design;
  if (!FiniteAndPositive(request.primaryRoc) || !std::isfinite(request.primaryConic) ||
      !(request.secondaryRoc == 0.0 || FiniteAndPositive(request.secondaryRoc))) {
    result.problem = RefitProblem::NotFinite;
    return result;
  }
  const double f1 = request.primaryRoc / 2.0;
  double p = 0.0, q = 0.0, R2 = 0.0;
  if (request.secondaryRoc == 0.0) {
    // The secondary keeps its share of the light cone, p / f1.
    p = design.SecPriFocDist / design.PriFoc * f1;
    if (request.keep == RefitKeep::BackFocus) {
      q = f1 - p + design.BackFocLen;
    } else {
      q = design.SysFoc / f1 * p;
    }
    R2 = 2.0 * p * q / (q - p);
  } else {
    R2 = request.secondaryRoc;
    if (request.keep == RefitKeep::BackFocus) {
      const double e = f1 + design.BackFocLen;
      p = (R2 + e - std::sqrt(R2 * R2 + e * e)) / 2.0;
    } else {
      const double m = design.SysFoc / f1;
      p = R2 * (m - 1.0) / (2.0 * m);
    }
    q = R2 * p / (R2 - 2.0 * p);
  }
  // A Cassegrain's secondary stands inside the prime focus and magnifies it.
  if (!(p > 0.0 && p < f1 && q > p && FiniteAndPositive(R2))) {
    result.problem = RefitProblem::NoTelescope;
    result.problemDetail = p;
    return result;
  }
  DesignResult& g = result.design;
  g.PriRadCur = request.primaryRoc;
  g.PriFoc = f1;
  g.PriConic = request.primaryConic;
  g.SecPriFocDist = p;
  g.SecSysFocDist = q;
  g.SecRadCur = R2;
  g.SecMag = q / p;
  g.SysFoc = g.SecMag * f1;
  g.PriSecDist = f1 - p;
  g.BackFocLen = q - g.PriSecDist;
  g.PriSysFocDist = f1 + g.BackFocLen;
  g.ClassicSecConic = Square((g.SecMag + 1.0) / (g.SecMag - 1.0));
  g.SecConic = ThirdOrderSecondaryConic(g);
  return result;
}

double BestSecondaryConic(const DesignResult& design, int gridSize, double wavelength,
                          double* axisRmsWaves) {
  // The spherical term of the refocused axis wavefront is nearly linear in the conic:
  // two secant steps from the third-order value land on its zero.
  double k0 = design.SecConic;
  AxisSample s0 = MeasureWithConic(design, k0, gridSize, wavelength);
  double k1 = k0 + 0.01 * (std::fabs(k0) + 1.0);
  AxisSample s1 = MeasureWithConic(design, k1, gridSize, wavelength);
  for (int i = 0; i < 2 && s0.ok && s1.ok && s1.spherical != s0.spherical; ++i) {
    const double k2 = k1 - s1.spherical * (k1 - k0) / (s1.spherical - s0.spherical);
    k0 = k1;
    s0 = s1;
    k1 = k2;
    s1 = MeasureWithConic(design, k1, gridSize, wavelength);
  }
  if (!s1.ok) {
    if (axisRmsWaves != nullptr) *axisRmsWaves = NAN;
    return design.SecConic;
  }
  // The least RMS lies where the higher orders balance the fourth: a golden-section
  // search over a bracket of a few secant steps around the zero.
  const double half = std::max(3.0 * std::fabs(k1 - k0), 0.005 * (std::fabs(k1) + 1.0));
  const double golden = (std::sqrt(5.0) - 1.0) / 2.0;
  double a = k1 - half, b = k1 + half;
  double c = b - golden * (b - a), d = a + golden * (b - a);
  double fc = MeasureWithConic(design, c, gridSize, wavelength).rms;
  double fd = MeasureWithConic(design, d, gridSize, wavelength).rms;
  for (int i = 0; i < 14; ++i) {
    if (fc < fd) {
      b = d;
      d = c;
      fd = fc;
      c = b - golden * (b - a);
      fc = MeasureWithConic(design, c, gridSize, wavelength).rms;
    } else {
      a = c;
      c = d;
      fc = fd;
      d = a + golden * (b - a);
      fd = MeasureWithConic(design, d, gridSize, wavelength).rms;
    }
  }
  const double best = fc < fd ? c : d;
  if (axisRmsWaves != nullptr) *axisRmsWaves = std::min(fc, fd);
  return best;
}

RefitResult RefitTelescope(const DesignResult& design, const RefitRequest& request,
                           double wavelength) {
  RefitResult result = SolveRefitGeometry(design, request);
  if (result.problem != RefitProblem::None) return result;
  double axisRms = NAN;
  result.design.SecConic = BestSecondaryConic(result.design, kRefitGrid, wavelength, &axisRms);
  result.axisRmsWaves = axisRms;
  result.edgeRmsWaves = EdgeRms(result.design, wavelength);
  result.designEdgeRmsWaves = EdgeRms(design, wavelength);
  if (!std::isfinite(axisRms) || !std::isfinite(result.edgeRmsWaves)) {
    result.problem = RefitProblem::NotTraceable;
  }
  return result;
}

}  // namespace spekulor::mirrortests
