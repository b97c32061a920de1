// A moved secondary against first-order optics and against the geometry of conics: the
// mirror equation for the despace, the secondary's lateral magnification for the
// decenter, the law of reflection for a tilt, and the surfaces a turn leaves in place.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "trace/DesignPictures.h"
#include "trace/MirrorPose.h"
#include "trace/RayTrace.h"
#include "trace/SecondaryPerturbation.h"
#include "trace/SpotDiagram.h"
#include "drawing/SvgWriter.h"
#include "tests/common/TestDesigns.h"
#include "support/Units.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::trace;

namespace {

constexpr double kPoseTolerance = 1e-12;        // length units: a round trip of the frames
constexpr double kMirrorEquationTolerance = 1e-7;        // of F: traced focus against the mirror equation
constexpr double kShiftTolerance = 1e-5;        // relative: a first-order image shift
constexpr double kReflectionTolerance = 1e-10;  // of F: an exact reflection at the vertex
constexpr double kStigmaticTolerance = 1e-9;    // of F: a ray's miss of an exact focus

Telescope WithoutShadow(const DesignResult& design) {
  Telescope telescope = BuildTelescope(design);
  telescope.shadowRadius = 0.0;
  return telescope;
}

TracedRay AxisRayThrough(const Telescope& telescope, double x, double y) {
  const Vec3 direction = StarDirection(0.0);
  return TraceRay(telescope, RayOriginThrough(telescope, x, y, direction, StartPlane(telescope)),
                  direction);
}

// Distance of the point from the ray's line after the secondary: |v x u|, which keeps
// its digits where |v|^2 - (v . u)^2 would not.
double MissOf(const TracedRay& ray, const Vec3& point) {
  const Vec3 v = point - ray.onSecondary;
  const Vec3& u = ray.finalDirection;
  const Vec3 across{v.y * u.z - v.z * u.y, v.z * u.x - v.x * u.z, v.x * u.y - v.y * u.x};
  return std::sqrt(Dot(across, across));
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(MirrorPose, FramesRoundTripAndTheTurnTakesTheFaceTowardPlusY) {
  MirrorPose pose;
  pose.moved = true;
  pose.cosTurn = std::cos(0.3);
  pose.sinTurn = std::sin(0.3);
  pose.pivotZ = 500.0;
  pose.shiftY = 0.25;
  pose.shiftZ = -1.5;
  const Vec3 point{3.0, -40.0, 620.0};
  const Vec3 back = FromMirrorFrame(pose, ToMirrorFrame(pose, point));
  EXPECT_NEAR(back.x, point.x, kPoseTolerance);
  EXPECT_NEAR(back.y, point.y, kPoseTolerance);
  EXPECT_NEAR(back.z, point.z, kPoseTolerance);
  // The pivot stays where it is, then moves with the shift.
  const Vec3 pivot = FromMirrorFrame(pose, {0.0, 0.0, 500.0});
  EXPECT_NEAR(pivot.y, 0.25, kPoseTolerance);
  EXPECT_NEAR(pivot.z, 498.5, kPoseTolerance);
  // The face toward -z turns toward +y by the angle.
  const Vec3 face = FromMirrorDirection(pose, {0.0, 0.0, -1.0});
  EXPECT_NEAR(face.y, std::sin(0.3), kPoseTolerance);
  EXPECT_NEAR(face.z, -std::cos(0.3), kPoseTolerance);
  // A point 100 below the pivot swings toward +y by 100 sin(0.3).
  const Vec3 swung = FromMirrorFrame(pose, {0.0, 0.0, 400.0});
  EXPECT_NEAR(swung.y, 0.25 + 100.0 * std::sin(0.3), kPoseTolerance);
}

// Nothing moved is the design's trace to the last bit, for the rays and for the spot
// set; a pivot without a tilt moves nothing.
TEST(SecondaryPerturbation, AlignedReproducesTheDesignBitForBit) {
  for (const DesignCase& c : DesignSpread()) {
    const DesignResult design = Complete(c.fields);
    SecondaryPerturbation pivotOnly;
    pivotOnly.pivot = 123.0;
    EXPECT_TRUE(IsAligned(pivotOnly));
    const SpotSet plain = ComputeSpotSet(design, LengthUnit::Millimetre, 300);
    const SpotSet aligned = ComputeSpotSet(design, LengthUnit::Millimetre, 300, pivotOnly);
    for (size_t f = 0; f < plain.spots.size(); ++f) {
      const SpotDiagram& a = plain.spots[f];
      const SpotDiagram& b = aligned.spots[f];
      ASSERT_EQ(a.points.size(), b.points.size()) << c.name;
      EXPECT_EQ(a.obstructed, b.obstructed) << c.name;
      EXPECT_EQ(a.vignetted, b.vignetted) << c.name;
      for (size_t k = 0; k < a.points.size(); ++k) {
        ASSERT_TRUE(SameBits(a.points[k].x, b.points[k].x) && SameBits(a.points[k].y, b.points[k].y))
            << c.name << " field " << f << " ray " << k;
      }
    }
  }
}

// The moved-mirror path with a motion of zero agrees with the direct one to rounding:
// the frames themselves add nothing.
TEST(SecondaryPerturbation, ZeroMotionThroughTheFramesChangesNothing) {
  const DesignResult design = Complete(StartupFields(kRitcheyChretien));
  const Telescope telescope = BuildTelescope(design);
  Telescope framed = telescope;
  framed.secondaryPose.moved = true;
  framed.secondaryPose.pivotZ = telescope.secondary.vertexZ + 77.0;
  const SpotDiagram a = TraceSpotDiagram(telescope, design.FieldRad / 2.0, 500);
  const SpotDiagram b = TraceSpotDiagram(framed, design.FieldRad / 2.0, 500);
  ASSERT_EQ(a.points.size(), b.points.size());
  EXPECT_EQ(a.obstructed, b.obstructed);
  for (size_t k = 0; k < a.points.size(); ++k) {
    EXPECT_NEAR(a.points[k].x, b.points[k].x, 1e-12 * design.SysFoc);
    EXPECT_NEAR(a.points[k].y, b.points[k].y, 1e-12 * design.SysFoc);
  }
}

// Moving the secondary toward the primary by s: it stands p + s before the prime focus,
// the mirror equation 1/q = 1/p - 2/R2 gives its new image distance, and the focus lies
// q - (d - s) behind the primary. For small s that is (m^2 + 1) s farther back.
TEST(SecondaryPerturbation, DespaceMovesTheFocusAsTheMirrorEquationSays) {
  for (const DesignCase& c : DesignSpread()) {
    const DesignResult design = Complete(c.fields);
    const Telescope aligned = WithoutShadow(design);
    const double p = design.SecPriFocDist;
    const double d = design.PriSecDist;
    const double m = design.SecMag;
    double focus[2] = {0.0, 0.0};
    for (int sign = 0; sign < 2; ++sign) {
      const double s = (sign == 0 ? 1.0 : -1.0) * 2e-3 * p;
      SecondaryPerturbation despaced;
      despaced.despace = s;
      const TracedRay ray =
          AxisRayThrough(PerturbSecondary(aligned, despaced), 0.0, 1e-4 * design.PriDia);
      ASSERT_EQ(ray.fate, RayFate::Imaged) << c.name;
      const double t = -ray.onSecondary.y / ray.finalDirection.y;
      const double crossing = ray.onSecondary.z + t * ray.finalDirection.z;
      const double q = 1.0 / (1.0 / (p + s) - 2.0 / design.SecRadCur);
      EXPECT_NEAR(-crossing, q - (d - s), kMirrorEquationTolerance * design.SysFoc) << c.name << " " << s;
      focus[sign] = -crossing;
    }
    const double perUnit = (focus[0] - focus[1]) / (4e-3 * p);
    EXPECT_NEAR(perUnit / (m * m + 1.0), 1.0, 1e-4) << c.name;
  }
}

// The secondary images the prime focus with the lateral magnification m (upright in
// this frame); moved sideways by e it sees the prime focus at -e, images it at -m e,
// and that lies at (1 - m) e in the telescope's frame. The ray through the centre of
// the pupil goes there.
TEST(SecondaryPerturbation, DecenterMovesTheImageByOneMinusMTimesIt) {
  for (const DesignCase& c : DesignSpread()) {
    const DesignResult design = Complete(c.fields);
    const Telescope aligned = WithoutShadow(design);
    for (double e : {1e-4 * design.PriDia, -3e-4 * design.PriDia}) {
      SecondaryPerturbation decentered;
      decentered.decenter = e;
      const TracedRay ray = AxisRayThrough(PerturbSecondary(aligned, decentered), 0.0, 0.0);
      ASSERT_EQ(ray.fate, RayFate::Imaged) << c.name;
      EXPECT_NEAR(ray.onImage.y / ((1.0 - design.SecMag) * e), 1.0, kShiftTolerance) << c.name;
      EXPECT_NEAR(ray.onImage.x, 0.0, kShiftTolerance * std::fabs(e)) << c.name;
    }
  }
}

// Turned about its vertex the secondary meets the central ray there, with its normal
// turned by the tilt: the ray leaves at twice the angle and lands q tan(2 tilt) off the
// axis, whatever the conic.
TEST(SecondaryPerturbation, TiltAboutTheVertexTurnsTheBeamByTwiceTheTilt) {
  for (const DesignCase& c : DesignSpread()) {
    const DesignResult design = Complete(c.fields);
    for (double tiltDeg : {0.05, -0.2}) {
      SecondaryPerturbation tilted;
      tilted.tiltDeg = tiltDeg;
      const TracedRay ray =
          AxisRayThrough(PerturbSecondary(WithoutShadow(design), tilted), 0.0, 0.0);
      ASSERT_EQ(ray.fate, RayFate::Imaged) << c.name;
      const double q = design.PriSecDist + design.BackFocLen;
      EXPECT_NEAR(ray.onImage.y, q * std::tan(2.0 * tiltDeg / kDegreesPerRadian),
                  kReflectionTolerance * design.SysFoc)
          << c.name;
    }
  }
}

// A sphere turned about its centre of curvature is the same sphere: the Dall-Kirkham's
// secondary so turned images every ray exactly as before (only its rim has moved), while
// the same turn about the vertex moves the image by q tan(2 tilt).
TEST(SecondaryPerturbation, SphereTurnedAboutItsCentreLeavesTheImageAlone) {
  const DesignResult design = Complete(StartupFields(kDallKirkham));
  ASSERT_EQ(design.SecConic, 0.0);
  const Telescope aligned = WithoutShadow(design);
  SecondaryPerturbation aboutCentre;
  aboutCentre.tiltDeg = 0.4;
  aboutCentre.pivot = design.SecRadCur;
  const Telescope turned = PerturbSecondary(aligned, aboutCentre);
  int compared = 0;
  for (const SpotPoint& g : SquareGrid(0.9 * design.PriDia / 2.0, design.PriDia / 23.0)) {
    const TracedRay before = AxisRayThrough(aligned, g.x, g.y);
    const TracedRay after = AxisRayThrough(turned, g.x, g.y);
    ASSERT_EQ(before.fate, RayFate::Imaged);
    ASSERT_EQ(after.fate, RayFate::Imaged);
    EXPECT_NEAR(after.onImage.x, before.onImage.x, kStigmaticTolerance * design.SysFoc);
    EXPECT_NEAR(after.onImage.y, before.onImage.y, kStigmaticTolerance * design.SysFoc);
    ++compared;
  }
  EXPECT_GT(compared, 300);

  SecondaryPerturbation aboutVertex = aboutCentre;
  aboutVertex.pivot = 0.0;
  const TracedRay moved = AxisRayThrough(PerturbSecondary(aligned, aboutVertex), 0.0, 0.0);
  EXPECT_GT(moved.onImage.y, 0.5 * (design.PriSecDist + design.BackFocLen) * 2.0 * 0.4 /
                                 kDegreesPerRadian);
}

// A hyperboloid images one of its foci into the other without error. The classical
// Cassegrain's secondary has the prime focus as one focus; turned about it, it still
// images the (perfect) prime focus perfectly, into its other focus turned with it: every
// ray passes through that point. The Ritchey-Chretien's secondary, turned the same way,
// does not (its primary's focus is not a point).
TEST(SecondaryPerturbation, ClassicalSecondaryTurnedAboutThePrimeFocusStaysStigmatic) {
  const double tilt = 0.3 / kDegreesPerRadian;
  for (int type : {0, 2}) {
    const DesignResult design = Complete(StartupFields(type));
    SecondaryPerturbation aboutFocus;
    aboutFocus.tiltDeg = tilt * kDegreesPerRadian;
    aboutFocus.pivot = design.SecPriFocDist;
    const Telescope turned = PerturbSecondary(WithoutShadow(design), aboutFocus);
    // The second focus, e = f1 + b from the prime focus toward the primary, turned.
    const double e = design.PriFoc + design.BackFocLen;
    const Vec3 focus{0.0, e * std::sin(tilt), design.PriFoc - e * std::cos(tilt)};
    double worst = 0.0;
    for (const SpotPoint& g : SquareGrid(design.PriDia / 2.0, design.PriDia / 17.0)) {
      const TracedRay ray = AxisRayThrough(turned, g.x, g.y);
      ASSERT_EQ(ray.fate, RayFate::Imaged);
      worst = std::max(worst, MissOf(ray, focus));
    }
    if (type == 0) {
      EXPECT_LT(worst, kStigmaticTolerance * design.SysFoc);
    } else {
      EXPECT_GT(worst, 1e3 * kStigmaticTolerance * design.SysFoc);
    }
  }
}

// The disc that shades the primary and the rim that vignettes move with the mirror.
TEST(SecondaryPerturbation, ShadowAndRimMoveWithTheMirror) {
  const DesignResult design = Complete(StartupFields(kRitcheyChretien));
  const Telescope aligned = BuildTelescope(design);
  const Vec3 down = StarDirection(0.0);
  const double startZ = StartPlane(aligned);
  const double edge = aligned.shadowRadius;
  const Vec3 justOutside{0.0, edge + 1.0, startZ};
  EXPECT_EQ(TraceRay(aligned, justOutside, down).fate, RayFate::Imaged);
  SecondaryPerturbation decentered;
  decentered.decenter = 2.0;
  EXPECT_EQ(TraceRay(PerturbSecondary(aligned, decentered), justOutside, down).fate,
            RayFate::Obstructed);
  // Tilted about a point far behind it the rim swings sideways; the far side's rays miss.
  SecondaryPerturbation swung;
  swung.tiltDeg = 3.0;
  swung.pivot = -design.PriSecDist;
  const SpotDiagram axis = TraceSpotDiagram(PerturbSecondary(aligned, swung), 0.0, 500);
  EXPECT_GT(axis.vignetted, 0);
  EXPECT_EQ(TraceSpotDiagram(aligned, 0.0, 500).vignetted, 0);
}

// A secondary moved toward the sky, or turned, by more than the start plane's margin
// above its rim still shades the axis' light: for parallel light the disc's shadow on
// the primary is the disc itself (turned, the ellipse about its centre), wherever it
// stands on the axis.
TEST(SecondaryPerturbation, ShadowStaysWhenTheSecondaryRisesAboveTheStartPlane) {
  const DesignResult design = Complete(StartupFields(kRitcheyChretien));
  const Telescope aligned = BuildTelescope(design);
  const double margin = StartPlane(aligned) - aligned.shadowZ;
  const double edge = aligned.shadowRadius;
  for (double rise : {0.5 * margin, 2.0 * margin, 10.0 * margin}) {
    SecondaryPerturbation up;
    up.despace = -rise;
    const Telescope moved = PerturbSecondary(aligned, up);
    EXPECT_EQ(AxisRayThrough(moved, 0.0, 0.5 * edge).fate, RayFate::Obstructed) << rise;
    EXPECT_EQ(AxisRayThrough(moved, 0.0, -0.9 * edge).fate, RayFate::Obstructed) << rise;
    EXPECT_NE(AxisRayThrough(moved, 0.0, edge + 1.0).fate, RayFate::Obstructed) << rise;
  }
  // Turned by 40 degrees about its vertex, the rim's high side rises by r sin 40 deg,
  // several margins for this secondary; the light near the axis is still shaded.
  SecondaryPerturbation turned;
  turned.tiltDeg = 40.0;
  ASSERT_GT(edge * std::sin(40.0 / kDegreesPerRadian), margin);
  const Telescope tilted = PerturbSecondary(aligned, turned);
  for (double y : {-0.5 * edge, 0.0, 0.5 * edge}) {
    EXPECT_EQ(AxisRayThrough(tilted, 0.0, y).fate, RayFate::Obstructed) << y;
  }
}

TEST(SecondaryPerturbation, ProblemsAndDescriptions) {
  const Telescope telescope = BuildTelescope(Complete(StartupFields(kRitcheyChretien)));
  SecondaryPerturbation p;
  EXPECT_TRUE(PerturbationProblem(telescope, p).ok());
  EXPECT_EQ(DescribeSecondaryPerturbation(p, LengthUnit::Millimetre), "secondary aligned");
  p.despace = 0.1;
  p.decenter = -0.05;
  p.tiltDeg = 0.02;
  EXPECT_EQ(DescribeSecondaryPerturbation(p, LengthUnit::Millimetre),
            "secondary despaced 0.1 mm, decentered -0.05 mm, tilted 0.02\xB0 about its vertex");
  p.despace = 0.0;
  p.decenter = 0.0;
  p.pivot = 190.0;
  EXPECT_EQ(DescribeSecondaryPerturbation(p, LengthUnit::Inch),
            "secondary tilted 0.02\xB0 about the point 190 inch from its vertex toward the sky");
  p.tiltDeg = 46.0;
  EXPECT_EQ(PerturbationProblem(telescope, p).code, TraceProblemCode::TiltTooLarge);
  p.tiltDeg = std::nan("");
  EXPECT_EQ(PerturbationProblem(telescope, p).code, TraceProblemCode::DisplacementNotFinite);
  p.tiltDeg = 0.0;
  p.despace = telescope.secondary.vertexZ;
  EXPECT_EQ(PerturbationProblem(telescope, p).code, TraceProblemCode::DespacedNotInFront);
}

// The pictures of a misaligned telescope: the spots say how the secondary stands, the
// section shows the design as it is; what the trace cannot take is not drawn.
TEST(SecondaryPerturbation, PicturesSayHowTheSecondaryStands) {
  DesignFields fields = StartupFields(kRitcheyChretien);
  const Calculation calculation = CompleteDesign(fields);
  const DesignPictures aligned = DrawDesignPictures(calculation, 300);
  SecondaryPerturbation decentered;
  decentered.decenter = 0.2;
  const DesignPictures moved = DrawDesignPictures(calculation, 300, decentered);
  ASSERT_TRUE(moved.ok()) << moved.errorText;
  EXPECT_EQ(moved.spotDrawing.title,
            aligned.spotDrawing.title + ", secondary decentered 0.2 mm");
  EXPECT_EQ(WriteSvg(moved.layout), WriteSvg(aligned.layout));
  EXPECT_NE(moved.spots.spots[0].stats.centroidY, aligned.spots.spots[0].stats.centroidY);
  SecondaryPerturbation through;
  through.despace = 2.0 * calculation.design.PriSecDist;
  EXPECT_EQ(DrawDesignPictures(calculation, 300, through).errorText,
            "Cannot trace this design: the despaced secondary does not stand in front of the "
            "primary");
}

}  // namespace
