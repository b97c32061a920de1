// The "Collimation" page of the pictures window, in one call: the tolerance analysis of
// a calculation, its table as text and as a picture, and the axis images at the
// tolerances beside the aligned design.
#ifndef SPEKULOR_COLLIMATION_COLLIMATIONPICTURES_H
#define SPEKULOR_COLLIMATION_COLLIMATIONPICTURES_H

#include <string>

#include "calc/Calculate.h"
#include "collimation/CollimationImages.h"
#include "drawing/Drawing.h"
#include "collimation/Tolerances.h"

namespace spekulor::collimation {

struct CollimationPictures {
  // Empty when the design was analysed; otherwise why not: the refusal box's text for a
  // refused design, else the analysis' refusal (ToleranceRefusalText).
  std::string errorText;
  ToleranceAnalysis analysis;
  CollimationImageSet images;
  std::string tableText;  // FormatToleranceTable, Windows-1252 with LF line ends
  drawing::Drawing table;          // the same table as a picture
  drawing::Drawing axisImages;     // spots and point images, aligned and at each tolerance
  bool ok() const { return errorText.empty(); }
};

CollimationPictures DrawCollimationPictures(const calc::Calculation& calculation,
                                            const ToleranceOptions& options);

}  // namespace spekulor::collimation

#endif
