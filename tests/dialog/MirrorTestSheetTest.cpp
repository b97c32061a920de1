// The "Mirror tests" page without a display: its pictures and refusals, the zone table
// whose typed readings are reduced as they are typed, the mask written at 1:1 and the
// refit, each against the mirror-test library run directly as spekulor-cli runs it.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "calc/OpticalConstants.h"
#include "dialog/MirrorTestSheet.h"
#include "dialog/MirrorTestsPage.h"
#include "drawing/SvgWriter.h"
#include "mirrortests/CouderMask.h"
#include "mirrortests/MirrorTestTable.h"
#include "mirrortests/RonchiPicture.h"
#include "mirrortests/SecondaryTestText.h"
#include "tests/common/TestDesigns.h"
#include "tests/common/TestFiles.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::mirrortests;
using namespace spekulor::dialog;

namespace {

constexpr int kClassical = 0;
constexpr int kDallKirkham = 1;
constexpr int kRitcheyChretien = 2;

std::shared_ptr<const Calculation> Design(const DesignFields& fields) {
  return std::make_shared<const Calculation>(CompleteCalculation(fields));
}

MirrorTestSheet SheetOf(const std::shared_ptr<const Calculation>& design) {
  return MirrorTestSheet(design, std::make_shared<const MirrorTestPage>(DefaultMirrorTests(*design)));
}

// All the digits of a double, with the point whatever the process locale.
std::string Exact(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  for (char& c : text) {
    if (c == ',') c = '.';
  }
  return text;
}

// A German locale for the scope, when installed: its decimal comma must not matter.
class GermanNumbers {
 public:
  GermanNumbers() : m_previous(std::setlocale(LC_NUMERIC, nullptr)) {
    installed = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
  }
  ~GermanNumbers() { std::setlocale(LC_NUMERIC, m_previous.c_str()); }
  bool installed = false;

