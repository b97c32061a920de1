#include "tests/common/TestDesigns.h"

#include <stdexcept>

using namespace spekulor::calc;

namespace {

const char* const kTypeNames[] = {"classical", "dall-kirkham", "ritchey-chretien",
                                  "pressmann-camichel", "stigmatic"};

using F = DesignFields;

constexpr FieldChange kNoSystemFocus{&F::m_strSysFoc, "--system-focal-length", ""};
constexpr FieldChange kNoBackFocus{&F::m_strBackFocLen, "--back-focal-length", ""};

FieldChange SecondaryRadius(const char* text) {
  return {&F::m_strSecRadCur, "--secondary-roc", text};
}

FieldChange PrimeFocusDistance(const char* text) {
  return {&F::m_strSecPriDist, "--secondary-from-prime-focus", text};
}

}  // namespace

DesignFields TypedFields(int unit, int type, const std::array<const char*, 10>& texts) {
  DesignFields fields;
  fields.m_nUnits = unit;
  fields.m_nType = type;
  std::string DesignFields::*const entries[] = {
      &F::m_strPriDia,     &F::m_strPriFoc,     &F::m_strField,     &F::m_strSysFoc,
      &F::m_strBackFocLen, &F::m_strSecSysDist, &F::m_strSecPriDist, &F::m_strSecRadCur,
      &F::m_strPriCC,      &F::m_strSecCC};
  for (size_t k = 0; k < texts.size(); ++k) fields.*entries[k] = texts[k];
  return fields;
}

DesignFields StartupFields(int type) {
  DesignFields fields;
  fields.m_nType = type;
  if (type == kStigmatic) fields.m_strPriCC = "-1.2";
  return fields;
}

DesignFields ExampleFields(int type, const char* diameter, const char* primaryFocus,
                           const char* systemFocus, const char* backFocus, int unit) {
  DesignFields fields = StartupFields(type);
  fields.m_nUnits = unit;
  fields.m_strPriDia = diameter;
  fields.m_strPriFoc = primaryFocus;
  fields.m_strSysFoc = systemFocus;
  fields.m_strBackFocLen = backFocus;
  return fields;
}

DesignFields F12Fields(int type) {
  DesignFields fields = ExampleFields(type, "250", "750", "3000", "200");
  fields.m_strField = "0.5";
  return fields;
}

DesignFields SecondaryPathFields(int type) {
  DesignFields fields = StartupFields(type);
  fields.m_strSysFoc.clear();
  fields.m_strBackFocLen.clear();
  fields.m_strSecRadCur = "800";
  fields.m_strSecSysDist = "900";
  return fields;
}

DesignFields InchFields(int type) {
  DesignFields fields = ExampleFields(type, "10", "30", "100", "8", kInchUnits);
  fields.m_strField = "0.5";
  return fields;
}

Calculation CompleteCalculation(const DesignFields& fields) {
  Calculation calculation = CompleteDesign(fields);
  if (calculation.rules.error != CalcError::None) {
    throw std::runtime_error("the design is refused: " + calculation.rules.message);
  }
  return calculation;
}

DesignResult Complete(const DesignFields& fields) { return CompleteCalculation(fields).design; }

std::vector<DesignCase> DesignSpread() {
  std::vector<DesignCase> cases;
  for (int type = kClassical; type <= kStigmatic; ++type) {
    const std::string name = kTypeNames[type];
    cases.push_back({name + " start-up", StartupFields(type)});
    cases.push_back({name + " f/12", F12Fields(type)});
    cases.push_back({name + " path 2", SecondaryPathFields(type)});
    cases.push_back({name + " inch", InchFields(type)});
  }
  return cases;
}

std::vector<DesignCase> BaffleSpread() {
  std::vector<DesignCase> cases = {{"start-up", DesignFields()}};
  for (int type = kClassical; type <= kStigmatic; ++type) {
    cases.push_back({std::string(kTypeNames[type]) + " f/12", F12Fields(type)});
  }
  DesignFields slow = F12Fields(kRitcheyChretien);  // primary f/5
  slow.m_strPriFoc = "1250";
  slow.m_strSysFoc = "5000";
  cases.push_back({"primary f/5", slow});
  DesignFields shortBack;
  shortBack.m_strBackFocLen = "120";
  cases.push_back({"short back focal length", shortBack});
  DesignFields inch = InchFields(kRitcheyChretien);
  inch.m_strField = "1";
  cases.push_back({"inch", inch});
  return cases;
}

