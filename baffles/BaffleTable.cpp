#include "baffles/BaffleTable.h"

#include <algorithm>

#include "drawing/Formats.h"
#include "drawing/Palette.h"
#include "drawing/PictureParts.h"
#include "drawing/Table.h"
#include "trace/LengthText.h"
#include "support/TextColumns.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::trace;
using namespace spekulor::support;

namespace spekulor::baffles {

namespace {

constexpr size_t kLabelWidth = 46;
constexpr size_t kValueWidth = 14;

// The drawing's margin and rows, in pixels.
constexpr double kTableMargin = 40.0;
constexpr double kTableRowHeight = 18.0;
constexpr double kIndent = 14.0;
constexpr double kFirstRow = 80.0;
// Wide enough for the title rows of a table that is narrower than they are.
constexpr double kLeastWidth = 670.0;

bool HasFirstOrder(const BaffleBlock& block) {
  return std::any_of(block.rows.begin(), block.rows.end(),
                     [](const BaffleRow& row) { return !row.firstOrder.empty(); });
}

std::string Heading(TelescopeType type) {
  return std::string("Baffles and central hole of the ") + TelescopeTypeName(type);
}

std::string FieldLine(const BafflePlan& plan, const DesignResult& design, LengthUnit unit) {
  return "Fully illuminated field " + FormatFixed(design.FieldAng, 3) + "\xB0, image circle " +
         LengthText(2.0 * plan.frame.imageRadius, unit) + " across";
}

}  // namespace

BaffleBlock FocusTravelBlock(const BafflePlan& plan, LengthUnit unit) {
  const FocusTravel& focus = plan.focus;
  const double back = -focus.primaryBackZ;
  return {
      "Focus travel",
      {{"Back focus gained per unit of spacing lost", FormatFixed(focus.backFocusPerSpacing, 4), ""},
       {"Primary's back behind its vertex", LengthText(back, unit), ""},
       {"Focus behind the primary's back", LengthText(plan.frame.backFocus - back, unit), ""},
       {"Focus wanted behind the primary's back", LengthText(focus.clearance, unit), ""},
       {"  largest mirror distance giving it", LengthText(focus.largestSpacing, unit), ""},
       focus.spacingSlack >= 0.0
           ? BaffleRow{"  the secondary may move away by", LengthText(focus.spacingSlack, unit), ""}
           : BaffleRow{"  the secondary must come closer by", LengthText(-focus.spacingSlack, unit), ""},
       {"Mirror distance sending the focus to infinity", LengthText(focus.focusAtInfinity, unit), ""}}};
}

std::vector<BaffleBlock> BaffleBlocks(const BafflePlan& plan, LengthUnit unit) {
  const BaffleFrame& f = plan.frame;
  const BafflePair& exact = plan.baffles;
  const BafflePair& first = plan.firstOrder;
  const double firstArea = plan.firstOrderLinearObstruction * plan.firstOrderLinearObstruction;
  BaffleBlock hole{"Hole and baffles",
                   {{"Image circle diameter", LengthText(2.0 * f.imageRadius, unit), ""},
                    {"Central hole diameter", LengthText(plan.hole, unit), LengthText(plan.firstOrderHole, unit)}}};
  if (2.0 * plan.parts.boreRadius > plan.hole) {
    hole.rows.push_back({"  bored to take the primary baffle", LengthText(2.0 * plan.parts.boreRadius, unit), ""});
  }
  const std::vector<BaffleRow> baffles = {
      {"Secondary baffle diameter", LengthText(2.0 * exact.skirtRadius, unit),
       LengthText(2.0 * first.skirtRadius, unit)},
      {"  its open end below the secondary", LengthText(f.spacing - exact.skirtZ, unit),
       LengthText(f.spacing - first.skirtZ, unit)},
      {"Primary baffle diameter", LengthText(2.0 * exact.tubeRadius, unit),
       LengthText(2.0 * first.tubeRadius, unit)},
      {"  its mouth in front of the primary", LengthText(exact.tubeZ, unit), LengthText(first.tubeZ, unit)},
      {"Obstruction, diameter", FormatPercent(plan.linearObstruction, 2),
       FormatPercent(plan.firstOrderLinearObstruction, 2)},
      {"Obstruction, area", FormatPercent(plan.areaObstruction, 2), FormatPercent(firstArea, 2)}};
  hole.rows.insert(hole.rows.end(), baffles.begin(), baffles.end());

  BaffleBlock checks{
      "Checks by the exact trace",
      {{"Rays of the field traced", std::to_string(plan.fieldRays.rays), ""},
       {"  blocked by a baffle or the hole", std::to_string(plan.fieldRays.blocked), ""},
       {"Straight lines from the image circle tried", std::to_string(plan.skyLines.lines), ""},
       {"  reaching the sky", std::to_string(plan.skyLines.reaching), ""}}};
  return {hole, FocusTravelBlock(plan, unit), checks};
}

std::string FormatBaffleTable(const BafflePlan& plan, const DesignResult& design,
                              TelescopeType type, LengthUnit unit) {
  std::string out = Heading(type) + "\n" + FieldLine(plan, design, unit) + "\n";
  for (const BaffleBlock& block : BaffleBlocks(plan, unit)) {
    out += "\n";
    out += HasFirstOrder(block) ? PadRight(block.heading, kLabelWidth) +
                                      PadLeft("Exact trace", kValueWidth) +
                                      PadLeft("First order", kValueWidth)
                                : block.heading;
    out += "\n";
    for (const BaffleRow& row : block.rows) {
      std::string line = PadRight(row.label, kLabelWidth) + PadLeft(row.value, kValueWidth);
      if (!row.firstOrder.empty()) line += PadLeft(row.firstOrder, kValueWidth);
      out += line + "\n";
    }
  }
  return out;
}

namespace {

// The blocks as a drawing under two title rows: one table, so that the blocks share
// their columns.
Drawing DrawBlocks(const std::string& title, const std::string& heading,
                   const std::string& subheading, const std::vector<BaffleBlock>& blocks) {
  Table table;
  table.anchors = {TextAnchor::Start, TextAnchor::End, TextAnchor::End};
  table.rowHeight = kTableRowHeight;
  for (const BaffleBlock& block : blocks) {
    TableRow head;
    head.spaceBefore = table.rows.empty() ? 0.0 : kTableRowHeight / 2.0;
    head.cells.push_back({block.heading, true});
    if (HasFirstOrder(block)) {
      head.cells.push_back({"exact trace", false, kLineGrey});
      head.cells.push_back({"first order", false, kLineGrey});
    }
    table.rows.push_back(head);
    for (const BaffleRow& row : block.rows) {
      const size_t indent = row.label.find_first_not_of(' ');
      TableRow shown;
      shown.cells = {{row.label.substr(indent), false, kInk, indent == 0 ? 0.0 : kIndent},
                     {row.value},
                     {row.firstOrder, false, kLineGrey}};
      table.rows.push_back(shown);
    }
  }
  Drawing drawing;
  drawing.title = title;
  drawing.width = std::max(kLeastWidth, LayOutTable(table, kTableMargin).Right() + kTableMargin);
  std::vector<TextBox> placed;
  AddTitleRows(drawing, placed, heading, subheading);
  const double y = AddTable(drawing, placed, table, kTableMargin, kFirstRow, "table");
  FitWidthToTexts(drawing, placed, kTableMargin);
  drawing.height = y + kTableRowHeight / 2.0 + kTableMargin / 2.0;
  return drawing;
}

}  // namespace

Drawing BuildBaffleTableDrawing(const BafflePlan& plan, const DesignResult& design,
                                TelescopeType type, LengthUnit unit) {
  return DrawBlocks("Figures of the baffles and central hole of the " +
                        std::string(TelescopeTypeName(type)),
                    Heading(type), FieldLine(plan, design, unit), BaffleBlocks(plan, unit));
}

Drawing BuildFocusTravelDrawing(const BafflePlan& plan, const DesignResult& design,
                                TelescopeType type, LengthUnit unit) {
  const std::string heading = std::string("Focus travel of the ") + TelescopeTypeName(type);
  return DrawBlocks(heading, heading, FieldLine(plan, design, unit),
                    {FocusTravelBlock(plan, unit)});
}

}  // namespace spekulor::baffles
