#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/cli/CliRun.h"
#include "tests/common/TestFiles.h"
#ifdef SPEKULOR_HAVE_LIBXML2
#include "tests/common/SvgCheck.h"
#endif

namespace {

std::vector<std::string> KeysInOrder(const nlohmann::ordered_json& object) {
  std::vector<std::string> keys;
  for (auto it = object.begin(); it != object.end(); ++it) keys.push_back(it.key());
  return keys;
}

}  // namespace

// The documented keys in their order, and the sampling figures by hand for the start-up
// design (F 3200 mm, f/8): 6248 x 4176 pixels of 3.76 um make 23.49 x 15.70 mm, seen at
// 206.265 x 3.76 / 3200 arcsec a pixel; the Airy disk 2.44 x 0.55 x 8 um across.
TEST(CliCamera, JsonHasExactlyTheDocumentedKeys) {
  const CliResult result = RunCli({"camera", "--pixel-um", "3.76", "--sensor-px", "6248x4176", "--json"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  const nlohmann::ordered_json json = nlohmann::ordered_json::parse(result.out);
  EXPECT_EQ(KeysInOrder(json),
            (std::vector<std::string>{"unit", "focal_length", "pixel_um", "sensor_mm",
                                      "image_scale_arcsec_per_px", "field_arcmin", "diagonal_arcmin",
                                      "airy_diameter_px", "seeing_fwhm_px", "corner_field_deg",
                                      "illumination", "corner_illumination", "baffled", "corner_defocus",
                                      "critical_focus_zone", "corner_spot_rms_px", "corner_strehl",
                                      "focus_shift_per_kelvin", "kelvin_per_focus_zone"}));
  ASSERT_GE(json["illumination"].size(), 9u);
  for (const auto& point : json["illumination"]) {
    EXPECT_EQ(KeysInOrder(point), (std::vector<std::string>{"field_deg", "radius_mm", "relative"}));
  }
  EXPECT_EQ(json["unit"], "mm");
  EXPECT_NEAR(json["sensor_mm"][0].get<double>(), 6248 * 3.76e-3, 1e-9);
  EXPECT_NEAR(json["sensor_mm"][1].get<double>(), 4176 * 3.76e-3, 1e-9);
  EXPECT_NEAR(json["image_scale_arcsec_per_px"].get<double>(), 206.265 * 3.76 / 3200.0, 1e-4);
  EXPECT_NEAR(json["airy_diameter_px"].get<double>(), 2.44 * 0.55 * 8.0 / 3.76, 1e-9);
  EXPECT_NEAR(json["seeing_fwhm_px"].get<double>(), 2.0 / (206.265 * 3.76 / 3200.0), 1e-3);
  const double corner = std::hypot(6248 * 3.76e-3, 4176 * 3.76e-3) / 2.0;
  EXPECT_NEAR(json["corner_field_deg"].get<double>(), std::atan(corner / 3200.0) * 180.0 / M_PI, 1e-9);
  EXPECT_NEAR(json["illumination"].back()["radius_mm"].get<double>(), corner, 1e-9);
  EXPECT_EQ(json["illumination"].front()["relative"].get<double>(), 1.0);
  EXPECT_EQ(json["corner_illumination"], json["illumination"].back()["relative"]);
  EXPECT_EQ(json["baffled"], true);
  EXPECT_NEAR(json["critical_focus_zone"].get<double>(), 2.0 * 550e-6 * 64.0, 1e-12);
  EXPECT_TRUE(json["focus_shift_per_kelvin"].is_null());
  EXPECT_TRUE(json["kelvin_per_focus_zone"].is_null());
}

// With a tube material the thermal figures appear: (m^2 + 1) alpha d, m = 3.2, and the
// kelvin that move the focus by the zone's half width.
TEST(CliCamera, TubeMaterialGivesTheThermalFocus) {
  const CliResult result = RunCli(
      {"camera", "--pixel-um", "9", "--sensor-mm", "18x12", "--tube-material", "invar", "--json"});
  ASSERT_EQ(result.status, 0) << result.err;
  const nlohmann::json json = nlohmann::json::parse(result.out);
  const double p = 1254.0 / 4.2, d = 1000.0 - p;  // the start-up design's mirror distance
  const double shift = (3.2 * 3.2 + 1.0) * 1.2e-6 * d;
  EXPECT_NEAR(json["focus_shift_per_kelvin"].get<double>(), shift, 1e-6 * shift);
  EXPECT_NEAR(json["kelvin_per_focus_zone"].get<double>(), json["critical_focus_zone"].get<double>() / shift,
              1e-6);
}

// A design too wide in field to baffle is lit past the secondary alone, and says so.
TEST(CliCamera, UnbaffledDesignUsesTheSecondaryAlone) {
  const CliResult json = RunCli({"camera", "--field", "3", "--pixel-um", "4", "--sensor-mm", "20x20", "--json"});
  ASSERT_EQ(json.status, 0) << json.err;
  EXPECT_EQ(nlohmann::json::parse(json.out)["baffled"], false);
  const CliResult table = RunCli({"camera", "--field", "3", "--pixel-um", "4", "--sensor-mm", "20x20"});
  ASSERT_EQ(table.status, 0) << table.err;
  EXPECT_NE(table.out.find("Light stopped by the secondary alone: Cannot baffle this design: "),
            std::string::npos)
      << table.out;
  EXPECT_NE(table.out.find("field flattener"), std::string::npos);
}

TEST(CliCamera, FailuresHaveTheirStatuses) {
  ExpectFailure(RunCli({"camera", "--diameter", "", "--pixel-um", "4", "--sensor-mm", "20x20"}), 2,
                "Error 1\n");
  struct Usage {
    std::vector<std::string> args;
    const char* named;
  };
  const Usage usages[] = {
      {{"camera", "--sensor-mm", "20x20"}, "--pixel-um"},
      {{"camera", "--pixel-um", "4"}, "--sensor-px WxH or --sensor-mm WxH"},
      {{"camera", "--pixel-um", "4", "--sensor-px", "10x10", "--sensor-mm", "1x1"}, "excludes"},
      {{"camera", "--pixel-um", "4", "--sensor-px", "4000"}, "WIDTHxHEIGHT in whole pixels"},
      {{"camera", "--pixel-um", "4", "--sensor-px", "4000.5x3000"}, "WIDTHxHEIGHT in whole pixels"},
      {{"camera", "--pixel-um", "4", "--sensor-px", "0x3000"}, "from 1 to 100000 pixels"},
      {{"camera", "--pixel-um", "4", "--sensor-mm", "300x10"}, "the sensor's sides must be"},
      {{"camera", "--pixel-um", "0", "--sensor-mm", "20x20"}, "--pixel-um"},
      {{"camera", "--pixel-um", "4", "--sensor-mm", "20x20", "--seeing", "0"}, "--seeing"},
      {{"camera", "--pixel-um", "4", "--sensor-mm", "20x20", "--tube-material", "wood"}, "--tube-material"},
      {{"camera", "--pixel-um", "4", "--sensor-mm", "20x20", "--temperature-change", "500"},
       "--temperature-change"},
      {{"camera", "--pixel-um", "4", "--sensor-mm", "20x20", "--thickness", "1000"}, "thickness"},
  };
  for (const Usage& usage : usages) {
    const CliResult result = RunCli(usage.args);
    EXPECT_EQ(result.status, 64) << usage.named << ": " << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(usage.named), std::string::npos) << result.err;
  }
}

TEST(CliCamera, SvgIsWritten) {
  TempDir folder;
  const std::string path = folder.Path() + "/camera.svg";
  const CliResult result =
      RunCli({"camera", "--pixel-um", "3.76", "--sensor-mm", "36x24", "--tube-material", "carbon", "--svg", path});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out.rfind("Camera at the focus of the ", 0), 0u) << result.out;
  const std::string svg = ReadFileBytes(path);
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  for (const char* text : {"Illumination relative to the axis", "Sensor over the illuminated field",
                           "Thermal focus, carbon tube", "Corner focus"}) {
    EXPECT_NE(svg.find(text), std::string::npos) << text;
  }
#ifdef SPEKULOR_HAVE_LIBXML2
  EXPECT_TRUE(IsWellFormedSvg(svg));
#endif
  EXPECT_EQ(folder.List(), std::vector<std::string>{"camera.svg"});
  const CliResult unwritable =
      RunCli({"camera", "--pixel-um", "4", "--sensor-mm", "20x20", "--svg", "/nonexistent-folder/c.svg"});
  EXPECT_EQ(unwritable.status, 1);
}
