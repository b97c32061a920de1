#include "files/LensExport.h"

#include "calc/Calculate.h"
#include "files/OsloLens.h"

using namespace spekulor::calc;

namespace spekulor::files {

const char kInchRefusal[] = "Please use mm for OSLO Lens Files";

LensExport BuildLensExport(const DesignFields& fields) {
  LensExport result;
  if (fields.m_nUnits == static_cast<int>(LengthUnit::Inch)) {
    result.status = LensExport::InchRefused;
    result.text = kInchRefusal;
    return result;
  }
  result.calculation = CompleteDesign(fields);
  const Calculation& calc = result.calculation;
  if (calc.rules.error != CalcError::None) {
    result.status = LensExport::RulesRefused;
    result.text = FormatCalcError(calc.rules);
    return result;
  }
  result.text = FormatOsloLens(calc.design, calc.read.type);
  return result;
}

}  // namespace spekulor::files
