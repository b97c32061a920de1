// The figures of a baffle study as rows, once, for the readable table of spekulor-cli
// and the table under the picture. Texts are Windows-1252.
#ifndef SPEKULOR_BAFFLES_BAFFLETABLE_H
#define SPEKULOR_BAFFLES_BAFFLETABLE_H

#include <string>
#include <vector>

#include "BafflePlan.h"
#include "DesignInput.h"

struct BaffleRow {
  std::string label;
  std::string value;       // with its unit
  std::string firstOrder;  // the first-order value, or empty where there is none
};

struct BaffleBlock {
  std::string heading;
  std::vector<BaffleRow> rows;
};

// Three blocks: the hole and the baffles (exact and first order), the focus travel,
// and the two checks. For a plan that succeeded (plan.ok()).
std::vector<BaffleBlock> BaffleBlocks(const BafflePlan& plan, LengthUnit unit);

// "Baffles and central hole of the <design>", the field and image circle, then the
// blocks as aligned columns; LF line ends.
std::string FormatBaffleTable(const BafflePlan& plan, const DesignResult& design,
                              TelescopeType type, LengthUnit unit);

#endif
