#include "DesignPictures.h"

#include "LayoutPicture.h"
#include "RayTrace.h"
#include "SpotPicture.h"

DesignPictures DrawDesignPictures(const Calculation& calculation, int spotRays) {
  DesignPictures pictures;
  const DesignResult& design = calculation.design;
  const std::string problem = TelescopeProblem(design);
  if (!problem.empty()) {
    pictures.errorText = "Cannot trace this design: " + problem;
    return pictures;
  }
  const TelescopeType type = calculation.read.type;
  const LengthUnit unit = calculation.read.unit;
  pictures.spots = ComputeSpotSet(design, unit, spotRays);
  pictures.layout = BuildLayoutPicture(design, type, unit);
  pictures.spotDrawing = BuildSpotPicture(pictures.spots, design, type, unit);
  return pictures;
}
