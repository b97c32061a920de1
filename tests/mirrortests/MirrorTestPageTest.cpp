#include <gtest/gtest.h>

#include <string>

#include "calc/Calculate.h"
#include "mirrortests/CouderMask.h"
#include "mirrortests/MirrorTestPage.h"
#include "mirrortests/RonchiPicture.h"
#include "mirrortests/MirrorTestTable.h"

using namespace spekulor::calc;
using namespace spekulor::mirrortests;

namespace {

// The start-up design: a 400 mm f/2.5 Ritchey-Chretien primary.
DesignResult StartUp() { return CompleteDesign(DesignFields()).design; }

TEST(MirrorTestPage, StartUpDesignFromTheReport) {
  const DesignResult design = StartUp();
  const MirrorTestPage page = RunMirrorTests(design, LengthUnit::Millimetre, MirrorTestOptions());
  ASSERT_TRUE(page.problem.ok()) << FormatMirrorTestProblem(page.problem);
  EXPECT_DOUBLE_EQ(page.primary.radius, 2000.0);
  EXPECT_DOUBLE_EQ(page.primary.conic, design.PriConic);
  EXPECT_DOUBLE_EQ(page.primary.shadowRadius, design.SecDia / 2.0);
  ASSERT_EQ(page.zones.size(), 8u);  // 400 mm / 50 mm
  EXPECT_DOUBLE_EQ(page.zones.front().inner, design.SecDia / 2.0);
  EXPECT_DOUBLE_EQ(page.readingsFromFirst.front(), 0.0);
  ASSERT_EQ(page.ronchigrams.size(), 2u);
  EXPECT_DOUBLE_EQ(page.ronchigrams[0].setup.offset, -page.ronchigrams[1].setup.offset);
  EXPECT_LT(page.ronchigrams[0].setup.offset, 0.0);
  EXPECT_FALSE(page.reduction.has_value());
  EXPECT_EQ(DrawCouderMask(page.primary, page.zones).physicalUnit, "mm");
  EXPECT_FALSE(DrawRonchigrams(page.primary, page.ronchigrams).shapes.empty());
}

TEST(MirrorTestPage, MeasuredRadiusAndReadings) {
  MirrorTestOptions options;
  options.zoneCount = 5;
  options.measuredRadius = 2004.0;
  options.source = TestSource::Fixed;
  // The expected readings on another zero, the middle zone 0.05 mm long.
  options.readings = RunMirrorTests(StartUp(), LengthUnit::Millimetre, options).readings;
  ASSERT_EQ(options.readings.size(), 5u);
  for (double& reading : options.readings) reading += 10.0;
  options.readings[2] += 0.05;
  const MirrorTestPage page = RunMirrorTests(StartUp(), LengthUnit::Millimetre, options);
  ASSERT_TRUE(page.problem.ok());
  EXPECT_DOUBLE_EQ(page.primary.radius, 2004.0);
  ASSERT_TRUE(page.reduction.has_value());
  EXPECT_EQ(page.reduction->surfaceErrorNm.size(), 5u);
  EXPECT_GT(page.reduction->wavefrontRmsWaves, 0.0);
  EXPECT_GT(page.reduction->strehl, 0.0);
  EXPECT_LT(page.reduction->strehl, 1.0);
  ASSERT_TRUE(page.reduction->bestFitConic.has_value());
  const std::string table = FormatMirrorTestTable(page, TelescopeType::RitcheyChretien);
  EXPECT_NE(table.find("Best-fit conic"), std::string::npos);
  EXPECT_NE(table.find("mean of its edges"), std::string::npos);
}

TEST(MirrorTestPage, ProblemsAreTypedAndWorded) {
  MirrorTestOptions options;
  options.readings = {1.0, 2.0};
  MirrorTestPage page = RunMirrorTests(StartUp(), LengthUnit::Millimetre, options);
  EXPECT_EQ(page.problem.kind, MirrorTestProblemKind::ReadingsCount);
  EXPECT_EQ(FormatMirrorTestProblem(page.problem),
            "2 readings given for 8 zones: give one reading a zone");

  options = MirrorTestOptions();
  options.zoneEdges = {20.0, 90.0, 60.0, 200.0};
  page = RunMirrorTests(StartUp(), LengthUnit::Millimetre, options);
  EXPECT_EQ(page.problem.kind, MirrorTestProblemKind::ZoneEdgesNotIncreasing);
  EXPECT_EQ(FormatMirrorTestProblem(page.problem),
            "zone edge 3 is not larger than the edge before it: the edges must increase");

  options = MirrorTestOptions();
  options.gratingOffsets = {0.0};
  EXPECT_EQ(RunMirrorTests(StartUp(), LengthUnit::Millimetre, options).problem.kind,
            MirrorTestProblemKind::GratingAtCentre);

  // An oblate ellipsoid at f/0.6 does not reach its rim.
  DesignResult oblate = StartUp();
  oblate.PriConic = 2.0;
  oblate.PriRadCur = 240.0;
  page = RunMirrorTests(oblate, LengthUnit::Millimetre, MirrorTestOptions());
  EXPECT_EQ(page.problem.kind, MirrorTestProblemKind::NoSurface);
  EXPECT_FALSE(FormatMirrorTestProblem(page.problem).empty());
}

}  // namespace
