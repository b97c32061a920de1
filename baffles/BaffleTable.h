// The figures of a baffle plan as rows, written once, and their two renderings: the
// readable table of spekulor-cli and the table drawn under the picture in the
// pictures window. Texts are Windows-1252.
#ifndef SPEKULOR_BAFFLES_BAFFLETABLE_H
#define SPEKULOR_BAFFLES_BAFFLETABLE_H

#include <string>
#include <vector>

#include "baffles/BafflePlan.h"
#include "calc/DesignInput.h"
#include "drawing/Drawing.h"

namespace spekulor::baffles {

struct BaffleRow {
  std::string label;       // a leading indent marks a detail of the row above
  std::string value;       // with its unit
  std::string firstOrder;  // the first-order value, or empty where there is none
};

struct BaffleBlock {
  std::string heading;
  std::vector<BaffleRow> rows;
};

// Three blocks: the hole and the baffles (exact trace and first order), the focus
// travel, and the two checks. For a plan that succeeded (plan.ok()).
std::vector<BaffleBlock> BaffleBlocks(const BafflePlan& plan, calc::LengthUnit unit);

// The focus travel's block alone, for any plan whose focus travel is known
// (plan.focusKnown), baffled or not.
BaffleBlock FocusTravelBlock(const BafflePlan& plan, calc::LengthUnit unit);

// "Baffles and central hole of the <type>", the field and image circle, then the
// blocks as aligned columns; LF line ends.
std::string FormatBaffleTable(const BafflePlan& plan, const calc::DesignResult& design,
                              calc::TelescopeType type, calc::LengthUnit unit);

// The same blocks as a drawing: a bold heading a block, labels on the left, the
// exact values and the first-order ones in grey in right-aligned columns.
drawing::Drawing BuildBaffleTableDrawing(const BafflePlan& plan, const calc::DesignResult& design,
                                calc::TelescopeType type, calc::LengthUnit unit);

// "Focus travel of the <type>", the field and image circle, and the focus travel's
// block, drawn as the table above: what the page shows of a design whose baffles
// cannot be planned (plan.focusKnown).
drawing::Drawing BuildFocusTravelDrawing(const BafflePlan& plan, const calc::DesignResult& design,
                                calc::TelescopeType type, calc::LengthUnit unit);

}  // namespace spekulor::baffles

#endif
