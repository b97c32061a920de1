// Completed designs for the trace tests, made the way the window makes them.
#ifndef SPEKULOR_TESTS_TRACE_TRACETESTDESIGNS_H
#define SPEKULOR_TESTS_TRACE_TRACETESTDESIGNS_H

#include <string>
#include <vector>

#include "calc/Calculate.h"

// The window's start-up values with the design type (radio index 0..4) and the given
// field texts replaced; fails the calling test when the design is refused.
struct DesignCase {
  std::string name;
  DesignFields fields;
};

DesignFields StartupFields(int typeIndex);
DesignResult Complete(const DesignFields& fields);

// A spread of designs of every type: the start-up layout, a slow and a fast one, the
// other solving paths, an inch design.
std::vector<DesignCase> DesignSpread();

#endif
