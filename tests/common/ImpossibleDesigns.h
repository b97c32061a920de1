// Designs that the required-input rules accept but no telescope can have: each a few
// entries changed from the start-up design, with the start of the message that
// refuses it. The same table drives the library's, spekulor-cli's and the window's
// tests of the refusal.
#ifndef SPEKULOR_TESTS_COMMON_IMPOSSIBLEDESIGNS_H
#define SPEKULOR_TESTS_COMMON_IMPOSSIBLEDESIGNS_H

#include <string>
#include <vector>

#include "calc/DesignInput.h"

struct FieldChange {
  std::string DesignFields::*field;
  const char* option;  // spekulor-cli's name for the same entry
  const char* text;    // "" clears the entry
};

struct ImpossibleDesign {
  const char* name;
  int typeIndex;
  std::vector<FieldChange> changes;
  const char* messageStart;
};

const std::vector<ImpossibleDesign>& ImpossibleDesigns();

// The start-up design with the case's type and changes.
DesignFields FieldsOf(const ImpossibleDesign& design);

// The spekulor-cli arguments after the command's name that give the same design.
std::vector<std::string> OptionsOf(const ImpossibleDesign& design);

#endif
