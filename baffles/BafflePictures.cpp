#include "baffles/BafflePictures.h"

#include "baffles/BafflePicture.h"
#include "baffles/BaffleTable.h"

using namespace spekulor::calc;

namespace spekulor::baffles {

BafflePictures DrawBafflePictures(const Calculation& calculation, const BaffleOptions& options) {
  BafflePictures pictures;
  if (calculation.rules.error != CalcError::None) {
    pictures.errorText = FormatCalcError(calculation.rules);
    return pictures;
  }
  const DesignResult& design = calculation.design;
  const TelescopeType type = calculation.read.type;
  const LengthUnit unit = calculation.read.unit;
  pictures.plan = PlanBaffles(design, options);
  if (!pictures.plan.ok()) {
    pictures.errorText = BaffleRefusalText(pictures.plan.problem);
    if (pictures.plan.focusKnown) {
      pictures.drawings.push_back(BuildFocusTravelDrawing(pictures.plan, design, type, unit));
    }
    return pictures;
  }
  pictures.drawings.push_back(BuildBafflePicture(pictures.plan, design, type, unit));
  pictures.drawings.push_back(BuildBaffleTableDrawing(pictures.plan, design, type, unit));
  return pictures;
}

}  // namespace spekulor::baffles
