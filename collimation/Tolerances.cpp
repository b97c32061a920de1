#include "collimation/Tolerances.h"

#include <utility>

#include "drawing/Drawing.h"
#include "quality/QualityConstants.h"
#include "trace/RayTrace.h"
#include "support/Units.h"

namespace {

// The detail of a refused aligned axis image, in the image-quality analysis' words for
// a field point it refuses.
std::string AxisRefusalDetail(const ToleranceAnalysis& analysis) {
  const AxisWavefront& aligned = analysis.aligned;
  if (analysis.refusal == ToleranceRefusal::LightLost) {
    return "only " + std::to_string(aligned.raysImaged) + " of the " +
           std::to_string(aligned.raysPassing) +
           " rays that pass the secondary reach the image on the axis";
  }
  return "on the axis the wavefront changes by " + FormatFixed(aligned.largestWaveStep, 2) +
         " waves from one pupil cell to the next, too fast for the pupil grid of " +
         std::to_string(analysis.options.gridSize) +
         " the tolerances are traced on. The image is far from the diffraction limit: see the "
         "spot diagrams.";
}

}  // namespace

std::string ToleranceOptionsProblem(const ToleranceOptions& options) {
  if (!(options.budgetWaves > 0.0 && options.budgetWaves <= 1.0)) {
    return "the wavefront error budget must lie above 0 and at most 1 wave";
  }
  if (!(options.wavelengthNm >= kLeastWavelengthNm && options.wavelengthNm <= kMostWavelengthNm)) {
    return "the wavelength must lie between " + FormatFixed(kLeastWavelengthNm, 0) + " and " +
           FormatFixed(kMostWavelengthNm, 0) + " nm";
  }
  if (!(options.gridSize >= kLeastQualityGrid && options.gridSize <= kMostQualityGrid)) {
    return "the pupil grid must have " + std::to_string(kLeastQualityGrid) + " to " +
           std::to_string(kMostQualityGrid) + " cells across";
  }
  return std::string();
}

ToleranceAnalysis AnalyseTolerances(const DesignResult& design, LengthUnit unit,
                                    const ToleranceOptions& options) {
  ToleranceAnalysis analysis;
  analysis.options = options;
  analysis.unit = unit;
  auto refuse = [&analysis](ToleranceRefusal refusal, std::string detail) {
    analysis.refusal = refusal;
    analysis.problem = std::move(detail);
    return analysis;
  };
  if (std::string problem = ToleranceOptionsProblem(options); !problem.empty()) {
    return refuse(ToleranceRefusal::Options, std::move(problem));
  }
  if (std::string problem = TelescopeProblem(design); !problem.empty()) {
    return refuse(ToleranceRefusal::Telescope, std::move(problem));
  }

  analysis.wavelength = options.wavelengthNm * kMillimetresPerNanometre / MillimetresPerUnit(unit);
  const AxisProbe probe{BuildTelescope(design), options.gridSize, analysis.wavelength};
  analysis.aligned = MeasureAxis(probe, SecondaryPerturbation{});
  const AxisWavefront& aligned = analysis.aligned;
  if (!HoldsTheLight(aligned)) {
    analysis.refusal = ToleranceRefusal::LightLost;
  } else if (!(aligned.largestWaveStep <= kLargestWaveStep)) {
    analysis.refusal = ToleranceRefusal::TooSteep;
  }
  if (!analysis.ok()) {
    analysis.problem = AxisRefusalDetail(analysis);
    return analysis;
  }
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
  switch (analysis.refusal) {
    case ToleranceRefusal::None:
      return std::string();
    case ToleranceRefusal::Options:
    case ToleranceRefusal::Telescope:
      return "Cannot analyse this design: " + analysis.problem;
    case ToleranceRefusal::LightLost:
      return "Cannot trace this design: " + analysis.problem;
    case ToleranceRefusal::TooSteep:
      return "Cannot analyse the collimation: " + analysis.problem;
  }
  return std::string();
}

bool AlignedAboveBudget(const ToleranceAnalysis& analysis) {
  return analysis.ok() && analysis.aligned.rmsWaves > analysis.options.budgetWaves;
}
