// The table of a made-up analysis, written out by hand (its JSON: tests/cli/JsonOutputTest.cpp).
#include <gtest/gtest.h>

#include "collimation/ToleranceText.h"

using namespace spekulor::calc;
using namespace spekulor::collimation;

namespace {

ToleranceFound Found(ToleranceLimit limit, double amount, double addedWaves) {
  ToleranceFound found;
  found.found = limit == ToleranceLimit::Budget;
  found.limit = limit;
  found.amount = amount;
  found.addedWaves = addedWaves;
  return found;
}

ToleranceAnalysis MadeUp() {
  ToleranceAnalysis analysis;
  analysis.unit = LengthUnit::Millimetre;
  analysis.aligned.rmsWaves = 0.0123;
  Sensitivities& s = analysis.sensitivities;
  s.backFocusPerUnit = 17.0;
  s.w040NmPerUnit = -90.25;
  s.w131NmPerUnit = 1085.0;
  s.imageShiftPerUnit = -2.5;
  s.w131NmPerDegree = -3600.5;
  s.comaFreePivot = 190.126;
  analysis.tolerances[0] = Found(ToleranceLimit::Budget, -4.5, 0.0499);
  analysis.tolerances[1] = Found(ToleranceLimit::Budget, 0.25, 0.05);
  analysis.tolerances[2] = Found(ToleranceLimit::BeyondRange, 5.0, 0.03);
  return analysis;
}

TEST(ToleranceText, TableShowsEachKindWithItsTolerance) {
  const std::string table = FormatToleranceTable(MadeUp(), TelescopeType::Classical);
  const std::string expected =
      "Collimation tolerances of the Classical cassegrain's secondary, axis image at 550 nm\n"
      "Each alone adds 0.05 waves RMS to the aligned design's 0.0123 (in quadrature, refocused "
      "and re-pointed)\n"
      "\n"
      "Secondary Sensitivity                                 Tolerance       Adds\n"
      "Despace   back focal length +17.000 mm per mm         \xB1" "4.500 mm       0.0499 waves\n"
      "          spherical W040 -90.2 nm per mm\n"
      "Decenter  coma W131 +1085.0 nm per mm                 \xB1" "0.2500 mm      0.0500 waves\n"
      "          image shift -2.5000 mm per mm\n"
      "Tilt      coma W131 -3600.5 nm per degree             beyond 5.000\xB0   0.0300 waves\n"
      "          about the vertex\n"
      "\n"
      "Coma-free pivot: 190.13 mm from the secondary's vertex toward the sky\n"
      "Signs: despace positive toward the primary, decenter and tilt toward +y (the side of "
      "the field's images); W is the optical path difference, positive where longer, phi from "
      "+y.\n";
  EXPECT_EQ(table, expected);
}

// What limits a tolerance besides the budget is said under the table;
// a cell wider than its column keeps a space before the next.
TEST(ToleranceText, LimitsOtherThanTheBudgetAreSaid) {
  ToleranceAnalysis analysis = MadeUp();
  analysis.unit = LengthUnit::Inch;
  analysis.aligned.rmsWaves = 0.0612;
  ToleranceFound jump = Found(ToleranceLimit::Jump, -1.8421, 0.0451);
  jump.beyondAmount = -1.8422;
  jump.beyondWaves = 0.0532;
  analysis.tolerances[0] = jump;
  analysis.tolerances[1] = Found(ToleranceLimit::LightLost, 0.3125, 0.0213);
  analysis.tolerances[2] = Found(ToleranceLimit::BeyondRange, 5.0, 0.03);
  analysis.sensitivities.w131NmPerUnit = 123456789.0;
  const std::string table = FormatToleranceTable(analysis, TelescopeType::DallKirkham);
  for (const char* line :
       {"\nDespace   back focal length +17.000 inch per inch     \xB1" "1.842 inch     0.0451 waves\n",
        "\nDecenter  coma W131 +123456789.0 nm per inch          \xB1" "0.3125 inch    0.0213 waves\n",
        "\nThe aligned design alone has 0.0612 waves RMS on the axis, already above the budget "
        "of 0.05 waves.\n"
        "Despace: the traced error jumps from 0.0451 to 0.0532 waves at -1.842 inch; no despace "
        "adds just the budget.\n"
        "Decenter: beyond +0.3125 inch fewer than half the rays that pass the secondary reach "
        "the image.\n"
        "Signs: "}) {
    EXPECT_NE(table.find(line), std::string::npos) << line << "\n" << table;
  }
  // A sensitivity wider than its column.
  analysis.sensitivities.w131NmPerUnit = 1.0e20;
  EXPECT_NE(FormatToleranceTable(analysis, TelescopeType::DallKirkham)
                .find("per inch \xB1" "0.3125 inch"),
            std::string::npos);
}

// Under a tiny budget the errors keep four significant digits, and a tolerance that
// follows from the traced growth says so.
TEST(ToleranceText, TinyBudgetsKeepTheirDigits) {
  ToleranceAnalysis analysis = MadeUp();
  analysis.options.budgetWaves = 1e-6;
  analysis.resolvedWaves = 0.00013714;
  analysis.tolerances[1] = Found(ToleranceLimit::Budget, 0.0000022597, 0.0000009982);
  analysis.tolerances[1].fromGrowth = true;
  const std::string table = FormatToleranceTable(analysis, TelescopeType::Classical);
  EXPECT_NE(table.find("\xB1" "0.000002260 mm 0.0000009982 waves\n"), std::string::npos) << table;
  EXPECT_NE(table.find("\nBelow 0.0001371 waves the trace's rounding hides the added error: "
                       "these tolerances solve a x^2 + b x = budget^2, with a and b traced "
                       "above.\n"),
            std::string::npos)
      << table;
}

TEST(ToleranceText, TolerancesInInchesAndDegrees) {
  ToleranceFound found = Found(ToleranceLimit::Budget, -0.0076789, 0.05);
  EXPECT_EQ(FormatTolerance(found, Misalignment::Decenter, LengthUnit::Inch), "\xB1" "0.007679 inch");
  found.amount = 0.064041;
  EXPECT_EQ(FormatTolerance(found, Misalignment::Tilt, LengthUnit::Inch), "\xB1" "0.06404\xB0");
}

}  // namespace
