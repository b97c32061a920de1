// The traced illumination against the overlap of two circles, and the baffled field
// fully lit within the design's field.
#include <gtest/gtest.h>

#include <cmath>

#include "camera/CameraPage.h"
#include "camera/Illumination.h"
#include "tests/common/TestDesigns.h"

using namespace spekulor::calc;
using namespace spekulor::camera;
using namespace spekulor::trace;

namespace {

// The share of a circle that a circle of the same radius overlaps with their centres c
// radii apart: (2a - sin 2a) / pi, a = acos(c / 2).
double EqualCirclesOverlap(double c) {
  const double a = std::acos(c / 2.0);
  return (2.0 * a - std::sin(2.0 * a)) / M_PI;
}

double HitRadiusOnSecondary(const Telescope& telescope, double x, double y, double field) {
  const Vec3 direction = StarDirection(field);
  const TracedRay ray =
      TraceRay(telescope, RayOriginThrough(telescope, x, y, direction, StartPlane(telescope)), direction);
  EXPECT_EQ(ray.fate, RayFate::Imaged);
  return ray.onSecondary.y;
}

}  // namespace

// A single circular stop: the secondary's rim made exactly as wide as the axis' beam on
// it, with no obstruction and no hole. The beam of a star off the axis is the same
// circle moved sideways on the secondary, by where its central ray meets it; the light
// that passes is the two circles' overlap.
TEST(Illumination, SingleCircularStopPassesTheTwoCirclesOverlap) {
  const DesignResult design = Complete(F12Fields(kClassical));
  Telescope wide = BuildTelescope(design);
  wide.shadowRadius = 0.0;
  wide.secondary.clearRadius = wide.primary.clearRadius;
  const double rim = wide.primary.clearRadius * (1.0 - 1e-12);
  const double beam = HitRadiusOnSecondary(wide, 0.0, rim, 0.0);
  Telescope telescope = wide;
  telescope.secondary.clearRadius = beam * (1.0 + 1e-9);
  const LightStops stops;  // none but the mirrors' rims
  const int grid = 160;
  const double axis = PassingShare(telescope, stops, 0.0, grid);
  EXPECT_NEAR(axis, 1.0, 0.002);
  for (double c : {0.2, 0.5, 0.9, 1.4}) {
    // The field angle that moves the beam c radii: the central ray's height on the
    // secondary grows in proportion to the angle over so small a field.
    const double probe = 0.001;
    const double perRadian = HitRadiusOnSecondary(wide, 0.0, 0.0, probe) / probe;
    const double field = c * beam / perRadian;
    const double centre = HitRadiusOnSecondary(wide, 0.0, 0.0, field);
    const double relative = PassingShare(telescope, stops, field, grid) / axis;
    EXPECT_NEAR(relative, EqualCirclesOverlap(centre / beam), 0.01) << c;
  }
}

// The baffle plan keeps every ray of the fully illuminated field: up to the design's
// field the sensor is lit as on the axis, and beyond it the secondary's rim and the
// baffles darken it.
TEST(Illumination, BaffledFieldIsFullyLitWithinTheDesignField) {
  const DesignResult design = Complete(StartupFields(kRitcheyChretien));
  CameraOptions options;
  options.sensor = {5.0, 43.0, 43.0, kDefaultSeeingArcsec};
  const CameraPage page = ComputeCameraPage(design, LengthUnit::Millimetre, options);
  ASSERT_TRUE(page.ok()) << DescribeCameraProblem(page.problem);
  EXPECT_TRUE(page.baffled);
  ASSERT_EQ(page.illumination.size(), static_cast<size_t>(kIlluminationPoints));
  const double imageRadius = design.SysFoc * std::tan(design.FieldRad / 2.0);
  for (const IlluminationPoint& point : page.illumination) {
    if (point.radius <= imageRadius) {
      EXPECT_GT(point.relative, 0.995) << point.radius;
    }
  }
  EXPECT_LT(page.illumination.back().relative, 0.99);
  EXPECT_NEAR(page.illumination.back().radius, std::hypot(21.5, 21.5), 1e-9);
}
