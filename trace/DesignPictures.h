// The exact trace of a completed design and both of its pictures: the telescope in
// section and the spot diagrams.
#ifndef SPEKULOR_TRACE_DESIGNPICTURES_H
#define SPEKULOR_TRACE_DESIGNPICTURES_H

#include <string>

#include "Calculate.h"
#include "Drawing.h"
#include "SpotDiagram.h"

struct DesignPictures {
  // Empty when the design was traced; otherwise why it cannot be:
  // "Cannot trace this design: " and the reason.
  std::string errorText;
  SpotSet spots;
  Drawing layout;
  Drawing spotDrawing;
  bool ok() const { return errorText.empty(); }
};

// `calculation` must have passed the required-input rules.
DesignPictures DrawDesignPictures(const Calculation& calculation, int spotRays);

#endif
