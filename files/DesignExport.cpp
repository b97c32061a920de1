#include "files/DesignExport.h"

#include "calc/Calculate.h"
#include "files/CodeVSequence.h"
#include "files/ZemaxLens.h"

using namespace spekulor::calc;

namespace spekulor::files {

const ExportFormatInfo kExportFormats[2] = {
    {ExportFormat::Zemax, "zmx", ".zmx", "Zemax lens file (.zmx)"},
    {ExportFormat::CodeV, "seq", ".seq", "CODE V sequence (.seq)"},
};

const ExportFormatInfo& ExportFormatOf(ExportFormat format) {
  return format == ExportFormat::Zemax ? kExportFormats[0] : kExportFormats[1];
}

std::string FormatDesignExport(const Calculation& calc, ExportFormat format) {
  switch (format) {
    case ExportFormat::Zemax:
      return FormatZemaxLens(calc.design, calc.read.type, calc.read.unit);
    case ExportFormat::CodeV:
      return FormatCodeVSequence(calc.design, calc.read.type, calc.read.unit);
  }
  return std::string();
}

DesignExport BuildDesignExport(const DesignFields& fields, ExportFormat format) {
  DesignExport result;
  const Calculation calc = CompleteDesign(fields);
  if (calc.rules.error != CalcError::None) {
    result.status = DesignExport::RulesRefused;
    result.text = FormatCalcError(calc.rules);
    return result;
  }
  result.text = FormatDesignExport(calc, format);
  return result;
}

}  // namespace spekulor::files
