// The corner's focus against third-order field curvature, and the flat plane between
// the centre's and the corner's foci.
#include <gtest/gtest.h>

#include <cmath>

#include "camera/CameraPage.h"
#include "tests/common/TestDesigns.h"

using namespace spekulor::calc;
using namespace spekulor::camera;

// The corner's best focus lies y^2 / (2 R) from the axis', R the report's radius of
// field curvature (the medial surface, where the least RMS error lies) and y the
// corner's height, F tan(corner field).
TEST(CornerFocus, DefocusFollowsTheReportsFieldCurvature) {
  for (int type : {kClassical, kRitcheyChretien}) {
    const DesignResult design = Complete(StartupFields(type));
    CameraOptions options;
    options.sensor = {4.0, 28.0, 21.0, kDefaultSeeingArcsec};
    const CameraPage page = ComputeCameraPage(design, LengthUnit::Millimetre, options);
    ASSERT_TRUE(page.ok()) << DescribeCameraProblem(page.problem);
    const double y = design.SysFoc * std::tan(page.scale.cornerField);
    EXPECT_NEAR(y, 17.5, 1e-9);
    const double expected = y * y / (2.0 * design.FieldCurvRadius);
    EXPECT_NEAR(page.corner.defocus / expected, 1.0, 0.02) << type;
    const double n = design.SysFoc / design.PriDia;
    EXPECT_NEAR(page.corner.criticalZone, 2.0 * 550e-6 * n * n, 1e-12);
    EXPECT_EQ(page.corner.needsFlattener, std::fabs(expected) > page.corner.criticalZone) << type;
    // The flat plane lies between the centre's and the corner's foci.
    EXPECT_GE(page.corner.planeShift, std::fmin(page.corner.axisFocus, page.corner.cornerFocus));
    EXPECT_LE(page.corner.planeShift, std::fmax(page.corner.axisFocus, page.corner.cornerFocus));
    EXPECT_GT(page.corner.strehl, 0.0);
    EXPECT_LE(page.corner.strehl, 1.0);
  }
}

// A sensor so small that its corner is the axis for every purpose: no defocus, no
// flattener, and the corner's Strehl ratio that of the axis of a well-corrected
// Ritchey-Chretien, above 0.99.
TEST(CornerFocus, TinySensorCornerIsTheAxis) {
  const DesignResult design = Complete(StartupFields(kRitcheyChretien));
  CameraOptions options;
  options.sensor = {2.0, 0.2, 0.2, kDefaultSeeingArcsec};
  const CameraPage page = ComputeCameraPage(design, LengthUnit::Millimetre, options);
  ASSERT_TRUE(page.ok());
  EXPECT_LT(std::fabs(page.corner.defocus), 0.01 * page.corner.criticalZone);
  EXPECT_FALSE(page.corner.needsFlattener);
  EXPECT_GT(page.corner.strehl, 0.99);
}
