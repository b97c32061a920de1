// The misalignment of one kind that alone adds a given RMS wavefront error to the axis
// image, in quadrature with the aligned design's, after refocusing and re-pointing:
//   rms(x)^2 - rms(0)^2 = budget^2,
// found on the exact trace: the smallest misalignment of the sign searched at which the
// traced error reaches the budget.
//
// The added variance is a quadratic in the misalignment x, a x^2 + b x, to the order
// that matters (Mahajan, "Optical Imaging and Aberrations" I, sec. 8.3: the variance of
// a sum of aberrations); b = 2 cov(W0, dW/dx) is zero for coma, which is orthogonal to
// the aligned axis image's symmetric error W0, but not for the spherical aberration of a
// despace, which meets the residual spherical aberration of a Dall-Kirkham or a
// Ritchey-Chretien. So the error added in quadrature, sqrt(a x^2 + b x), grows in
// proportion to x for coma and for a perfect design (b = 0): tolerances in proportion to
// the budget; and as sqrt(b x) for a despace of a design with a residual, while
// b x dominates (x below b / a): tolerances in proportion to the budget squared.
//
// Below the error the trace's rounding can hide, the budget is not searched on the
// trace: a and b are traced at the amount that adds the least error the trace resolves
// and at half of it, and the law gives the amount.
//
// The search: the probes at +-step give a and b, and each trace at the root found
// corrects a, until the traced error is within kSearchAccuracy of the budget. The way up
// to that amount, or to the largest searched when the budget is not reached, is then
// traced in steps of at most a factor kSearchLadder: an amount is only said to be within
// the budget when every trace below it is. Where a trace exceeds the budget (or loses
// the light) the crossing is bracketed and narrowed on the exact trace (regula falsi,
// Illinois form, falling back to halving).
#ifndef SPEKULOR_COLLIMATION_TOLERANCESEARCH_H
#define SPEKULOR_COLLIMATION_TOLERANCESEARCH_H

#include "collimation/AxisWavefront.h"
#include "collimation/Misalignment.h"
#include "collimation/Sensitivities.h"

namespace spekulor::collimation {

constexpr double kSearchAccuracy = 0.002;  // relative, of the added RMS error
constexpr int kMostSearchTraces = 8;       // model-guided traces before bracketing
// The largest ratio between neighbouring amounts traced on the way to a tolerance.
constexpr double kSearchLadder = 2.0;
// A bracket narrower than this, relative to its amount, holds no crossing that the
// trace can resolve: the error jumps there.
constexpr double kNarrowestBracket = 1e-7;
// A budget is searched on the trace when it is at least this many times the error the
// trace's rounding can hide (ResolvedWaves).
constexpr double kResolvedFactor = 100.0;
// Where the traced error steps over the budget, the amount below the step is the
// tolerance when its error is within this fraction below the budget.
constexpr double kStepAccuracy = 0.02;
// Bracketing traces at most, per sign: from a ladder step of 2 down to kNarrowestBracket
// by halving takes 23.
constexpr int kMostBracketTraces = 60;

// What limits a tolerance.
enum class ToleranceLimit {
  Budget,       // the misalignment adds the budget
  BeyondRange,  // every trace up to the largest amount searched stays within the budget
  Jump,         // the traced error jumps past the budget: no amount adds just the budget
  LightLost     // beyond the amount, fewer than half the rays passing the secondary
                // reach the image (HoldsTheLight), before the error reaches the budget
};

struct ToleranceFound {
  bool found = false;  // the budget is reached: limit Budget
  ToleranceLimit limit = ToleranceLimit::BeyondRange;
  // Signed, design unit or degrees for the tilt: the tolerance; for BeyondRange the
  // largest amount searched; for Jump and LightLost the largest amount within the budget.
  double amount = 0.0;
  double addedWaves = 0.0;  // the RMS error it adds in quadrature, as traced
  // For a Jump, the amount just beyond (a kNarrowestBracket step further) and the error
  // it adds.
  double beyondAmount = 0.0;
  double beyondWaves = 0.0;
  // True when the budget lies below what the trace resolves (ResolvedWaves): the amount
  // then solves a x^2 + b x = budget^2 with a and b traced where the error is resolved,
  // and addedWaves is the budget.
  bool fromGrowth = false;
  AxisWavefront axis;  // the axis image at `amount`
  int traces = 0;      // exact traces made by the search
};

// The least added RMS error (waves) the trace resolves on the axis, kResolvedFactor
// times its rounding: the optical paths, some 2 d + b + F long, are rounded to a part in
// 2^52 of their length in waves, e per ray, and the added variance rms^2 - rms0^2 to
// about 2 rms0 e + e^2.
double ResolvedWaves(const trace::Telescope& telescope, const AxisWavefront& aligned, double wavelength);

// Searches the sign `sign` (+1 or -1) of the kind for the budget (waves), from its
// probes about the aligned axis image `aligned`, up to the largest amount searched
// (SearchRange).
ToleranceFound SearchTolerance(const AxisProbe& probe, Misalignment kind,
                               const MisalignmentProbe& probes, const AxisWavefront& aligned,
                               double budgetWaves, int sign);

// The largest misalignment searched: a quarter of the secondary's distance from the
// primary, a quarter of its radius, five degrees. A tolerance beyond is no longer one.
double SearchRange(const trace::Telescope& telescope, Misalignment kind);

// The tolerance of the kind: for a despace the tighter of the two signs, for the
// others the positive side (coma's variance is even in the misalignment).
ToleranceFound FindTolerance(const AxisProbe& probe, Misalignment kind,
                             const MisalignmentProbe& probes, const AxisWavefront& aligned,
                             double budgetWaves);

}  // namespace spekulor::collimation

#endif
