// Completed designs that no telescope can have are refused with error 5, one message
// each; the designs the required-input rules refuse keep their own numbers.
#include <gtest/gtest.h>

#include <cmath>

#include "calc/Calculate.h"
#include "tests/common/TestDesigns.h"
#include "calc/Inputs.h"
#include "calc/Solver.h"

using namespace spekulor::calc;

namespace {

TEST(DesignChecks, EveryImpossibleDesignIsRefusedWithItsMessage) {
  for (const ImpossibleDesign& impossible : ImpossibleDesigns()) {
    SCOPED_TRACE(impossible.name);
    const DesignFields fields = FieldsOf(impossible);
    const ReadInput read = ReadDesignInput(fields);
    // The required-input rules have nothing against it: only the completed design shows it.
    ASSERT_EQ(CheckRequiredInputs(read.input, read.type).error, CalcError::None);

    const CalculateOutcome outcome = Calculate(fields);
    EXPECT_EQ(outcome.calculation.rules.error, CalcError::ImpossibleDesign);
    EXPECT_EQ(outcome.calculation.rules.message.rfind(impossible.messageStart, 0), 0u)
        << outcome.calculation.rules.message;
    EXPECT_EQ(outcome.errorText, "Error 5\r\n" + outcome.calculation.rules.message);
    EXPECT_EQ(outcome.report, "");
  }
}

TEST(DesignChecks, TheSolverAloneWouldGiveNumbersThatAreNotFinite) {
  // What the checks stand between: a secondary without power completes to an infinite
  // radius and conic, and a signed entry on the secondary-conic path to no numbers.
  DesignFields flat;
  flat.m_strSysFoc = "1000.0";  // m = 1
  const ReadInput read = ReadDesignInput(flat);
  const RuleOutcome rules = CheckRequiredInputs(read.input, read.type);
  ASSERT_EQ(rules.error, CalcError::None);
  const DesignResult g = SolveGeometry(StartDesign(read.input), rules.path);
  EXPECT_FALSE(std::isfinite(g.SecRadCur));
  EXPECT_EQ(CompleteDesign(flat).rules.error, CalcError::ImpossibleDesign);
}

TEST(DesignChecks, TheMessagesNameWhatToChangeOnEachPath) {
  DesignFields fromFocus;
  fromFocus.m_strSysFoc = "900";
  EXPECT_NE(CompleteDesign(fromFocus).rules.message.find(
                "change the \"system focal length\" or the \"back focal length\"."),
            std::string::npos);

  DesignFields fromPrimeFocus;
  fromPrimeFocus.m_strSysFoc.clear();
  fromPrimeFocus.m_strBackFocLen.clear();
  fromPrimeFocus.m_strSecRadCur = "100";
  fromPrimeFocus.m_strSecPriDist = "300";
  EXPECT_NE(CompleteDesign(fromPrimeFocus).rules.message.find(
                "change the \"radius of curvature of secondary mirror\" or the \"distance "
                "secondary from prime focus\"."),
            std::string::npos);
}

TEST(DesignChecks, BuildableDesignsAtTheEdgesPass) {
  // A magnification just above 1 is an odd telescope, but a telescope.
  DesignFields slow;
  slow.m_strSysFoc = "1001";
  EXPECT_EQ(CompleteDesign(slow).rules.error, CalcError::None);
  // An oblate primary (and the stigmatic secondary it asks for) that still reaches its
  // edge; the primary alone would close at K = (R / r)^2 - 1 = 99.
  DesignFields oblate;
  oblate.m_nType = 4;
  oblate.m_strPriCC = "5";
  EXPECT_EQ(CompleteDesign(oblate).rules.error, CalcError::None)
      << CompleteDesign(oblate).rules.message;
}

}  // namespace
