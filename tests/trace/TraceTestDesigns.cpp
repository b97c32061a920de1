#include "tests/trace/TraceTestDesigns.h"

#include <gtest/gtest.h>

DesignFields StartupFields(int typeIndex) {
  DesignFields fields;
  fields.m_nType = typeIndex;
  if (typeIndex == 4) fields.m_strPriCC = "-1.2";
  return fields;
}

DesignResult Complete(const DesignFields& fields) {
  const Calculation calculation = CompleteDesign(fields);
  EXPECT_EQ(calculation.rules.error, CalcError::None) << calculation.rules.message;
  return calculation.design;
}

std::vector<DesignCase> DesignSpread() {
  static const char* const kTypes[] = {"classical", "dall-kirkham", "ritchey-chretien",
                                       "pressmann-camichel", "stigmatic"};
  std::vector<DesignCase> cases;
  for (int type = 0; type < 5; ++type) {
    const std::string name = kTypes[type];
    cases.push_back({name + " start-up", StartupFields(type)});

    DesignFields slow = StartupFields(type);  // f/12, primary f/3
    slow.m_strPriDia = "250";
    slow.m_strPriFoc = "750";
    slow.m_strSysFoc = "3000";
    slow.m_strBackFocLen = "150";
    cases.push_back({name + " f/12", slow});

    DesignFields path2 = StartupFields(type);  // secondary radius and distance to focus
    path2.m_strSysFoc.clear();
    path2.m_strBackFocLen.clear();
    path2.m_strSecRadCur = "800";
    path2.m_strSecSysDist = "900";
    cases.push_back({name + " path 2", path2});

    DesignFields inch = StartupFields(type);  // 10 inch f/10
    inch.m_nUnits = 0;
    inch.m_strPriDia = "10";
    inch.m_strPriFoc = "30";
    inch.m_strSysFoc = "100";
    inch.m_strBackFocLen = "8";
    inch.m_strField = "0.5";
    cases.push_back({name + " inch", inch});
  }
  return cases;
}
