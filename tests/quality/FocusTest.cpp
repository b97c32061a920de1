// Best focus: the balance of spherical aberration with defocus, the field's best foci
// against the third-order field curvature, and the common flat plane.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "quality/FocusSearch.h"
#include "quality/ImageQuality.h"
#include "quality/PupilTrace.h"
#include "quality/QualityPicture.h"
#include "quality/QualityTable.h"
#include "drawing/SvgWriter.h"
#include "tests/common/TestDesigns.h"
#include "quality/Wavefront.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::trace;
using namespace spekulor::quality;

namespace {

constexpr int kFocusGrid = 48;
constexpr double kFocusWavelengthMm = 550e-6;  // mm
constexpr double kBalanceTolerance = 0.01;    // relative: third order against the exact trace
constexpr double kCurvatureTolerance = 0.02;  // relative: the same for the field's curvature

// W = W040 rho^4 + W020 rho^2 over an annulus of obstruction e: its variance is least
// for W020 = -(1 + e^2) W040 (the least-squares line of u^2 over u = rho^2, uniform on
// [e^2, 1], has the slope 1 + e^2), while the marginal ray meets the axis where
// W020 = -2 W040. A focal shift dz adds W020 = dz / (8 N^2): the best focus lies
// (1 + e^2) / 2 of the way to the marginal focus, 8 N^2 (1 + e^2) |W040| from the
// paraxial one.
TEST(FocusSearch, BestFocusBalancesSphericalAberration) {
  DesignFields fields = StartupFields(kClassical);
  fields.m_strPriDia = "100";
  const DesignResult design = Complete(fields);
  Telescope telescope = BuildTelescope(design);
  telescope.primary.conic = 0.0;  // a spherical primary
  const double n = design.SysFoc / design.PriDia;
  const double e = design.SecDia / design.PriDia;
  const double w040 = std::pow(design.PriDia, 4.0) / (64.0 * std::pow(design.PriRadCur, 3.0));

  // Where the marginal ray crosses the axis, from the exact trace of that one ray.
  const Vec3 direction = StarDirection(0.0);
  const double rim = 0.9999 * design.PriDia / 2.0;
  const TracedRay marginal = TraceRay(
      telescope, RayOriginThrough(telescope, 0.0, rim, direction, StartPlane(telescope)), direction);
  ASSERT_EQ(marginal.fate, RayFate::Imaged);
  const double crossZ = marginal.onSecondary.z -
                        marginal.onSecondary.y / marginal.finalDirection.y * marginal.finalDirection.z;
  const double marginalShift = telescope.imageZ - crossZ;  // positive away from the primary

  const TracedPupil pupil = TracePupil(telescope, 0.0, kFocusGrid);
  const double best = OwnBestFocus(pupil, kFocusWavelengthMm);
  EXPECT_GT(best * marginalShift, 0.0) << "the best focus lies toward the marginal focus";
  EXPECT_NEAR(std::fabs(best) / (8.0 * n * n * (1.0 + e * e) * w040), 1.0, kBalanceTolerance);
  EXPECT_NEAR(best / marginalShift, (1.0 + e * e) / 2.0, kBalanceTolerance);
  // And it is the least: a step either way is worse.
  const double step = FocusStep(pupil, kFocusWavelengthMm);
  const double there = EvaluateWavefront(pupil, best, kFocusWavelengthMm).rmsWaves;
  EXPECT_LT(there, EvaluateWavefront(pupil, best + 0.1 * step, kFocusWavelengthMm).rmsWaves);
  EXPECT_LT(there, EvaluateWavefront(pupil, best - 0.1 * step, kFocusWavelengthMm).rmsWaves);
}

// Astigmatism and field curvature: the least RMS error of each field point lies on the
// medial surface, whose radius the report gives from third-order theory. The start-up
// Ritchey-Chretien's edge focus therefore lies toward its curved field, h^2 / (2 R)
// from the paraxial plane (h the image height), and the sphere through the three best
// foci has the report's radius; so for the classical design.
TEST(FocusSearch, FieldBestFociLieOnTheThirdOrderFieldCurvature) {
  for (int type : {0, 2}) {
    const DesignResult design = Complete(StartupFields(type));
    QualityOptions options;
    options.gridSize = kFocusGrid;
    options.focus = FocusMode::Paraxial;
    const QualitySet set = ComputeImageQuality(design, LengthUnit::Millimetre, options);
    const FieldQuality& edge = set.fields.back();
    const double height = design.SysFoc * std::tan(design.FieldRad / 2.0);
    const double radius = design.FieldCurvRadius;
    EXPECT_GT(edge.ownBestFocus * radius, 0.0) << type;
    EXPECT_NEAR(edge.ownBestFocus / (height * height / (2.0 * radius)), 1.0, kCurvatureTolerance)
        << type;
    EXPECT_NEAR(set.focalSurfaceRadius / radius, 1.0, kCurvatureTolerance) << type;
    // The axis is free of third-order spherical aberration: its own focus stays within a
    // tenth of the shift that adds an eighth of a wave of defocus.
    EXPECT_NEAR(set.fields[0].ownBestFocus, 0.0, 0.1 * 550e-6 * set.focalRatio * set.focalRatio)
        << type;
  }
}

// The common plane minimises the mean of the three RMS errors, each evaluated on its
// own here, and lies between the points' own best foci.
TEST(FocusSearch, CommonBestFocusIsTheLeastMeanError) {
  const DesignResult design = Complete(StartupFields(kRitcheyChretien));
  const Telescope telescope = BuildTelescope(design);
  std::vector<TracedPupil> pupils;
  std::vector<double> own;
  for (double fraction : kSpotFieldFractions) {
    pupils.push_back(TracePupil(telescope, fraction * design.FieldRad / 2.0, kFocusGrid));
    own.push_back(OwnBestFocus(pupils.back(), kFocusWavelengthMm));
  }
  std::vector<const TracedPupil*> list;
  for (const TracedPupil& pupil : pupils) list.push_back(&pupil);
  const double best = CommonBestFocus(list, own, kFocusWavelengthMm);
  EXPECT_GE(best, *std::min_element(own.begin(), own.end()));
  EXPECT_LE(best, *std::max_element(own.begin(), own.end()));
  auto mean = [&](double shift) {
    double sum = 0.0;
    for (const TracedPupil& pupil : pupils) sum += EvaluateWavefront(pupil, shift, kFocusWavelengthMm).rmsWaves;
    return sum / 3.0;
  };
  const double step = FocusStep(pupils[0], kFocusWavelengthMm);
  EXPECT_LT(mean(best), mean(0.0));
  EXPECT_LE(mean(best), mean(best + 0.05 * step));
  EXPECT_LE(mean(best), mean(best - 0.05 * step));
}

TEST(FocusSearch, FocalSurfaceRadiusOfPointsOnASphere) {
  for (double radius : {-300.0, 450.0}) {
    std::vector<double> heights;
    std::vector<double> shifts;
    for (double h : {0.0, 14.0, 20.0}) {
      heights.push_back(h);
      shifts.push_back(radius - std::copysign(std::sqrt(radius * radius - h * h), radius));
    }
    EXPECT_NEAR(FocalSurfaceRadius(heights, shifts), radius, 1e-9 * std::fabs(radius));
  }
  EXPECT_EQ(FocalSurfaceRadius({0.0, 10.0}, {0.0, 0.0}), std::numeric_limits<double>::infinity());
  EXPECT_EQ(FocalSurfaceRadius({0.0}, {0.0}), std::numeric_limits<double>::infinity());
}

TEST(FocusSearch, QuadraticThroughThreePoints) {
  FocusQuadratic fit;
  fit.centre = 1.0;
  fit.value = 2.0;
  fit.slope = -4.0;
  fit.curvature = 2.0;
  EXPECT_DOUBLE_EQ(fit.Lowest(), 3.0);
  EXPECT_DOUBLE_EQ(fit.At(3.0), -2.0);
  fit.curvature = 0.0;
  EXPECT_DOUBLE_EQ(fit.Lowest(), 1.0);
}

}  // namespace

