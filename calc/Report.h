// The results report and the number formatting shared with the lens file.
#ifndef SPEKULOR_CALC_REPORT_H
#define SPEKULOR_CALC_REPORT_H

#include <string>

#include "calc/DesignInput.h"
#include "calc/DesignResult.h"

namespace spekulor::calc {

// Fixed-point formatting by precision code: -2 "%0.4f", -1 "%0.1f", 0 "%6.0f",
// 1 "%8.1f", 2 "%9.2f", 3 "%10.3f", 4 "%11.4f", any other "%9.2f". Always with "."
// as the decimal point; a value too wide for its field is printed in full, and
// non-finite values as the C library prints them ("inf", "-nan", ...).
std::string FormatNumber(double value, int code);

// Appends FormatNumber(value, code) to `out`; the caller guarantees the "C" numeric
// locale (see NumericLocaleScope in NumericLocale.h).
void AppendNumber(std::string& out, double value, int code);

// The four credit lines closing the report of Calculate (Windows-1252).
extern const char* const kReportCredits[4];

// Builds the full report of a completed design (geometry, aberrations and
// performance already computed): Windows-1252, CR LF line ends, a 43-character label
// column, no line end at the very end. `withCredits` adds the credits block.
std::string BuildReport(const DesignResult& design, TelescopeType type, LengthUnit unit,
                        bool withCredits = true);

}  // namespace spekulor::calc

#endif
