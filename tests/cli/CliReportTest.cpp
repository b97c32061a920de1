#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/cli/CliRun.h"
#include "tests/common/Golden.h"
#include "tests/common/TestDesigns.h"
#include "tests/common/TestFiles.h"

using namespace spekulor::calc;

namespace {

std::string Line(const std::string& text, const std::string& label) {
  const size_t at = text.find(label);
  if (at == std::string::npos) return "";
  return text.substr(at, text.find('\n', at) - at);
}

TEST(CliReport, RawIsTheWindowsBytesOfTheReport) {
  const CliResult mm = RunCli({"report", "--raw"});
  EXPECT_EQ(mm.status, 0);
  EXPECT_EQ(mm.out, Golden("calc", "startup_mm.txt"));
  EXPECT_EQ(mm.err, "");
  const CliResult inch = RunCli({"report", "--raw", "--unit", "inch"});
  EXPECT_EQ(inch.out, Golden("calc", "startup_inch.txt"));
}

TEST(CliReport, TerminalTextIsUtf8WithLineFeeds) {
  const CliResult result = RunCli({"report"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out.rfind("General parameters for Ritchey-Chr\xC3\xA9tien\n", 0), 0u);
  EXPECT_EQ(result.out.find('\r'), std::string::npos);
  EXPECT_EQ(result.out.back(), '\n');
  EXPECT_NE(result.out[result.out.size() - 2], '\n');
}

TEST(CliReport, WorkedExamplesOfEveryTypeAndPath) {
  struct Example {
    std::vector<std::string> args;
    std::vector<std::string> lines;
  } examples[] = {
      {{"report", "--type", "classical"},
       {"Primary mirror conic constant ............     -1.0000",
        "Secondary mirror conic constant ..........     -3.6446",
        "Radius of field curvature ................   -340.4732 mm   (curvature is toward sky)"}},
      {{"report", "--type", "dall-kirkham"},
       {"Primary mirror conic constant ............     -0.6464",
        "Secondary mirror conic constant ..........      0.0000"}},
      {{"report", "--type", "2"},
       {"Primary mirror conic constant ............     -1.0831",
        "Secondary mirror conic constant ..........     -4.5015",
        "Secondary diameter .......................    128.6102 mm",
        "Obstructed Area  .........................     10.3379 %"}},
      {{"report", "--type", "pressmann-camichel"},
       {"Primary mirror conic constant ............      0.0000",
        "Secondary mirror conic constant ..........      6.6624"}},
      {{"report", "--type", "stigmatic", "--secondary-roc", "800", "--secondary-cc", "4"},
       {"Secondary Magnification ..................      3.0000",
        "Distance secondary from system focus .....    800.0000 mm",
        "Distance secondary from prime focus ......    266.6667 mm",
        "System focal length ......................   3000.0000 mm (f/7.5)",
        "Back focal length ........................     66.6667 mm",
        "Primary mirror conic constant ............     -1.0000",
        "Secondary mirror conic constant ..........     -4.0000"}},
      {{"report", "--secondary-roc", "800", "--secondary-from-system-focus", "900",
        "--system-focal-length", ""},
       {"Distance secondary from prime focus ......    276.9231 mm",
        "Secondary Magnification ..................      3.2500",
        "System focal length ......................   3250.0000 mm (f/8.1)",
        "Back focal length ........................    176.9231 mm"}},
      {{"report", "--secondary-roc", "868.5714285714286"},
       {"Distance secondary from prime focus ......    298.5714 mm",
        "Distance secondary from system focus .....    955.4286 mm",
        "Secondary Magnification ..................      3.2000",
        "System focal length ......................   3200.0000 mm (f/8.0)"}},
  };
  for (const Example& example : examples) {
    const CliResult result = RunCli(example.args);
    EXPECT_EQ(result.status, 0) << example.args[1];
    for (const std::string& line : example.lines) {
      EXPECT_EQ(Line(result.out, line.substr(0, 43)), line) << example.args[2];
    }
  }
}

TEST(CliReport, RefusalsGiveTheirNumbersOnStandardError) {
  struct Refusal {
    std::vector<std::string> args;
    std::string err;
  } refusals[] = {
      {{"report", "--diameter", ""},
       "Error 1\nThe default parameters (mirror diameter, mirror focal length, field) are "
       "needed!\n"},
      {{"report", "--field", "abc"},
       "Error 1\nThe default parameters (mirror diameter, mirror focal length, field) are "
       "needed!\n"},
      {{"report", "--system-focal-length", "0"},
       "Error 2\nIf no \"radius of curvature of secondary mirror\" is given you need to give me "
       "the \"system focal length\".\n"},
      {{"report", "--secondary-roc", "500", "--back-focal-length", ""},
       "Error 3\nPlease give me the \"back focal length\" or the \"distance secondary from "
       "system focus\" or the \"distance secondary from prime focus\" or the \"secondary mirror "
       "conic constant\"\n"},
      {{"report", "--type", "stigmatic", "--secondary-roc", "500"},
       "Error 4\nPrimary or secondary conic needed for stigmatic combination\n"},
  };
  for (const Refusal& refusal : refusals) {
    const CliResult result = RunCli(refusal.args);
    EXPECT_EQ(result.status, 2) << refusal.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, refusal.err);
  }
}

TEST(CliReport, ImpossibleDesignsAreRefusedByEveryCommandThatCalculates) {
  for (const ImpossibleDesign& impossible : ImpossibleDesigns()) {
    for (const char* command : {"report", "trace", "lens"}) {
      SCOPED_TRACE(std::string(impossible.name) + " " + command);
      std::vector<std::string> args = {command};
      for (const std::string& arg : OptionsOf(impossible)) args.push_back(arg);
      const CliResult result = RunCli(args);
      EXPECT_EQ(result.status, 2);
      EXPECT_EQ(result.out, "");
      EXPECT_EQ(result.err.rfind(std::string("Error 5\n") + impossible.messageStart, 0), 0u)
          << result.err;
    }
  }
}

TEST(CliReport, InchDesignsCarryTheirUnitAndTrueFigures) {
  const CliResult result = RunCli({"report", "--unit", "inch", "--diameter", "16",
                                   "--primary-focal-length", "40", "--system-focal-length", "128",
                                   "--back-focal-length", "10"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(Line(result.out, "Primary mirror diameter"),
            "Primary mirror diameter ..................     16.0000 inch");
  EXPECT_EQ(Line(result.out, "Daws's"), "Daws's resolution criterion ..............      0.29\"");
  EXPECT_EQ(Line(result.out, "Minimal magnification"),
            "Minimal magnification (7mm pupil) ........     58.1x (56.0mm eyepiece)");
  EXPECT_EQ(result.out.find(" mm\n"), std::string::npos);
}

TEST(CliReport, RadioIndexesAndFieldTexts) {
  // A design file may hold indexes outside the buttons: no type button checked is a
  // classical design, no unit button is mm.
  TempDir folder;
  WriteFileBytes(folder.File("odd.spekulor"),
                 "[Optics]\r\nUnit=7\r\nType=-1\r\nDiameter=400\r\nPrimary Focal Length=1000\r\n"
                 "Field=0.75\r\nSystem Focal Length=3200\r\nBack Focal Length=254\r\n");
  const CliResult none = RunCli({"report", folder.File("odd.spekulor")});
  EXPECT_EQ(none.out.rfind("General parameters for Classical cassegrain\n", 0), 0u) << none.err;
  EXPECT_NE(none.out.find("400.0000 mm"), std::string::npos);
  // On the command line they are usage errors that name what is allowed.
  const CliResult type = RunCli({"report", "--type", "-1"});
  EXPECT_EQ(type.status, 64);
  EXPECT_NE(type.err.find("classical, dall-kirkham, ritchey-chretien, pressmann-camichel, "
                          "stigmatic or a radio index 0 to 4"),
            std::string::npos)
      << type.err;
  const CliResult unit = RunCli({"report", "--unit", "7"});
  EXPECT_EQ(unit.status, 64);
  EXPECT_NE(unit.err.find("is not inch, mm, 0 or 1"), std::string::npos) << unit.err;
  const CliResult command = RunCli({"rapport"});
  EXPECT_EQ(command.status, 64);
  EXPECT_EQ(command.err.rfind("spekulor-cli: unknown command \"rapport\" (the commands are report, ", 0),
            0u)
      << command.err;
  // Negative values and the equals form both reach the field.
  const CliResult negative = RunCli({"report", "--type", "stigmatic", "--primary-cc", "-1",
                                     "--secondary-cc="});
  EXPECT_EQ(negative.status, 0) << negative.err;
  EXPECT_EQ(Line(negative.out, "Secondary mirror conic"),
            "Secondary mirror conic constant ..........     -3.6446");
}

TEST(CliReport, UsageErrorsHelpAndVersion) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {"report", "--bogus"}, {"report", "--unit", "feet"},
        {"report", "--type", "newtonian"}, {"export"}, {"report", "--diameter"}}) {
    const CliResult result = RunCli(args);
    EXPECT_EQ(result.status, 64) << (args.empty() ? "" : args.back());
    EXPECT_EQ(result.out, "");
    // One line saying what is wrong, and where to look; not the whole help.
    EXPECT_EQ(result.err.find("Usage:"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("\nRun with --help for more information.\n"), std::string::npos)
        << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 2) << result.err;
  }
  const CliResult help = RunCli({"report", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--secondary-from-prime-focus"), std::string::npos);
  const CliResult version = RunCli({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_NE(version.out.find("0.3.0.1"), std::string::npos);
}

}  // namespace
