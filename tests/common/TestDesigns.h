// The designs of the tests and benchmarks, made the way the window makes them: the
// window's start-up values with a few entries changed. Each telescope has one name here.
#ifndef SPEKULOR_TESTS_COMMON_TESTDESIGNS_H
#define SPEKULOR_TESTS_COMMON_TESTDESIGNS_H

#include <array>
#include <string>
#include <vector>

#include "calc/Calculate.h"

// The window's "Type" radio indexes.
constexpr int kClassical = 0;
constexpr int kDallKirkham = 1;
constexpr int kRitcheyChretien = 2;
constexpr int kPressmannCamichel = 3;
constexpr int kStigmatic = 4;

// The window's "Units" radio indexes.
constexpr int kInchUnits = 0;
constexpr int kMillimetreUnits = 1;

// The window's twelve values: the two radio indexes and the ten texts in the window's
// order (D, f1, field, F, b, secondary to focus, secondary to prime focus, secondary
// radius, primary conic, secondary conic).
spekulor::calc::DesignFields TypedFields(int unit, int type, const std::array<const char*, 10>& texts);

// The start-up design of the type; a stigmatic one is given the primary's conic -1.2
// that it needs.
spekulor::calc::DesignFields StartupFields(int type);

// The start-up design of the type with D, f1, F and b as typed, in the unit.
spekulor::calc::DesignFields ExampleFields(int type, const char* diameter, const char* primaryFocus,
                           const char* systemFocus, const char* backFocus,
                           int unit = kMillimetreUnits);

// D 250, f1 750, F 3000 (m 4), b 200 and a 0.5 degree field (theta 0.25 degree): the
// f/12 layout on an f/3 primary whose first-order baffles are known.
spekulor::calc::DesignFields F12Fields(int type);

// The start-up design solved along another path: from the secondary's radius, 800, and
// its distance to the focus, 900, instead of F and b.
spekulor::calc::DesignFields SecondaryPathFields(int type);

// D 10 inch, f1 30, F 100, b 8 and a 0.5 degree field: an f/10 inch design.
spekulor::calc::DesignFields InchFields(int type);

// The calculation of the fields; a refused design throws std::runtime_error with the
// refusal's message, which fails the calling test.
spekulor::calc::Calculation CompleteCalculation(const spekulor::calc::DesignFields& fields);
spekulor::calc::DesignResult Complete(const spekulor::calc::DesignFields& fields);

struct DesignCase {
  std::string name;
  spekulor::calc::DesignFields fields;
};

// A spread of designs of every type for the trace and image-quality tests: the start-up
// layout, the f/12 one, another solving path, an inch design.
std::vector<DesignCase> DesignSpread();

// The baffle tests' spread: the start-up design, the f/12 one of every type, a slower
// primary, a shorter back focal length and an inch design with a 1 degree field.
std::vector<DesignCase> BaffleSpread();

struct NamedDesign {
  std::string name;
  int type = 0;
  spekulor::calc::DesignResult design;
};

// The collimation tests' designs: every type at f/12, and faster and slower pairs of
// mirrors.
std::vector<NamedDesign> MisalignmentDesigns();

// Designs that the required-input rules accept but no telescope can have: each a few
// entries changed from the start-up design, with the start of the message that refuses
// it. The same table drives the library's, spekulor-cli's and the window's tests of the
// refusal.
struct FieldChange {
  std::string spekulor::calc::DesignFields::*field;
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
spekulor::calc::DesignFields FieldsOf(const ImpossibleDesign& design);

// The spekulor-cli arguments after the command's name that give the same design.
std::vector<std::string> OptionsOf(const ImpossibleDesign& design);

#endif
