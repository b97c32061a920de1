#include "trace/DesignPictures.h"

#include "trace/LayoutPicture.h"
#include "trace/SpotPicture.h"

using namespace spekulor::calc;

namespace spekulor::trace {

DesignPictures DrawDesignPictures(const Calculation& calculation, int spotRays) {
  return DrawDesignPictures(calculation, spotRays, SecondaryPerturbation{});
}

DesignPictures DrawDesignPictures(const Calculation& calculation, int spotRays,
                                  const SecondaryPerturbation& secondary) {
  DesignPictures pictures;
  if (calculation.rules.error != CalcError::None) {
    pictures.errorText = FormatCalcError(calculation.rules);
    return pictures;
  }
  const DesignResult& design = calculation.design;
  const TelescopeType type = calculation.read.type;
  const LengthUnit unit = calculation.read.unit;
  SpotTrace trace = TraceSpots(design, unit, spotRays, secondary);
  if (!trace.ok()) {
    pictures.errorText = TraceRefusalText(trace.problem);
    return pictures;
  }
  pictures.spots = std::move(trace.spots);
  pictures.layout = BuildLayoutPicture(design, type, unit);
  pictures.spotDrawing = BuildSpotPicture(pictures.spots, design, type, unit,
                                          SecondaryCondition(secondary, unit));
  return pictures;
}

}  // namespace spekulor::trace
