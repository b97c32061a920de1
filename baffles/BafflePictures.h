// The page "Baffles and hole" of a completed design: its baffle plan (BafflePlan.h),
// the telescope in section with the hole and both baffles (BafflePicture.h) and the
// table of figures (BaffleTable.h), or why there are none.
#ifndef SPEKULOR_BAFFLES_BAFFLEPICTURES_H
#define SPEKULOR_BAFFLES_BAFFLEPICTURES_H

#include <string>
#include <vector>

#include "baffles/BafflePlan.h"
#include "calc/Calculate.h"
#include "drawing/Drawing.h"

namespace spekulor::baffles {

struct BafflePictures {
  // Empty when the design was baffled; otherwise why not: the refusal box's text for
  // a refused design, else the plan's problem (BaffleRefusalText).
  std::string errorText;
  BafflePlan plan;                // the figures, for a design that was baffled
  // Top to bottom: the section, then the table of figures. For a design that cannot
  // be baffled but whose focus travel is known (plan.focusKnown), shown with the
  // errorText: the focus travel's table (BuildFocusTravelDrawing) alone.
  std::vector<drawing::Drawing> drawings;
  bool ok() const { return errorText.empty(); }
};

// The plan and the drawings of `calculation`, the primary's thickness and the wanted
// focus clearance taken from `options` (the defaults: a 1:6 blank, the focus anywhere
// behind its back).
BafflePictures DrawBafflePictures(const calc::Calculation& calculation,
                                  const BaffleOptions& options = BaffleOptions());

}  // namespace spekulor::baffles

#endif
