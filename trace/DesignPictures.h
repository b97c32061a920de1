// The exact trace of a completed design and both of its pictures: the telescope in
// section and the spot diagrams.
#ifndef SPEKULOR_TRACE_DESIGNPICTURES_H
#define SPEKULOR_TRACE_DESIGNPICTURES_H

#include <string>

#include "calc/Calculate.h"
#include "drawing/Drawing.h"
#include "trace/SecondaryPerturbation.h"
#include "trace/SpotDiagram.h"

namespace spekulor::trace {

struct DesignPictures {
  // Empty when the design was traced; otherwise why it cannot be: the refusal box's
  // text for a refused design, else "Cannot trace this design: " and the reason.
  std::string errorText;
  SpotSet spots;
  drawing::Drawing layout;
  drawing::Drawing spotDrawing;
  bool ok() const { return errorText.empty(); }
};

// A refused `calculation` gives its refusal; a design whose trace loses more than
// half of the rays that pass the secondary at any field point is not drawn.
DesignPictures DrawDesignPictures(const calc::Calculation& calculation, int spotRays);

// The same with the secondary moved for the spot diagrams (whose title says so); the
// layout shows the design as it is. A perturbation the trace cannot take (see
// PerturbationProblem) is not drawn.
DesignPictures DrawDesignPictures(const calc::Calculation& calculation, int spotRays,
                                  const SecondaryPerturbation& secondary);

}  // namespace spekulor::trace

#endif
