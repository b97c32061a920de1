// The exact trace against what optics says must come out of it.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "trace/ConicMirror.h"
#include "trace/RayTrace.h"
#include "trace/SpotDiagram.h"
#include "tests/common/TestDesigns.h"

using namespace spekulor::calc;
using namespace spekulor::trace;

namespace {

constexpr double kPerfectAxisRms = 1e-6;     // of F: a stigmatic axis point
constexpr double kFocusTolerance = 1e-6;     // of F: paraxial focus against b
constexpr double kImageHeightTolerance = 1e-6;  // relative: chief ray height against F tan(a)
constexpr double kSurfaceTolerance = 1e-9;   // length units: a point found on a mirror

// A telescope of the design without its central obstruction, so rays near the axis
// pass.
Telescope Unobstructed(const DesignResult& design) {
  Telescope telescope = BuildTelescope(design);
  telescope.shadowRadius = 0.0;
  return telescope;
}

// A ray from a star `angle` off the axis that meets the primary at (0, y).
TracedRay Meridional(const Telescope& telescope, double angle, double y) {
  const Vec3 direction = StarDirection(angle);
  return TraceRay(telescope,
                  RayOriginThrough(telescope, 0.0, y, direction, StartPlane(telescope)), direction);
}

// A paraboloid and a confocal hyperboloid image the axis point without any error.
TEST(RayTrace, ClassicalCassegrainImagesTheAxisPerfectly) {
  for (const DesignCase& c : DesignSpread()) {
    if (c.fields.m_nType != 0) continue;
    const DesignResult design = Complete(c.fields);
    const SpotDiagram spot = TraceSpotDiagram(BuildTelescope(design), 0.0, 2000);
    ASSERT_GE(spot.points.size(), 2000u) << c.name;
    EXPECT_LT(spot.stats.rmsRadius, kPerfectAxisRms * design.SysFoc) << c.name;
    EXPECT_LT(spot.stats.maxRadius, kPerfectAxisRms * design.SysFoc) << c.name;
  }
}

// In the limit of a small aperture every design is a Gaussian system whose focus lies
// the back focal length behind the primary: a ray at 1/10000 of the aperture crosses
// the axis there.
TEST(RayTrace, TinyApertureFocusesAtTheBackFocalLength) {
  for (const DesignCase& c : DesignSpread()) {
    const DesignResult design = Complete(c.fields);
    const Telescope telescope = Unobstructed(design);
    const TracedRay ray = Meridional(telescope, 0.0, 1e-4 * design.PriDia);
    ASSERT_EQ(ray.fate, RayFate::Imaged) << c.name;
    const double t = -ray.onSecondary.y / ray.finalDirection.y;
    const double crossing = ray.onSecondary.z + t * ray.finalDirection.z;
    EXPECT_NEAR(crossing, -design.BackFocLen, kFocusTolerance * design.SysFoc) << c.name;
  }
}

// A star a small angle off the axis is imaged, by the ray through the centre of the
// stop, at F tan(angle): that is what the system focal length means.
TEST(RayTrace, ImageHeightFollowsTheSystemFocalLength) {
  for (const DesignCase& c : DesignSpread()) {
    const DesignResult design = Complete(c.fields);
    const double angle = 1e-4;
    const TracedRay ray = Meridional(Unobstructed(design), angle, 0.0);
    ASSERT_EQ(ray.fate, RayFate::Imaged) << c.name;
    EXPECT_NEAR(ray.onImage.y / (design.SysFoc * std::tan(angle)), 1.0, kImageHeightTolerance)
        << c.name;
  }
  // At the edge of the field the coma-free design's spot centre stays within a part in
  // a thousand of it (distortion only).
  for (const char* focal : {"2500", "3200", "4000"}) {
    DesignFields fields = StartupFields(kRitcheyChretien);
    fields.m_strSysFoc = focal;
    const DesignResult design = Complete(fields);
    const SpotSet spots = ComputeSpotSet(design, LengthUnit::Millimetre, 2000);
    const double expected = design.SysFoc * std::tan(design.FieldRad / 2.0);
    EXPECT_NEAR(spots.spots[2].stats.centroidY / expected, 1.0, 1e-3) << focal;
    EXPECT_NEAR(spots.spots[1].stats.centroidY / (design.SysFoc * std::tan(0.7 * design.FieldRad / 2.0)),
                1.0, 1e-3) << focal;
  }
}

// Coma makes a spot lopsided along the field direction; its third central moment
// measures that. The Ritchey-Chretien is free of third-order coma, the classical
// Cassegrain is not; what the Ritchey-Chretien keeps is of higher order, largest for the
// fastest primary here (f/2.5 at magnification 2.5), where it stays below 1/25 of the
// classical's.
TEST(RayTrace, RitcheyChretienEdgeSpotIsFreeOfComa) {
  for (const char* focal : {"2500", "3200", "4000"}) {
    double skew[2] = {0.0, 0.0};
    for (int i = 0; i < 2; ++i) {
      DesignFields fields = StartupFields(i == 0 ? 0 : 2);
      fields.m_strSysFoc = focal;
      const DesignResult design = Complete(fields);
      const SpotSet spots = ComputeSpotSet(design, LengthUnit::Millimetre, 4000);
      const SpotStatistics& edge = spots.spots[2].stats;
      skew[i] = edge.thirdMomentY / std::pow(edge.rmsRadius, 3.0);
    }
    EXPECT_GT(std::fabs(skew[0]), 0.3) << "classical, F " << focal;
    EXPECT_LT(std::fabs(skew[1]), 0.025) << "Ritchey-Chretien, F " << focal;
    EXPECT_LT(std::fabs(skew[1]), std::fabs(skew[0]) / 25.0) << focal;
  }
}

// Dall-Kirkham and Pressmann-Camichel correct spherical aberration to third order only:
// their axis spot is not a point, and the transverse error of a marginal ray grows as
// the fifth power of its height, not the third (halving the height divides it by about
// 32, where an uncorrected error would drop by 8).
TEST(RayTrace, DallKirkhamAndPressmannCamichelKeepAFifthOrderResidual) {
  for (int type : {1, 3}) {
    const DesignResult design = Complete(StartupFields(type));
    const Telescope telescope = BuildTelescope(design);
    const SpotDiagram axis = TraceSpotDiagram(telescope, 0.0, 2000);
    EXPECT_GT(axis.stats.rmsRadius, 10.0 * kPerfectAxisRms * design.SysFoc / 1000.0) << type;
    EXPECT_LT(axis.stats.rmsRadius, 5.0 * kAiryFactor * kWavelengthMm * design.SysFoc / design.PriDia)
        << type;

    const double rim = design.PriDia / 2.0;
    const TracedRay outer = Meridional(telescope, 0.0, 0.9 * rim);
    const TracedRay inner = Meridional(telescope, 0.0, 0.45 * rim);
    ASSERT_EQ(outer.fate, RayFate::Imaged);
    ASSERT_EQ(inner.fate, RayFate::Imaged);
    const double ratio = outer.onImage.y / inner.onImage.y;
    EXPECT_GT(ratio, 32.0 * 0.8) << type;
    EXPECT_LT(ratio, 32.0 * 1.25) << type;
  }
}

// The Pressmann-Camichel secondary is an oblate ellipsoid (K2 = +6.66). Each traced
// ray must meet it where the explicit sag formula puts the surface, at the point a
// bisection along the ray finds independently, and leave it by the law of reflection
// about the normal from the surface's slope.
TEST(RayTrace, OblateSecondaryIsTracedCorrectly) {
  const DesignResult design = Complete(StartupFields(kPressmannCamichel));
  ASSERT_GT(design.SecConic, 0.0);
  const Telescope telescope = BuildTelescope(design);
  const double c = 1.0 / design.SecRadCur;
  const double k = design.SecConic;
  auto sag = [&](double r) { return c * r * r / (1.0 + std::sqrt(1.0 - (1.0 + k) * c * c * r * r)); };

  int checked = 0;
  for (double angle : {0.0, design.FieldRad / 2.0}) {
    const Vec3 direction = StarDirection(angle);
    for (double y : {-190.0, -120.0, 80.0, 150.0, 195.0}) {
      for (double x : {0.0, 40.0}) {
        const TracedRay ray =
            TraceRay(telescope, RayOriginThrough(telescope, x, y, direction, StartPlane(telescope)),
                     direction);
        if (ray.fate != RayFate::Imaged) continue;
        ++checked;
        const Vec3 s = ray.onSecondary;
        const double r = std::hypot(s.x, s.y);
        EXPECT_NEAR(s.z, design.PriSecDist + sag(r), kSurfaceTolerance);

        // Bisection on z(t) - surface(r(t)) along the ray from the primary.
        const Vec3 p = ray.onPrimary;
        const Vec3 u = s - p;
        const double length = std::sqrt(Dot(u, u));
        const Vec3 v = (1.0 / length) * u;
        auto gap = [&](double t) {
          const Vec3 q = p + t * v;
          return q.z - design.PriSecDist - sag(std::hypot(q.x, q.y));
        };
        double lo = 0.5 * length;  // below the secondary
        double hi = 1.5 * length;  // beyond it, inside the secondary's blank
        ASSERT_LT(gap(lo), 0.0);
        ASSERT_GT(gap(hi), 0.0);
        for (int i = 0; i < 200; ++i) {
          const double mid = 0.5 * (lo + hi);
          (gap(mid) < 0.0 ? lo : hi) = mid;
        }
        EXPECT_NEAR(lo, length, kSurfaceTolerance);

        const double slope = c * r / std::sqrt(1.0 - (1.0 + k) * c * c * r * r);
        const double norm = std::sqrt(1.0 + slope * slope);
        const Vec3 n = r > 0.0 ? Vec3{-slope * s.x / r / norm, -slope * s.y / r / norm, 1.0 / norm}
                               : Vec3{0.0, 0.0, 1.0};
        const Vec3 expectedOut = v - (2.0 * Dot(v, n)) * n;
        EXPECT_NEAR(ray.finalDirection.x, expectedOut.x, 1e-12);
        EXPECT_NEAR(ray.finalDirection.y, expectedOut.y, 1e-12);
        EXPECT_NEAR(ray.finalDirection.z, expectedOut.z, 1e-12);
      }
    }
  }
  EXPECT_GE(checked, 12);
}

// Rays that do not make it are reported as such, never as image points.
TEST(RayTrace, RaysThatMissAreReported) {
  const DesignResult design = Complete(StartupFields(kRitcheyChretien));
  const Telescope telescope = BuildTelescope(design);
  const Vec3 down = StarDirection(0.0);
  // Beyond the primary's rim.
  EXPECT_EQ(TraceRay(telescope, {0.0, 0.51 * design.PriDia, 900.0}, down).fate, RayFate::OutsideStop);
  // Into the secondary's disc.
  EXPECT_EQ(TraceRay(telescope, {0.0, 0.2 * design.SecDia, 900.0}, down).fate, RayFate::Obstructed);
  // Two degrees off the axis the secondary is too small for the rim rays.
  const SpotDiagram wide = TraceSpotDiagram(telescope, 2.0 / 57.29577951308232, 2000);
  EXPECT_GT(wide.vignetted, 100);
  EXPECT_EQ(wide.launched, wide.obstructed + wide.vignetted + wide.lost +
                               static_cast<int>(wide.points.size()));
  // On the axis the secondary takes the whole cone.
  const SpotDiagram axis = TraceSpotDiagram(telescope, 0.0, 2000);
  EXPECT_EQ(axis.vignetted, 0);
  EXPECT_EQ(axis.lost, 0);
  EXPECT_GT(axis.obstructed, 0);
  // Far beyond the field nothing gets through, and the sampling gives up in bounded time.
  const SpotDiagram beyond = TraceSpotDiagram(telescope, 10.0 / 57.29577951308232, 2000);
  EXPECT_TRUE(beyond.points.empty());
  EXPECT_LT(beyond.launched, 4 * (8 * 2000 + 4096));  // the last refinement at most quadruples
  for (const SpotPoint& p : wide.points) {
    ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
  }
}

// Designs the calculation completes but no mirror pair can realise are named, not
// traced into nonsense.
TEST(RayTrace, UntraceableDesignsAreRecognised) {
  // The calculation refuses such designs before they reach the trace; the trace still
  // guards itself against a completed design that was changed by hand.
  const DesignResult good = Complete(StartupFields(kRitcheyChretien));
  EXPECT_EQ(TelescopeProblem(good).code, TraceProblemCode::None);
  DesignResult flat = good;
  flat.SecRadCur = std::numeric_limits<double>::infinity();  // a secondary without power
  EXPECT_EQ(TelescopeProblem(flat).code, TraceProblemCode::NotFinite);
  DesignResult wide = good;
  wide.SecDia = good.PriDia;
  EXPECT_EQ(TelescopeProblem(wide).code, TraceProblemCode::SecondaryNotSmaller);
  DesignResult behind = good;
  behind.PriSecDist = -200.0;
  EXPECT_EQ(TelescopeProblem(behind).code, TraceProblemCode::SecondaryNotInFront);
  DesignResult oblate = good;
  oblate.SecConic = 1e6;  // closes long before the secondary's rim
  EXPECT_EQ(TelescopeProblem(oblate).code, TraceProblemCode::SecondaryShortOfRim);
}

TEST(SpotSet, ASpotOfTooFewRaysIsNoResult) {
  SpotSet set;
  for (SpotDiagram& spot : set.spots) {
    spot.launched = 100;
    spot.obstructed = 20;
    spot.points.resize(40);  // exactly half of the 80 that pass the secondary
  }
  EXPECT_TRUE(SpotSetProblem(set).ok());
  auto expectLost = [&set](int imaged, int passing, double fieldFraction) {
    const TraceProblem problem = SpotSetProblem(set);
    EXPECT_EQ(problem.code, TraceProblemCode::LightLost);
    EXPECT_EQ(problem.raysImaged, imaged);
    EXPECT_EQ(problem.raysPassing, passing);
    EXPECT_EQ(problem.fieldFraction, fieldFraction);
  };
  set.spots[2].points.resize(39);
  set.spots[2].fieldFraction = 1.0;
  expectLost(39, 80, 1.0);
  set.spots[2].points.resize(40);
  set.spots[1].points.resize(39);
  set.spots[1].fieldFraction = 0.7;
  expectLost(39, 80, 0.7);
  set.spots[1].points.resize(40);
  set.spots[0].points.resize(39);
  set.spots[0].fieldFraction = 0.0;
  expectLost(39, 80, 0.0);
  set.spots[0].points.resize(40);
  set.spots[0].obstructed = 100;  // nothing passes: no spot at all
  expectLost(40, 0, 0.0);
}

}  // namespace
