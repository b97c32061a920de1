#include "Inputs.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

#include <locale.h>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// White space as the "C" locale's isspace sees it.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

// Message of error 3, four pieces joined with nothing between them.
const std::string kMissingSecondaryDatum =
    std::string("Please give me the \"back focal length\"") +
    " or the \"distance secondary from system focus\"" +
    " or the \"distance secondary from prime focus\"" +
    " or the \"secondary mirror conic constant\"";

// Clinger's fast path: a decimal of at most 15 significant digits scaled by a power
// of ten up to 22 is the exact quotient or product of two exactly representable
// doubles, so one correctly rounded operation gives the correctly rounded value.
// Returns false when the number needs the general conversion.
bool FastDecimal(const char* p, const char* end, double& value) {
  static const double kPowers[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                     1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                     1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  unsigned long long mantissa = 0;
  int digits = 0;
  int scale = 0;
  bool afterPoint = false;
  for (; p < end && *p != 'e' && *p != 'E'; ++p) {
    if (*p == '.') {
      afterPoint = true;
      continue;
    }
    if (mantissa == 0 && *p == '0') {
      if (afterPoint) --scale;
      continue;
    }
    if (++digits > 15) return false;
    mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    if (afterPoint) --scale;
  }
  if (p < end) {
    ++p;
    bool negativeExponent = false;
    if (*p == '+' || *p == '-') negativeExponent = *p++ == '-';
    int exponent = 0;
    for (; p < end; ++p) {
      if (exponent > 1000) return false;
      exponent = exponent * 10 + (*p - '0');
    }
    scale += negativeExponent ? -exponent : exponent;
  }
  double result = static_cast<double>(mantissa);
  if (mantissa != 0) {
    if (scale < -22 || scale > 22) return false;
    result = scale < 0 ? result / kPowers[-scale] : result * kPowers[scale];
  }
  value = negative ? -result : result;
  return true;
}

}  // namespace

double ReadNumber(const char* text) {
  const char* p = text;
  while (IsBlank(*p)) ++p;
  const char* start = p;
  if (*p == '+' || *p == '-') ++p;
  bool anyDigit = false;
  while (IsDigit(*p)) {
    ++p;
    anyDigit = true;
  }
  if (*p == '.') {
    ++p;
    while (IsDigit(*p)) {
      ++p;
      anyDigit = true;
    }
  }
  if (!anyDigit) return 0.0;
  if (*p == 'e' || *p == 'E') {
    const char* exponent = p + 1;
    if (*exponent == '+' || *exponent == '-') ++exponent;
    if (IsDigit(*exponent)) {
      while (IsDigit(*exponent)) ++exponent;
      p = exponent;
    }
  }
  // Only the checked prefix reaches strtod, so none of its extensions (hexadecimal,
  // "inf", "nan") can apply; the "C" locale object fixes the decimal point.
  double fast = 0.0;
  if (FastDecimal(start, p, fast)) return fast;
  const size_t length = static_cast<size_t>(p - start);
  char shortNumber[64];
  if (length < sizeof shortNumber) {
    std::memcpy(shortNumber, start, length);
    shortNumber[length] = '\0';
    return strtod_l(shortNumber, nullptr, CLocale());
  }
  const std::string longNumber(start, p);
  return strtod_l(longNumber.c_str(), nullptr, CLocale());
}

bool IsGiven(double value) { return value != kNotGiven; }

ReadInput ReadDesignInput(const DesignFields& fields) {
  ReadInput read;
  read.unit = fields.m_nUnits == 0 ? LengthUnit::Inch : LengthUnit::Millimetre;
  int typeNumber = fields.m_nType + 1;
  if (typeNumber < 1 || typeNumber > 5) typeNumber = 1;
  read.type = static_cast<TelescopeType>(typeNumber);

  struct FieldBinding {
    const std::string DesignFields::*text;
    double DesignInput::*value;
  };
  // The order in which the fields are read.
  static const FieldBinding kBindings[] = {
      {&DesignFields::m_strPriDia, &DesignInput::PriDia},
      {&DesignFields::m_strPriFoc, &DesignInput::PriFoc},
      {&DesignFields::m_strField, &DesignInput::FieldAng},
      {&DesignFields::m_strSysFoc, &DesignInput::SysFoc},
      {&DesignFields::m_strBackFocLen, &DesignInput::BackFocLen},
      {&DesignFields::m_strSecSysDist, &DesignInput::SecSysFocDist},
      {&DesignFields::m_strSecPriDist, &DesignInput::SecPriFocDist},
      {&DesignFields::m_strSecRadCur, &DesignInput::SecRadCur},
      {&DesignFields::m_strPriCC, &DesignInput::PriConic},
      {&DesignFields::m_strSecCC, &DesignInput::SecConic},
  };
  for (const FieldBinding& binding : kBindings) {
    const std::string& text = fields.*(binding.text);
    // The text ends at its first NUL, as a C string would.
    read.input.*(binding.value) = text.c_str()[0] != '\0' ? ReadNumber(text.c_str()) : kNotGiven;
  }
  return read;
}

const char* CalcErrorMessage(CalcError error) {
  switch (error) {
    case CalcError::None:
      return "";
    case CalcError::MissingBasics:
      return "The default parameters (mirror diameter, mirror focal length, field) are needed!";
    case CalcError::MissingSystemFocus:
      return "If no \"radius of curvature of secondary mirror\" is given you need to give me the "
             "\"system focal length\".";
    case CalcError::MissingSecondaryDatum:
      return kMissingSecondaryDatum.c_str();
    case CalcError::MissingStigmaticConic:
      return "Primary or secondary conic needed for stigmatic combination";
  }
  return "";
}

RuleOutcome CheckRequiredInputs(const DesignInput& in, TelescopeType type) {
  RuleOutcome outcome;
  auto refuse = [&outcome](CalcError error) {
    outcome.error = error;
    outcome.message = CalcErrorMessage(error);
  };
  auto givenNonZero = [](double value) { return IsGiven(value) && value != 0.0; };

  if (type == TelescopeType::Stigmatic && !IsGiven(in.PriConic) && !IsGiven(in.SecConic)) {
    refuse(CalcError::MissingStigmaticConic);
  }

  if (!givenNonZero(in.PriDia) || !givenNonZero(in.PriFoc) || !givenNonZero(in.FieldAng)) {
    refuse(CalcError::MissingBasics);
    return outcome;
  }

  if (!givenNonZero(in.SecRadCur)) {
    if (givenNonZero(in.SysFoc) && IsGiven(in.BackFocLen)) {
      outcome.path = SolvePath::FromSystemFocus;
    } else {
      refuse(CalcError::MissingSystemFocus);
    }
  } else if (IsGiven(in.SecConic)) {
    outcome.path = SolvePath::FromSecConic;
  } else if (IsGiven(in.SecPriFocDist)) {
    outcome.path = SolvePath::FromSecPriFocDist;
  } else if (IsGiven(in.SecSysFocDist)) {
    outcome.path = SolvePath::FromSecSysFocDist;
  } else if (IsGiven(in.BackFocLen)) {
    outcome.path = SolvePath::FromBackFocLen;
  } else {
    refuse(CalcError::MissingSecondaryDatum);
  }
  return outcome;
}

std::string FormatCalcError(const RuleOutcome& outcome) {
  return "Error " + std::to_string(static_cast<int>(outcome.error)) + "\r\n" + outcome.message;
}
