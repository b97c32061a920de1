#include "tests/common/ImpossibleDesigns.h"

namespace {

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

const std::vector<ImpossibleDesign>& ImpossibleDesigns() {
  static const std::vector<ImpossibleDesign> designs = {
      {"NegativeDiameter", 2, {{&F::m_strPriDia, "--diameter", "-400"}},
       "The \"primary mirror diameter\" must be greater than 0."},
      {"NegativePrimaryFocalLength", 2, {{&F::m_strPriFoc, "--primary-focal-length", "-1000"}},
       "The \"primary mirror focal length\" must be greater than 0."},
      {"NegativeField", 2, {{&F::m_strField, "--field", "-1"}},
       "The \"fully illuminated field\" cannot be negative."},
      {"NegativeSecondaryRadius", 2,
       {kNoSystemFocus, SecondaryRadius("-800")},
       "The \"radius of curvature of secondary mirror\" must be greater than 0"},
      {"SecondaryConicTypedWithItsSign", 0,
       {kNoSystemFocus, kNoBackFocus, SecondaryRadius("800"),
        {&F::m_strSecCC, "--secondary-cc", "-4"}},
       "With a \"radius of curvature of secondary mirror\" the \"secondary mirror conic "
       "constant\" is read as the magnitude"},
      {"SecondaryWithoutPower", 2, {{&F::m_strSysFoc, "--system-focal-length", "1000"}},
       "The secondary mirror must enlarge the primary's image"},
      {"ConcaveSecondary", 2, {{&F::m_strSysFoc, "--system-focal-length", "900"}},
       "The secondary mirror must enlarge the primary's image"},
      {"SystemFocusInFrontOfTheSecondary", 2,
       {kNoSystemFocus, kNoBackFocus, SecondaryRadius("100"), PrimeFocusDistance("300")},
       "The secondary mirror must enlarge the primary's image"},
      {"SecondaryBehindThePrimary", 2,
       {kNoSystemFocus, kNoBackFocus, SecondaryRadius("3000"), PrimeFocusDistance("1200")},
       "The secondary must stand between the primary mirror and its focus"},
      {"WholeSkyField", 2, {{&F::m_strField, "--field", "180"}},
       "The secondary mirror would be as large as the primary or larger"},
      {"OblatePrimaryClosingBeforeItsEdge", 4,
       {{&F::m_strPriCC, "--primary-cc", "150"}},
       "With these conic constants a mirror's surface closes before its edge"},
      {"ValuesBeyondTheNumbers", 2,
       {{&F::m_strPriDia, "--diameter", "4e200"}, {&F::m_strPriFoc, "--primary-focal-length",
        "1e201"}, {&F::m_strSysFoc, "--system-focal-length", "3.2e201"},
        {&F::m_strBackFocLen, "--back-focal-length", "2.54e200"}},
       "This design gives values that are not finite numbers"},
  };
  return designs;
}

DesignFields FieldsOf(const ImpossibleDesign& design) {
  DesignFields fields;
  fields.m_nType = design.typeIndex;
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
