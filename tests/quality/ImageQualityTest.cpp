// The whole analysis of completed designs: what a diffraction-limited image must give,
// Marechal against the transform, the unit of the design, and the refusals.
#include <gtest/gtest.h>

#include <cmath>

#include "quality/ImageQuality.h"
#include "quality/PerfectAperture.h"
#include "quality/QualityPictures.h"
#include "tests/common/TestDesigns.h"

namespace {

constexpr int kGrid = 64;
constexpr double kMtfTolerance = 0.005;
constexpr double kMarechalTolerance = 0.02;
constexpr double kEnergyRadiusTolerance = 0.01;  // relative

QualitySet Analyse(const DesignFields& fields, FocusMode focus, int grid = kGrid) {
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
    EXPECT_NEAR(axis.mtfTangential[k], expected, kMtfTolerance) << kMtfFractions[k];
    EXPECT_NEAR(axis.mtfSagittal[k], expected, kMtfTolerance) << kMtfFractions[k];
  }
  EXPECT_NEAR(axis.ee80Diameter / set.perfect.ee80Diameter, 1.0, kEnergyRadiusTolerance);
  // 550 nm at f/8: the cutoff 1 / (lambda N) is 227.27 cycles per millimetre.
  EXPECT_NEAR(set.cutoffPerMm, 1.0 / (550e-6 * 8.0), 1e-9);
  EXPECT_EQ(QualityProblem(set), "");
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
      if (!QualityProblem(set).empty()) continue;
      for (const FieldQuality& field : set.fields) {
        if (field.strehl <= 0.8) continue;
        ++checked;
        if (field.strehl < 0.995) ++belowOne;
        EXPECT_NEAR(field.strehlMarechal, field.strehl, kMarechalTolerance)
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
  EXPECT_EQ(QualityOptionsProblem(options), "");
  options.gridSize = 8;
  EXPECT_EQ(QualityOptionsProblem(options), "the pupil grid must be from 16 to 512 cells across");
  options.gridSize = 1024;
  EXPECT_NE(QualityOptionsProblem(options), "");
  options.gridSize = 64;
  for (double nm : {100.0, 30000.0, std::nan("")}) {
    options.wavelengthNm = nm;
    EXPECT_EQ(QualityOptionsProblem(options), "the wavelength must be from 200 to 20000 nm") << nm;
  }
}

TEST(ImageQuality, LostLightAndSteepWavefrontsAreRefused) {
  QualitySet set;
  set.options.gridSize = 128;
  for (FieldQuality& field : set.fields) {
    field.raysPassing = 100;
    field.raysImaged = 100;
  }
  set.fields[1].fieldFraction = 0.7;
  set.fields[1].raysImaged = 40;
  EXPECT_EQ(QualityProblem(set),
            "Cannot trace this design: only 40 of the 100 rays that pass the secondary reach the "
            "image at 0.7 of the field");
  set.fields[1].raysImaged = 50;
  EXPECT_EQ(QualityProblem(set), "");
  set.fields[0].raysImaged = 49;
  EXPECT_EQ(QualityProblem(set),
            "Cannot trace this design: only 49 of the 100 rays that pass the secondary reach the "
            "image on the axis");
  EXPECT_EQ(QualityProblem(set, MessageReader::Window), QualityProblem(set));
  set.fields[0].raysImaged = 100;
  set.fields[2].fieldFraction = 1.0;
  set.fields[2].largestWaveStep = 0.77;
  EXPECT_EQ(QualityProblem(set),
            "Cannot analyse the image quality: at the edge of the field the wavefront changes by "
            "0.77 waves from one pupil cell to the next, too fast for a pupil grid of 128; it "
            "needs a pupil grid of 224 or more. The image is far from the diffraction limit: see "
            "the spot diagrams.");
  set.fields[2].largestWaveStep = 4.0;
  EXPECT_NE(QualityProblem(set).find("a pupil grid finer than 512"), std::string::npos);
  // A Pressmann-Camichel's field outruns a coarse grid.
  const QualitySet coarse = Analyse(StartupFields(kPressmannCamichel), FocusMode::Best, 32);
  EXPECT_EQ(QualityProblem(coarse).rfind("Cannot analyse the image quality: at ", 0), 0u);
}

// The window has no grid to set: its wording of a wavefront too steep names the
// design's entries instead.
TEST(ImageQuality, TheWindowsWordingOfASteepWavefrontNamesItsEntries) {
  QualitySet set;
  set.options.gridSize = 128;
  for (size_t i = 0; i < set.fields.size(); ++i) {
    set.fields[i].fieldFraction = kSpotFieldFractions[i];
    set.fields[i].raysPassing = 100;
    set.fields[i].raysImaged = 100;
  }
  // The field point 0.7 too steep, then the axis too: the first one is named.
  struct Steep {
    size_t field;
    double step;
    const char* named;  // and the step as it is shown
  };
  for (const Steep& steep : {Steep{1, 0.77, "at 0.7 of the field the wavefront changes by 0.77"},
                             Steep{0, 0.6, "on the axis the wavefront changes by 0.60"}}) {
    set.fields[steep.field].largestWaveStep = steep.step;
    const std::string start = std::string("Cannot analyse the image quality: ") + steep.named +
                              " waves from one pupil cell to the next, too fast for ";
    EXPECT_EQ(QualityProblem(set, MessageReader::Window),
              start + "the analysis to follow. The image is far from the diffraction limit: see "
                      "the spot diagrams. A narrower fully illuminated field or a longer primary "
                      "mirror focal length brings it closer.");
    EXPECT_EQ(QualityProblem(set).rfind(start, 0), 0u) << steep.named;
    EXPECT_NE(QualityProblem(set).find("pupil grid of 128"), std::string::npos) << steep.named;
  }
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

}  // namespace
