// The one wording of the trace's problems: every code has its own reason, and the
// light lost names the rays and the field point.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "trace/TraceProblem.h"

using namespace spekulor::trace;

namespace {

TEST(TraceProblem, EachCodeHasItsOwnReason) {
  std::set<std::string> reasons;
  for (TraceProblemCode code :
       {TraceProblemCode::NotFinite, TraceProblemCode::NoPrimaryDiameter,
        TraceProblemCode::PrimaryNotConcave, TraceProblemCode::SecondaryNotConvex,
        TraceProblemCode::SecondaryNotInFront, TraceProblemCode::SecondaryNotSmaller,
        TraceProblemCode::SecondaryShortOfRim, TraceProblemCode::DisplacementNotFinite,
        TraceProblemCode::TiltTooLarge, TraceProblemCode::DespacedNotInFront,
        TraceProblemCode::LightLost}) {
    const std::string reason = DescribeTraceProblem(TraceProblem{code});
    EXPECT_FALSE(reason.empty());
    EXPECT_TRUE(reasons.insert(reason).second) << reason;
    EXPECT_EQ(TraceRefusalText(TraceProblem{code}), "Cannot trace this design: " + reason);
  }
  EXPECT_EQ(DescribeTraceProblem(TraceProblem()), "");
}

TEST(TraceProblem, LightLostSaysHowManyRaysAndWhere) {
  EXPECT_EQ(TraceRefusalText(LightLostProblem(39, 80, 1.0)),
            "Cannot trace this design: only 39 of the 80 rays that pass the secondary reach the "
            "image at the edge of the field");
  EXPECT_EQ(DescribeTraceProblem(LightLostProblem(0, 210, 0.0)),
            "only 0 of the 210 rays that pass the secondary reach the image on the axis");
  EXPECT_EQ(DescribeTraceProblem(LightLostProblem(3, 7, 0.7)),
            "only 3 of the 7 rays that pass the secondary reach the image at 0.7 of the field");
  EXPECT_EQ(DescribeTraceProblem(TraceProblem{TraceProblemCode::TiltTooLarge}),
            "the secondary's tilt is more than 45 degrees");
}

}  // namespace
