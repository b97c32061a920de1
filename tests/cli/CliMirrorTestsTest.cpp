// spekulor-cli secondary-test and refit: the documented JSON keys, the figures against the
// geometry they must obey, the secondaries with no Hindle test, and the usage errors.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "calc/Calculate.h"
#include "tests/cli/CliRun.h"
#include "drawing/Drawing.h"

using namespace spekulor::calc;
using namespace spekulor::drawing;

namespace {

std::vector<std::string> KeysOf(const nlohmann::ordered_json& object) {
  std::vector<std::string> keys;
  for (auto it = object.begin(); it != object.end(); ++it) keys.push_back(it.key());
  return keys;
}

TEST(CliSecondaryTest, JsonHasTheDocumentedKeysAndTheSpheresGeometry) {
  const CliResult result = RunCli({"secondary-test", "--sphere-radius", "700", "--json"});
  ASSERT_EQ(result.status, 0) << result.err;
  const nlohmann::ordered_json json = nlohmann::ordered_json::parse(result.out);
  const std::vector<std::string> expected = {
      "unit", "secondary_roc", "secondary_conic", "tested_diameter", "near_focus", "far_focus",
      "sphere_radius", "sphere_diameter", "sphere_to_secondary", "hole_diameter",
      "untested_diameter", "unused_centre_diameter", "null_rms_waves", "conic_error",
      "test_rms_waves", "telescope_rms_waves"};
  EXPECT_EQ(KeysOf(json), expected);
  // The conic's foci: B = R2 / (1 + e), A = R2 / (e - 1); the sphere centred on B.
  const double R2 = json["secondary_roc"], e = std::sqrt(-json["secondary_conic"].get<double>());
  EXPECT_NEAR(json["near_focus"].get<double>(), R2 / (1.0 + e), 1e-9 * R2);
  EXPECT_NEAR(json["far_focus"].get<double>(), R2 / (e - 1.0), 1e-9 * R2);
  EXPECT_DOUBLE_EQ(json["sphere_radius"].get<double>(), 700.0);
  EXPECT_NEAR(json["sphere_to_secondary"].get<double>(),
              700.0 - json["near_focus"].get<double>(), 1e-9);
  EXPECT_LT(json["null_rms_waves"].get<double>(), 0.001);
  EXPECT_EQ(json["test_rms_waves"], json["null_rms_waves"]);
}

TEST(CliSecondaryTest, AConicErrorReadsMoreInTheTestThanInTheTelescope) {
  const CliResult result = RunCli({"secondary-test", "--conic-error", "0.1", "--json"});
  ASSERT_EQ(result.status, 0) << result.err;
  const nlohmann::json json = nlohmann::json::parse(result.out);
  EXPECT_GT(json["test_rms_waves"].get<double>(), 2.0 * json["telescope_rms_waves"].get<double>());
  const CliResult table = RunCli({"secondary-test", "--conic-error", "0.1"});
  ASSERT_EQ(table.status, 0);
  EXPECT_NE(table.out.find("several times the telescope's error"), std::string::npos);
}

// A Dall-Kirkham's sphere and a Pressmann-Camichel's oblate ellipsoid have no Hindle
// test: exit status 3 with how they are tested instead.
TEST(CliSecondaryTest, SecondariesThatAreNoHyperboloidSayHowToTestThem) {
  for (const char* type : {"dall-kirkham", "pressmann-camichel"}) {
    const CliResult result = RunCli({"secondary-test", "--type", type});
    EXPECT_EQ(result.status, 3) << type;
    EXPECT_NE(result.err.find("test plate"), std::string::npos) << result.err;
    EXPECT_TRUE(result.out.empty());
  }
}

TEST(CliSecondaryTest, ASphereOutsideTheTestsRangeIsAUsageError) {
  for (const char* radius : {"100", "5000"}) {
    const CliResult result = RunCli({"secondary-test", "--sphere-radius", radius});
    EXPECT_EQ(result.status, 64) << radius;
    EXPECT_NE(result.err.find("--sphere-radius"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("for this design"), std::string::npos) << result.err;
  }
}

DesignResult StartupDesign() { return CompleteDesign(DesignFields{}).design; }

TEST(CliRefit, TheDesignsOwnPrimaryGivesTheDesignBack) {
  const DesignResult design = StartupDesign();
  const CliResult result =
      RunCli({"refit", "--measured-primary-roc", FormatShortest(design.PriRadCur),
              "--measured-primary-cc", FormatShortest(design.PriConic), "--json"});
  ASSERT_EQ(result.status, 0) << result.err;
  const nlohmann::ordered_json json = nlohmann::ordered_json::parse(result.out);
  EXPECT_EQ(KeysOf(json), (std::vector<std::string>{"unit", "spacing", "system_focal_length",
                                            "back_focal_length", "secondary_roc",
                                            "secondary_conic", "axis_rms_waves",
                                            "edge_rms_waves", "design_edge_rms_waves"}));
  EXPECT_NEAR(json["spacing"].get<double>(), design.PriSecDist, 1e-4 * design.PriSecDist);
  EXPECT_NEAR(json["secondary_roc"].get<double>(), design.SecRadCur, 1e-4 * design.SecRadCur);
  EXPECT_NEAR(json["system_focal_length"].get<double>(), design.SysFoc, 1e-4 * design.SysFoc);
  EXPECT_LT(json["axis_rms_waves"].get<double>(), 0.01);
}

TEST(CliRefit, KeepsWhatItIsAskedToKeep) {
  const DesignResult design = StartupDesign();
  for (const char* keep : {"back-focus", "focal-length"}) {
    const CliResult result =
        RunCli({"refit", "--measured-primary-roc", "2030", "--measured-primary-cc", "-1.03",
                "--measured-secondary-roc", FormatShortest(design.SecRadCur), "--keep", keep,
                "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const nlohmann::json json = nlohmann::json::parse(result.out);
    const bool back = std::string(keep) == "back-focus";
    const double kept = json[back ? "back_focal_length" : "system_focal_length"];
    const double designed = back ? design.BackFocLen : design.SysFoc;
    EXPECT_NEAR(kept, designed, 1e-6 * designed) << keep;
    EXPECT_NEAR(json["secondary_roc"].get<double>(), design.SecRadCur, 1e-9 * design.SecRadCur);
    EXPECT_LT(json["axis_rms_waves"].get<double>(), 0.01) << keep;
  }
}

TEST(CliRefit, MeasuredFiguresAreRequiredAndChecked) {
  EXPECT_EQ(RunCli({"refit", "--measured-primary-cc", "-1"}).status, 64);
  EXPECT_EQ(RunCli({"refit", "--measured-primary-roc", "2000"}).status, 64);
  EXPECT_EQ(RunCli({"refit", "--measured-primary-roc", "-5", "--measured-primary-cc", "-1"}).status,
            64);
  EXPECT_EQ(RunCli({"refit", "--measured-primary-roc", "2000", "--measured-primary-cc", "-1",
                    "--keep", "both"})
                .status,
            64);
  // A secondary too flat for any place to give the focal length.
  const CliResult none =
      RunCli({"refit", "--measured-primary-roc", "2000", "--measured-primary-cc", "-1",
              "--measured-secondary-roc", "1e8", "--keep", "focal-length"});
  EXPECT_EQ(none.status, 3);
  EXPECT_NE(none.err.find("No place of the secondary"), std::string::npos) << none.err;
}

}  // namespace