std::vector<NamedDesign> MisalignmentDesigns() {
  std::vector<NamedDesign> designs;
  for (int type = kClassical; type <= kStigmatic; ++type) {
    designs.push_back(
        {std::string(kTypeNames[type]) + " f/3 m 4", type, Complete(F12Fields(type))});
  }
  for (int type : {kClassical, kDallKirkham, kRitcheyChretien}) {
    designs.push_back({std::string(kTypeNames[type]) + " f/2.5 m 2.5", type,
                       Complete(ExampleFields(type, "300", "750", "1875", "150"))});
    designs.push_back({std::string(kTypeNames[type]) + " f/4 m 5", type,
                       Complete(ExampleFields(type, "200", "800", "4000", "250"))});
  }
  return designs;
}

const std::vector<ImpossibleDesign>& ImpossibleDesigns() {
  static const std::vector<ImpossibleDesign> designs = {
      {"NegativeDiameter", kRitcheyChretien, {{&F::m_strPriDia, "--diameter", "-400"}},
       "The \"primary mirror diameter\" must be greater than 0."},
      {"NegativePrimaryFocalLength", kRitcheyChretien,
       {{&F::m_strPriFoc, "--primary-focal-length", "-1000"}},
       "The \"primary mirror focal length\" must be greater than 0."},
      {"NegativeField", kRitcheyChretien, {{&F::m_strField, "--field", "-1"}},
       "The \"fully illuminated field\" cannot be negative."},
      {"NegativeSecondaryRadius", kRitcheyChretien,
       {kNoSystemFocus, SecondaryRadius("-800")},
       "The \"radius of curvature of secondary mirror\" must be greater than 0"},
      {"SecondaryConicTypedWithItsSign", kClassical,
       {kNoSystemFocus, kNoBackFocus, SecondaryRadius("800"),
        {&F::m_strSecCC, "--secondary-cc", "-4"}},
       "With a \"radius of curvature of secondary mirror\" the \"secondary mirror conic "
       "constant\" is read as the magnitude"},
      {"SecondaryWithoutPower", kRitcheyChretien,
       {{&F::m_strSysFoc, "--system-focal-length", "1000"}},
       "The secondary mirror must enlarge the primary's image"},
      {"ConcaveSecondary", kRitcheyChretien,
       {{&F::m_strSysFoc, "--system-focal-length", "900"}},
       "The secondary mirror must enlarge the primary's image"},
      {"SystemFocusInFrontOfTheSecondary", kRitcheyChretien,
       {kNoSystemFocus, kNoBackFocus, SecondaryRadius("100"), PrimeFocusDistance("300")},
       "The secondary mirror must enlarge the primary's image"},
      {"SecondaryBehindThePrimary", kRitcheyChretien,
       {kNoSystemFocus, kNoBackFocus, SecondaryRadius("3000"), PrimeFocusDistance("1200")},
       "The secondary must stand between the primary mirror and its focus"},
      {"WholeSkyField", kRitcheyChretien, {{&F::m_strField, "--field", "180"}},
       "The secondary mirror would be as large as the primary or larger"},
      {"OblatePrimaryClosingBeforeItsEdge", kStigmatic,
       {{&F::m_strPriCC, "--primary-cc", "150"}},
       "With these conic constants a mirror's surface closes before its edge"},
      {"ValuesBeyondTheNumbers", kRitcheyChretien,
       {{&F::m_strPriDia, "--diameter", "4e200"}, {&F::m_strPriFoc, "--primary-focal-length",
        "1e201"}, {&F::m_strSysFoc, "--system-focal-length", "3.2e201"},
        {&F::m_strBackFocLen, "--back-focal-length", "2.54e200"}},
       "This design gives values that are not finite numbers"},
  };
  return designs;
}

DesignFields FieldsOf(const ImpossibleDesign& design) {
  DesignFields fields = StartupFields(design.typeIndex);
  for (const FieldChange& change : design.changes) fields.*change.field = change.text;
  return fields;
}

std::vector<std::string> OptionsOf(const ImpossibleDesign& design) {
  std::vector<std::string> args = {"--type", std::to_string(design.typeIndex)};
  for (const FieldChange& change : design.changes) {
    args.emplace_back(change.option);
    args.emplace_back(change.text);
  }
  return args;
}
