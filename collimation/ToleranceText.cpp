#include "collimation/ToleranceText.h"

#include <algorithm>
#include <cmath>

#include "drawing/Drawing.h"
#include "support/TextColumns.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::support;

namespace spekulor::collimation {

namespace {

// Four significant digits, at most twelve decimals.
std::string Significant(double value) {
  if (!std::isfinite(value) || value == 0.0) return FormatFixed(value, 0);
  const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  return FormatFixed(value, std::clamp(3 - magnitude, 0, 12));
}

std::string Signed(double value, int decimals) {
  return (value > 0.0 ? "+" : "") + FormatFixed(value, decimals);
}

// A table column: padded to its width, and kept apart from the next by a space when
// it is wider.
std::string Column(const std::string& text, size_t width) {
  return text.size() < width ? PadRight(text, width) : text + " ";
}

// An added error in waves: four decimals, or four significant digits for budgets
// below a thousandth of a wave, which four decimals would show as nothing.
constexpr double kLeastFixedBudget = 1e-3;
std::string Waves(double value, double budget) {
  return budget >= kLeastFixedBudget ? FormatFixed(value, 4) : Significant(value);
}

// Whether the tolerance is an amount the trace bounds: the budget reached, or the error
// jumping past it, or the light lost, within the range searched.
bool Bounded(const ToleranceFound& found) { return found.limit != ToleranceLimit::BeyondRange; }

}  // namespace

std::string FormatTolerance(const ToleranceFound& found, Misalignment kind, LengthUnit unit) {
  const std::string suffix = kind == Misalignment::Tilt ? "\xB0" : UnitSuffix(unit);
  const std::string amount = Significant(std::fabs(found.amount)) + suffix;
  return Bounded(found) ? "\xB1" + amount : "beyond " + amount;
}

std::string FormatMisalignment(double amount, Misalignment kind, LengthUnit unit) {
  return (amount > 0.0 ? "+" : "") + Significant(amount) +
         (kind == Misalignment::Tilt ? std::string("\xB0") : std::string(UnitSuffix(unit)));
}

// calc/SignConventions.h in the reader's words.
const char* const kToleranceSigns =
    "Signs: despace positive toward the primary, decenter and tilt toward +y (the side of "
    "the field's images); W is the optical path difference, positive where longer, phi from "
    "+y.";

std::string ToleranceTitle(const ToleranceAnalysis& analysis, TelescopeType type) {
  return std::string("Collimation tolerances of the ") + TelescopeTypeName(type) +
         "'s secondary, axis image at " + FormatFixed(analysis.options.wavelengthNm, 0) + " nm";
}

std::string ToleranceBudgetLine(const ToleranceAnalysis& analysis) {
  return "Each alone adds " + FormatShortest(analysis.options.budgetWaves) +
         " waves RMS to the aligned design's " + FormatFixed(analysis.aligned.rmsWaves, 4) +
         " (in quadrature, refocused and re-pointed)";
}

std::vector<ToleranceRow> ToleranceRows(const ToleranceAnalysis& analysis) {
  const Sensitivities& s = analysis.sensitivities;
  const std::string unit = UnitName(analysis.unit);
  const std::string perUnit = " per " + unit;
  const std::string unitPerUnit = " " + unit + perUnit;
  std::vector<ToleranceRow> rows = {
      {Misalignment::Despace, "Despace",
       "back focal length " + Signed(s.backFocusPerUnit, 3) + unitPerUnit,
       "spherical W040 " + Signed(s.w040NmPerUnit, 1) + " nm" + perUnit, "", ""},
      {Misalignment::Decenter, "Decenter",
       "coma W131 " + Signed(s.w131NmPerUnit, 1) + " nm" + perUnit,
       "image shift " + Signed(s.imageShiftPerUnit, 4) + unitPerUnit, "", ""},
      {Misalignment::Tilt, "Tilt", "coma W131 " + Signed(s.w131NmPerDegree, 1) + " nm per degree",
       "about the vertex", "", ""},
  };
  for (ToleranceRow& row : rows) {
    const ToleranceFound& found = analysis.Tolerance(row.kind);
    row.tolerance = FormatTolerance(found, row.kind, analysis.unit);
    row.adds = Waves(found.addedWaves, analysis.options.budgetWaves) + " waves";
  }
  return rows;
}

std::string ComaFreePivotLine(const ToleranceAnalysis& analysis) {
  const double pivot = analysis.sensitivities.comaFreePivot;
  const std::string unit = UnitName(analysis.unit);
  return "Coma-free pivot: " + (std::isfinite(pivot)
                                    ? FormatFixed(pivot, 2) + " " + unit +
                                          " from the secondary's vertex toward the sky"
                                    : std::string("none (a decenter adds no coma)"));
}

std::vector<std::string> ToleranceNotes(const ToleranceAnalysis& analysis) {
  std::vector<std::string> notes;
  const double budget = analysis.options.budgetWaves;
  if (AlignedAboveBudget(analysis)) {
    notes.push_back("The aligned design alone has " + Waves(analysis.aligned.rmsWaves, budget) +
                    " waves RMS on the axis, already above the budget of " +
                    FormatShortest(budget) + " waves.");
  }
  bool fromGrowth = false;
  for (const ToleranceFound& found : analysis.tolerances) fromGrowth = fromGrowth || found.fromGrowth;
  if (fromGrowth) {
    notes.push_back("Below " + Significant(analysis.resolvedWaves) +
                    " waves the trace's rounding hides the added error: these tolerances "
                    "solve a x^2 + b x = budget^2, with a and b traced above.");
  }
  for (const ToleranceRow& row : ToleranceRows(analysis)) {
    const ToleranceFound& found = analysis.Tolerance(row.kind);
    const std::string at = FormatMisalignment(found.amount, row.kind, analysis.unit);
    if (found.limit == ToleranceLimit::Jump) {
      notes.push_back(row.name + ": the traced error jumps from " +
                      Waves(found.addedWaves, budget) + " to " +
                      Waves(found.beyondWaves, budget) + " waves at " + at + "; no " +
                      MisalignmentName(row.kind) + " adds just the budget.");
    } else if (found.limit == ToleranceLimit::LightLost) {
      notes.push_back(row.name + ": beyond " + at +
                      " fewer than half the rays that pass the secondary reach the image.");
    }
  }
  return notes;
}

std::string FormatToleranceTable(const ToleranceAnalysis& analysis, TelescopeType type) {
  std::string out = ToleranceTitle(analysis, type) + "\n" + ToleranceBudgetLine(analysis) + "\n\n";
  const size_t widths[] = {10, 44, 16};
  out += PadRight("Secondary", widths[0]) + PadRight("Sensitivity", widths[1]) +
         PadRight("Tolerance", widths[2]) + "Adds\n";
  for (const ToleranceRow& row : ToleranceRows(analysis)) {
    out += Column(row.name, widths[0]) + Column(row.sensitivity, widths[1]) +
           Column(row.tolerance, widths[2]) + row.adds + "\n";
    out += PadRight("", widths[0]) + row.detail + "\n";
  }
  out += "\n" + ComaFreePivotLine(analysis) + "\n";
  for (const std::string& note : ToleranceNotes(analysis)) out += note + "\n";
  out += std::string(kToleranceSigns) + "\n";
  return out;
}

}  // namespace spekulor::collimation
