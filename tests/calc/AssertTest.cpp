#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/AppCore.h"
#include "calc/Solver.h"

using namespace spekulor::support;
using namespace spekulor::calc;

namespace {

std::vector<std::string> g_asked;
AssertAnswer g_answer = AssertIgnore;

AssertAnswer Answer(const char* report) {
  g_asked.emplace_back(report);
  return g_answer;
}

class AssertTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_asked.clear();
    g_answer = AssertIgnore;
    previous_ = SetAssertQuestion(&Answer);
  }
  void TearDown() override { SetAssertQuestion(previous_); }
  AssertQuestion previous_ = nullptr;
};

TEST_F(AssertTest, ReportTextsAreExact) {
  char buffer[kAssertReportSize];
  FormatAssertReport(buffer, "x > 0", "Solver.cpp", 42, nullptr);
  EXPECT_STREQ(buffer, "Assert(x > 0);\nFile Solver.cpp, line 42.");
  FormatAssertReport(buffer, "x > 0", "Solver.cpp", 42, "too small");
  EXPECT_STREQ(buffer, "AssertMessage(x > 0);\nFile Solver.cpp, line 42.\n *** too small ***");
  const std::string longText(400, 'a');
  FormatAssertReport(buffer, longText.c_str(), "m", 1, nullptr);
  EXPECT_EQ(std::string(buffer).size(), static_cast<size_t>(kAssertReportSize - 1));
}

TEST_F(AssertTest, IgnoreGoesOnAndTheChannelGetsTwoLineFeeds) {
  testing::internal::CaptureStderr();
  int after = 0;
  AssertMessage(1 + 1 == 3, "arithmetic");
  after = 1;
  const std::string channel = testing::internal::GetCapturedStderr();
  EXPECT_EQ(after, 1);
  ASSERT_EQ(g_asked.size(), 1u);
  EXPECT_EQ(g_asked[0].rfind("AssertMessage(1 + 1 == 3);\nFile AssertTest.cpp, line ", 0), 0u);
  EXPECT_NE(g_asked[0].find(".\n *** arithmetic ***"), std::string::npos);
  EXPECT_EQ(channel, g_asked[0] + "\n\n");
}

TEST_F(AssertTest, RetryWithoutADebuggerGoesOn) {
  g_answer = AssertRetry;
  testing::internal::CaptureStderr();
  EXPECT_EQ(AssertFailed("cond", "mod", 7, nullptr), AssertRetry);
  testing::internal::GetCapturedStderr();
}

TEST_F(AssertTest, BackFocalLengthPathGuardsItsInputs) {
  // The rules never let this through; the guards report each missing quantity in order.
  DesignResult design;
  design.PriFoc = 1000;
  design.PriDia = 400;
  design.SecRadCur = 800;
  testing::internal::CaptureStderr();
  SolveGeometry(design, SolvePath::FromBackFocLen);
  testing::internal::GetCapturedStderr();
  ASSERT_EQ(g_asked.size(), 2u);
  EXPECT_EQ(g_asked[0].rfind("Assert(BackFocLen != HUGE_VAL);\nFile Solver.cpp, line ", 0), 0u);
  EXPECT_EQ(g_asked[1].rfind("Assert(PriSysFocDist != HUGE_VAL);", 0), 0u);

  g_asked.clear();
  design.BackFocLen = 254;
  SolveGeometry(design, SolvePath::FromBackFocLen);
  EXPECT_TRUE(g_asked.empty());
}

TEST(AssertDeathTest, AbortEndsTheProcessAtOnce) {
  // The default question answers Abort, as the command line does.
  EXPECT_EXIT(
      {
        SetAssertQuestion(nullptr);
        AssertFailed("PriFoc != HUGE_VAL", "Solver.cpp", 1, nullptr);
      },
      testing::ExitedWithCode(kFatalExitStatus), "Application terminated");
}

}  // namespace
