#include <gtest/gtest.h>

#include <clocale>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "calc/Calculate.h"
#include "tests/common/Golden.h"
#include "calc/Report.h"

using namespace spekulor::calc;

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
    lines.push_back(text.substr(start, at - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

TEST(FormatNumber, CodesAndWidths) {
  struct Case {
    double value;
    int code;
    const char* text;
  } cases[] = {
      {400.0, 4, "   400.0000"},   {-1.08306, 4, "    -1.0831"}, {1e6, 4, "1000000.0000"},
      {3265.31, 1, "  3265.3"},     {0.2875, 2, "     0.29"},     {2.5, -1, "2.5"},
      {8.0, -1, "8.0"},             {-1.23456, -2, "-1.2346"},    {12.6, 0, "    13"},
      {1.2345, 3, "     1.234"},   {1.2345, 7, "     1.23"},     {1.2345, -3, "     1.23"},
      {HUGE_VAL, 4, "        inf"}, {-HUGE_VAL, -1, "-inf"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatNumber(c.value, c.code), c.text) << c.value << " code " << c.code;
  }
  EXPECT_NE(FormatNumber(std::nan(""), 4).find("nan"), std::string::npos);
  EXPECT_EQ(FormatNumber(1e300, 4).size(), 301u + 5u);
}

TEST(FormatNumber, AlwaysWritesAPoint) {
  const char* german = std::setlocale(LC_ALL, "de_DE.UTF-8");
  if (german == nullptr) GTEST_SKIP() << "no German locale installed";
  char probe[16];
  std::snprintf(probe, sizeof probe, "%0.1f", 2.5);
  EXPECT_STREQ(probe, "2,5");  // the process locale really is German
  EXPECT_EQ(FormatNumber(2.5, -1), "2.5");
  const std::string report = Calculate(DesignFields()).report;
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(report, Calculate(DesignFields()).report);
}

TEST(Report, StartUpDesignInMillimetresMatchesGolden) {
  const CalculateOutcome outcome = Calculate(DesignFields());
  ASSERT_TRUE(outcome.ok());
  EXPECT_EQ(outcome.report, Golden("calc", "startup_mm.txt"));
}

TEST(Report, StartUpDesignInInchMatchesGolden) {
  DesignFields fields;
  fields.m_nUnits = 0;
  const CalculateOutcome outcome = Calculate(fields);
  ASSERT_TRUE(outcome.ok());
  EXPECT_EQ(outcome.report, Golden("calc", "startup_inch.txt"));
}

TEST(Report, LayoutOfTheStartUpDesign) {
  const std::string report = Calculate(DesignFields()).report;
  EXPECT_EQ(report.find('\n'), report.find("\r\n") + 1);
  EXPECT_NE(report.substr(report.size() - 2), "\r\n");
  for (size_t i = 0; i < report.size(); ++i) {
    if (report[i] == '\n') {
      EXPECT_EQ(report[i - 1], '\r') << "bare line feed at " << i;
    }
  }
  const std::vector<std::string> lines = SplitLines(report);
  ASSERT_EQ(lines.size(), 41u);
  ExpectLinesAt(lines, {
      {0, "General parameters for Ritchey-Chr\xE9tien"},
      {1, "Primary mirror diameter ..................    400.0000 mm"},
      {2, "Primary mirror focal length ..............   1000.0000 mm (f/2.5)"},
      {11, "System focal length ......................   3200.0000 mm (f/8.0)"},
      {27, "Radius of field curvature ................   -315.8050 mm   (curvature is toward sky)"},
      {31, "Sparrows's resolution criterion ..........      0.29\""},
      {34, "Minimal magnification (7mm pupil) ........     57.1x (56.0mm eyepiece)"},
      {35, "Maximal magnification (0.5mm pupil) ......    800.0x (4.0mm eyepiece)"},
  });
  // Every value line has its value starting in column 44.
  int valueLines = 0;
  for (const std::string& line : lines) {
    const size_t dots = line.find(" ..");
    if (dots == std::string::npos) continue;
    ++valueLines;
    EXPECT_EQ(line[42], ' ') << line;
    EXPECT_EQ(line[41], '.') << line;
  }
  EXPECT_EQ(valueLines, 30);
  // The empty lines and headings.
  ExpectLinesAt(lines, {
      {15, ""},
      {19, ""},
      {20, "Schwarzschild coefficients"},
      {28, ""},
      {29, "Performance"},
      {36, ""},
  });
  for (int i = 0; i < 4; ++i) EXPECT_EQ(lines[37 + i], kReportCredits[i]);
}

TEST(Report, CreditsAreOptionalAndUnitOnlyChangesSuffixes) {
  DesignFields fields;
  const CalculateOutcome mm = Calculate(fields);
  const std::string bare = BuildReport(mm.calculation.design, mm.calculation.read.type,
                                       mm.calculation.read.unit, false);
  EXPECT_EQ(mm.report.substr(0, bare.size()), bare);
  EXPECT_EQ(bare.substr(bare.size() - 12), "mm eyepiece)");

  fields.m_nUnits = 0;
  std::string inch = Calculate(fields).report;
  std::string asMm = inch;
  for (size_t at; (at = asMm.find(" inch")) != std::string::npos;) asMm.replace(at, 5, " mm");
  // Performance differs by design (the eye works in millimetres); the rest is the same.
  const size_t performance = mm.report.find("Performance");
  EXPECT_EQ(asMm.substr(0, performance), mm.report.substr(0, performance));
}

TEST(Calculate, RefusalLeavesNoReport) {
  DesignFields fields;
  fields.m_strPriDia.clear();
  const CalculateOutcome outcome = Calculate(fields);
  EXPECT_FALSE(outcome.ok());
  EXPECT_TRUE(outcome.report.empty());
  EXPECT_EQ(outcome.errorText.rfind("Error 1\r\nThe default parameters", 0), 0u);
}

}  // namespace
