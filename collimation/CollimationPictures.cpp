#include "collimation/CollimationPictures.h"

#include "collimation/CollimationPicture.h"
#include "collimation/ToleranceText.h"

using namespace spekulor::calc;

namespace spekulor::collimation {

CollimationPictures DrawCollimationPictures(const Calculation& calculation,
                                            const ToleranceOptions& options) {
  CollimationPictures pictures;
  if (calculation.rules.error != CalcError::None) {
    pictures.errorText = FormatCalcError(calculation.rules);
    return pictures;
  }
  const DesignResult& design = calculation.design;
  const TelescopeType type = calculation.read.type;
  pictures.analysis = AnalyseTolerances(design, calculation.read.unit, options);
  if (!pictures.analysis.ok()) {
    pictures.errorText = ToleranceRefusalText(pictures.analysis);
    return pictures;
  }
  pictures.images = ComputeCollimationImages(design, pictures.analysis);
  pictures.tableText = FormatToleranceTable(pictures.analysis, type);
  pictures.table = BuildToleranceTablePicture(pictures.analysis, type);
  pictures.axisImages = BuildCollimationImagesPicture(pictures.images, pictures.analysis, design, type);
  return pictures;
}

}  // namespace spekulor::collimation
