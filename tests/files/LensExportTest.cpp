// What the lens export makes of the window's values: the inch refusal first, then the
// calculation's refusals, then the lens text.
#include <gtest/gtest.h>

#include "calc/Calculate.h"
#include "tests/common/TestDesigns.h"
#include "files/LensExport.h"
#include "files/OsloLens.h"

using namespace spekulor::calc;
using namespace spekulor::files;

namespace {

TEST(LensExport, InchIsRefusedBeforeAnyOtherCheck) {
  DesignFields inch;
  inch.m_nUnits = 0;
  inch.m_strPriDia.clear();  // would be refused by the rules too
  const LensExport lens = BuildLensExport(inch);
  EXPECT_EQ(lens.status, LensExport::InchRefused);
  EXPECT_EQ(lens.text, "Please use mm for OSLO Lens Files");

  // Only index 0 is inch; no checked button (-1) counts as mm.
  DesignFields none;
  none.m_nUnits = -1;
  EXPECT_TRUE(BuildLensExport(none).ok());
}

TEST(LensExport, MissingInputsGiveTheCalculationsRefusal) {
  DesignFields fields;
  fields.m_strPriDia.clear();
  const LensExport lens = BuildLensExport(fields);
  EXPECT_EQ(lens.status, LensExport::RulesRefused);
  EXPECT_EQ(lens.text, Calculate(fields).errorText);
  EXPECT_EQ(lens.text.rfind("Error 1\r\n", 0), 0u);
}

TEST(LensExport, AnImpossibleDesignGivesItsRefusalAndNoLensText) {
  for (const ImpossibleDesign& impossible : ImpossibleDesigns()) {
    SCOPED_TRACE(impossible.name);
    const DesignFields fields = FieldsOf(impossible);
    const LensExport lens = BuildLensExport(fields);
    EXPECT_EQ(lens.status, LensExport::RulesRefused);
    EXPECT_EQ(lens.text, Calculate(fields).errorText);
    EXPECT_EQ(lens.text.rfind("Error 5\r\n", 0), 0u);
  }
}

TEST(LensExport, ACompletedDesignGivesItsLensTextAndTheDesign) {
  const LensExport lens = BuildLensExport(DesignFields());
  ASSERT_TRUE(lens.ok());
  const Calculation expected = CompleteDesign(DesignFields());
  EXPECT_EQ(lens.text, FormatOsloLens(expected.design, expected.read.type));
  EXPECT_EQ(lens.calculation.design.SysFoc, expected.design.SysFoc);
}

}  // namespace
