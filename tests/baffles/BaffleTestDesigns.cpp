#include "tests/baffles/BaffleTestDesigns.h"

#include <gtest/gtest.h>

DesignFields F12Fields(int typeIndex) {
  DesignFields fields;
  fields.m_nType = typeIndex;
  fields.m_strPriDia = "250";
  fields.m_strPriFoc = "750";
  fields.m_strSysFoc = "3000";
  fields.m_strBackFocLen = "200";
  fields.m_strField = "0.5";
  if (typeIndex == 4) fields.m_strPriCC = "-1.2";
  return fields;
}

DesignResult CompleteFields(const DesignFields& fields) {
  const Calculation calculation = CompleteDesign(fields);
  EXPECT_EQ(calculation.rules.error, CalcError::None) << calculation.rules.message;
  return calculation.design;
}

std::vector<BaffleCase> BaffleSpread() {
  std::vector<BaffleCase> cases = {{"start-up", DesignFields()}};
  static const char* const kTypes[] = {"classical", "dall-kirkham", "ritchey-chretien",
                                       "pressmann-camichel", "stigmatic"};
  for (int type = 0; type < 5; ++type) cases.push_back({std::string(kTypes[type]) + " f/12", F12Fields(type)});

  DesignFields slow = F12Fields(2);  // primary f/5
  slow.m_strPriFoc = "1250";
  slow.m_strSysFoc = "5000";
  cases.push_back({"primary f/5", slow});

  DesignFields shortBack = DesignFields();
  shortBack.m_strBackFocLen = "120";
  cases.push_back({"short back focal length", shortBack});

  DesignFields inch = DesignFields();  // 10 inch f/10, 1 degree
  inch.m_nUnits = 0;
  inch.m_strPriDia = "10";
  inch.m_strPriFoc = "30";
  inch.m_strSysFoc = "100";
  inch.m_strBackFocLen = "8";
  inch.m_strField = "1";
  cases.push_back({"inch", inch});
  return cases;
}
