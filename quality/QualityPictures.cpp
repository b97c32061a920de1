#include "quality/QualityPictures.h"

#include "quality/QualityPicture.h"

using namespace spekulor::calc;
using namespace spekulor::trace;

namespace spekulor::quality {

namespace {

QualityPictures Finish(const Calculation& calculation, QualitySet quality, MessageReader reader) {
  QualityPictures pictures;
  pictures.errorText = QualityRefusalText(QualitySetProblem(quality), reader);
  if (!pictures.ok()) return pictures;
  pictures.drawings.push_back(BuildQualityPicture(quality, calculation.design,
                                                  calculation.read.type, calculation.read.unit));
  pictures.quality = std::move(quality);
  return pictures;
}

// Everything but the analysis itself: why the calculation cannot be analysed, or "".
std::string CalculationProblem(const Calculation& calculation, const QualityOptions& options,
                               MessageReader reader) {
  if (calculation.rules.error != CalcError::None) return FormatCalcError(calculation.rules);
  return QualityRefusalText(QualityInputsProblem(calculation.design, options), reader);
}

}  // namespace

QualityPictures DrawQualityPictures(const Calculation& calculation, const QualityOptions& options,
                                    MessageReader reader) {
  QualityPictures pictures;
  pictures.errorText = CalculationProblem(calculation, options, reader);
  if (!pictures.ok()) return pictures;
  return Finish(calculation,
                ComputeImageQuality(calculation.design, calculation.read.unit, options), reader);
}

QualityPictures DrawQualityPictures(const Calculation& calculation, const QualityOptions& options,
                                    QualityWorkspace& workspace, MessageReader reader) {
  QualityPictures pictures;
  pictures.errorText = CalculationProblem(calculation, options, reader);
  if (!pictures.ok()) return pictures;
  return Finish(calculation,
                ComputeImageQuality(calculation.design, calculation.read.unit, options, workspace),
                reader);
}

}  // namespace spekulor::quality
