#include "tests/collimation/ToleranceTestDesigns.h"

#include <gtest/gtest.h>

Calculation CompleteExample(int type, const char* diameter, const char* primaryFocus,
                            const char* systemFocus, const char* backFocus, int unit) {
  DesignFields fields;
  fields.m_nUnits = unit;
  fields.m_nType = type;
  if (type == kStigmatic) fields.m_strPriCC = "-1.2";
  fields.m_strPriDia = diameter;
  fields.m_strPriFoc = primaryFocus;
  fields.m_strSysFoc = systemFocus;
  fields.m_strBackFocLen = backFocus;
  const Calculation calculation = CompleteDesign(fields);
  EXPECT_EQ(calculation.rules.error, CalcError::None) << calculation.rules.message;
  return calculation;
}

DesignResult ExampleDesign(int type) {
  return CompleteExample(type, "250", "750", "3000", "200").design;
}

std::vector<NamedDesign> MisalignmentDesigns() {
  static const char* const kNames[] = {"classical", "Dall-Kirkham", "Ritchey-Chretien",
                                       "Pressmann-Camichel", "stigmatic"};
  std::vector<NamedDesign> designs;
  for (int type = 0; type < 5; ++type) {
    designs.push_back({std::string(kNames[type]) + " f/3 m 4", type, ExampleDesign(type)});
  }
  for (int type : {kClassical, kDallKirkham, kRitcheyChretien}) {
    designs.push_back({std::string(kNames[type]) + " f/2.5 m 2.5", type,
                       CompleteExample(type, "300", "750", "1875", "150").design});
    designs.push_back({std::string(kNames[type]) + " f/4 m 5", type,
                       CompleteExample(type, "200", "800", "4000", "250").design});
  }
  return designs;
}
