// Designs for the baffle tests, made the way the window makes them.
#ifndef SPEKULOR_TESTS_BAFFLES_BAFFLETESTDESIGNS_H
#define SPEKULOR_TESTS_BAFFLES_BAFFLETESTDESIGNS_H

#include <string>
#include <vector>

#include "calc/Calculate.h"

// D 250, f1 750, F 3000 (m 4), b 200 and a 0.5 degree field (theta 0.25 degree), of
// the given type (radio index 0..4): the layout whose first-order baffles are known.
DesignFields F12Fields(int typeIndex);

// Completes the fields; fails the calling test when the design is refused.
DesignResult CompleteFields(const DesignFields& fields);

struct BaffleCase {
  std::string name;
  DesignFields fields;
};

// The start-up design, the f/12 one of every type, a slower primary, a shorter back
// focal length and an inch design.
std::vector<BaffleCase> BaffleSpread();

#endif
