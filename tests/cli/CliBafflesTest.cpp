#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/cli/CliRun.h"
#include "tests/common/Golden.h"
#include "tests/common/TestFiles.h"

namespace {

std::set<std::string> Keys(const nlohmann::json& object) {
  std::set<std::string> keys;
  for (auto it = object.begin(); it != object.end(); ++it) keys.insert(it.key());
  return keys;
}

// Exactly the documented keys, and figures that follow from the start-up design by
// hand: the image circle 2 F tan(theta), the back-focus rate m^2 + 1 with m = 3.2, the
// hole near 2 [h + (y2 - h) b / (d + b)], the area the square of the diameter's share.
TEST(CliBaffles, JsonHasExactlyTheDocumentedKeys) {
  const CliResult result = RunCli({"baffles", "--json"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  const nlohmann::json json = nlohmann::json::parse(result.out);
  EXPECT_EQ(Keys(json), (std::set<std::string>{"unit", "image_circle_diameter", "hole_diameter",
                                                "secondary_baffle", "primary_baffle", "obstruction",
                                                "focus_travel", "checks"}));
  EXPECT_EQ(Keys(json["secondary_baffle"]), (std::set<std::string>{"diameter", "z"}));
  EXPECT_EQ(Keys(json["primary_baffle"]), (std::set<std::string>{"diameter", "z"}));
  EXPECT_EQ(Keys(json["obstruction"]), (std::set<std::string>{"linear", "area"}));
  EXPECT_EQ(Keys(json["focus_travel"]), (std::set<std::string>{"back_focus_per_spacing"}));
  EXPECT_EQ(Keys(json["checks"]), (std::set<std::string>{"field_rays", "field_rays_blocked", "sky_lines",
                                                         "sky_lines_reaching_image"}));

  EXPECT_EQ(json["unit"], "mm");
  const double theta = 0.375 * M_PI / 180.0;
  EXPECT_NEAR(json["image_circle_diameter"].get<double>(), 2.0 * 3200.0 * std::tan(theta), 1e-6);
  EXPECT_NEAR(json["focus_travel"]["back_focus_per_spacing"].get<double>(), 3.2 * 3.2 + 1.0, 1e-9);
  // p = 1254 / 4.2, d = 1000 - p, y2 = p 400 / 2000 + d theta (the report's secondary).
  const double p = 1254.0 / 4.2, d = 1000.0 - p, h = 3200.0 * std::tan(theta);
  const double y2 = p * 0.2 + d * 0.75 / 57.29577951 / 2.0;
  EXPECT_NEAR(json["hole_diameter"].get<double>(), 2.0 * (h + (y2 - h) * 254.0 / (d + 254.0)), 0.5);
  const double linear = json["obstruction"]["linear"].get<double>();
  EXPECT_NEAR(linear, json["secondary_baffle"]["diameter"].get<double>() / 400.0, 1e-12);
  EXPECT_NEAR(json["obstruction"]["area"].get<double>(), linear * linear, 1e-12);
  const double zs = json["secondary_baffle"]["z"].get<double>();
  const double zp = json["primary_baffle"]["z"].get<double>();
  EXPECT_GT(zs, zp);
  EXPECT_LT(zs, d);
  EXPECT_GT(zp, 0.0);
  EXPECT_GT(json["checks"]["field_rays"].get<int>(), 1000);
  EXPECT_EQ(json["checks"]["field_rays_blocked"].get<int>(), 0);
  EXPECT_GT(json["checks"]["sky_lines"].get<int>(), 500);
  EXPECT_EQ(json["checks"]["sky_lines_reaching_image"].get<int>(), 0);
}

// The two numbers of a table row: the exact trace's and the first order's.
std::vector<double> RowNumbers(const std::string& table, const std::string& label) {
  std::vector<double> numbers;
  const size_t row = table.find(label);
  if (row == std::string::npos) return numbers;
  std::istringstream line(table.substr(row + label.size(), table.find('\n', row) - row - label.size()));
  std::string word;
  while (line >> word) {
    if (word != "mm") numbers.push_back(std::stod(word));
  }
  return numbers;
}

// The f/12 layout from the options: the worked example's first-order optimum (skirt 89.6 mm
// ending 65.7 mm below the secondary, tube 52.2 mm with its mouth 270 mm in front of
// the primary) in the first-order column, the exact trace's a little larger.
TEST(CliBaffles, TableOfTheWorkedExample) {
  const CliResult result =
      RunCli({"baffles", "--diameter", "250", "--primary-focal-length", "750", "--system-focal-length",
              "3000", "--back-focal-length", "200", "--field", "0.5"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out.rfind("Baffles and central hole of the Ritchey-Chr\xC3\xA9tien\n", 0), 0u);
  const std::vector<double> skirt = RowNumbers(result.out, "Secondary baffle diameter");
  const std::vector<double> skirtEnd = RowNumbers(result.out, "its open end below the secondary");
  const std::vector<double> tube = RowNumbers(result.out, "Primary baffle diameter");
  const std::vector<double> mouth = RowNumbers(result.out, "its mouth in front of the primary");
  for (const std::vector<double>* row : {&skirt, &skirtEnd, &tube, &mouth}) ASSERT_EQ(row->size(), 2u);
  EXPECT_NEAR(skirt[1], 89.6, 0.1);
  EXPECT_NEAR(skirtEnd[1], 65.7, 0.1);
  EXPECT_NEAR(tube[1], 52.2, 0.1);
  EXPECT_NEAR(mouth[1], 270.0, 0.5);
  EXPECT_GT(skirt[0], skirt[1]);
  EXPECT_LT(skirt[0], skirt[1] + 3.0);
  EXPECT_GT(tube[0], tube[1]);
  EXPECT_LT(tube[0], tube[1] + 3.0);

  const CliResult inch = RunCli({"baffles", "--json", "--unit", "inch", "--diameter", "10",
                                 "--primary-focal-length", "30", "--system-focal-length", "100",
                                 "--back-focal-length", "8", "--field", "0.5"});
  ASSERT_EQ(inch.status, 0) << inch.err;
  EXPECT_EQ(nlohmann::json::parse(inch.out)["unit"], "inch");
}

TEST(CliBaffles, PictureIsWrittenAsTheLibraryDrawsIt) {
  TempDir folder;
  const std::string path = folder.File("baffles.svg");
  const CliResult result = RunCli({"baffles", "--svg", path});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadFileBytes(path), Golden("baffles", "startup_baffles.svg"));
  // Written through a temporary file that is renamed: nothing else stays behind.
  EXPECT_EQ(folder.List(), std::vector<std::string>{"baffles.svg"});
}

TEST(CliBaffles, FailuresHaveTheirStatuses) {
  const CliResult refused = RunCli({"baffles", "--diameter", ""});
  ExpectFailure(refused, 2, "Error 1\n");

  const CliResult wide = RunCli({"baffles", "--field", "3"});
  ExpectFailure(wide, 3, "Cannot baffle this design: ");
  EXPECT_NE(wide.err.find("obstruction"), std::string::npos) << wide.err;

  const CliResult impossible = RunCli({"baffles", "--system-focal-length", "1000"});  // m = 1
  EXPECT_EQ(impossible.status, 2);
  EXPECT_EQ(impossible.err.rfind("Error 5\n", 0), 0u) << impossible.err;

  const CliResult inFront = RunCli({"baffles", "--back-focal-length", "-50"});
  EXPECT_EQ(inFront.status, 3);
  EXPECT_NE(inFront.err.find("does not lie behind the primary"), std::string::npos) << inFront.err;

  TempDir folder;
  const CliResult missing = RunCli({"baffles", folder.File("none.spekulor")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err.rfind("Error reading", 0), 0u) << missing.err;

  const CliResult unwritable = RunCli({"baffles", "--svg", "/nonexistent-folder/baffles.svg"});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.err, "Error writing\n/nonexistent-folder/baffles.svg: No such file or directory\n");

  for (const char* thickness : {"-1", "abc", "inf"}) {
    EXPECT_EQ(RunCli({"baffles", "--thickness", thickness}).status, 64) << thickness;
  }
  EXPECT_EQ(RunCli({"baffles", "--focus-clearance", "nan"}).status, 64);
  EXPECT_EQ(RunCli({"baffles", "--svg"}).status, 64);
}

}  // namespace
