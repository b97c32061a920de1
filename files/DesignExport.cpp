#include "DesignExport.h"

#include "Calculate.h"
#include "CodeVSequence.h"
#include "ZemaxLens.h"

const ExportFormatInfo kExportFormats[2] = {
    {ExportFormat::Zemax, "zmx", ".zmx", "Zemax lens file (.zmx)"},
    {ExportFormat::CodeV, "seq", ".seq", "CODE V sequence (.seq)"},
};

const ExportFormatInfo& ExportFormatOf(ExportFormat format) {
  return format == ExportFormat::Zemax ? kExportFormats[0] : kExportFormats[1];
}

DesignExport BuildDesignExport(const DesignFields& fields, ExportFormat format) {
  DesignExport result;
  const Calculation calc = CompleteDesign(fields);
  if (calc.rules.error != CalcError::None) {
    result.status = DesignExport::RulesRefused;
    result.text = FormatCalcError(calc.rules);
    return result;
  }
  switch (format) {
    case ExportFormat::Zemax:
      result.text = FormatZemaxLens(calc.design, calc.read.type, calc.read.unit);
      break;
    case ExportFormat::CodeV:
      result.text = FormatCodeVSequence(calc.design, calc.read.type, calc.read.unit);
      break;
  }
  return result;
}
