// The tolerance analysis as a readable table (its JSON is spekulor-cli's, in
// cli/JsonOutput.h).
#ifndef SPEKULOR_COLLIMATION_TOLERANCETEXT_H
#define SPEKULOR_COLLIMATION_TOLERANCETEXT_H

#include <string>
#include <vector>

#include "calc/DesignInput.h"
#include "collimation/Tolerances.h"

namespace spekulor::collimation {

// The table's texts, shared by the text and the picture; Windows-1252.
struct ToleranceRow {
  Misalignment kind;
  std::string name;         // "Despace"
  std::string sensitivity;  // "back focal length +17.000 mm per mm"
  std::string detail;       // "spherical W040 -90.2 nm per mm"
  std::string tolerance;    // FormatTolerance
  std::string adds;         // "0.0500 waves"
};
std::string ToleranceTitle(const ToleranceAnalysis& analysis, calc::TelescopeType type);
std::string ToleranceBudgetLine(const ToleranceAnalysis& analysis);
std::vector<ToleranceRow> ToleranceRows(const ToleranceAnalysis& analysis);
std::string ComaFreePivotLine(const ToleranceAnalysis& analysis);
// The lines under the pivot's: the aligned design above the budget, tolerances that
// follow from the traced growth of the error (ToleranceFound::fromGrowth), and each
// tolerance that no amount adds just the budget to (a jump, or the light lost), with why.
std::vector<std::string> ToleranceNotes(const ToleranceAnalysis& analysis);
extern const char* const kToleranceSigns;

// The table under a line naming the design, Windows-1252 with LF line ends.
std::string FormatToleranceTable(const ToleranceAnalysis& analysis, calc::TelescopeType type);

// A tolerance as the table shows it: "±0.1951 mm", "±0.0641°", or "beyond 5.000°" when
// the error stays within the budget over the whole range searched; Windows-1252.
std::string FormatTolerance(const ToleranceFound& found, Misalignment kind, calc::LengthUnit unit);

// A signed misalignment to four significant digits: "+0.2124 mm", "-4.608 mm",
// "+0.06404°"; Windows-1252.
std::string FormatMisalignment(double amount, Misalignment kind, calc::LengthUnit unit);

}  // namespace spekulor::collimation

#endif
