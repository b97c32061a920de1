#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "calc/Calculate.h"
#include "tests/common/Golden.h"
#include "tests/common/TestFiles.h"
#include "files/OsloLens.h"

using namespace spekulor::calc;
using namespace spekulor::files;

namespace {

// The lines of a lens text, each checked to end with CR LF.
std::vector<std::string> LensLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "line without CR LF at byte " << start;
    if (end == std::string::npos) break;
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::string LensOf(const DesignFields& fields) {
  const Calculation calculation = CompleteDesign(fields);
  EXPECT_EQ(calculation.rules.error, CalcError::None) << calculation.rules.message;
  return FormatOsloLens(calculation.design, calculation.read.type);
}

TEST(OsloLens, StartUpDesignIsTheGoldenFile) {
  const std::string text = LensOf(DesignFields());
  EXPECT_EQ(text, Golden("files", "startup.len"));
  EXPECT_EQ(LensLines(text).size(), static_cast<size_t>(kOsloLensLineCount));
  // Only line ends use CR and LF; no NUL; the one non-ASCII byte is the e acute.
  for (unsigned char c : text) {
    EXPECT_NE(c, 0);
    if (c >= 0x80) {
      EXPECT_EQ(c, 0xE9);
    }
  }
}

TEST(OsloLens, AuthorNoteIsOneLineWithoutQuotes) {
  const std::string note = kOsloAuthorNote;
  EXPECT_FALSE(note.empty());
  EXPECT_EQ(note.find('"'), std::string::npos);
  EXPECT_EQ(note.find_first_of("\r\n"), std::string::npos);
  EXPECT_EQ(LensLines(LensOf(DesignFields()))[8], "SNO3 \"" + note + "\"");
}

TEST(OsloLens, TypeNamesAndClassicalConic) {
  DesignFields classical;
  classical.m_nType = 0;
  const std::vector<std::string> lines = LensLines(LensOf(classical));
  ExpectLinesAt(lines, {
      {1, "LEN NEW \"400.0mm Classical cassegrain\" 3200.0 5"},
      {6, "SNO1 \"Classical cassegrain\""},
      {29, "CC   -1.0000"},
  });

  DesignFields dallKirkham;
  dallKirkham.m_nType = 1;
  EXPECT_EQ(LensLines(LensOf(dallKirkham))[6], "SNO1 \"Dall-Kirkham\"");

  // A radio index outside 0..4 is the classical design, as in Calculate.
  DesignFields none;
  none.m_nType = -1;
  EXPECT_EQ(LensLines(LensOf(none))[6], "SNO1 \"Classical cassegrain\"");
}

TEST(OsloLens, FieldWidthsOfHalfDiameterAndField) {
  DesignFields fields;
  fields.m_strField = "1.5";
  EXPECT_EQ(LensLines(LensOf(fields))[3], "ANG  0.7500");

  // Half a diameter of 100000 or more fills the eleven characters: no padding.
  DesignFields wide;
  wide.m_strPriDia = "200000";
  EXPECT_EQ(LensLines(LensOf(wide))[2], "EBR 100000.0000");
  EXPECT_EQ(LensLines(LensOf(wide))[1].rfind("LEN NEW \"200000.0mm ", 0), 0u);
  wide.m_strPriDia = "2000000";
  EXPECT_EQ(LensLines(LensOf(wide))[2], "EBR 1000000.0000");
  DesignFields small;
  small.m_strPriDia = "50";
  EXPECT_EQ(LensLines(LensOf(small))[2], "EBR     25.0000");
}

TEST(OsloLens, SignsOfRadiiAndThicknesses) {
  DesignResult design;
  design.PriDia = 300;
  design.FieldAng = 0.5;
  design.PriFoc = 900;
  design.SysFoc = 2700;
  design.BackFocLen = 200;
  design.PriSecDist = 625;
  design.SecDia = 100;
  design.SecRadCur = 750;
  design.PriConic = -1.25;
  design.SecConic = 3.5;
  const std::vector<std::string> lines =
      LensLines(FormatOsloLens(design, TelescopeType::PressmannCamichel));
  ASSERT_EQ(lines.size(), 46u);
  ExpectLinesAt(lines, {
      {1, "LEN NEW \"300.0mm Pressmann-Camichel\" 2700.0 5"},
      {15, "TH   625.0000"},
      {17, "AY1 A -50.0000"},
      {18, "AY2 A 50.0000"},
      {19, "AX1 A -50.0000"},
      {20, "AX2 A 50.0000"},
      {26, "RD   -1800.0000"},
      {27, "TH   -625.0000"},
      {29, "CC   -1.2500"},
      {32, "RD   -750.0000"},
      {34, "CC   3.5000"},
      {37, "TH   200.0000"},
  });
}

TEST(OsloLens, ValuesThatAreNotFiniteAreStillWritten) {
  DesignResult design;  // every quantity not given: +infinity
  design.SecDia = std::numeric_limits<double>::quiet_NaN();
  const std::vector<std::string> lines =
      LensLines(FormatOsloLens(design, TelescopeType::Stigmatic));
  ASSERT_EQ(lines.size(), 46u);
  EXPECT_EQ(lines[2], "EBR         inf");
  EXPECT_EQ(lines[15], "TH   inf");
  // The sign bit of a NaN depends on how the compiler arranged the arithmetic.
  EXPECT_TRUE(lines[17] == "AY1 A nan" || lines[17] == "AY1 A -nan") << lines[17];
  EXPECT_TRUE(lines[18] == "AY2 A nan" || lines[18] == "AY2 A -nan") << lines[18];
  EXPECT_EQ(lines[26], "RD   -inf");
  EXPECT_EQ(lines[6], "SNO1 \"Stigmatic combination\"");
}

}  // namespace