// Foci that spread less than the Rayleigh limit's depth of focus, +-2 lambda N^2 (a
// quarter wave of defocus: W020 = dz / (8 N^2)), make no measurable surface: a field of
// a billionth of a degree is flat within it, and says so; the start-up field's edge
// focus lies far outside it and keeps its radius.
TEST(FocusSearch, FociWithinTheDepthOfFocusMakeAFlatSurface) {
  QualityOptions options;
  options.gridSize = kFocusGrid;
  DesignFields tiny = StartupFields(kRitcheyChretien);
  tiny.m_strField = "1e-9";
  const DesignResult design = Complete(tiny);
  const QualitySet set = ComputeImageQuality(design, LengthUnit::Millimetre, options);
  const double n = design.SysFoc / design.PriDia;
  const double depth = 8.0 * n * n * (kFocusWavelengthMm / 4.0);  // dz / (8 N^2) = lambda / 4
  EXPECT_NEAR(set.depthOfFocus / depth, 1.0, 1e-12);
  EXPECT_TRUE(set.focalSurfaceWithinDepth);
  EXPECT_FALSE(std::isfinite(set.focalSurfaceRadius));
  for (const FieldQuality& field : set.fields) {
    EXPECT_LE(std::fabs(field.ownBestFocus - set.fields[0].ownBestFocus), depth);
  }
  const std::string table = FormatQualityTable(set, TelescopeType::RitcheyChretien, LengthUnit::Millimetre);
  EXPECT_NE(table.find("three best foci: flat within the depth of focus \xB1" "0.0704 mm"),
            std::string::npos)
      << table;
  EXPECT_EQ(table.find("radius 0.0"), std::string::npos) << table;
  // The window's Image quality page draws the same line.
  const std::string svg = WriteSvg(BuildQualityPicture(set, design, TelescopeType::RitcheyChretien,
                                                       LengthUnit::Millimetre));
  EXPECT_NE(svg.find("three best foci: flat within the depth of focus"), std::string::npos);

  const QualitySet wide =
      ComputeImageQuality(Complete(StartupFields(kRitcheyChretien)), LengthUnit::Millimetre, options);
  EXPECT_FALSE(wide.focalSurfaceWithinDepth);
  EXPECT_GT(std::fabs(wide.fields.back().ownBestFocus - wide.fields[0].ownBestFocus),
            wide.depthOfFocus);
  EXPECT_TRUE(std::isfinite(wide.focalSurfaceRadius));
}
