#include "quality/QualityPictures.h"

#include "quality/QualityPicture.h"
#include "trace/RayTrace.h"

namespace {

// Everything but the analysis itself: why the calculation cannot be analysed, or "".
std::string CalculationProblem(const Calculation& calculation, const QualityOptions& options) {
  if (calculation.rules.error != CalcError::None) return FormatCalcError(calculation.rules);
  const std::string problem = TelescopeProblem(calculation.design);
  if (!problem.empty()) return "Cannot trace this design: " + problem;
  const std::string optionsProblem = QualityOptionsProblem(options);
  if (!optionsProblem.empty()) return "Cannot analyse the image quality: " + optionsProblem;
  const std::string moved =
      PerturbationProblem(BuildTelescope(calculation.design), options.secondary);
  if (!moved.empty()) return "Cannot trace this design: " + moved;
  return std::string();
}

QualityPictures Finish(const Calculation& calculation, QualitySet quality, MessageReader reader) {
  QualityPictures pictures;
  pictures.errorText = QualityProblem(quality, reader);
  if (!pictures.ok()) return pictures;
  pictures.drawings.push_back(BuildQualityPicture(quality, calculation.design,
                                                  calculation.read.type, calculation.read.unit));
  pictures.quality = std::move(quality);
  return pictures;
}

}  // namespace

QualityPictures DrawQualityPictures(const Calculation& calculation, const QualityOptions& options,
                                    MessageReader reader) {
  QualityPictures pictures;
  pictures.errorText = CalculationProblem(calculation, options);
  if (!pictures.ok()) return pictures;
  return Finish(calculation,
                ComputeImageQuality(calculation.design, calculation.read.unit, options), reader);
}

QualityPictures DrawQualityPictures(const Calculation& calculation, const QualityOptions& options,
                                    QualityWorkspace& workspace, MessageReader reader) {
  QualityPictures pictures;
  pictures.errorText = CalculationProblem(calculation, options);
  if (!pictures.ok()) return pictures;
  return Finish(calculation,
                ComputeImageQuality(calculation.design, calculation.read.unit, options, workspace),
                reader);
}
