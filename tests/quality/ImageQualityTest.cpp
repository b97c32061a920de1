// The whole analysis of completed designs: what a diffraction-limited image must give,
// Marechal against the transform, the unit of the design, and the refusals.
#include <gtest/gtest.h>

#include <cmath>

#include "quality/ImageQuality.h"
#include "quality/PerfectAperture.h"
#include "quality/QualityPictures.h"
#include "tests/common/TestDesigns.h"

using namespace spekulor::calc;
using namespace spekulor::trace;
using namespace spekulor::quality;

namespace {

constexpr int kQualityGrid = 64;
constexpr double kQualityMtfTolerance = 0.005;
constexpr double kQualityMarechalTolerance = 0.02;
constexpr double kQualityEnergyRadiusTolerance = 0.01;  // relative

QualitySet Analyse(const DesignFields& fields, FocusMode focus, int grid = kQualityGrid) {
  const Calculation calculation = CompleteDesign(fields);
  EXPECT_EQ(calculation.rules.error, CalcError::None);
  QualityOptions options;
  options.focus = focus;
  options.gridSize = grid;
  return ComputeImageQuality(calculation.design, calculation.read.unit, options);
}

// A classical Cassegrain images the axis perfectly: its Strehl ratio is 1, and its MTF
// and encircled energy are the perfect annulus's of its obstruction.
TEST(ImageQuality, ClassicalCassegrainAxisIsDiffractionLimited) {
  const QualitySet set = Analyse(StartupFields(kClassical), FocusMode::Paraxial);
  const FieldQuality& axis = set.fields[0];
  EXPECT_GT(axis.strehl, 0.999);
  EXPECT_GT(axis.strehlMarechal, 0.999);
  EXPECT_LT(axis.rmsWaves, 1e-3);
  for (size_t k = 0; k < kMtfFractions.size(); ++k) {
    const double expected = ObstructedMtf(kMtfFractions[k], set.obstruction);
    EXPECT_NEAR(axis.mtfTangential[k], expected, kQualityMtfTolerance) << kMtfFractions[k];
    EXPECT_NEAR(axis.mtfSagittal[k], expected, kQualityMtfTolerance) << kMtfFractions[k];
  }
  EXPECT_NEAR(axis.ee80Diameter / set.perfect.ee80Diameter, 1.0, kQualityEnergyRadiusTolerance);
  // 550 nm at f/8: the cutoff 1 / (lambda N) is 227.27 cycles per millimetre.
  EXPECT_NEAR(set.cutoffPerMm, 1.0 / (550e-6 * 8.0), 1e-9);
  EXPECT_TRUE(QualitySetProblem(set).ok());
}

// Wherever the transform's Strehl ratio is above 0.8 the Marechal estimate is within
// 0.02 of it, over a spread of designs, field points and both focus modes.
TEST(ImageQuality, MarechalAgreesWithTheTransformWhereTheImageIsGood) {
  int checked = 0;
  int belowOne = 0;
  for (const DesignCase& c : DesignSpread()) {
    if (c.fields.m_nType == 3) continue;  // far from the diffraction limit at this grid
    for (FocusMode focus : {FocusMode::Paraxial, FocusMode::Best}) {
      const QualitySet set = Analyse(c.fields, focus, 32);
      if (!QualitySetProblem(set).ok()) continue;
      for (const FieldQuality& field : set.fields) {
        if (field.strehl <= 0.8) continue;
        ++checked;
        if (field.strehl < 0.995) ++belowOne;
        EXPECT_NEAR(field.strehlMarechal, field.strehl, kQualityMarechalTolerance)
            << c.name << " at " << field.fieldFraction;
      }
    }
  }
  EXPECT_GE(checked, 10);
  EXPECT_GE(belowOne, 3);
}

// The same telescope in inches: the same image in micrometres, focal shifts in inches.
TEST(ImageQuality, InchDesignGivesTheSameImage) {
  const DesignFields mm = ExampleFields(kRitcheyChretien, "254", "762", "2540", "203.2");
  const DesignFields inch = ExampleFields(kRitcheyChretien, "10", "30", "100", "8", kInchUnits);
  const QualitySet a = Analyse(mm, FocusMode::Best, 32);
  const QualitySet b = Analyse(inch, FocusMode::Best, 32);
  EXPECT_NEAR(b.focusShift * 25.4 / a.focusShift, 1.0, 1e-6);
  EXPECT_NEAR(b.focalSurfaceRadius * 25.4 / a.focalSurfaceRadius, 1.0, 1e-6);
  for (size_t i = 0; i < a.fields.size(); ++i) {
    EXPECT_NEAR(b.fields[i].strehl, a.fields[i].strehl, 1e-6);
    EXPECT_NEAR(b.fields[i].ee80Diameter * b.micrometresPerUnit,
                a.fields[i].ee80Diameter * a.micrometresPerUnit, 1e-6);
    EXPECT_NEAR(b.fields[i].mtfTangential[1], a.fields[i].mtfTangential[1], 1e-6);
  }
}

// A longer wavelength scales the perfect image with it and lowers the cutoff.
TEST(ImageQuality, WavelengthScalesThePerfectImage) {
  const Calculation calculation = CompleteDesign(StartupFields(kClassical));
  QualityOptions green;
  green.gridSize = 32;
  QualityOptions red = green;
  red.wavelengthNm = 660.0;
  const QualitySet a = ComputeImageQuality(calculation.design, LengthUnit::Millimetre, green);
  const QualitySet b = ComputeImageQuality(calculation.design, LengthUnit::Millimetre, red);
  EXPECT_NEAR(b.perfect.ee80Diameter / a.perfect.ee80Diameter, 660.0 / 550.0, 1e-4);
  EXPECT_NEAR(b.perfect.firstDarkRing / a.perfect.firstDarkRing, 660.0 / 550.0, 1e-9);
  EXPECT_NEAR(b.cutoffPerMm / a.cutoffPerMm, 550.0 / 660.0, 1e-12);
  // The axis wavefront of the best plane is smaller in waves of the longer wavelength.
  EXPECT_LT(b.fields[0].rmsWaves, a.fields[0].rmsWaves);
}

TEST(ImageQuality, AnalysesWithOneWorkspaceAgree) {
  const Calculation calculation = CompleteDesign(StartupFields(kRitcheyChretien));
  QualityOptions options;
  options.gridSize = 32;
  QualityWorkspace workspace(32);
  const QualitySet once = ComputeImageQuality(calculation.design, LengthUnit::Millimetre, options);
  const QualitySet first =
      ComputeImageQuality(calculation.design, LengthUnit::Millimetre, options, workspace);
  const QualitySet second =
      ComputeImageQuality(calculation.design, LengthUnit::Millimetre, options, workspace);
  for (size_t i = 0; i < once.fields.size(); ++i) {
    EXPECT_EQ(first.fields[i].strehl, once.fields[i].strehl);
    EXPECT_EQ(second.fields[i].ee80Diameter, once.fields[i].ee80Diameter);
  }
}

TEST(ImageQuality, OptionsOutOfRangeAreNamed) {
  QualityOptions options;
  EXPECT_TRUE(QualityOptionsProblem(options).ok());
  options.gridSize = 8;
  EXPECT_EQ(QualityOptionsProblem(options).code, QualityProblemCode::GridOutOfRange);
  options.gridSize = 1024;
  EXPECT_EQ(QualityOptionsProblem(options).code, QualityProblemCode::GridOutOfRange);
  options.gridSize = 64;
  for (double nm : {100.0, 30000.0, std::nan("")}) {
    options.wavelengthNm = nm;
    EXPECT_EQ(QualityOptionsProblem(options).code, QualityProblemCode::WavelengthOutOfRange) << nm;
  }
}

// The checks before the analysis, in their order: the design, the options, the
// misalignment.
TEST(ImageQuality, InputsAreCheckedBeforeTheAnalysis) {
  const DesignResult design = CompleteDesign(StartupFields(2)).design;
  QualityOptions options;
  EXPECT_TRUE(QualityInputsProblem(design, options).ok());
  options.secondary.tiltDeg = 60.0;
  QualityProblem problem = QualityInputsProblem(design, options);
  EXPECT_EQ(problem.code, QualityProblemCode::Untraceable);
  EXPECT_EQ(problem.trace.code, TraceProblemCode::TiltTooLarge);
  options.gridSize = 4;
  EXPECT_EQ(QualityInputsProblem(design, options).code, QualityProblemCode::GridOutOfRange);
  DesignResult wide = design;
  wide.SecDia = design.PriDia;
  problem = QualityInputsProblem(wide, options);
  EXPECT_EQ(problem.code, QualityProblemCode::Untraceable);
  EXPECT_EQ(problem.trace.code, TraceProblemCode::SecondaryNotSmaller);
}

TEST(ImageQuality, LostLightAndSteepWavefrontsAreRefused) {
  QualitySet set;
  set.options.gridSize = 128;
  for (FieldQuality& field : set.fields) {
    field.raysPassing = 100;
    field.raysImaged = 100;
  }
  auto expectLost = [&set](int imaged, double fieldFraction) {
    const QualityProblem problem = QualitySetProblem(set);
    EXPECT_EQ(problem.code, QualityProblemCode::Untraceable);
    EXPECT_EQ(problem.trace.code, TraceProblemCode::LightLost);
    EXPECT_EQ(problem.trace.raysImaged, imaged);
    EXPECT_EQ(problem.trace.raysPassing, 100);
    EXPECT_EQ(problem.trace.fieldFraction, fieldFraction);
  };
  set.fields[1].fieldFraction = 0.7;
  set.fields[1].raysImaged = 40;
  expectLost(40, 0.7);
  set.fields[1].raysImaged = 50;
  EXPECT_TRUE(QualitySetProblem(set).ok());
  set.fields[0].raysImaged = 49;
  expectLost(49, 0.0);
  set.fields[0].raysImaged = 100;
  set.fields[2].fieldFraction = 1.0;
  set.fields[2].largestWaveStep = 0.77;
  const QualityProblem steep = QualitySetProblem(set);
  EXPECT_EQ(steep.code, QualityProblemCode::WavefrontTooSteep);
  EXPECT_EQ(steep.fieldFraction, 1.0);
  EXPECT_EQ(steep.waveStep, 0.77);
  EXPECT_EQ(steep.gridSize, 128);
  // A Pressmann-Camichel's field outruns a coarse grid off the axis.
  const QualityProblem coarse = QualitySetProblem(Analyse(StartupFields(3), FocusMode::Best, 32));
  EXPECT_EQ(coarse.code, QualityProblemCode::WavefrontTooSteep);
  EXPECT_GT(coarse.fieldFraction, 0.0);
}

// The one wording of the refusals. The command line is told the grid that would do:
// 0.77 waves a cell on 128 cells needs 128 x 0.77 / 0.5 = 197, rounded up to steps of 32.
TEST(ImageQuality, RefusalTextsNameTheGridNeeded) {
  QualityProblem steep;
  steep.code = QualityProblemCode::WavefrontTooSteep;
  steep.fieldFraction = 1.0;
  steep.waveStep = 0.77;
  steep.gridSize = 128;
  EXPECT_EQ(QualityRefusalText(steep),
            "Cannot analyse the image quality: at the edge of the field the wavefront changes by "
            "0.77 waves from one pupil cell to the next, too fast for a pupil grid of 128; it "
            "needs a pupil grid of 224 or more. The image is far from the diffraction limit: see "
            "the spot diagrams.");
  steep.waveStep = 4.0;
  EXPECT_EQ(QualityRefusalText(steep),
            "Cannot analyse the image quality: at the edge of the field the wavefront changes by "
            "4.00 waves from one pupil cell to the next, too fast for a pupil grid of 128; it "
            "needs a pupil grid finer than 512. The image is far from the diffraction limit: see "
            "the spot diagrams.");
  const QualityProblem lost = UntraceableQuality(LightLostProblem(49, 100, 0.0));
  EXPECT_EQ(QualityRefusalText(lost),
            "Cannot trace this design: only 49 of the 100 rays that pass the secondary reach the "
            "image on the axis");
  EXPECT_EQ(QualityRefusalText(lost, MessageReader::Window), QualityRefusalText(lost));
  QualityProblem options;
  options.code = QualityProblemCode::GridOutOfRange;
  EXPECT_EQ(QualityRefusalText(options),
            "Cannot analyse the image quality: the pupil grid must be from 16 to 512 cells across");
  options.code = QualityProblemCode::WavelengthOutOfRange;
  EXPECT_EQ(QualityRefusalText(options),
            "Cannot analyse the image quality: the wavelength must be from 200 to 20000 nm");
  EXPECT_EQ(QualityRefusalText(QualityProblem()), "");
}

// The window has no grid to set: its wording of a wavefront too steep names the
// design's entries instead.
TEST(ImageQuality, TheWindowsWordingOfASteepWavefrontNamesItsEntries) {
  QualityProblem steep;
  steep.code = QualityProblemCode::WavefrontTooSteep;
  steep.fieldFraction = kSpotFieldFractions[1];
  steep.waveStep = 0.77;
  steep.gridSize = 128;
  EXPECT_EQ(QualityRefusalText(steep, MessageReader::Window),
            "Cannot analyse the image quality: at 0.7 of the field the wavefront changes by 0.77 "
            "waves from one pupil cell to the next, too fast for the analysis to follow. The "
            "image is far from the diffraction limit: see the spot diagrams. A narrower fully "
            "illuminated field or a longer primary mirror focal length brings it closer.");
  steep.fieldFraction = 0.0;
  steep.waveStep = 0.6;
  EXPECT_EQ(QualityRefusalText(steep, MessageReader::Window),
            "Cannot analyse the image quality: on the axis the wavefront changes by 0.60 waves "
            "from one pupil cell to the next, too fast for the analysis to follow. The image is "
            "far from the diffraction limit: see the spot diagrams. A narrower fully illuminated "
            "field or a longer primary mirror focal length brings it closer.");
}

TEST(QualityPictures, RefusalsComeBackAsTheirTexts) {
  DesignFields empty = StartupFields(kRitcheyChretien);
  empty.m_strPriDia.clear();
  const QualityPictures refused = DrawQualityPictures(CompleteDesign(empty), QualityOptions());
  EXPECT_EQ(refused.errorText.rfind("Error 1\r\n", 0), 0u) << refused.errorText;
  QualityOptions tooFine;
  tooFine.gridSize = 2048;
  const QualityPictures badOptions = DrawQualityPictures(CompleteDesign(StartupFields(kRitcheyChretien)), tooFine);
  EXPECT_EQ(badOptions.errorText,
            "Cannot analyse the image quality: the pupil grid must be from 16 to 512 cells across");
  EXPECT_TRUE(badOptions.drawings.empty());
}

// A wider obstruction in the secondary's plane (the skirt baffle's) darkens the middle
// of the traced pupil: the classical Cassegrain's perfect axis image then follows the
// perfect annulus of that obstruction, and fewer of the grid's rays pass. An
// obstruction as wide as the primary, or a spider outside its range, is refused.
TEST(ImageQuality, WiderObstructionIsTracedAndRefusedWhereItCannotStand) {
  const Calculation calculation = CompleteDesign(StartupFields(kClassical));
  const DesignResult& design = calculation.design;
  QualityOptions options;
  options.focus = FocusMode::Paraxial;
  options.gridSize = kQualityGrid;
  const QualitySet secondary = ComputeImageQuality(design, calculation.read.unit, options);
  options.obstruction = {ObstructionSource::Baffles, 0.45 * design.PriDia};
  const QualitySet skirt = ComputeImageQuality(design, calculation.read.unit, options);
  EXPECT_DOUBLE_EQ(skirt.obstruction, 0.45);
  EXPECT_NEAR(secondary.obstruction, design.SecDia / design.PriDia, 1e-12);
  // The pupil's area goes as 1 - e^2.
  EXPECT_NEAR(static_cast<double>(skirt.fields[0].raysPassing) / secondary.fields[0].raysPassing,
              (1.0 - 0.45 * 0.45) / (1.0 - secondary.obstruction * secondary.obstruction), 0.01);
  for (size_t k = 0; k < kMtfFractions.size(); ++k) {
    const double expected = ObstructedMtf(kMtfFractions[k], 0.45);
    EXPECT_NEAR(skirt.fields[0].mtfTangential[k], expected, kQualityMtfTolerance) << kMtfFractions[k];
    EXPECT_EQ(skirt.perfect.mtf[k], expected);
  }
  // A skirt narrower than the secondary leaves the secondary's.
  options.obstruction.diameter = 0.5 * design.SecDia;
  EXPECT_EQ(ComputeImageQuality(design, calculation.read.unit, options).obstruction,
            secondary.obstruction);

  options.obstruction.diameter = design.PriDia;
  EXPECT_EQ(QualityInputsProblem(design, options).code, QualityProblemCode::ObstructionTooWide);
  options.obstruction = CentralObstruction();
  for (const Spider& spider : {Spider{9, 1.0, 0.0}, Spider{-1, 1.0, 0.0},
                               Spider{4, 0.11 * design.PriDia, 0.0}, Spider{4, -1.0, 0.0},
                               Spider{4, 1.0, NAN}}) {
    options.spider = spider;
    EXPECT_EQ(QualityInputsProblem(design, options).code, QualityProblemCode::SpiderOutOfRange)
        << spider.vanes << " " << spider.width << " " << spider.angleDeg;
  }
  options.spider = Spider{8, 0.1 * design.PriDia, 10.0};
  EXPECT_TRUE(QualityInputsProblem(design, options).ok());
}

}  // namespace