 private:
  std::string m_previous;
};

TEST(MirrorTestsPageTest, ShowsTheMaskTheRonchigramsAndTheHindleTest) {
  const Calculation rc = CompleteCalculation(StartupFields(kRitcheyChretien));
  const PicturePage page = DrawMirrorTestsPage(rc, "Mirror tests");
  EXPECT_TRUE(page.refusal.empty()) << page.refusal;
  ASSERT_EQ(page.drawings.size(), 3u);
  const MirrorTestPage figures = DefaultMirrorTests(rc);
  EXPECT_EQ(WriteSvg(page.drawings[0]), WriteSvg(DrawCouderMask(figures.primary, figures.zones)));
  EXPECT_EQ(page.drawings[0].physicalUnit, "mm");
  ASSERT_NE(page.mirrorTests, nullptr);
  EXPECT_EQ(page.mirrorTests->zones.size(), figures.zones.size());
  EXPECT_EQ(page.drawings[1].title, DrawRonchigrams(figures.primary, figures.ronchigrams).title);
}

// A spherical secondary is not tested against a Hindle sphere: the page says how it is
// tested instead, and still shows the primary's mask and Ronchigrams.
TEST(MirrorTestsPageTest, ASecondaryWithoutAHindleTestGivesItsReason) {
  const Calculation dk = CompleteCalculation(StartupFields(kDallKirkham));
  ASSERT_EQ(dk.rules.error, CalcError::None);
  SecondaryTestOptions options;
  options.wavelength = kWavelengthMm;
  const SecondaryTest secondary = TestSecondary(dk.design, options);
  ASSERT_NE(secondary.layout.problem, HindleProblem::None);
  const PicturePage page = DrawMirrorTestsPage(dk, "Mirror tests");
  EXPECT_EQ(page.refusal, HindleProblemText(secondary.layout.problem,
                                            secondary.layout.problemDetail, dk.read.unit));
  ASSERT_EQ(page.drawings.size(), 2u);
  EXPECT_EQ(page.drawings[0].physicalUnit, "mm");
}

TEST(MirrorTestSheetTest, TheTableShowsTheZonesAndTheirReadings) {
  const auto design = Design(StartupFields(kRitcheyChretien));
  const MirrorTestSheet sheet = SheetOf(design);
  const MirrorTestPage page = DefaultMirrorTests(*design);
  ASSERT_TRUE(sheet.CanTest());
  ASSERT_EQ(sheet.ZoneCount(), page.zones.size());
  EXPECT_EQ(sheet.TableTitle(), "Couder zones and Foucault readings (mm), surface error (nm)");
  for (size_t i = 0; i < sheet.ZoneCount(); ++i) {
    EXPECT_EQ(sheet.Cell(i, kZoneColumn), std::to_string(i + 1));
    EXPECT_NEAR(std::stod(sheet.Cell(i, kOuterColumn)), page.zones[i].outer, 0.005);
    EXPECT_NEAR(std::stod(sheet.Cell(i, kExpectedColumn)), page.readings[i], 0.0005);
    EXPECT_TRUE(sheet.Cell(i, kMeasuredColumn).empty());
    EXPECT_TRUE(sheet.Cell(i, kSurfaceColumn).empty());
  }
  // The zones of equal area end at the rim.
  EXPECT_NEAR(page.zones.back().outer, design->design.PriDia / 2.0, 1e-9);
}

// Readings typed one by one: nothing is reduced until every zone has one, then the
// figures are those of the command line's --readings, under a German locale too.
TEST(MirrorTestSheetTest, TypedReadingsGiveTheCommandLinesReduction) {
  const GermanNumbers german;  // where installed; the C locale otherwise
  for (const int type : {kClassical, kRitcheyChretien}) {
    const auto design = Design(type == kClassical ? InchFields(type) : StartupFields(type));
    MirrorTestSheet sheet = SheetOf(design);
    const MirrorTestPage plain = DefaultMirrorTests(*design);
    MirrorTestOptions options;
    for (size_t i = 0; i < plain.readings.size(); ++i) {
      options.readings.push_back(plain.readings[i] + 0.0123 * static_cast<double>(i % 3) - 0.21);
    }
    const MirrorTestPage command = RunMirrorTests(design->design, design->read.unit, options);
    ASSERT_TRUE(command.reduction.has_value());
    for (size_t i = 0; i < options.readings.size(); ++i) {
      EXPECT_FALSE(sheet.Reduction().has_value());
      sheet.SetReading(i, " " + Exact(options.readings[i]));
    }
    ASSERT_TRUE(sheet.Reduction().has_value());
    const MirrorTestReduction& typed = *sheet.Reduction();
    const MirrorTestReduction& expected = *command.reduction;
    EXPECT_EQ(typed.surfaceErrorNm, expected.surfaceErrorNm);
    EXPECT_EQ(typed.wavefrontRmsWaves, expected.wavefrontRmsWaves);
    EXPECT_EQ(typed.wavefrontPvWaves, expected.wavefrontPvWaves);
    EXPECT_EQ(typed.strehl, expected.strehl);
    EXPECT_EQ(typed.bestFitConic, expected.bestFitConic);
    EXPECT_EQ(sheet.ReductionText(), ReductionSummaryLines(command, expected));
    EXPECT_EQ(sheet.Cell(1, kSurfaceColumn), FormatFixed(expected.surfaceErrorNm[1], 1));
    // A zone cleared again: the reduction waits for it.
    sheet.SetReading(0, "");
    EXPECT_FALSE(sheet.Reduction().has_value());
    EXPECT_TRUE(sheet.Cell(0, kSurfaceColumn).empty());
  }
}

// The readings the design's own conic gives, shifted by any origin, describe a perfect
// mirror of that conic: no surface error, Strehl 1.
TEST(MirrorTestSheetTest, ThePerfectMirrorsReadingsReduceToNoError) {
  const auto design = Design(StartupFields(kRitcheyChretien));
  MirrorTestSheet sheet = SheetOf(design);
  for (size_t i = 0; i < sheet.ZoneCount(); ++i) {
    sheet.SetReading(i, Exact(sheet.Figures().readings[i] + 1.5));
  }
  ASSERT_TRUE(sheet.Reduction().has_value());
  for (double nm : sheet.Reduction()->surfaceErrorNm) EXPECT_NEAR(nm, 0.0, 1e-3);
  EXPECT_NEAR(sheet.Reduction()->wavefrontRmsWaves, 0.0, 1e-6);
  EXPECT_NEAR(sheet.Reduction()->strehl, 1.0, 1e-9);
  ASSERT_TRUE(sheet.Reduction()->bestFitConic.has_value());
  EXPECT_NEAR(*sheet.Reduction()->bestFitConic, sheet.Figures().primary.conic, 1e-6);
}

TEST(MirrorTestSheetTest, AReadingThatIsNoNumberIsNamed) {
  const auto design = Design(StartupFields(kRitcheyChretien));
  MirrorTestSheet sheet = SheetOf(design);
  EXPECT_EQ(sheet.ReductionText(),
            "Type the measured reading of every zone: the surface error, the wavefront and the "
            "best-fit conic follow.\n");
  for (size_t i = 0; i < sheet.ZoneCount(); ++i) sheet.SetReading(i, "0.5");
  ASSERT_TRUE(sheet.Reduction().has_value());
  for (const char* bad : {"0,5", "abc", "1e", "0.5mm", "inf", "nan", "1e999"}) {
    sheet.SetReading(2, bad);
    EXPECT_FALSE(sheet.Reduction().has_value()) << bad;
    MirrorTestProblem problem;
    problem.kind = MirrorTestProblemKind::ReadingNotFinite;
    problem.index = 3;
    EXPECT_EQ(sheet.ReductionText(),
              "Cannot reduce the readings: " + FormatMirrorTestProblem(problem) + "\n")
        << bad;
    EXPECT_EQ(sheet.Cell(2, kMeasuredColumn), bad);
  }
  sheet.SetReading(2, "-0.5e-1");
  EXPECT_TRUE(sheet.Reduction().has_value());
  // Finite readings whose surface error overflows are named, not reduced to "nan".
  sheet.SetReading(0, "1e308");
  sheet.SetReading(1, "-1e308");
  EXPECT_FALSE(sheet.Reduction().has_value());
  MirrorTestProblem apart;
  apart.kind = MirrorTestProblemKind::ReadingsTooFarApart;
  EXPECT_EQ(sheet.ReductionText(),
            "Cannot reduce the readings: " + FormatMirrorTestProblem(apart) + "\n");
}

TEST(MirrorTestSheetTest, SaveMaskWritesTheMaskAtFullSize) {
  for (const DesignFields& fields : {StartupFields(kRitcheyChretien), InchFields(kClassical)}) {
    const auto design = Design(fields);
    const MirrorTestSheet sheet = SheetOf(design);
    const MirrorTestPage page = DefaultMirrorTests(*design);
    const TempDir dir;
    const std::string path = dir.File("mask.svg");
    EXPECT_EQ(sheet.SaveMask(path), "");
    const std::string bytes = ReadFileBytes(path);
    EXPECT_EQ(bytes, WriteSvg(DrawCouderMask(page.primary, page.zones)));
    const std::string unit = design->read.unit == LengthUnit::Inch ? "in" : "mm";
    // One unit of the picture is one of the design: the mirror's rim fits inside.
    EXPECT_NE(bytes.find("width=\"" + FormatFixed(sheet.Mask().width, 4) + unit + "\""),
              std::string::npos)
        << bytes.substr(0, 400);
    EXPECT_GT(sheet.Mask().width, design->design.PriDia);
    EXPECT_LT(sheet.Mask().width, 1.3 * design->design.PriDia);
  }
}

TEST(MirrorTestSheetTest, AMaskThatCannotBeWrittenIsNamedAndLeavesNoFile) {
  const MirrorTestSheet sheet = SheetOf(Design(StartupFields(kRitcheyChretien)));
  const TempDir dir;
  const std::string path = dir.File("missing/mask.svg");
  EXPECT_EQ(sheet.SaveMask(path), path + ": No such file or directory");
  EXPECT_TRUE(dir.List().empty());
}

// The refit of the typed fields is RefitTelescope's, worded as spekulor-cli refit words it.
TEST(MirrorTestSheetTest, TheRefitShowsTheCommandLinesLines) {
  const auto design = Design(StartupFields(kRitcheyChretien));
  const MirrorTestSheet sheet = SheetOf(design);
  const RefitFields start = sheet.DesignRefitFields();
  EXPECT_NEAR(std::stod(start.primaryRoc), 2.0 * design->design.PriFoc, 0.005);
  EXPECT_TRUE(start.secondaryRoc.empty());

  RefitFields fields;
  fields.primaryRoc = "2010.5";
  fields.primaryConic = "-1.05";
  fields.keep = RefitKeep::FocalLength;
  RefitRequest request;
  request.primaryRoc = 2010.5;
  request.primaryConic = -1.05;
  request.keep = RefitKeep::FocalLength;
  const double wavelength = kWavelengthMm;
  const RefitResult refit = RefitTelescope(design->design, request, wavelength);
  ASSERT_EQ(refit.problem, RefitProblem::None);
  EXPECT_EQ(MirrorTestSheet::RefitText(*design, fields),
            JoinLines(RefitLines(design->design, request, refit, design->read.type,
                                 design->read.unit, kReferenceWavelengthNm)));

  fields.primaryConic = "-1,05";
  EXPECT_EQ(MirrorTestSheet::RefitText(*design, fields),
            RefitProblemText(RefitProblem::NotFinite, 0.0, design->read.unit) + "\n");
}

}  // namespace
