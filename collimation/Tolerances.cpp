#include "collimation/Tolerances.h"

#include "trace/Drawing.h"
#include "quality/QualityConstants.h"
#include "trace/RayTrace.h"
#include "support/Units.h"

ToleranceRefusal ToleranceOptionsProblem(const ToleranceOptions& options) {
  if (!(options.budgetWaves > 0.0 && options.budgetWaves <= 1.0)) {
    return ToleranceRefusal::BudgetOutOfRange;
  }
  if (!(options.wavelengthNm >= 300.0 && options.wavelengthNm <= 3000.0)) {
    return ToleranceRefusal::WavelengthOutOfRange;
  }
  if (!(options.gridSize >= 16 && options.gridSize <= 512)) {
    return ToleranceRefusal::GridOutOfRange;
  }
  return ToleranceRefusal::None;
}

ToleranceAnalysis AnalyseTolerances(const DesignResult& design, LengthUnit unit,
                                    const ToleranceOptions& options) {
  ToleranceAnalysis analysis;
  analysis.options = options;
  analysis.unit = unit;
  analysis.refusal = ToleranceOptionsProblem(options);
  if (!analysis.ok()) return analysis;
  analysis.trace = TelescopeProblem(design);
  if (!analysis.trace.ok()) {
    analysis.refusal = ToleranceRefusal::Telescope;
    return analysis;
  }

  const double millimetresPerUnit = unit == LengthUnit::Inch ? kMillimetresPerInch : 1.0;
  analysis.wavelength = options.wavelengthNm * 1e-6 / millimetresPerUnit;
  const AxisProbe probe{BuildTelescope(design), options.gridSize, analysis.wavelength};
  analysis.aligned = MeasureAxis(probe, SecondaryPerturbation{});
  const AxisWavefront& aligned = analysis.aligned;
  if (!HoldsTheLight(aligned)) {
    analysis.refusal = ToleranceRefusal::LightLost;
  } else if (!(aligned.largestWaveStep <= kLargestWaveStep)) {
    analysis.refusal = ToleranceRefusal::TooSteep;
  }
  if (!analysis.ok()) return analysis;
  analysis.resolvedWaves = ResolvedWaves(probe.telescope, aligned, analysis.wavelength);
  analysis.sensitivities = MeasureSensitivities(probe, options.wavelengthNm);
  for (size_t i = 0; i < kMisalignments.size(); ++i) {
    analysis.tolerances[i] = FindTolerance(probe, kMisalignments[i],
                                           analysis.sensitivities.probes[i], analysis.aligned,
                                           options.budgetWaves);
  }
  return analysis;
}

std::string ToleranceRefusalText(const ToleranceAnalysis& analysis) {
  const std::string cannot = "Cannot analyse this design: ";
  const AxisWavefront& aligned = analysis.aligned;
  switch (analysis.refusal) {
    case ToleranceRefusal::None:
      return std::string();
    case ToleranceRefusal::BudgetOutOfRange:
      return cannot + "the wavefront error budget must lie above 0 and at most 1 wave";
    case ToleranceRefusal::WavelengthOutOfRange:
      return cannot + "the wavelength must lie between 300 and 3000 nm";
    case ToleranceRefusal::GridOutOfRange:
      return cannot + "the pupil grid must have 16 to 512 cells across";
    case ToleranceRefusal::Telescope:
      return cannot + DescribeTraceProblem(analysis.trace);
    case ToleranceRefusal::LightLost:
      // In the image-quality analysis' words for a field point it refuses.
      return TraceRefusalText(LightLostProblem(aligned.raysImaged, aligned.raysPassing, 0.0));
    case ToleranceRefusal::TooSteep:
      return "Cannot analyse the collimation: on the axis the wavefront changes by " +
             FormatFixed(aligned.largestWaveStep, 2) +
             " waves from one pupil cell to the next, too fast for the pupil grid of " +
             std::to_string(analysis.options.gridSize) +
             " the tolerances are traced on. The image is far from the diffraction limit: see "
             "the spot diagrams.";
  }
  return std::string();
}

bool AlignedAboveBudget(const ToleranceAnalysis& analysis) {
  return analysis.ok() && analysis.aligned.rmsWaves > analysis.options.budgetWaves;
}
