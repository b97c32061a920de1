// The Zemax lens file and the CODE V sequence file: byte-exact for the start-up
// design, and read back (by a reader of the tests' own) into the same optics: the
// paraxial trace in those programs' sign convention and the program's own solver find
// the design's focal length and back focal length, and the exact trace the same spots.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "calc/Calculate.h"
#include "files/CodeVSequence.h"
#include "files/DesignExport.h"
#include "tests/files/ExportReader.h"
#include "files/ExportText.h"
#include "tests/common/Golden.h"
#include "tests/common/TestDesigns.h"
#include "tests/common/TestFiles.h"
#include "trace/SpotDiagram.h"
#include "files/ZemaxLens.h"

using namespace spekulor::calc;
using namespace spekulor::trace;
using namespace spekulor::files;

namespace {

// Relative agreement of the focal lengths read back.
constexpr double kFocalLengthTolerance = 1e-6;
// Lengths read back, relative to the system focal length (exact text: rounding only).
constexpr double kLengthTolerance = 1e-9;
// Spot radii traced through the read-back design, relative.
constexpr double kSpotTolerance = 1e-6;
// Few rays: the spots of the file and of the design are traced on the same grid.
constexpr int kSpotRays = 150;

// The start-up design, the other types at other speeds, another solving path, an inch
// design.
std::vector<DesignCase> Cases() {
  std::vector<DesignCase> cases;
  cases.push_back({"start-up", DesignFields()});
  cases.push_back({"classical f/12", ExampleFields(kClassical, "250", "750", "3000", "150")});
  cases.push_back({"dall-kirkham f/15", ExampleFields(kDallKirkham, "200", "700", "3000", "200")});
  cases.push_back(
      {"pressmann-camichel", ExampleFields(kPressmannCamichel, "300", "900", "3600", "250")});
  DesignFields stigmatic = ExampleFields(kStigmatic, "400", "1200", "4800", "300");
  stigmatic.m_strField = "1.2";
  cases.push_back({"stigmatic", stigmatic});
  cases.push_back({"path 2", SecondaryPathFields(kRitcheyChretien)});
  cases.push_back({"10 inch", InchFields(kRitcheyChretien)});
  return cases;
}

struct Format {
  ExportFormat format;
  ReadSystem (*read)(const std::string&);
};
const Format kFormats[] = {{ExportFormat::Zemax, ReadZemaxSubset},
                           {ExportFormat::CodeV, ReadCodeVSubset}};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    const size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "line without CR LF";
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

TEST(DesignExport, StartUpDesignIsTheGoldenFile) {
  const struct {
    ExportFormat format;
    const char* golden;
    int lines;
  } kGoldens[] = {{ExportFormat::Zemax, "startup.zmx", kZemaxLensLineCount},
                  {ExportFormat::CodeV, "startup.seq", kCodeVSequenceLineCount}};
  for (const auto& g : kGoldens) {
    const DesignExport exported = BuildDesignExport(DesignFields(), g.format);
    ASSERT_TRUE(exported.ok()) << exported.text;
    ExpectGolden("files", g.golden, exported.text);
    EXPECT_EQ(Lines(exported.text).size(), static_cast<size_t>(g.lines)) << g.golden;
    // No NUL, no lone CR or LF; the one byte above ASCII is the e acute of the name.
    for (size_t i = 0; i < exported.text.size(); ++i) {
      const unsigned char c = exported.text[i];
      EXPECT_NE(c, 0);
      if (c >= 0x80) {
        EXPECT_EQ(c, 0xE9);
      }
      if (c == '\r') {
        EXPECT_EQ(exported.text[i + 1], '\n');
      }
      if (c == '\n') {
        EXPECT_EQ(exported.text[i - 1], '\r');
      }
    }
  }
}

TEST(DesignExport, NumbersReadBackExactly) {
  const double values[] = {0.0, 400.0, -2000.0, 701.4285714285714, 1.0 / 3.0, -1.0 / 868.57,
                           1e-300, 6.02214076e23, -4.501524817106106};
  for (double v : values) {
    const std::string text = FormatExactNumber(v);
    EXPECT_EQ(std::stod(text), v) << text;
    EXPECT_EQ(text.find(','), std::string::npos);
  }
  EXPECT_EQ(FormatExactNumber(0.7 * 0.375, 12), "0.2625");
  EXPECT_EQ(FormatExactNumber(HUGE_VAL), "inf");
  EXPECT_EQ(FormatExactNumber(-HUGE_VAL), "-inf");
  EXPECT_EQ(FormatExactNumber(std::nan("")), "nan");
}

// Everything the file says, checked against the design it was written from.
void ExpectSameOptics(const std::string& label, const ReadSystem& read, const Calculation& calc) {
  SCOPED_TRACE(label);
  const DesignResult& design = calc.design;
  ASSERT_EQ(read.error, "");
  EXPECT_EQ(read.name, ExportSystemName(design, calc.read.type, calc.read.unit));
  EXPECT_EQ(read.unit, calc.read.unit);
  EXPECT_EQ(read.entrancePupilDiameter, design.PriDia);
  ASSERT_EQ(read.wavelengthsMicrometres.size(), 1u);
  EXPECT_DOUBLE_EQ(read.wavelengthsMicrometres[0], 0.55);
  EXPECT_EQ(read.primaryWavelength, 1);
  ASSERT_EQ(read.fieldY.size(), 3u);
  ASSERT_EQ(read.fieldX, std::vector<double>(3, 0.0));
  const double halfField = design.FieldAng / 2.0;
  EXPECT_EQ(read.fieldY[0], 0.0);
  EXPECT_NEAR(read.fieldY[1], 0.7 * halfField, 1e-12 * halfField);
  EXPECT_EQ(read.fieldY[2], halfField);

  ASSERT_EQ(read.surfaces.size(), 5u);
  const ReadSurface& shadow = read.surfaces[1];
  const ReadSurface& primary = read.surfaces[2];
  const ReadSurface& secondary = read.surfaces[3];
  EXPECT_TRUE(std::isinf(read.surfaces[0].thickness));
  EXPECT_EQ(shadow.obscuration, design.SecDia / 2.0);
  EXPECT_FALSE(shadow.mirror);
  EXPECT_TRUE(primary.stop && primary.mirror && secondary.mirror);
  EXPECT_FALSE(shadow.stop || secondary.stop);
  EXPECT_EQ(primary.semiDiameter, design.PriDia / 2.0);
  EXPECT_EQ(secondary.semiDiameter, design.SecDia / 2.0);
  EXPECT_EQ(primary.conic, design.PriConic);
  EXPECT_EQ(secondary.conic, design.SecConic);
  // The dummy surface stands at the secondary: the light comes back to it.
  EXPECT_NEAR(shadow.thickness + primary.thickness, 0.0, kLengthTolerance * design.SysFoc);

  // Paraxial trace in the file's own convention: the focal length, and the focus on the
  // image surface, b behind the primary.
  const ParaxialResult paraxial = TraceParaxial(read);
  EXPECT_NEAR(paraxial.effectiveFocalLength, design.SysFoc, kFocalLengthTolerance * design.SysFoc);
  EXPECT_NEAR(paraxial.focusBeyondLastSurface, secondary.thickness,
              kLengthTolerance * design.SysFoc);
  EXPECT_NEAR(secondary.thickness + primary.thickness, design.BackFocLen,
              kLengthTolerance * design.SysFoc);

  // The program's own paraxial solver from the radii and the spacing read back.
  std::string problem;
  const DesignResult back = TwoMirrorDesignOf(read, problem);
  ASSERT_EQ(problem, "");
  EXPECT_NEAR(back.SysFoc, design.SysFoc, kFocalLengthTolerance * design.SysFoc);
  EXPECT_NEAR(back.BackFocLen, design.BackFocLen, kLengthTolerance * design.SysFoc);
  EXPECT_NEAR(back.PriSecDist, design.PriSecDist, kLengthTolerance * design.SysFoc);
  EXPECT_NEAR(back.SecRadCur, design.SecRadCur, kLengthTolerance * design.SysFoc);

  // The exact trace through the read-back design: the same spots at the three fields.
  const SpotSet expected = ComputeSpotSet(design, calc.read.unit, kSpotRays);
  const SpotSet traced = ComputeSpotSet(back, read.unit, kSpotRays);
  for (size_t f = 0; f < expected.spots.size(); ++f) {
    const SpotDiagram& a = expected.spots[f];
    const SpotDiagram& b = traced.spots[f];
    EXPECT_EQ(b.points.size(), a.points.size()) << "field " << f;
    EXPECT_GT(a.points.size(), 0u);
    EXPECT_NEAR(b.stats.rmsRadius, a.stats.rmsRadius,
                kSpotTolerance * a.stats.rmsRadius + 1e-12 * design.SysFoc)
        << "field " << f;
    EXPECT_NEAR(b.stats.centroidY, a.stats.centroidY, kLengthTolerance * design.SysFoc)
        << "field " << f;
  }
}

TEST(DesignExport, FilesReadBackAsTheSameTelescope) {
  for (const DesignCase& c : Cases()) {
    const Calculation calc = CompleteDesign(c.fields);
    ASSERT_EQ(calc.rules.error, CalcError::None) << c.name;
    for (const Format& f : kFormats) {
      const DesignExport exported = BuildDesignExport(c.fields, f.format);
      ASSERT_TRUE(exported.ok()) << c.name;
      ExpectSameOptics(std::string(c.name) + " " + ExportFormatOf(f.format).key,
                       f.read(exported.text), calc);
    }
  }
}

TEST(DesignExport, InchDesignsCarryTheirUnit) {
  DesignFields inch;
  inch.m_nUnits = 0;
  const std::vector<std::string> zmx = Lines(BuildDesignExport(inch, ExportFormat::Zemax).text);
  EXPECT_EQ(zmx[3], "UNIT IN X W X CM MR CPMM");
  EXPECT_EQ(zmx[2], "NAME Ritchey-Chr\xE9tien 400.0 inch f/8.0");
  const std::vector<std::string> seq = Lines(BuildDesignExport(inch, ExportFormat::CodeV).text);
  EXPECT_EQ(seq[3], "DIM   I");
  // The same numbers as the millimetre design: nothing is converted.
  const std::vector<std::string> mm = Lines(BuildDesignExport(DesignFields(), ExportFormat::CodeV).text);
  ASSERT_EQ(seq.size(), mm.size());
  for (size_t i = 0; i < seq.size(); ++i) {
    if (i != 1 && i != 3) {
      EXPECT_EQ(seq[i], mm[i]);
    }
  }
  EXPECT_EQ(mm[3], "DIM   M");
}

TEST(DesignExport, RefusalsAreThoseOfCalculate) {
  DesignFields fields;
  fields.m_strPriDia.clear();
  for (const Format& f : kFormats) {
    const DesignExport exported = BuildDesignExport(fields, f.format);
    EXPECT_EQ(exported.status, DesignExport::RulesRefused);
    EXPECT_EQ(exported.text, Calculate(fields).errorText);
  }
  DesignFields stigmatic;  // a stigmatic combination needs one conic
  stigmatic.m_nType = kStigmatic;
  EXPECT_EQ(BuildDesignExport(stigmatic, ExportFormat::CodeV).text.rfind("Error 4\r\n", 0), 0u);
}

TEST(DesignExport, FormatTable) {
  EXPECT_EQ(ExportFormatOf(ExportFormat::Zemax).key, std::string("zmx"));
  EXPECT_EQ(ExportFormatOf(ExportFormat::CodeV).extension, std::string(".seq"));
  for (const ExportFormatInfo& info : kExportFormats) {
    EXPECT_EQ(&ExportFormatOf(info.format), &info);
  }
}

// The Hubble Space Telescope: D 2400 mm, f/24, primary f/2.3 (R 11040 mm), the focus
// 1500 mm behind the primary, Ritchey-Chretien. Published prescription (e.g. D. J.
// Schroeder, Astronomical Optics, 2nd ed., table of large telescopes; the HST optical
// telescope assembly): K1 = -1.0023, K2 = -1.4967, R2 = 1358 mm, mirror separation
// 4906.9 mm.
TEST(DesignExport, HubbleSpaceTelescopeKeepsItsFocalLength) {
  DesignFields hst = ExampleFields(kRitcheyChretien, "2400", "5520", "57600", "1500");
  hst.m_strField = "0.3";
  const Calculation calc = CompleteDesign(hst);
  ASSERT_EQ(calc.rules.error, CalcError::None);
  const DesignResult& d = calc.design;
  EXPECT_NEAR(d.PriConic, -1.0023, 1e-4);
  EXPECT_NEAR(d.SecConic, -1.4967, 5e-4);
  EXPECT_NEAR(d.SecRadCur, 1358.0, 1.0);
  EXPECT_NEAR(d.PriSecDist, 4906.9, 1.0);
  for (const Format& f : kFormats) {
    const ReadSystem read = f.read(BuildDesignExport(hst, f.format).text);
    ASSERT_EQ(read.error, "");
    EXPECT_EQ(read.surfaces[2].curvature, -1.0 / 11040.0);
    EXPECT_NEAR(TraceParaxial(read).effectiveFocalLength, 57600.0,
                kFocalLengthTolerance * 57600.0);
    std::string problem;
    EXPECT_NEAR(TwoMirrorDesignOf(read, problem).SysFoc, 57600.0, kFocalLengthTolerance * 57600.0);
    ExpectSameOptics(std::string("HST ") + ExportFormatOf(f.format).key, read, calc);
  }
}

TEST(ExportReader, RejectsWhatTheExportDoesNotWrite) {
  const std::string zmx = BuildDesignExport(DesignFields(), ExportFormat::Zemax).text;
  ASSERT_EQ(ReadZemaxSubset(zmx).error, "");
  EXPECT_NE(ReadZemaxSubset(zmx + "  PARM 1 0\r\n").error, "");
  EXPECT_NE(ReadZemaxSubset(zmx.substr(0, zmx.size() - 1)).error, "");  // no final LF
  const std::string seq = BuildDesignExport(DesignFields(), ExportFormat::CodeV).text;
  ASSERT_EQ(ReadCodeVSubset(seq).error, "");
  EXPECT_NE(ReadCodeVSubset(seq + "S 0 0\r\n").error, "");  // after GO
  std::string bad = seq;
  bad.replace(bad.find("REFL"), 4, "BK7 ");
  EXPECT_NE(ReadCodeVSubset(bad).error, "");
}

}  // namespace
