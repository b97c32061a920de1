#include "files/ExportText.h"

#include <cmath>

#include "calc/Report.h"
#include "support/DecimalChars.h"
#include "support/DecimalText.h"

using namespace spekulor::calc;
using namespace spekulor::support;

namespace spekulor::files {

std::string FormatExactNumber(double value, int digits) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  if (digits > 0) {
    // Rounded in the scientific form, then read back and written in its shortest form.
    value = ReadDecimalPrefix(ScientificDecimal(value, digits - 1).c_str());
  }
  return ShortestDecimal(value);
}

std::string ExportSystemName(const DesignResult& design, TelescopeType type, LengthUnit unit) {
  std::string name = TelescopeTypeName(type);
  name += ' ';
  name += FormatNumber(design.PriDia, -1);  // "%0.1f"
  name += UnitSuffix(unit);
  name += " f/";
  name += FormatNumber(design.SysFoc / design.PriDia, -1);
  return name;
}

double ExportPrimaryRadius(const DesignResult& design) { return -2.0 * design.PriFoc; }
double ExportPrimaryThickness(const DesignResult& design) { return -design.PriSecDist; }
double ExportSecondaryRadius(const DesignResult& design) { return -design.SecRadCur; }
double ExportSecondaryThickness(const DesignResult& design) {
  return design.PriSecDist + design.BackFocLen;
}
double ExportShadowThickness(const DesignResult& design) { return design.PriSecDist; }
double ExportPrimarySemiDiameter(const DesignResult& design) { return design.PriDia / 2.0; }
double ExportSecondarySemiDiameter(const DesignResult& design) { return design.SecDia / 2.0; }
double ExportFieldAngle(const DesignResult& design, size_t field) {
  return kSpotFieldFractions[field] * (design.FieldAng / 2.0);
}

std::string WriteExportPieces(const ExportPiece* pieces, size_t count, const DesignResult& design,
                              TelescopeType type, LengthUnit unit, ExportUnitWords words) {
  std::string text;
  text.reserve(1024);
  for (size_t i = 0; i < count; ++i) {
    const ExportPiece& piece = pieces[i];
    switch (piece.kind) {
      case ExportPiece::Text: text += piece.text; break;
      case ExportPiece::Number:
        text += FormatExactNumber(piece.value(design), piece.digits);
        break;
      case ExportPiece::Name: text += ExportSystemName(design, type, unit); break;
      case ExportPiece::Unit:
        text += unit == LengthUnit::Inch ? words.inch : words.millimetre;
        break;
      case ExportPiece::End: text += "\r\n"; break;
    }
  }
  return text;
}

}  // namespace spekulor::files
