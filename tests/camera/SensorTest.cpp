// The sensor's scale against published figures, the thermal focus against its closed
// form, and the options' ranges.
#include <gtest/gtest.h>

#include <cmath>

#include "camera/CameraPage.h"
#include "camera/Sensor.h"
#include "camera/ThermalFocus.h"
#include "tests/common/TestDesigns.h"

using namespace spekulor::calc;
using namespace spekulor::camera;

namespace {

CameraOptions Apsc() {
  CameraOptions options;
  options.sensor = {3.76, 23.5, 15.7, kDefaultSeeingArcsec};
  return options;
}

}  // namespace

// Image scales as the makers and the astronomers' calculators quote them, to the
// hundredth of an arcsec: a 714 mm refractor with 2.4 um pixels, a C10 (2540 mm) and an
// f/10 8-inch (1600.2 mm) with 9 um pixels.
TEST(Sensor, ImageScaleMatchesPublishedFigures) {
  EXPECT_NEAR(ImageScale(2.4, 714.0), 0.69, 0.005);
  EXPECT_NEAR(ImageScale(9.0, 2540.0), 0.73, 0.005);
  EXPECT_NEAR(ImageScale(9.0, 1600.2), 1.16, 0.005);
}

// A full-frame sensor at 1000 mm covers 2 atan(18 / 1000) by 2 atan(12 / 1000): 123.75
// by 82.50 arcmin, 148.72 arcmin across the diagonal (2 atan(21.63 / 1000)); the Airy disk of an f/8 beam is
// 2.44 x 0.55 x 8 = 10.7 um across.
TEST(Sensor, FieldAndDisksOfAFullFrameSensor) {
  SensorOptions sensor;
  sensor.pixelUm = 5.36;
  sensor.widthMm = 36.0;
  sensor.heightMm = 24.0;
  const SensorScale scale = ComputeSensorScale(sensor, 1000.0, 8.0);
  EXPECT_NEAR(scale.fieldWidthArcmin, 123.75, 0.01);
  EXPECT_NEAR(scale.fieldHeightArcmin, 82.50, 0.01);
  EXPECT_NEAR(scale.diagonalArcmin, 148.72, 0.01);
  EXPECT_NEAR(scale.airyDiameterPx * 5.36, 10.736, 0.001);
  EXPECT_NEAR(scale.seeingFwhmPx, 2.0 / (206.265 * 5.36 / 1000.0), 1e-3);
  EXPECT_NEAR(scale.cornerField, std::atan(std::hypot(18.0, 12.0) / 1000.0), 1e-12);
}

// The back focus moves (m^2 + 1) alpha d per kelvin, m = F / f1 the secondary's
// magnification; the zone's half width 2 lambda N^2 is crossed after that many kelvin.
TEST(ThermalFocus, ShiftPerKelvinIsTheClosedForm) {
  const DesignResult design = Complete(StartupFields(kRitcheyChretien));
  const double m = design.SysFoc / design.PriFoc;
  const double n = design.SysFoc / design.PriDia;
  const double zone = 2.0 * 550e-6 * n * n;
  for (TubeMaterial material :
       {TubeMaterial::Aluminium, TubeMaterial::Steel, TubeMaterial::Carbon, TubeMaterial::Invar}) {
    CameraOptions options = Apsc();
    options.material = material;
    options.temperatureChange = -10.0;
    const CameraPage page = ComputeCameraPage(design, LengthUnit::Millimetre, options);
    ASSERT_TRUE(page.ok()) << DescribeCameraProblem(page.problem);
    ASSERT_TRUE(page.thermalKnown);
    const double expected = (m * m + 1.0) * ExpansionPerKelvin(material) * design.PriSecDist;
    EXPECT_NEAR(page.thermal.shiftPerKelvin / expected, 1.0, 1e-9) << TubeMaterialName(material);
    EXPECT_NEAR(page.thermal.kelvinPerZone * expected / zone, 1.0, 1e-9);
    EXPECT_NEAR(page.thermal.shiftForChange, 10.0 * expected, 1e-9 * expected);
  }
  EXPECT_NEAR(ExpansionPerKelvin(TubeMaterial::Aluminium) / ExpansionPerKelvin(TubeMaterial::Invar),
              23.0 / 1.2, 1e-12);
  EXPECT_FALSE(ComputeCameraPage(design, LengthUnit::Millimetre, Apsc()).thermalKnown);
}

TEST(CameraOptions, EachOutOfRangeIsNamed) {
  const DesignResult design = Complete(StartupFields(kClassical));
  struct Case {
    void (*change)(CameraOptions&);
    CameraProblemCode code;
  };
  const Case cases[] = {
      {[](CameraOptions& o) { o.sensor.pixelUm = 0.0; }, CameraProblemCode::PixelOutOfRange},
      {[](CameraOptions& o) { o.sensor.pixelUm = 150.0; }, CameraProblemCode::PixelOutOfRange},
      {[](CameraOptions& o) { o.sensor.widthMm = 0.0; }, CameraProblemCode::SensorOutOfRange},
      {[](CameraOptions& o) { o.sensor.heightMm = 250.0; }, CameraProblemCode::SensorOutOfRange},
      {[](CameraOptions& o) { o.sensor.seeingArcsec = 0.0; }, CameraProblemCode::SeeingOutOfRange},
      {[](CameraOptions& o) { o.temperatureChange = -101.0; }, CameraProblemCode::TemperatureOutOfRange},
      {[](CameraOptions& o) { o.primaryThickness = 401.0; }, CameraProblemCode::ThicknessOutOfRange},
  };
  for (const Case& c : cases) {
    CameraOptions options = Apsc();
    c.change(options);
    const CameraProblem problem = CameraInputsProblem(design, LengthUnit::Millimetre, options);
    EXPECT_EQ(problem.code, c.code) << DescribeCameraProblem(problem);
    EXPECT_TRUE(problem.InOptions());
    EXPECT_FALSE(DescribeCameraProblem(problem).empty());
  }
  EXPECT_TRUE(CameraInputsProblem(design, LengthUnit::Millimetre, Apsc()).ok());
  // 200 mm square at F 1000: the corner 8 degrees off the axis.
  CameraOptions wide = Apsc();
  wide.sensor.widthMm = wide.sensor.heightMm = 200.0;
  const CameraProblem far = CameraInputsProblem(
      Complete(ExampleFields(kClassical, "200", "400", "1000", "150")), LengthUnit::Millimetre, wide);
  EXPECT_EQ(far.code, CameraProblemCode::CornerTooFar);
  EXPECT_NEAR(far.cornerFieldDeg, std::atan(std::hypot(100.0, 100.0) / 1000.0) * 180.0 / M_PI, 1e-9);
  DesignResult flat = design;
  flat.SecDia = design.PriDia * 2.0;
  const CameraProblem untraceable = CameraInputsProblem(flat, LengthUnit::Millimetre, Apsc());
  EXPECT_EQ(untraceable.code, CameraProblemCode::Untraceable);
  EXPECT_FALSE(untraceable.InOptions());
  EXPECT_EQ(CameraRefusalText(untraceable).rfind("Cannot trace this design: ", 0), 0u);
}
