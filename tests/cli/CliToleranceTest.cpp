#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/cli/CliRun.h"
#include "tests/common/Golden.h"
#include "tests/common/TestFiles.h"

namespace {

const std::vector<std::string> kExample = {"--diameter", "250", "--primary-focal-length", "750",
                                           "--system-focal-length", "3000",
                                           "--back-focal-length", "200"};

std::vector<std::string> Args(std::vector<std::string> head, const std::vector<std::string>& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

// The JSON has exactly the documented keys; the example's figures are the published
// third-order ones (decenter coma 108.5 nm per 0.1 mm, despace spherical 90.4 nm per mm,
// back focus m^2 + 1 = 17 per unit, image shift about 1 - m = -3) and the coma-free pivot
// of a classical Cassegrain is its prime focus, p = 190 mm from the secondary.
TEST(CliTolerances, JsonHasTheKeysAndTheFigures) {
  const CliResult result =
      RunCli(Args({"tolerances", "--json", "--type", "classical"}, kExample));
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  ASSERT_EQ(result.out.back(), '\n');
  const nlohmann::json json = nlohmann::json::parse(result.out);
  std::vector<std::string> keys;
  for (const auto& item : json.items()) keys.push_back(item.key());
  EXPECT_EQ(keys, (std::vector<std::string>{"budget_waves_rms", "coma_free_pivot", "decenter",
                                            "despace", "tilt"}));
  auto keysOf = [](const nlohmann::json& object) {
    std::vector<std::string> names;
    for (const auto& item : object.items()) names.push_back(item.key());
    return names;
  };
  EXPECT_EQ(keysOf(json["despace"]),
            (std::vector<std::string>{"back_focus_per_unit", "tolerance", "w040_nm_per_unit"}));
  EXPECT_EQ(keysOf(json["decenter"]), (std::vector<std::string>{"image_shift_per_unit",
                                                                "tolerance", "w131_nm_per_unit"}));
  EXPECT_EQ(keysOf(json["tilt"]),
            (std::vector<std::string>{"tolerance_deg", "w131_nm_per_degree"}));

  EXPECT_EQ(json["budget_waves_rms"].get<double>(), 0.05);
  EXPECT_NEAR(json["coma_free_pivot"].get<double>(), 190.0, 0.5);
  EXPECT_NEAR(json["despace"]["back_focus_per_unit"].get<double>(), 17.0, 0.02);
  EXPECT_NEAR(std::fabs(json["despace"]["w040_nm_per_unit"].get<double>()), 90.4, 0.02 * 90.4);
  EXPECT_NEAR(std::fabs(json["decenter"]["w131_nm_per_unit"].get<double>()) * 0.1, 108.5,
              0.02 * 108.5);
  EXPECT_NEAR(json["decenter"]["image_shift_per_unit"].get<double>(), -3.0, 0.05);
  for (const char* kind : {"despace", "decenter"}) {
    EXPECT_GT(json[kind]["tolerance"].get<double>(), 0.0) << kind;
  }
  EXPECT_GT(json["tilt"]["tolerance_deg"].get<double>(), 0.0);
}

// A looser budget gives looser tolerances: coma grows in proportion to the decenter.
TEST(CliTolerances, BudgetWidensTheTolerances) {
  const CliResult tight = RunCli(Args({"tolerances", "--json"}, kExample));
  const CliResult loose = RunCli(Args({"tolerances", "--json", "--budget-waves", "0.1"}, kExample));
  ASSERT_EQ(tight.status, 0) << tight.err;
  ASSERT_EQ(loose.status, 0) << loose.err;
  const nlohmann::json a = nlohmann::json::parse(tight.out);
  const nlohmann::json b = nlohmann::json::parse(loose.out);
  EXPECT_EQ(b["budget_waves_rms"].get<double>(), 0.1);
  EXPECT_NEAR(b["decenter"]["tolerance"].get<double>() / a["decenter"]["tolerance"].get<double>(),
              2.0, 0.04);
}

TEST(CliTolerances, TableNamesTheDesignAndTheThreeKinds) {
  const CliResult result = RunCli(Args({"tolerances", "--type", "dall-kirkham"}, kExample));
  ASSERT_EQ(result.status, 0) << result.err;
  ExpectOutputStart(result, "Collimation tolerances of the Dall-Kirkham's secondary, axis image "
                            "at 550 nm\n");
  for (const char* row : {"\nDespace ", "\nDecenter ", "\nTilt ", "\nComa-free pivot: 506.6"}) {
    EXPECT_NE(result.out.find(row), std::string::npos) << row;
  }
  EXPECT_NE(result.out.find("\xC2\xB1"), std::string::npos);  // the tolerances' sign, in UTF-8
}

TEST(CliTolerances, StartsFromADesignFileAndFailsWithTheCommonStatuses) {
  TempDir folder;
  const std::string design = folder.Path() + "/design.spekulor";
  ASSERT_EQ(RunCli(Args({"save", design, "--type", "classical"}, kExample)).status, 0);
  const CliResult fromFile = RunCli({"tolerances", design, "--json"});
  ASSERT_EQ(fromFile.status, 0) << fromFile.err;
  EXPECT_NEAR(nlohmann::json::parse(fromFile.out)["coma_free_pivot"].get<double>(), 190.0, 0.5);

  EXPECT_EQ(RunCli({"tolerances", "--diameter", ""}).status, 2);
  for (const char* budget : {"0", "-0.1", "2", "x"}) {
    EXPECT_EQ(RunCli({"tolerances", "--budget-waves", budget}).status, 64) << budget;
  }
  const CliResult missing = RunCli({"tolerances", folder.Path() + "/none.spekulor"});
  EXPECT_EQ(missing.status, 1);
}

// A design whose aligned axis image the quality analysis refuses is refused here too,
// with status 3, the reason and nothing on the standard output.
TEST(CliTolerances, RefusesWhatQualityRefusesOnTheAxis) {
  const std::vector<std::string> steep = {"--type", "stigmatic", "--primary-cc", "3"};
  EXPECT_EQ(RunCli(Args({"quality"}, steep)).status, 3);
  for (bool json : {false, true}) {
    std::vector<std::string> args = Args({"tolerances"}, steep);
    if (json) args.push_back("--json");
    const CliResult result = RunCli(args);
    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("Cannot analyse the collimation: on the axis the wavefront changes "
                               "by ",
                               0),
              0u)
        << result.err;
    EXPECT_EQ(result.err.back(), '\n');
  }
}

// The least budget the option takes gives finite tolerances, smaller than the default's.
TEST(CliTolerances, TheLeastBudgetGivesFiniteTolerances) {
  const CliResult least =
      RunCli(Args({"tolerances", "--json", "--budget-waves", "1e-6"}, kExample));
  const CliResult usual = RunCli(Args({"tolerances", "--json"}, kExample));
  ASSERT_EQ(least.status, 0) << least.err;
  ASSERT_EQ(usual.status, 0) << usual.err;
  const nlohmann::json a = nlohmann::json::parse(least.out);
  const nlohmann::json b = nlohmann::json::parse(usual.out);
  for (const auto& [kind, key] : {std::pair<const char*, const char*>{"despace", "tolerance"},
                                  {"decenter", "tolerance"},
                                  {"tilt", "tolerance_deg"}}) {
    ASSERT_TRUE(a[kind][key].is_number()) << kind << " " << least.out;
    EXPECT_GT(a[kind][key].get<double>(), 0.0) << kind;
    EXPECT_LT(a[kind][key].get<double>(), 1e-3 * b[kind][key].get<double>()) << kind;
  }
}

// --images writes the Collimation page's axis images as the library draws them.
TEST(CliTolerances, ImagesAreWrittenAsTheLibraryDrawsThem) {
  TempDir folder;
  const CliResult result =
      RunCli({"tolerances", "--obstruction", "secondary", "--images", folder.File("axis.svg")});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out.rfind("Collimation tolerances of the Ritchey-Chr\xC3\xA9tien's", 0), 0u);
  EXPECT_EQ(ReadFileBytes(folder.File("axis.svg")),
            Golden("collimation", "startup_collimation_images.svg"));
  const CliResult unwritable = RunCli({"tolerances", "--images", "/nonexistent-folder/axis.svg"});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.err, "Error writing\n/nonexistent-folder/axis.svg: No such file or directory\n");
}

}  // namespace
