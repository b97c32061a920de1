#include "calc/DesignFieldNames.h"

namespace spekulor::calc {

const DesignFieldName kDesignFieldNames[kDesignFieldCount] = {
    {"diameter", &DesignFields::m_strPriDia},
    {"field", &DesignFields::m_strField},
    {"primary-focal-length", &DesignFields::m_strPriFoc},
    {"system-focal-length", &DesignFields::m_strSysFoc},
    {"back-focal-length", &DesignFields::m_strBackFocLen},
    {"secondary-from-system-focus", &DesignFields::m_strSecSysDist},
    {"secondary-from-prime-focus", &DesignFields::m_strSecPriDist},
    {"secondary-roc", &DesignFields::m_strSecRadCur},
    {"primary-cc", &DesignFields::m_strPriCC},
    {"secondary-cc", &DesignFields::m_strSecCC},
};

const char* const kDesignTypeNames[kDesignTypeNameCount] = {"classical", "dall-kirkham", "ritchey-chretien", "pressmann-camichel", "stigmatic"};

const char* DesignFieldNameOf(std::string DesignFields::*member) {
  for (const DesignFieldName& field : kDesignFieldNames) {
    if (field.member == member) return field.name;
  }
  return "";
}

int UnitIndexOfName(const std::string& name) {
  for (const LengthUnit unit : {LengthUnit::Inch, LengthUnit::Millimetre}) {
    if (name == UnitName(unit)) return static_cast<int>(unit);
  }
  return -1;
}

int TypeIndexOfName(const std::string& name) {
  for (int i = 0; i < kDesignTypeNameCount; ++i) {
    if (name == kDesignTypeNames[i]) return i;
  }
  return -1;
}

}  // namespace spekulor::calc
