// The whole calculation with arbitrary window values: the first two bytes choose the
// unit and type radio indexes (none checked and out-of-range indexes included), the
// rest are the ten field texts, one a line, in the window's order; fields past the
// last line keep the start-up values, so mutations stay near real designs.
//
// Every design the calculation accepts must be a telescope: a report with no "nan"
// or "inf" (a flat field's radius excepted), an obstruction below 100 %, positive
// diameters and focal lengths, and a lens text.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "calc/Calculate.h"
#include "files/OsloLens.h"

using namespace spekulor::calc;
using namespace spekulor::files;

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string DesignFields::*const kFieldOrder[] = {
    &DesignFields::m_strPriDia,     &DesignFields::m_strPriFoc,     &DesignFields::m_strField,
    &DesignFields::m_strSysFoc,     &DesignFields::m_strBackFocLen, &DesignFields::m_strSecSysDist,
    &DesignFields::m_strSecPriDist, &DesignFields::m_strSecRadCur,  &DesignFields::m_strPriCC,
    &DesignFields::m_strSecCC};

DesignFields FieldsFrom(const std::uint8_t* data, std::size_t size) {
  DesignFields fields;
  if (size < 2) return fields;
  fields.m_nUnits = data[0] % 4 - 1;  // -1 .. 2
  fields.m_nType = data[1] % 8 - 1;   // -1 .. 6
  const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
  size_t start = 0;
  for (std::string DesignFields::*field : kFieldOrder) {
    if (start > text.size()) break;
    const size_t end = text.find('\n', start);
    fields.*field = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const DesignFields fields = FieldsFrom(data, size);
  const CalculateOutcome outcome = Calculate(fields);
  if (!outcome.ok()) {
    Require(outcome.report.empty());
    Require(outcome.errorText.rfind("Error ", 0) == 0);
    return 0;
  }
  const DesignResult& g = outcome.calculation.design;
  const std::string report = Lower(outcome.report);
  Require(report.find("nan") == std::string::npos);
  Require(report.find("inf") == std::string::npos || g.FieldCurvCoef == 0.0);
  Require(g.LinObstruction < 100.0 && g.AreaObstruction < 100.0);
  Require(g.PriDia > 0.0 && g.SecDia > 0.0 && g.PriFoc > 0.0 && g.SysFoc > 0.0);
  Require(g.SecMag > 1.0);
  Require(!FormatOsloLens(g, outcome.calculation.read.type).empty());
  return 0;
}
