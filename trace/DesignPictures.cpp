#include "trace/DesignPictures.h"

#include "trace/LayoutPicture.h"
#include "trace/RayTrace.h"
#include "trace/SpotPicture.h"

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
  const std::string problem = TelescopeProblem(design);
  if (!problem.empty()) {
    pictures.errorText = "Cannot trace this design: " + problem;
    return pictures;
  }
  const std::string misplaced = PerturbationProblem(BuildTelescope(design), secondary);
  if (!misplaced.empty()) {
    pictures.errorText = "Cannot trace this design: " + misplaced;
    return pictures;
  }
  const TelescopeType type = calculation.read.type;
  const LengthUnit unit = calculation.read.unit;
  pictures.spots = ComputeSpotSet(design, unit, spotRays, secondary);
  const std::string lost = SpotSetProblem(pictures.spots);
  if (!lost.empty()) {
    pictures.errorText = "Cannot trace this design: " + lost;
    return pictures;
  }
  pictures.layout = BuildLayoutPicture(design, type, unit);
  pictures.spotDrawing = BuildSpotPicture(
      pictures.spots, design, type, unit,
      IsAligned(secondary) ? std::string() : DescribeSecondaryPerturbation(secondary, unit));
  return pictures;
}
