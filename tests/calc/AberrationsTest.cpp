#include <gtest/gtest.h>

#include <cmath>

#include "calc/Aberrations.h"
#include "calc/Calculate.h"

using namespace spekulor::calc;

namespace {

constexpr double kFourDecimals = 0.5e-4;

TEST(ComputeAberrations, StartUpDesignForEachType) {
  struct Row {
    int typeIndex;
    double coma, astig, petzval, curv, comaArcsec, astigArcsec, radius;
  } rows[] = {
      {0, 0.5000, 2.6151, -4.1684, -9.3987, 3.9551, 1.4442, -340.4732},
      {2, 0.0000, 2.9822, -4.1684, -10.1328, 0.0000, 1.6469, -315.8050},
      {1, 2.6266, 1.0539, -4.1684, -6.2761, 20.7771, 0.5820, -509.8683},
      {3, 6.5142, -1.8002, -4.1684, -0.5681, 51.5278, -0.9941, -5633.0043},
  };
  for (const Row& r : rows) {
    DesignFields fields;
    fields.m_nType = r.typeIndex;
    const DesignResult g = CompleteDesign(fields).design;
    EXPECT_NEAR(g.ComaCoef, r.coma, kFourDecimals) << r.typeIndex;
    EXPECT_NEAR(g.AstigCoef, r.astig, kFourDecimals) << r.typeIndex;
    EXPECT_NEAR(g.PetzvalCoef, r.petzval, kFourDecimals) << r.typeIndex;
    EXPECT_NEAR(g.FieldCurvCoef, r.curv, kFourDecimals) << r.typeIndex;
    EXPECT_NEAR(g.ComaArcsec, r.comaArcsec, kFourDecimals) << r.typeIndex;
    EXPECT_NEAR(g.AstigArcsec, r.astigArcsec, kFourDecimals) << r.typeIndex;
    EXPECT_NEAR(g.FieldCurvRadius, r.radius, kFourDecimals) << r.typeIndex;
    EXPECT_FALSE(FieldCurvedFromSky(g.FieldCurvRadius));
  }
}

TEST(ComputeAberrations, RitcheyChretienIsFreeOfComaOnEveryPath) {
  // The aplanatic condition holds for any magnification, not just the start-up one.
  for (const char* sysFoc : {"2000", "3200", "5000", "12000"}) {
    DesignFields fields;
    fields.m_strSysFoc = sysFoc;
    const DesignResult g = CompleteDesign(fields).design;
    EXPECT_NEAR(g.ComaCoef, 0.0, 1e-12) << sysFoc;
  }
}

TEST(ComputeAberrations, SecondaryConicDoesNotEnter) {
  DesignResult g = CompleteDesign(DesignFields()).design;
  const DesignResult a = ComputeAberrations(g);
  g.SecConic = 123.0;
  const DesignResult b = ComputeAberrations(g);
  EXPECT_EQ(a.ComaCoef, b.ComaCoef);
  EXPECT_EQ(a.AstigCoef, b.AstigCoef);
  g.PriConic += 0.1;
  EXPECT_NE(ComputeAberrations(g).ComaCoef, a.ComaCoef);
}

TEST(FieldCurvedFromSky, OnlyAPositiveRadius) {
  EXPECT_TRUE(FieldCurvedFromSky(1e-300));
  EXPECT_TRUE(FieldCurvedFromSky(HUGE_VAL));
  EXPECT_FALSE(FieldCurvedFromSky(0.0));
  EXPECT_FALSE(FieldCurvedFromSky(-5.0));
  EXPECT_FALSE(FieldCurvedFromSky(std::nan("")));

  // A zero field-curvature coefficient gives an infinite radius, curved "from" the sky.
  DesignResult g = CompleteDesign(DesignFields()).design;
  g.PriConic = -1.0;
  g.SysFoc = 3200.0;
  DesignResult flat = ComputeAberrations(g);
  flat.FieldCurvCoef = 0.0;
  flat.FieldCurvRadius = flat.SysFoc / flat.FieldCurvCoef;
  EXPECT_TRUE(FieldCurvedFromSky(flat.FieldCurvRadius));
}

TEST(ComputePerformance, FourHundredMillimetres) {
  const Performance p = ComputePerformance(400.0, 3200.0);
  // Area ratio (400 / 7)^2 = 3265.3; limits 115, 138 and 116 arc seconds over D in mm.
  EXPECT_NEAR(p.LightGain, 3265.3, 0.05);
  EXPECT_NEAR(p.SparrowLimit, 0.2875, 1e-12);
  EXPECT_NEAR(p.RayleighLimit, 0.345, 1e-12);
  EXPECT_NEAR(p.DawesLimit, 0.29, 1e-12);
  EXPECT_NEAR(p.MinMag, 57.142857, 1e-6);
  EXPECT_NEAR(p.MinMagEyepiece, 56.0, 1e-9);
  EXPECT_NEAR(p.MaxMag, 800.0, 1e-12);
  EXPECT_NEAR(p.MaxMagEyepiece, 4.0, 1e-12);
}

TEST(ComputePerformance, InchDesignsAreConvertedToMillimetres) {
  // A 16-inch f/8 telescope: 406.4 mm, Dawes 116 / 406.4 = 0.285", not 116 / 16.
  DesignFields fields;
  fields.m_nUnits = 0;
  fields.m_strPriDia = "16";
  fields.m_strPriFoc = "40";
  fields.m_strSysFoc = "128";
  fields.m_strBackFocLen = "10";
  const DesignResult inch = CompleteDesign(fields).design;
  EXPECT_NEAR(inch.DawesLimit, 0.2854, 1e-4);
  EXPECT_NEAR(inch.MinMag, 406.4 / 7.0, 1e-9);
  EXPECT_NEAR(inch.MinMagEyepiece, 56.0, 1e-9);  // f/8 and a 7 mm pupil
  EXPECT_NEAR(inch.MaxMagEyepiece, 4.0, 1e-9);
  EXPECT_NEAR(inch.LightGain, (406.4 / 7.0) * (406.4 / 7.0), 0.01);

  // Millimetre designs are taken as they are; the geometry of inch designs too.
  fields.m_nUnits = 1;
  const DesignResult mm = CompleteDesign(fields).design;
  EXPECT_NEAR(mm.DawesLimit, 116.0 / 16.0, 1e-12);
  EXPECT_EQ(mm.SecDia, inch.SecDia);
  EXPECT_EQ(mm.ComaArcsec, inch.ComaArcsec);
}

}  // namespace
