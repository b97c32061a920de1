#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/cli/CliRun.h"
#include "tests/cli/JsonKeys.h"
#include "tests/common/Golden.h"
#include "tests/common/TestFiles.h"

namespace {

using Json = nlohmann::ordered_json;  // keeps the keys in the order written

TEST(CliQuality, TableOfTheThreeFieldPoints) {
  const CliResult result = RunCli({"quality", "--grid", "32"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  ExpectOutputStart(result, "Image quality of the Ritchey-Chr\xC3\xA9tien, 550 nm, f/8.0");
  EXPECT_NE(result.out.find("\nBest flat focus: "), std::string::npos);
  for (const char* row : {"Strehl ratio", "80 % energy diameter, \xC2\xB5m", "MTF 0.75 (170.5/mm) T/S"}) {
    EXPECT_NE(result.out.find(std::string("\n") + row), std::string::npos) << row;
  }
}

// Exactly the documented keys, in their order, with the figures a classical
// Cassegrain's perfect axis image and the wavelength's cutoff give.
TEST(CliQuality, JsonHasTheDocumentedKeys) {
  const CliResult result = RunCli({"quality", "--json", "--type", "classical", "--focus", "paraxial",
                                   "--wavelength", "650", "--grid", "64"});
  ASSERT_EQ(result.status, 0) << result.err;
  const Json document = Json::parse(result.out);
  EXPECT_EQ(KeysInOrder(document),
            (std::vector<std::string>{"wavelength_nm", "focus", "focus_shift",
                                      "best_focus_surface_radius", "fields", "perfect"}));
  EXPECT_EQ(document["wavelength_nm"], 650.0);
  EXPECT_EQ(document["focus"], "paraxial");
  EXPECT_EQ(document["focus_shift"], 0.0);
  ASSERT_EQ(document["fields"].size(), 3u);
  const double cutoff = 1.0 / (650e-6 * 8.0);  // cycles per mm at f/8
  const double fractions[] = {0.0, 0.7, 1.0};
  for (size_t i = 0; i < 3; ++i) {
    const Json& field = document["fields"][i];
    EXPECT_EQ(KeysInOrder(field), (std::vector<std::string>{"field_fraction", "field_deg", "focus_shift",
                                                     "rms_waves", "pv_waves", "strehl",
                                                     "strehl_marechal", "ee80_diameter_um", "mtf"}));
    EXPECT_EQ(field["field_fraction"], fractions[i]);
    EXPECT_NEAR(field["field_deg"].get<double>(), 0.375 * fractions[i], 1e-9);
    ASSERT_EQ(field["mtf"].size(), 4u);
    for (const Json& point : field["mtf"]) {
      EXPECT_EQ(KeysInOrder(point), (std::vector<std::string>{"fraction_of_cutoff", "cycles_per_mm",
                                                       "tangential", "sagittal"}));
      EXPECT_NEAR(point["cycles_per_mm"].get<double>(),
                  point["fraction_of_cutoff"].get<double>() * cutoff, 1e-9);
    }
  }
  const Json& axis = document["fields"][0];
  EXPECT_GT(axis["strehl"].get<double>(), 0.999);
  EXPECT_NEAR(axis["focus_shift"].get<double>(), 0.0, 1e-3);
  EXPECT_EQ(KeysInOrder(document["perfect"]), (std::vector<std::string>{"ee80_diameter_um", "mtf"}));
  for (size_t k = 0; k < 4; ++k) {
    const Json& perfect = document["perfect"]["mtf"][k];
    EXPECT_EQ(KeysInOrder(perfect), (std::vector<std::string>{"fraction_of_cutoff", "value"}));
    EXPECT_NEAR(axis["mtf"][k]["tangential"].get<double>(), perfect["value"].get<double>(), 0.005);
  }
  EXPECT_NEAR(axis["ee80_diameter_um"].get<double>(),
              document["perfect"]["ee80_diameter_um"].get<double>(), 0.01 * 15.0);
  // The edge's own focus lies toward the curved field, the report's -340 mm.
  EXPECT_LT(document["fields"][2]["focus_shift"].get<double>(), 0.0);
  EXPECT_LT(document["best_focus_surface_radius"].get<double>(), 0.0);
}

// Shifts are in the design's unit.
TEST(CliQuality, FocusShiftsAreInTheDesignsUnit) {
  const std::vector<std::string> mm = {"quality", "--json", "--grid", "32", "--diameter", "254",
                                       "--primary-focal-length", "762", "--system-focal-length",
                                       "2540", "--back-focal-length", "203.2"};
  const std::vector<std::string> inch = {"quality", "--json", "--grid", "32", "--unit", "inch",
                                         "--diameter", "10", "--primary-focal-length", "30",
                                         "--system-focal-length", "100", "--back-focal-length", "8"};
  const CliResult a = RunCli(mm);
  const CliResult b = RunCli(inch);
  ASSERT_EQ(a.status, 0) << a.err;
  ASSERT_EQ(b.status, 0) << b.err;
  const Json ja = Json::parse(a.out);
  const Json jb = Json::parse(b.out);
  EXPECT_NEAR(jb["focus_shift"].get<double>() * 25.4 / ja["focus_shift"].get<double>(), 1.0, 1e-6);
  EXPECT_NEAR(jb["fields"][2]["ee80_diameter_um"].get<double>(),
              ja["fields"][2]["ee80_diameter_um"].get<double>(), 1e-6);
}

TEST(CliQuality, PictureIsWrittenAsTheLibraryDrawsIt) {
  TempDir folder;
  const CliResult result =
      RunCli({"quality", "--obstruction", "secondary", "--svg", folder.Path() + "/quality.svg"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadFileBytes(folder.Path() + "/quality.svg"), Golden("quality", "startup_quality.svg"));
}

TEST(CliQuality, AMisalignedSecondaryLowersTheAxisStrehlRatio) {
  const CliResult aligned = RunCli({"quality", "--type", "classical", "--grid", "48", "--json",
                                   "--focus", "paraxial"});
  const CliResult tilted = RunCli({"quality", "--type", "classical", "--grid", "48", "--json",
                                   "--focus", "paraxial", "--tilt", "0.2"});
  ASSERT_EQ(aligned.status, 0) << aligned.err;
  ASSERT_EQ(tilted.status, 0) << tilted.err;
  const auto axisStrehl = [](const std::string& json) {
    const size_t at = json.find("\"strehl\":");
    return at == std::string::npos ? -1.0 : std::stod(json.substr(at + 9));
  };
  EXPECT_GT(axisStrehl(aligned.out), 0.9);
  EXPECT_LT(axisStrehl(tilted.out), axisStrehl(aligned.out) - 0.05);
  EXPECT_EQ(RunCli({"quality", "--tilt", "60"}).status, 3);  // beyond what the trace takes
}

TEST(CliQuality, FailuresHaveTheirStatuses) {
  const CliResult refused = RunCli({"quality", "--diameter", ""});
  ExpectFailure(refused, 2, "Error 1\n");

  const CliResult coarse = RunCli({"quality", "--type", "pressmann-camichel", "--grid", "32"});
  ExpectFailure(coarse, 3, "Cannot analyse the image quality: at ");

  const CliResult unwritable =
      RunCli({"quality", "--grid", "32", "--svg", "/nonexistent-folder/quality.svg"});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.err, "Error writing\n/nonexistent-folder/quality.svg: No such file or directory\n");

  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"quality", "--grid", "8"}, {"quality", "--grid", "1024"},
        {"quality", "--grid", "abc"}, {"quality", "--wavelength", "50"},
        {"quality", "--wavelength", "green"}, {"quality", "--focus", "middle"}}) {
    EXPECT_EQ(RunCli(args).status, 64) << args[1] << " " << args[2];
  }
}

}  // namespace
