// Completed designs for the collimation tests.
#ifndef SPEKULOR_TESTS_COLLIMATION_TOLERANCETESTDESIGNS_H
#define SPEKULOR_TESTS_COLLIMATION_TOLERANCETESTDESIGNS_H

#include <string>
#include <vector>

#include "calc/Calculate.h"

constexpr int kClassical = 0;
constexpr int kDallKirkham = 1;
constexpr int kRitcheyChretien = 2;
constexpr int kPressmannCamichel = 3;
constexpr int kStigmatic = 4;

// D, f1, F and b as typed, of the design type (radio index 0..4) in the unit (radio
// index: 0 inch, 1 mm); fails the calling test when the design is refused.
Calculation CompleteExample(int type, const char* diameter, const char* primaryFocus,
                            const char* systemFocus, const char* backFocus, int unit = 1);

// D 250, f1 750, m 4 (F 3000), b 200.
DesignResult ExampleDesign(int type);

struct NamedDesign {
  std::string name;
  int type = 0;
  DesignResult design;
};

// Every type at the example, and faster and slower pairs of mirrors.
std::vector<NamedDesign> MisalignmentDesigns();

#endif
