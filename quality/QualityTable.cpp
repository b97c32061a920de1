#include "quality/QualityTable.h"

#include <cmath>

#include "drawing/Drawing.h"
#include "support/TextColumns.h"
#include "support/Units.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::drawing;

namespace spekulor::quality {

namespace {

constexpr size_t kLabelWidth = 28;
constexpr size_t kCellWidth = 13;
const char* const kColumnHeads[] = {"On axis", "0.7 field", "1.0 field", "Perfect"};

// A focal plane's place: "0.2955 mm from the paraxial image plane toward the primary".
std::string FocusPlace(double shift, LengthUnit unit) {
  if (FormatFixed(shift, 4) == "0.0000") return "the paraxial image plane";
  return FormatFixed(std::fabs(shift), 4) + UnitSuffix(unit) +
         " from the paraxial image plane " +
         (shift > 0.0 ? "away from the primary" : "toward the primary");
}

// A signed radius, or "flat" for none.
std::string Radius(double radius, LengthUnit unit) {
  if (!std::isfinite(radius)) return "flat";
  return FormatFixed(radius, 1) + UnitSuffix(unit);
}

}  // namespace

std::vector<QualityTableRow> QualityTableRows(const QualitySet& set, LengthUnit unit) {
  std::vector<QualityTableRow> rows;
  auto fieldRow = [&](const std::string& label, auto cell, const std::string& perfect) {
    QualityTableRow row;
    row.label = label;
    for (size_t i = 0; i < set.fields.size(); ++i) row.cells[i] = cell(set.fields[i]);
    row.cells.back() = perfect;
    rows.push_back(row);
  };
  const double um = set.micrometresPerUnit;
  fieldRow("Field angle", [](const FieldQuality& f) {
    return FormatFixed(f.fieldAngle * kDegreesPerRadian, 3) + "\xB0";
  }, "");
  fieldRow(std::string("Own best focus, ") + UnitName(unit),
           [](const FieldQuality& f) { return FormatFixed(f.ownBestFocus, 4); }, "");
  fieldRow("RMS wavefront error, waves",
           [](const FieldQuality& f) { return FormatFixed(f.rmsWaves, 3); }, FormatFixed(0.0, 3));
  fieldRow("Peak to valley, waves",
           [](const FieldQuality& f) { return FormatFixed(f.pvWaves, 3); }, FormatFixed(0.0, 3));
  fieldRow("Strehl ratio", [](const FieldQuality& f) { return FormatFixed(f.strehl, 3); },
           FormatFixed(1.0, 3));
  fieldRow("Mar\xE9" "chal exp(-(2\xB7pi\xB7RMS)\xB2)",
           [](const FieldQuality& f) { return FormatFixed(f.strehlMarechal, 3); },
           FormatFixed(1.0, 3));
  fieldRow("80 % energy diameter, \xB5m",
           [um](const FieldQuality& f) { return FormatFixed(f.ee80Diameter * um, 2); },
           FormatFixed(set.perfect.ee80Diameter * um, 2));
  for (size_t k = 0; k < kMtfFractions.size(); ++k) {
    fieldRow("MTF " + FormatFixed(kMtfFractions[k], 2) + " (" +
                 FormatFixed(kMtfFractions[k] * set.cutoffPerMm, 1) + "/mm) T/S",
             [k](const FieldQuality& f) {
               return FormatFixed(f.mtfTangential[k], 3) + "/" + FormatFixed(f.mtfSagittal[k], 3);
             },
             FormatFixed(set.perfect.mtf[k], 3));
  }
  return rows;
}

std::vector<std::string> QualitySummaryLines(const QualitySet& set, LengthUnit unit) {
  const std::string mode =
      set.options.focus == FocusMode::Best ? "Best flat focus" : "Paraxial focus";
  std::vector<std::string> lines = {
      mode + ": " + FocusPlace(set.focusShift, unit),
      "Focal surface through the three best foci: " +
          (set.focalSurfaceWithinDepth
               ? "flat within the depth of focus \xB1" + FormatFixed(set.depthOfFocus, 4) +
                     UnitSuffix(unit)
               : "radius " + Radius(set.focalSurfaceRadius, unit)) +
          " (third order " +
          Radius(set.thirdOrderFieldRadius, unit) + ")",
      "Cutoff 1/(lambda\xB7N) " + FormatFixed(set.cutoffPerMm, 1) +
          " cycles/mm; first dark ring of the perfect aperture " +
          FormatFixed(set.perfect.firstDarkRing * set.micrometresPerUnit, 2) + " \xB5m",
  };
  if (HasVanes(set.options.spider)) {
    lines.push_back("Spider" + SpiderWords(set.options.spider, unit) + ": " +
                    FormatFixed(100.0 * set.spider.areaFraction, 2) +
                    " % of the clear aperture, the perfect peak " +
                    FormatFixed(set.spider.peakRatio, 3) + " of its own without the vanes");
  }
  return lines;
}

std::string FormatQualityTable(const QualitySet& set, TelescopeType type, LengthUnit unit) {
  std::string out = std::string("Image quality of the ") + TelescopeTypeName(type) + ", " +
                    FormatFixed(set.options.wavelengthNm, 0) + " nm, f/" +
                    FormatFixed(set.focalRatio, 1) + ", central obstruction " +
                    FormatFixed(100.0 * set.obstruction, 1) + " %, pupil grid " +
                    std::to_string(set.options.gridSize) + "\n";
  for (const std::string& line : QualitySummaryLines(set, unit)) out += line + "\n";
  out += "\n" + std::string(kLabelWidth, ' ');
  for (const char* head : kColumnHeads) out += PadLeft(head, kCellWidth);
  out += "\n";
  for (const QualityTableRow& row : QualityTableRows(set, unit)) {
    std::string line = PadRight(row.label, kLabelWidth);
    for (const std::string& cell : row.cells) line += PadLeft(cell, kCellWidth);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + "\n";
  }
  return out;
}

}  // namespace spekulor::quality
