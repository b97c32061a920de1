#include <gtest/gtest.h>

#include <cmath>

#include "trace/ConicMirror.h"

using namespace spekulor::trace;

namespace {

constexpr double kPositionTolerance = 1e-9;   // of a point found on a surface, length units
constexpr double kDirectionTolerance = 1e-12; // of unit vectors

// The height of the vertex sheet from its explicit formula, independent of the
// implicit form the intersection uses.
double ExplicitSag(double c, double k, double r) {
  return c * r * r / (1.0 + std::sqrt(1.0 - (1.0 + k) * c * c * r * r));
}

struct SheetCase {
  const char* name;
  double conic;
};

// A mirror of radius 100 with its vertex at z = 10, and a ray at x = 20 coming down
// the axis from far above it: it must meet the mirror at the explicit sag, whatever the
// second root of the conic is (the far half of a sphere or ellipsoid, the second sheet
// of a hyperboloid, none for a paraboloid).
TEST(ConicMirror, RayFromAboveMeetsTheVertexSheet) {
  const SheetCase cases[] = {{"sphere", 0.0},       {"paraboloid", -1.0}, {"hyperboloid", -4.0},
                             {"prolate", -0.5},     {"oblate", 2.0}};
  for (const SheetCase& sheet : cases) {
    const ConicMirror mirror{10.0, 0.01, sheet.conic, 60.0};
    double t = 0.0;
    ASSERT_TRUE(IntersectMirror(mirror, {20.0, 0.0, 500.0}, {0.0, 0.0, -1.0}, t)) << sheet.name;
    EXPECT_NEAR(500.0 - t, 10.0 + ExplicitSag(0.01, sheet.conic, 20.0), kPositionTolerance)
        << sheet.name;
  }
}

// The far halves of a sphere (centre at z = 100) and of a prolate ellipsoid are the
// first roots of rays coming down from above them, and the only roots of rays going up
// from inside; neither is the mirror.
TEST(ConicMirror, FarHalfOfSphereAndEllipsoidIsNotTheMirror) {
  const ConicMirror sphere{0.0, 0.01, 0.0, 60.0};
  double t = 0.0;
  // From inside, going up: the only meeting ahead is the far half (w about 198).
  EXPECT_FALSE(IntersectMirror(sphere, {20.0, 0.0, 50.0}, {0.0, 0.0, 1.0}, t));
  // From outside above the far half, going down: the far half is met first (t about 102),
  // the mirror at t about 298.
  ASSERT_TRUE(IntersectMirror(sphere, {20.0, 0.0, 300.0}, {0.0, 0.0, -1.0}, t));
  EXPECT_NEAR(300.0 - t, ExplicitSag(0.01, 0.0, 20.0), kPositionTolerance);

  const ConicMirror prolate{0.0, 0.01, -0.5, 60.0};  // semi-axes 200 along z, 141 across
  ASSERT_TRUE(IntersectMirror(prolate, {20.0, 0.0, 450.0}, {0.0, 0.0, -1.0}, t));
  EXPECT_NEAR(450.0 - t, ExplicitSag(0.01, -0.5, 20.0), kPositionTolerance);
}

// The hyperboloid's second sheet lies below the vertex (w < 2 / ((1 + K) c) = -66.7 for
// K = -4): a ray coming up from below crosses it first and must go on to the mirror.
TEST(ConicMirror, SecondSheetOfHyperboloidIsNotTheMirror) {
  const ConicMirror hyperboloid{0.0, 0.01, -4.0, 60.0};
  double t = 0.0;
  ASSERT_TRUE(IntersectMirror(hyperboloid, {20.0, 0.0, -500.0}, {0.0, 0.0, 1.0}, t));
  EXPECT_NEAR(-500.0 + t, ExplicitSag(0.01, -4.0, 20.0), kPositionTolerance);
}

// An oblate ellipsoid with K = 3 reaches only r = 1 / (c sqrt(1 + K)) = 50 from the
// axis; a ray beside it misses instead of giving a point.
TEST(ConicMirror, RayBesideAnEllipsoidMisses) {
  const ConicMirror oblate{0.0, 0.01, 3.0, 60.0};
  double t = -1.0;
  EXPECT_FALSE(IntersectMirror(oblate, {55.0, 0.0, 300.0}, {0.0, 0.0, -1.0}, t));
  EXPECT_TRUE(std::isnan(MirrorSag(oblate, 55.0)));
  EXPECT_TRUE(IntersectMirror(oblate, {45.0, 0.0, 300.0}, {0.0, 0.0, -1.0}, t));
  // Behind the ray's start nothing counts.
  EXPECT_FALSE(IntersectMirror(oblate, {10.0, 0.0, -5.0}, {0.0, 0.0, -1.0}, t));
  // Not-a-number in, no point out.
  EXPECT_FALSE(IntersectMirror(oblate, {NAN, 0.0, 300.0}, {0.0, 0.0, -1.0}, t));
}

// The normal against the slope of the explicit sag, dw/dr = c r / sqrt(1 - (1+K) c^2 r^2),
// and the law of reflection: equal angles, in the plane of incidence.
TEST(ConicMirror, NormalAndReflectionFollowTheSurfaceSlope) {
  for (double k : {-4.0, -1.0, -0.5, 0.0, 2.0}) {
    const ConicMirror mirror{5.0, 0.01, k, 60.0};
    const double x = 18.0;
    const double y = -24.0;  // r = 30
    const double r = 30.0;
    const double slope = 0.01 * r / std::sqrt(1.0 - (1.0 + k) * 1e-4 * r * r);
    const double length = std::sqrt(1.0 + slope * slope);
    const Vec3 expected{-slope * x / r / length, -slope * y / r / length, 1.0 / length};
    const Vec3 n = MirrorNormal(mirror, {x, y, 5.0 + ExplicitSag(0.01, k, r)});
    EXPECT_NEAR(n.x, expected.x, kDirectionTolerance) << k;
    EXPECT_NEAR(n.y, expected.y, kDirectionTolerance) << k;
    EXPECT_NEAR(n.z, expected.z, kDirectionTolerance) << k;

    const Vec3 in{0.1, 0.05, -std::sqrt(1.0 - 0.0125)};
    const Vec3 out = Reflect(in, n);
    EXPECT_NEAR(Dot(out, out), 1.0, kDirectionTolerance);
    EXPECT_NEAR(Dot(out, n), -Dot(in, n), kDirectionTolerance);
    // out - in is along the normal.
    const Vec3 change = out - in;
    const Vec3 cross{change.y * n.z - change.z * n.y, change.z * n.x - change.x * n.z,
                     change.x * n.y - change.y * n.x};
    EXPECT_NEAR(Dot(cross, cross), 0.0, kDirectionTolerance);
  }
}

}  // namespace
