#include "calc/Calculate.h"

#include "calc/Aberrations.h"
#include "calc/DesignChecks.h"
#include "calc/Report.h"
#include "calc/Solver.h"

namespace spekulor::calc {

Calculation CompleteDesign(const DesignFields& fields) {
  Calculation calc;
  calc.read = ReadDesignInput(fields);
  calc.design = StartDesign(calc.read.input);
  calc.rules = CheckRequiredInputs(calc.read.input, calc.read.type);
  if (calc.rules.error != CalcError::None) return calc;

  DesignResult design = SolveGeometry(calc.design, calc.rules.path);
  design = SetDesignConics(design, calc.read.type);
  design = SizeSecondary(design);
  design = ComputeAberrations(design);
  design = ComputeObstruction(design);
  design = ComputeSagittas(design);
  design = ComputePerformance(design, calc.read.unit);
  const SolvePath path = calc.rules.path;
  const RuleOutcome checked = CheckCompletedDesign(calc.read.input, design, path);
  if (checked.error != CalcError::None) {
    calc.rules = checked;
    return calc;
  }
  calc.design = design;
  return calc;
}

CalculateOutcome Calculate(const DesignFields& fields) {
  CalculateOutcome outcome;
  outcome.calculation = CompleteDesign(fields);
  if (outcome.ok()) {
    outcome.report = BuildReport(outcome.calculation.design, outcome.calculation.read.type,
                                 outcome.calculation.read.unit);
  } else {
    outcome.errorText = FormatCalcError(outcome.calculation.rules);
  }
  return outcome;
}

}  // namespace spekulor::calc
