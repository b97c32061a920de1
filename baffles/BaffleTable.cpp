#include "BaffleTable.h"

#include <algorithm>

#include "Drawing.h"

namespace {

constexpr size_t kLabelWidth = 46;
constexpr size_t kValueWidth = 14;

std::string Length(double value, LengthUnit unit) {
  return FormatFixed(value, unit == LengthUnit::Inch ? 3 : 2) + UnitSuffix(unit);
}

std::string Percent(double fraction) { return FormatFixed(fraction * 100.0, 2) + " %"; }

std::string PadLeft(const std::string& text, size_t width) {
  return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

std::string PadRight(const std::string& text, size_t width) {
  return text.size() < width ? text + std::string(width - text.size(), ' ') : text;
}

}  // namespace

std::vector<BaffleBlock> BaffleBlocks(const BafflePlan& plan, LengthUnit unit) {
  const BaffleFrame& f = plan.frame;
  const BafflePair& exact = plan.baffles;
  const BafflePair& first = plan.firstOrder;
  const double firstArea = plan.firstOrderLinearObstruction * plan.firstOrderLinearObstruction;
  std::vector<BaffleBlock> blocks;
  blocks.push_back(
      {"Hole and baffles",
       {{"Image circle diameter", Length(2.0 * f.imageRadius, unit), ""},
        {"Central hole diameter", Length(plan.hole, unit), Length(plan.firstOrderHole, unit)},
        {"Secondary baffle diameter", Length(2.0 * exact.skirtRadius, unit),
         Length(2.0 * first.skirtRadius, unit)},
        {"  its open end below the secondary", Length(f.spacing - exact.skirtZ, unit),
         Length(f.spacing - first.skirtZ, unit)},
        {"Primary baffle diameter", Length(2.0 * exact.tubeRadius, unit),
         Length(2.0 * first.tubeRadius, unit)},
        {"  its mouth in front of the primary", Length(exact.tubeZ, unit), Length(first.tubeZ, unit)},
        {"Obstruction, diameter", Percent(plan.linearObstruction),
         Percent(plan.firstOrderLinearObstruction)},
        {"Obstruction, area", Percent(plan.areaObstruction), Percent(firstArea)}}});

  const FocusTravel& focus = plan.focus;
  const double back = -focus.primaryBackZ;
  blocks.push_back(
      {"Focus travel",
       {{"Back focus gained per unit of spacing lost", FormatFixed(focus.backFocusPerSpacing, 4), ""},
        {"Primary's back behind its vertex", Length(back, unit), ""},
        {"Focus behind the primary's back", Length(f.backFocus - back, unit), ""},
        {"Largest mirror distance (focus " + Length(focus.clearance, unit) + " back)",
         Length(focus.largestSpacing, unit), ""},
        focus.spacingSlack >= 0.0
            ? BaffleRow{"  the secondary may move away by", Length(focus.spacingSlack, unit), ""}
            : BaffleRow{"  the secondary must come closer by", Length(-focus.spacingSlack, unit), ""},
        {"Mirror distance sending the focus to infinity", Length(focus.focusAtInfinity, unit), ""}}});

  blocks.push_back(
      {"Checks by the exact trace",
       {{"Rays of the field traced", std::to_string(plan.fieldRays.rays), ""},
        {"  blocked by a baffle or the hole", std::to_string(plan.fieldRays.blocked), ""},
        {"Straight lines from the image circle tried", std::to_string(plan.skyLines.lines), ""},
        {"  reaching the sky", std::to_string(plan.skyLines.reaching), ""}}});
  return blocks;
}

std::string FormatBaffleTable(const BafflePlan& plan, const DesignResult& design,
                              TelescopeType type, LengthUnit unit) {
  std::string out = std::string("Baffles and central hole of the ") + TelescopeTypeName(type) + "\n";
  out += "Fully illuminated field " + FormatFixed(design.FieldAng, 3) + "\xB0, image circle " +
         Length(2.0 * plan.frame.imageRadius, unit) + " across\n";
  for (const BaffleBlock& block : BaffleBlocks(plan, unit)) {
    const bool twoColumns = std::any_of(block.rows.begin(), block.rows.end(),
                                        [](const BaffleRow& row) { return !row.firstOrder.empty(); });
    out += "\n";
    out += twoColumns ? PadRight(block.heading, kLabelWidth) + PadLeft("Exact trace", kValueWidth) +
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
