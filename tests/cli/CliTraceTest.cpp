#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "tests/cli/CliRun.h"
#include "tests/common/Golden.h"
#include "tests/common/TestFiles.h"

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream stream(text);
  std::string part;
  while (std::getline(stream, part, separator)) parts.push_back(part);
  return parts;
}

TEST(CliTrace, TableOfTheThreeFieldPoints) {
  const CliResult result = RunCli({"trace"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out.rfind("Spot diagrams of the Ritchey-Chr\xC3\xA9tien", 0), 0u);
  EXPECT_NE(result.out.find("Airy disk radius 5.37 \xC2\xB5m (0.35\")"), std::string::npos);
  for (const char* row : {"On axis", "0.7 of the field", "Edge of the field"}) {
    EXPECT_NE(result.out.find(std::string("\n") + row), std::string::npos) << row;
  }
}

TEST(CliTrace, CsvHasTheFixedColumns) {
  const CliResult result = RunCli({"trace", "--csv", "--rays", "3000", "--type", "classical"});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::vector<std::string> lines = Split(result.out, '\n');
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "field_fraction,field_deg,rays,centroid_y_mm,rms_um,rms_arcsec,max_um,airy_um");
  const char* const fractions[] = {"0.0", "0.7", "1.0"};
  for (size_t i = 1; i < 4; ++i) {
    const std::vector<std::string> cells = Split(lines[i], ',');
    ASSERT_EQ(cells.size(), 8u) << lines[i];
    EXPECT_EQ(cells[0], fractions[i - 1]);
    EXPECT_NEAR(std::atof(cells[1].c_str()), 0.375 * std::atof(cells[0].c_str()), 1e-6);
    EXPECT_GE(std::atoi(cells[2].c_str()), 3000);
    EXPECT_EQ(cells[7], "5.3680");
  }
  // The classical design's axis point is perfect; its edge image F tan(0.375 deg) high.
  EXPECT_EQ(Split(lines[1], ',')[4], "0.0000");
  EXPECT_NEAR(std::atof(Split(lines[3], ',')[3].c_str()), 20.94, 0.05);
}

// Inch designs give the centroid in millimetres all the same.
TEST(CliTrace, CsvCentroidIsInMillimetres) {
  const CliResult inch = RunCli({"trace", "--csv", "--unit", "inch", "--rays", "200"});
  const CliResult mm = RunCli({"trace", "--csv", "--rays", "200"});
  ASSERT_EQ(inch.status, 0);
  const double inchCentroid = std::atof(Split(Split(inch.out, '\n')[3], ',')[3].c_str());
  const double mmCentroid = std::atof(Split(Split(mm.out, '\n')[3], ',')[3].c_str());
  EXPECT_NEAR(inchCentroid / mmCentroid, 25.4, 1e-4);
}

