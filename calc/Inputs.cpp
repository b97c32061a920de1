#include "calc/Inputs.h"

#include <string>

#include "support/DecimalText.h"

using namespace spekulor::support;

namespace spekulor::calc {

namespace {

// White space as the "C" locale's isspace sees it.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Message of error 3, four pieces joined with nothing between them.
const std::string kMissingSecondaryDatum =
    std::string("Please give me the \"back focal length\"") +
    " or the \"distance secondary from system focus\"" +
    " or the \"distance secondary from prime focus\"" +
    " or the \"secondary mirror conic constant\"";

}  // namespace

double ReadNumber(const char* text) {
  const char* p = text;
  while (IsBlank(*p)) ++p;
  return ReadDecimalPrefix(p);
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
    case CalcError::ImpossibleDesign:
      return "This design is not a two-mirror telescope that can be built.";
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

}  // namespace spekulor::calc
