// Collimation tolerances of a completed design: how the secondary's despace, decenter
// and tilt change the axis image (Sensitivities.h), the coma-free pivot, and for each
// kind the misalignment that alone adds a given RMS wavefront error on the axis
// (ToleranceSearch.h), all on the exact trace.
#ifndef SPEKULOR_COLLIMATION_TOLERANCES_H
#define SPEKULOR_COLLIMATION_TOLERANCES_H

#include <array>
#include <string>

#include "calc/DesignInput.h"
#include "calc/DesignResult.h"
#include "calc/OpticalConstants.h"
#include "collimation/Misalignment.h"
#include "collimation/Sensitivities.h"
#include "quality/CentralObstruction.h"
#include "quality/QualityProblem.h"
#include "quality/Spider.h"
#include "trace/SpotDiagram.h"
#include "collimation/ToleranceSearch.h"

namespace spekulor::collimation {

// The error budget: 0.05 waves RMS, a quarter of the Marechal criterion's 0.07 for a
// diffraction-limited image spent on a single misalignment.
constexpr double kDefaultBudgetWaves = 0.05;
// The budgets the analysis is asked for: above 0 (the least a user means) and at most
// one wave, far beyond any useful image.
constexpr double kLeastBudgetWaves = 1e-6;
constexpr double kMostBudgetWaves = 1.0;
// Pupil cells across the primary for the tolerance traces: the coefficients agree with
// those of a grid twice as fine to 1e-4, at a quarter of the work.
constexpr int kToleranceGrid = 64;

struct ToleranceOptions {
  double budgetWaves = kDefaultBudgetWaves;  // waves RMS at the wavelength
  double wavelengthNm = calc::kReferenceWavelengthNm;
  int gridSize = kToleranceGrid;
  // The pupil's central obstruction, in every trace; the spider's vanes, in the point
  // images (CollimationImages.h).
  quality::CentralObstruction obstruction;
  quality::Spider spider;
};

// Why a design is not analysed, as the image-quality analysis refuses a field point
// (QualitySetProblem), here for the aligned axis image on the tolerances' own pupil
// grid. The figures of a refusal are in the analysis: the options, the trace problem,
// the aligned axis image.
enum class ToleranceRefusal {
  None,
  BudgetOutOfRange,      // ToleranceOptionsProblem
  WavelengthOutOfRange,  // ToleranceOptionsProblem
  GridOutOfRange,        // ToleranceOptionsProblem
  Telescope,  // TelescopeProblem (ToleranceAnalysis::trace): the design cannot be traced
  PupilStops, // PupilStopsProblem (ToleranceAnalysis::stops): the obstruction or the spider does not fit
  LightLost,  // fewer than half the rays that pass the secondary reach the image
  TooSteep    // the wavefront changes by more than kLargestWaveStep from cell to cell:
              // the image is far from the diffraction limit
};

struct ToleranceAnalysis {
  ToleranceRefusal refusal = ToleranceRefusal::None;
  trace::TraceProblem trace;   // why the design cannot be traced, for ToleranceRefusal::Telescope
  quality::QualityProblem stops;  // ToleranceRefusal::PupilStops
  ToleranceOptions options;
  calc::LengthUnit unit = calc::LengthUnit::Millimetre;
  double wavelength = 0.0;      // design unit
  AxisWavefront aligned;        // the design's own axis image
  double resolvedWaves = 0.0;   // the least added error the trace resolves (ResolvedWaves)
  Sensitivities sensitivities;
  quality::SpiderFigures spider;  // what the vanes cost the perfect aperture, on the grid
  std::array<ToleranceFound, kMisalignments.size()> tolerances;  // in kMisalignments' order
  bool ok() const { return refusal == ToleranceRefusal::None; }
  const ToleranceFound& Tolerance(Misalignment kind) const {
    return tolerances[static_cast<size_t>(kind)];
  }
};

// Why the options cannot be used (one of the three ...OutOfRange), or None: the budget
// must lie in (0, 1] waves, the wavelength and the grid in the ranges the image-quality
// analysis accepts (kLeastWavelengthNm to kMostWavelengthNm, kLeastQualityGrid to
// kMostQualityGrid).
ToleranceRefusal ToleranceOptionsProblem(const ToleranceOptions& options);

// The whole analysis of a completed design in `unit`. A design that cannot be traced
// (TelescopeProblem), that the obstruction or the spider does not fit, whose aligned axis image loses half its light or whose aligned
// wavefront is too steep for the pupil grid gives only the refusal.
ToleranceAnalysis AnalyseTolerances(const calc::DesignResult& design, calc::LengthUnit unit,
                                    const ToleranceOptions& options);

// The refusal as the program says it, Windows-1252, the one place that words it:
// "Cannot analyse this design: " and the detail for options and designs that cannot be
// traced, and in the image-quality analysis' words for an axis image it would refuse.
std::string ToleranceRefusalText(const ToleranceAnalysis& analysis);

// Whether the aligned design's own axis error is already above the budget.
bool AlignedAboveBudget(const ToleranceAnalysis& analysis);

}  // namespace spekulor::collimation

#endif
