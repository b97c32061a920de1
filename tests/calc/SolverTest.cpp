#include <gtest/gtest.h>

#include <cmath>

#include "calc/Calculate.h"
#include "calc/Solver.h"

using namespace spekulor::calc;

namespace {

// Reference values are given to four decimals; they agree within half a unit of the last.
constexpr double kSolverFourDecimals = 0.5e-4;

// The start-up design: D 400, f1 1000, field 0.75 degrees, F 3200, b 254, mm.
DesignFields StartUp(int typeIndex) {
  DesignFields fields;
  fields.m_nType = typeIndex;
  return fields;
}

DesignFields OnPath(int typeIndex, const char* radius, std::string DesignFields::*datum,
                    const char* value) {
  DesignFields fields = StartUp(typeIndex);
  fields.m_strSysFoc.clear();
  fields.m_strBackFocLen.clear();
  fields.m_strSecRadCur = radius;
  fields.*datum = value;
  return fields;
}

// Paraxial relations every completed layout must satisfy, whatever path fixed it.
void ExpectConsistentLayout(const DesignResult& g) {
  const double p = g.SecPriFocDist, q = g.SecSysFocDist;
  EXPECT_NEAR(g.SecRadCur * (q - p), 2.0 * p * q, 1e-9 * p * q);  // mirror equation
  EXPECT_NEAR(g.SecMag, q / p, 1e-12 * g.SecMag);
  EXPECT_NEAR(g.SysFoc, g.PriFoc * g.SecMag, 1e-9 * g.SysFoc);
  EXPECT_NEAR(g.PriSecDist, g.PriFoc - p, 1e-9 * g.PriFoc);
  EXPECT_NEAR(q, g.PriSecDist + g.BackFocLen, 1e-9 * q);
  EXPECT_DOUBLE_EQ(g.PriRadCur, 2.0 * g.PriFoc);
  EXPECT_NEAR(g.ClassicSecConic, std::pow((g.SecMag + 1) / (g.SecMag - 1), 2), 1e-12);
}

TEST(SolveGeometry, SystemFocusPathCompletesTheStartUpDesign) {
  const DesignResult g = CompleteDesign(StartUp(2)).design;
  EXPECT_NEAR(g.SecMag, 3.2000, kSolverFourDecimals);
  EXPECT_NEAR(g.SecPriFocDist, 298.5714, kSolverFourDecimals);
  EXPECT_NEAR(g.SecSysFocDist, 955.4286, kSolverFourDecimals);
  EXPECT_NEAR(g.PriSecDist, 701.4286, kSolverFourDecimals);
  EXPECT_NEAR(g.SecRadCur, 868.5714, kSolverFourDecimals);
  EXPECT_NEAR(g.PriConic, -1.0831, kSolverFourDecimals);
  EXPECT_NEAR(g.SecConic, -4.5015, kSolverFourDecimals);
  EXPECT_NEAR(g.SecMinDia, 119.4286, kSolverFourDecimals);
  EXPECT_NEAR(g.SecDia, 128.6102, kSolverFourDecimals);
  EXPECT_NEAR(g.LinObstruction, 32.1526, kSolverFourDecimals);
  EXPECT_NEAR(g.AreaObstruction, 10.3379, kSolverFourDecimals);
  EXPECT_NEAR(g.PriSag, 10.0000, kSolverFourDecimals);
  EXPECT_NEAR(g.SecSag, 2.3804, kSolverFourDecimals);
  EXPECT_NEAR(g.FieldRad, 0.75 * M_PI / 180.0, 1e-10);
  EXPECT_EQ(g.PriSysFocDist, kNotGiven);  // only the back-focal-length path sets it
  ExpectConsistentLayout(g);
}

TEST(SolveGeometry, EveryPathReproducesTheSameTelescope) {
  // The start-up telescope fixed by each pair of data the rules accept.
  const Calculation path4 =
      CompleteDesign(OnPath(2, "868.5714285714286", &DesignFields::m_strBackFocLen, "254"));
  const Calculation path3 =
      CompleteDesign(OnPath(2, "868.5714285714286", &DesignFields::m_strSecPriDist, "298.5714285714286"));
  const Calculation path2 =
      CompleteDesign(OnPath(2, "868.5714285714286", &DesignFields::m_strSecSysDist, "955.4285714285714"));
  EXPECT_EQ(path4.rules.path, SolvePath::FromBackFocLen);
  EXPECT_EQ(path3.rules.path, SolvePath::FromSecPriFocDist);
  EXPECT_EQ(path2.rules.path, SolvePath::FromSecSysFocDist);
  for (const Calculation* c : {&path4, &path3, &path2}) {
    const DesignResult& g = c->design;
    EXPECT_NEAR(g.SecMag, 3.2, 1e-9);
    EXPECT_NEAR(g.SysFoc, 3200.0, 1e-8);
    EXPECT_NEAR(g.SecPriFocDist, 298.5714, kSolverFourDecimals);
    EXPECT_NEAR(g.SecSysFocDist, 955.4286, kSolverFourDecimals);
    EXPECT_NEAR(g.BackFocLen, 254.0, 1e-8);
    EXPECT_NEAR(g.SecConic, -4.5015, kSolverFourDecimals);
    ExpectConsistentLayout(g);
  }
  EXPECT_DOUBLE_EQ(path4.design.PriSysFocDist, 1254.0);
  EXPECT_DOUBLE_EQ(path4.design.BackFocLen, 254.0);  // kept as given
}

TEST(SolveGeometry, SecondaryDistancePathsWorkedExamples) {
  // R2 800 and q 900.
  const DesignResult g = CompleteDesign(OnPath(0, "800", &DesignFields::m_strSecSysDist, "900")).design;
  EXPECT_NEAR(g.SecPriFocDist, 276.9231, kSolverFourDecimals);
  EXPECT_NEAR(g.SecMag, 3.2500, kSolverFourDecimals);
  EXPECT_NEAR(g.SysFoc, 3250.0000, kSolverFourDecimals);
  EXPECT_NEAR(g.BackFocLen, 176.9231, kSolverFourDecimals);
  ExpectConsistentLayout(g);

  // R2 800 and p 200: q = 800 * 200 / 400 = 400, m = 2.
  DesignFields fields = OnPath(0, "800", &DesignFields::m_strSecPriDist, "200");
  fields.m_strSysFoc = "1234";  // a typed system focal length is replaced
  fields.m_strBackFocLen.clear();
  const DesignResult h = CompleteDesign(fields).design;
  EXPECT_DOUBLE_EQ(h.SecSysFocDist, 400.0);
  EXPECT_DOUBLE_EQ(h.SecMag, 2.0);
  EXPECT_DOUBLE_EQ(h.SysFoc, 2000.0);
  EXPECT_DOUBLE_EQ(h.BackFocLen, 400.0 - 800.0);
  EXPECT_DOUBLE_EQ(h.ClassicSecConic, 9.0);
}

TEST(SolveGeometry, SecondaryConicPathStigmaticWorkedExample) {
  DesignFields fields = OnPath(4, "800", &DesignFields::m_strSecCC, "4");
  fields.m_strBackFocLen = "999";  // replaced by the solved one
  const DesignResult g = CompleteDesign(fields).design;
  EXPECT_NEAR(g.SecMag, 3.0, 1e-12);
  EXPECT_NEAR(g.SecSysFocDist, 800.0, 1e-9);
  EXPECT_NEAR(g.SecPriFocDist, 266.6667, kSolverFourDecimals);
  EXPECT_NEAR(g.SysFoc, 3000.0, 1e-9);
  EXPECT_NEAR(g.BackFocLen, 66.6667, kSolverFourDecimals);
  EXPECT_NEAR(g.PriConic, -1.0, 1e-12);
  EXPECT_DOUBLE_EQ(g.SecConic, -4.0);
  ExpectConsistentLayout(g);
}

TEST(SetDesignConics, EachTypeOnTheStartUpDesign) {
  struct ConicCase {
    int typeIndex;
    double k1, k2;
  } cases[] = {
      {0, -1.0000, -3.6446},  // classical: paraboloid and -C
      {1, -0.6464, 0.0},      // Dall-Kirkham: spherical secondary
      {2, -1.0831, -4.5015},  // Ritchey-Chretien
      {3, 0.0, 6.6624},       // Pressmann-Camichel: spherical primary, oblate secondary
  };
  for (const ConicCase& c : cases) {
    const DesignResult g = CompleteDesign(StartUp(c.typeIndex)).design;
    EXPECT_NEAR(g.PriConic, c.k1, kSolverFourDecimals) << c.typeIndex;
    EXPECT_NEAR(g.SecConic, c.k2, kSolverFourDecimals) << c.typeIndex;
  }
  // Classical: the secondary is the hyperboloid whose foci are the two focal points,
  // K2 = -((m + 1) / (m - 1))^2 with m = 3.2.
  EXPECT_NEAR(CompleteDesign(StartUp(0)).design.SecConic, -std::pow(4.2 / 2.2, 2), 1e-12);
}

TEST(SetDesignConics, StigmaticKeepsAnEnteredPrimaryConic) {
  // With a paraboloid primary the stigmatic secondary is the classical one.
  DesignFields fields = StartUp(4);
  fields.m_strPriCC = "-1";
  fields.m_strSecCC = "";
  const DesignResult g = CompleteDesign(fields).design;
  EXPECT_DOUBLE_EQ(g.PriConic, -1.0);
  EXPECT_NEAR(g.SecConic, -g.ClassicSecConic, 1e-12);

  // Both entered: the primary stays, the secondary is recomputed from it.
  fields.m_strSecCC = "17";
  const DesignResult h = CompleteDesign(fields).design;
  EXPECT_DOUBLE_EQ(h.PriConic, -1.0);
  EXPECT_NEAR(h.SecConic, -h.ClassicSecConic, 1e-12);

  // Only the secondary: a classical secondary conic gives back a paraboloid primary.
  fields.m_strPriCC.clear();
  fields.m_strSecCC = std::to_string(g.SecConic);
  const DesignResult k = CompleteDesign(fields).design;
  EXPECT_NEAR(k.PriConic, -1.0, 1e-6);
}

}  // namespace
