// What the lens export makes of the window's twelve values: the refusal of the inch
// unit, a refusal of the required-input rules, or the lens text.
#ifndef SPEKULOR_FILES_LENSEXPORT_H
#define SPEKULOR_FILES_LENSEXPORT_H

#include <string>

#include "calc/Calculate.h"
#include "calc/DesignInput.h"

namespace spekulor::files {

// The lens file takes millimetres only.
extern const char kInchRefusal[];  // "Please use mm for OSLO Lens Files"

struct LensExport {
  enum Status { Ok, InchRefused, RulesRefused } status = Ok;
  std::string text;  // Ok: the lens text; otherwise the text of the refusal box
  calc::Calculation calculation;  // Ok: the completed design the text describes
  bool ok() const { return status == Ok; }
};

// The unit is checked before anything else: an inch design is refused without
// reading the ten fields. Otherwise the design is read, checked and completed as
// Calculate does; a refusal carries "Error %d\r\n" and the rule's message.
LensExport BuildLensExport(const calc::DesignFields& fields);

}  // namespace spekulor::files

#endif
