// The names the twelve values go by outside the window: the command line's options and
// the web page's inputs and address. One table, so that every place spells them alike.
#ifndef SPEKULOR_CALC_DESIGNFIELDNAMES_H
#define SPEKULOR_CALC_DESIGNFIELDNAMES_H

#include <string>

#include "calc/DesignInput.h"

namespace spekulor::calc {

struct DesignFieldName {
  const char* name;  // "diameter", "primary-focal-length", ...
  std::string DesignFields::*member;
};

// The ten field texts, in the order of the window's entry fields.
constexpr int kDesignFieldCount = 10;
extern const DesignFieldName kDesignFieldNames[kDesignFieldCount];

// The name of a field text; empty for a member that is none of the ten.
const char* DesignFieldNameOf(std::string DesignFields::*member);

// The Type radio buttons' names, by index: "classical", "dall-kirkham",
// "ritchey-chretien", "pressmann-camichel", "stigmatic". The Units buttons go by UnitName.
constexpr int kDesignTypeNameCount = 5;
extern const char* const kDesignTypeNames[kDesignTypeNameCount];

// The radio index a name stands for ("inch" 0, "mm" 1; the design names), or -1 for
// no such name.
int UnitIndexOfName(const std::string& name);
int TypeIndexOfName(const std::string& name);

}  // namespace spekulor::calc

#endif
