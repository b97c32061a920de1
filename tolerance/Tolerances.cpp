#include "Tolerances.h"

#include "RayTrace.h"
#include "Units.h"

std::string ToleranceOptionsProblem(const ToleranceOptions& options) {
  if (!(options.budgetWaves > 0.0 && options.budgetWaves <= 1.0)) {
    return "the wavefront error budget must lie above 0 and at most 1 wave";
  }
  if (!(options.wavelengthNm >= 300.0 && options.wavelengthNm <= 3000.0)) {
    return "the wavelength must lie between 300 and 3000 nm";
  }
  if (!(options.gridSize >= 16 && options.gridSize <= 512)) {
    return "the pupil grid must have 16 to 512 cells across";
  }
  return std::string();
}

ToleranceAnalysis AnalyseTolerances(const DesignResult& design, LengthUnit unit,
                                    const ToleranceOptions& options) {
  ToleranceAnalysis analysis;
  analysis.options = options;
  analysis.unit = unit;
  analysis.problem = ToleranceOptionsProblem(options);
  if (!analysis.problem.empty()) return analysis;
  analysis.problem = TelescopeProblem(design);
  if (!analysis.problem.empty()) return analysis;

  const double millimetresPerUnit = unit == LengthUnit::Inch ? kMillimetresPerInch : 1.0;
  analysis.wavelength = options.wavelengthNm * 1e-6 / millimetresPerUnit;
  const AxisProbe probe{BuildTelescope(design), options.gridSize, analysis.wavelength};
  analysis.aligned = MeasureAxis(probe, SecondaryPerturbation{});
  if (!analysis.aligned.traced) {
    analysis.problem = "no light of a star on the axis reaches the image";
    return analysis;
  }
  analysis.sensitivities = MeasureSensitivities(probe, options.wavelengthNm);
  for (size_t i = 0; i < kMisalignments.size(); ++i) {
    analysis.tolerances[i] = FindTolerance(probe, kMisalignments[i],
                                           analysis.sensitivities.probes[i], analysis.aligned,
                                           options.budgetWaves);
  }
  return analysis;
}
