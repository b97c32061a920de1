// The misalignment of one kind that alone adds a given RMS wavefront error to the axis
// image, in quadrature with the aligned design's, after refocusing and re-pointing:
//   rms(x)^2 - rms(0)^2 = budget^2,
// found on the exact trace.
//
// The added variance is a quadratic in the misalignment x, a x^2 + b x, to the order
// that matters (Mahajan, "Optical Imaging and Aberrations" I, sec. 8.3: the variance of
// a sum of aberrations); b is zero for coma, which is orthogonal to the aligned axis
// image's symmetric error, but not for the spherical aberration of a despace, which
// meets the residual spherical aberration of a Dall-Kirkham or a Ritchey-Chretien. The
// probes at +-step give a and b; each trace at the root found corrects a, and the search
// stops when the traced error is within kSearchAccuracy of the budget.
#ifndef SPEKULOR_TOLERANCE_TOLERANCESEARCH_H
#define SPEKULOR_TOLERANCE_TOLERANCESEARCH_H

#include "AxisWavefront.h"
#include "Misalignment.h"
#include "Sensitivities.h"

constexpr double kSearchAccuracy = 0.002;  // relative, of the added RMS error
constexpr int kMostSearchTraces = 8;

struct ToleranceFound {
  bool found = false;       // false when the range the trace takes does not reach the budget
  double amount = 0.0;      // signed: design unit, or degrees for the tilt
  double addedWaves = 0.0;  // the RMS error it adds in quadrature, as traced
  AxisWavefront axis;       // the axis image there
  int traces = 0;           // exact traces made by the search
};

// Searches the sign `sign` (+1 or -1) of the kind for the budget (waves), from its
// probes about the aligned axis image `aligned`. Amounts the trace cannot take
// (PerturbationProblem) are not tried; the largest it can is returned instead, with
// found false.
ToleranceFound SearchTolerance(const AxisProbe& probe, Misalignment kind,
                               const MisalignmentProbe& probes, const AxisWavefront& aligned,
                               double budgetWaves, int sign);

// The tolerance of the kind: for a despace the smaller of the two signs, for the
// others the positive side (coma's variance is even in the misalignment).
ToleranceFound FindTolerance(const AxisProbe& probe, Misalignment kind,
                             const MisalignmentProbe& probes, const AxisWavefront& aligned,
                             double budgetWaves);

#endif