TEST(CliTrace, PicturesAreWrittenAsTheLibraryDrawsThem) {
  TempDir folder;
  const CliResult result = RunCli({"trace", "--layout", folder.Path() + "/layout.svg", "--spots",
                                   folder.Path() + "/spots.svg"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadFileBytes(folder.Path() + "/layout.svg"),
            Golden("trace", "startup_layout.svg"));
  EXPECT_EQ(ReadFileBytes(folder.Path() + "/spots.svg"),
            Golden("trace", "startup_spots.svg"));
}

// DESIGN starts from a design file's values; options still override them.
TEST(CliTrace, StartsFromADesignFile) {
  TempDir folder;
  const std::string design = folder.Path() + "/design.spekulor";
  ASSERT_EQ(RunCli({"save", design, "--type", "classical", "--system-focal-length", "4000"}).status, 0);
  const CliResult traced = RunCli({"trace", design, "--csv", "--rays", "500"});
  ASSERT_EQ(traced.status, 0) << traced.err;
  const std::vector<std::string> lines = Split(traced.out, '\n');
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(Split(lines[1], ',')[4], "0.0000");   // classical: a perfect axis point
  EXPECT_EQ(Split(lines[1], ',')[7], "6.7100");   // 1.22 * 0.55 um * 4000 / 400
  const CliResult overridden = RunCli({"trace", design, "--csv", "--rays", "500", "--type", "dall-kirkham"});
  EXPECT_NE(Split(Split(overridden.out, '\n')[1], ',')[4], "0.0000");

  const CliResult missing = RunCli({"trace", folder.Path() + "/none.spekulor"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err.rfind("Error reading", 0), 0u) << missing.err;
}

TEST(CliTrace, FailuresHaveTheirStatuses) {
  const CliResult refused = RunCli({"trace", "--diameter", ""});
  ExpectFailure(refused, 2, "Error 1\n");

  const CliResult flat = RunCli({"trace", "--system-focal-length", "1000"});
  EXPECT_EQ(flat.status, 2);
  EXPECT_EQ(flat.err.rfind("Error 5\n", 0), 0u) << flat.err;

  const CliResult unwritable = RunCli({"trace", "--layout", "/nonexistent-folder/layout.svg"});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.err, "Error writing\n/nonexistent-folder/layout.svg: No such file or directory\n");

  for (const char* rays : {"0", "-5", "abc", "1000001"}) {
    EXPECT_EQ(RunCli({"trace", "--rays", rays}).status, 64) << rays;
  }
  EXPECT_EQ(RunCli({"trace", "--type", "newtonian"}).status, 64);
}

// A misaligned secondary: the first line says how it stands, the axis image moves as
// first-order optics says (decentered by e: (1 - m) e; tilted by a about its vertex:
// q tan 2a, q = d + b), and without the options the output is the design's.
TEST(CliTrace, MisalignedSecondaryMovesTheAxisImage) {
  // Classical start-up: m = 3.2, d = 701.43, b = 254.
  const CliResult decentered = RunCli({"trace", "--type", "classical", "--rays", "500",
                                       "--decenter", "0.1"});
  ASSERT_EQ(decentered.status, 0) << decentered.err;
  ExpectOutputStart(decentered, "Spot diagrams of the Classical cassegrain in the paraxial "
                                "image plane, 550 nm, secondary decentered 0.1 mm\n");
  const CliResult csv = RunCli({"trace", "--type", "classical", "--rays", "500", "--csv",
                                "--decenter", "0.1"});
  ASSERT_EQ(csv.status, 0) << csv.err;
  EXPECT_NEAR(std::atof(Split(Split(csv.out, '\n')[1], ',')[3].c_str()), (1.0 - 3.2) * 0.1,
              0.02 * 0.22);
  EXPECT_NE(Split(Split(csv.out, '\n')[1], ',')[4], "0.0000");  // coma on the axis

  const CliResult tilted = RunCli({"trace", "--type", "classical", "--rays", "500", "--csv",
                                   "--tilt", "0.01"});
  ASSERT_EQ(tilted.status, 0) << tilted.err;
  const double q = 701.428571 + 254.0;
  EXPECT_NEAR(std::atof(Split(Split(tilted.out, '\n')[1], ',')[3].c_str()),
              q * std::tan(2.0 * 0.01 / 57.29577951308232), 0.02 * 0.33);

  // Turned about the prime focus (p = 298.57) the classical secondary stays stigmatic.
  const CliResult aboutFocus = RunCli({"trace", "--type", "classical", "--rays", "500", "--csv",
                                       "--tilt", "0.01", "--pivot", "298.5714285714"});
  ASSERT_EQ(aboutFocus.status, 0) << aboutFocus.err;
  EXPECT_LT(std::atof(Split(Split(aboutFocus.out, '\n')[1], ',')[4].c_str()), 0.01);

  const CliResult aligned = RunCli({"trace", "--rays", "500", "--pivot", "50"});
  EXPECT_EQ(aligned.out, RunCli({"trace", "--rays", "500"}).out);
}

TEST(CliTrace, MisalignmentsOutsideWhatTheTraceTakesAreRefused) {
  for (const char* option : {"--despace", "--decenter", "--tilt", "--pivot"}) {
    EXPECT_EQ(RunCli({"trace", option, "nan"}).status, 64) << option;
    EXPECT_EQ(RunCli({"trace", option, "inf"}).status, 64) << option;
    EXPECT_EQ(RunCli({"trace", option, "x"}).status, 64) << option;
  }
  const CliResult through = RunCli({"trace", "--despace", "800"});
  EXPECT_EQ(through.status, 3);
  EXPECT_EQ(through.err,
            "Cannot trace this design: the despaced secondary does not stand in front of the "
            "primary\n");
  EXPECT_EQ(RunCli({"trace", "--tilt", "60"}).status, 3);
}

}  // namespace
