#include "collimation/Tolerances.h"

#include "drawing/Drawing.h"
#include "quality/ImageQuality.h"
#include "quality/QualityConstants.h"
#include "trace/RayTrace.h"
#include "support/Units.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::trace;
using namespace spekulor::quality;

namespace spekulor::collimation {

ToleranceRefusal ToleranceOptionsProblem(const ToleranceOptions& options) {
  if (!(options.budgetWaves > 0.0 && options.budgetWaves <= 1.0)) {
    return ToleranceRefusal::BudgetOutOfRange;
  }
  if (!(options.wavelengthNm >= kLeastWavelengthNm && options.wavelengthNm <= kMostWavelengthNm)) {
    return ToleranceRefusal::WavelengthOutOfRange;
  }
  if (!(options.gridSize >= kLeastQualityGrid && options.gridSize <= kMostQualityGrid)) {
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

  analysis.stops = PupilStopsProblem(design, options.obstruction, options.spider);
  if (!analysis.stops.ok()) {
    analysis.refusal = ToleranceRefusal::PupilStops;
    return analysis;
  }

  analysis.wavelength = options.wavelengthNm * kMillimetresPerNanometre / MillimetresPerUnit(unit);
  const AxisProbe probe{ObstructedTelescope(BuildTelescope(design), design, options.obstruction),
                        options.gridSize, analysis.wavelength};
  analysis.aligned = MeasureAxis(probe, SecondaryPerturbation{});
  const AxisWavefront& aligned = analysis.aligned;
  if (!HoldsTheLight(aligned)) {
    analysis.refusal = ToleranceRefusal::LightLost;
  } else if (!(aligned.largestWaveStep <= kLargestWaveStep)) {
    analysis.refusal = ToleranceRefusal::TooSteep;
  }
  if (!analysis.ok()) return analysis;
  analysis.resolvedWaves = ResolvedWaves(probe.telescope, aligned, analysis.wavelength);
  analysis.spider =
      MeasureSpider(options.spider, design.PriDia,
                    ObstructionDiameter(design, options.obstruction) / design.PriDia, options.gridSize);
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
      return cannot + "the wavelength must lie between " + FormatFixed(kLeastWavelengthNm, 0) +
             " and " + FormatFixed(kMostWavelengthNm, 0) + " nm";
    case ToleranceRefusal::GridOutOfRange:
      return cannot + "the pupil grid must have " + std::to_string(kLeastQualityGrid) + " to " +
             std::to_string(kMostQualityGrid) + " cells across";
    case ToleranceRefusal::Telescope:
      return cannot + DescribeTraceProblem(analysis.trace);
    case ToleranceRefusal::PupilStops:
      return QualityRefusalText(analysis.stops);
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

}  // namespace spekulor::collimation
