#include "DesignPictures.h"

#include "Calculate.h"
#include "LayoutPicture.h"
#include "RayTrace.h"
#include "SpotDiagram.h"
#include "SpotPicture.h"

DesignPictures DrawDesignPictures(const DesignFields& fields, int spotRays) {
  DesignPictures pictures;
  const Calculation calculation = CompleteDesign(fields);
  if (calculation.rules.error != CalcError::None) {
    pictures.errorText = FormatCalcError(calculation.rules);
    return pictures;
  }
  const DesignResult& design = calculation.design;
  const std::string problem = TelescopeProblem(design);
  if (!problem.empty()) {
    pictures.errorText = "Cannot trace this design: " + problem;
    return pictures;
  }
  const TelescopeType type = calculation.read.type;
  const LengthUnit unit = calculation.read.unit;
  pictures.layout = BuildLayoutPicture(design, type, unit);
  pictures.spots = BuildSpotPicture(ComputeSpotSet(design, unit, spotRays), design, type, unit);
  return pictures;
}
