// Reading the window's values into a DesignInput, and the required-input rules that
// decide whether a calculation can run and along which SolvePath.
#ifndef SPEKULOR_CALC_INPUTS_H
#define SPEKULOR_CALC_INPUTS_H

#include <string>

#include "calc/DesignInput.h"

namespace spekulor::calc {

// Reads a number the way the C library's atof does in the "C" locale, and nothing
// more: optional leading white space, an optional sign, decimal digits with an
// optional point, an optional exponent; everything after is ignored. Text that does
// not begin with such a number gives 0.0 (hexadecimal, "inf" and "nan" included);
// a value too large for a double gives an infinity of its sign. Independent of the
// process locale.
double ReadNumber(const char* text);

// True unless the value is the not-given marker HUGE_VAL.
bool IsGiven(double value);

// What the reading stage makes of the window's twelve values.
struct ReadInput {
  LengthUnit unit = LengthUnit::Millimetre;
  TelescopeType type = TelescopeType::Classical;
  DesignInput input;
};

// Unit: radio index 0 is inch, anything else mm. Type: radio index + 1, replaced by
// Classical outside 1..5. Each non-empty field text is read with ReadNumber; an
// empty one stays not given.
ReadInput ReadDesignInput(const DesignFields& fields);

// The outcome of the required-input rules.
struct RuleOutcome {
  CalcError error = CalcError::None;
  std::string message;  // empty when error is None
  SolvePath path = SolvePath::FromSystemFocus;  // meaningful only when error is None
};

// The message of a refusal, exactly as shown to the user (Windows-1252, with quotes).
const char* CalcErrorMessage(CalcError error);

// Applies the required-input rules in their fixed order; a later rule's refusal
// replaces an earlier one's, and a stigmatic design without either conic stays
// refused even when everything else is complete.
RuleOutcome CheckRequiredInputs(const DesignInput& input, TelescopeType type);

// The text of the refusal box: "Error %d\r\n" followed by the message.
std::string FormatCalcError(const RuleOutcome& outcome);

}  // namespace spekulor::calc

#endif
