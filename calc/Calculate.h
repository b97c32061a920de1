// One whole calculation from the window's twelve values: reading, the required-input
// rules, the solver, the aberrations and the performance figures, and the report.
#ifndef SPEKULOR_CALC_CALCULATE_H
#define SPEKULOR_CALC_CALCULATE_H

#include <string>

#include "calc/DesignInput.h"
#include "calc/DesignResult.h"
#include "calc/Inputs.h"

namespace spekulor::calc {

struct Calculation {
  ReadInput read;       // the unit, type and inputs as read
  RuleOutcome rules;    // error None when the design was completed
  DesignResult design;  // the completed design (only when rules.error is None)
};

// Reads and checks the values and, when the rules pass, completes the design:
// geometry, conics, secondary size, aberrations, obstruction, sagittas, performance;
// then refuses a completed design that no telescope can have (error 5, DesignChecks.h).
Calculation CompleteDesign(const DesignFields& fields);

// CompleteDesign and the report. On a refusal `report` is empty and `errorText` holds
// the text of the refusal box ("Error %d\r\n" and the message).
struct CalculateOutcome {
  Calculation calculation;
  std::string report;
  std::string errorText;
  bool ok() const { return calculation.rules.error == CalcError::None; }
};
CalculateOutcome Calculate(const DesignFields& fields);

}  // namespace spekulor::calc

#endif
