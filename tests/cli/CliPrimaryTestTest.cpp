#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/cli/CliRun.h"
#include "tests/cli/JsonKeys.h"
#include "tests/common/Golden.h"
#include "tests/common/TestFiles.h"

namespace {

using Json = nlohmann::ordered_json;

// The start-up design (400 mm, f1 = 1000 mm) with the source moving: R = 2 f1, eight
// zones of equal area from the report's secondary (p = 1254 / 4.2, y2 = 0.2 p + d theta
// with d = 1000 - p and theta half the 0.75 degree field) to the rim, each reading -K z at the mean
// of the zone's edges.
TEST(CliPrimaryTest, JsonHasExactlyTheDocumentedKeys) {
  const CliResult result = RunCli({"primary-test", "--json"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  const Json json = Json::parse(result.out);
  EXPECT_EQ(KeysInOrder(json),
            (std::vector<std::string>{"unit", "radius_of_curvature", "conic", "diameter", "source",
                                      "zone_radius", "zones", "ronchi"}));
  EXPECT_EQ(json["unit"], "mm");
  EXPECT_EQ(json["radius_of_curvature"], 2000.0);
  EXPECT_EQ(json["diameter"], 400.0);
  EXPECT_EQ(json["source"], "moving");
  EXPECT_EQ(json["zone_radius"], "mean");
  const double conic = json["conic"].get<double>();
  EXPECT_LT(conic, -1.0);  // a Ritchey-Chretien's hyperboloid

  const double p = 1254.0 / 4.2, d = 1000.0 - p;
  const double shadow = 0.2 * p + d * 0.375 * M_PI / 180.0;
  ASSERT_EQ(json["zones"].size(), 8u);
  for (size_t i = 0; i < 8; ++i) {
    const Json& zone = json["zones"][i];
    EXPECT_EQ(KeysInOrder(zone), (std::vector<std::string>{"inner", "outer", "radius", "reading",
                                                    "reading_from_first"}));
    const double outer = std::sqrt(shadow * shadow + (200.0 * 200.0 - shadow * shadow) *
                                                         static_cast<double>(i + 1) / 8.0);
    EXPECT_NEAR(zone["outer"].get<double>(), outer, 0.01) << i;
    const double h = zone["radius"].get<double>();
    EXPECT_DOUBLE_EQ(h, (zone["inner"].get<double>() + zone["outer"].get<double>()) / 2.0);
    const double z = h * h / (2000.0 + std::sqrt(2000.0 * 2000.0 - (1.0 + conic) * h * h));
    EXPECT_NEAR(zone["reading"].get<double>(), -conic * z, 1e-12);
    EXPECT_NEAR(zone["reading_from_first"].get<double>(),
                zone["reading"].get<double>() - json["zones"][0]["reading"].get<double>(), 1e-12);
  }
  EXPECT_NEAR(json["zones"][0]["inner"].get<double>(), shadow, 0.01);

  // Two Ronchigrams, 2 R / (nu D) inside and outside.
  ASSERT_EQ(json["ronchi"].size(), 2u);
  const double offset = 2.0 * 2000.0 / (100.0 / 25.4 * 400.0);
  for (size_t k = 0; k < 2; ++k) {
    const Json& gram = json["ronchi"][k];
    EXPECT_EQ(KeysInOrder(gram), (std::vector<std::string>{"offset", "lines_per_inch", "band_edges"}));
    EXPECT_NEAR(gram["offset"].get<double>(), k == 0 ? -offset : offset, 1e-9);
    EXPECT_EQ(gram["lines_per_inch"], 100.0);
    EXPECT_GE(gram["band_edges"].size(), 5u);
  }
}

TEST(CliPrimaryTest, ReductionKeysAndFigures) {
  // Readings of the start-up primary, measured with a fixed source on a scale whose zero
  // is 10 mm off: no error, and the design's own conic.
  const Json plain =
      Json::parse(RunCli({"primary-test", "--json", "--zones", "4", "--source", "fixed"}).out);
  std::string readings;
  for (const Json& zone : plain["zones"]) {
    readings +=
        (readings.empty() ? "" : ",") + std::to_string(zone["reading"].get<double>() + 10.0);
  }
  const CliResult result =
      RunCli({"primary-test", "--json", "--zones", "4", "--source", "fixed", "--readings", readings,
              "--grating-offset", "-5", "--grating-offset", "2.5", "--grating-lpi", "133"});
  ASSERT_EQ(result.status, 0) << result.err;
  const Json json = Json::parse(result.out);
  EXPECT_EQ(KeysInOrder(json).back(), "reduction");
  const Json& reduction = json["reduction"];
  EXPECT_EQ(KeysInOrder(reduction),
            (std::vector<std::string>{"measured", "surface_error_nm", "wavefront_rms_waves",
                                      "wavefront_pv_waves", "strehl", "best_fit_conic",
                                      "conic_difference"}));
  EXPECT_EQ(reduction["measured"].size(), 4u);
  EXPECT_EQ(reduction["surface_error_nm"].size(), 4u);
  // std::to_string keeps six decimals: the wavefront errs by less than a micrometre's
  // worth of readings.
  EXPECT_LT(reduction["wavefront_rms_waves"].get<double>(), 0.01);
  EXPECT_GT(reduction["strehl"].get<double>(), 0.99);
  EXPECT_NEAR(reduction["best_fit_conic"].get<double>(), plain["conic"].get<double>(), 1e-3);
  EXPECT_NEAR(reduction["conic_difference"].get<double>(), 0.0, 1e-3);
  ASSERT_EQ(json["ronchi"].size(), 2u);
  EXPECT_EQ(json["ronchi"][0]["offset"], -5.0);
  EXPECT_EQ(json["ronchi"][1]["offset"], 2.5);
  EXPECT_EQ(json["ronchi"][1]["lines_per_inch"], 133.0);
}

TEST(CliPrimaryTest, TableOfTheStartUpDesign) {
  const CliResult result = RunCli({"primary-test", "--zones", "5", "--readings",
                                   "1.95,3.96,5.93,7.89,9.85", "--roc", "2001.5"});
  ASSERT_EQ(result.status, 0) << result.err;
  ExpectGolden("cli", "primary_test_startup.txt", result.out);

  const CliResult inch =
      RunCli({"primary-test", "--unit", "inch", "--diameter", "6", "--primary-focal-length", "48",
              "--system-focal-length", "180", "--back-focal-length", "6"});
  ASSERT_EQ(inch.status, 0) << inch.err;
  EXPECT_NE(inch.out.find("Radius of curvature 96.000 inch"), std::string::npos) << inch.out;
}

TEST(CliPrimaryTest, PicturesAreWritten) {
  TempDir folder;
  const std::string mask = folder.File("mask.svg");
  const std::string ronchi = folder.File("ronchi.svg");
  const CliResult result = RunCli({"primary-test", "--mask", mask, "--ronchi", ronchi});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string maskSvg = ReadFileBytes(mask);
  EXPECT_NE(maskSvg.find("width=\""), std::string::npos);
  EXPECT_NE(maskSvg.find("mm\" height=\""), std::string::npos);
  EXPECT_NE(ReadFileBytes(ronchi).find("<svg"), std::string::npos);

  const CliResult unwritable = RunCli({"primary-test", "--mask", "/nonexistent-folder/mask.svg"});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.err,
            "Error writing\n/nonexistent-folder/mask.svg: No such file or directory\n");
}

TEST(CliPrimaryTest, FailuresHaveTheirStatuses) {
  const CliResult refused = RunCli({"primary-test", "--diameter", ""});
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.err.rfind("Error 1\n", 0), 0u) << refused.err;
  EXPECT_EQ(refused.out, "");
  const CliResult impossible = RunCli({"primary-test", "--system-focal-length", "1000"});
  EXPECT_EQ(impossible.status, 2);

  // A measured radius that leaves the Dall-Kirkham's ellipsoid short of the rim.
  const CliResult shortRadius = RunCli({"primary-test", "--type", "dall-kirkham", "--roc", "100"});
  EXPECT_EQ(shortRadius.status, 3);
  EXPECT_EQ(shortRadius.err.rfind("Cannot test this primary: ", 0), 0u) << shortRadius.err;

  const CliResult count = RunCli({"primary-test", "--readings", "1,2,3"});
  EXPECT_EQ(count.status, 64);
  EXPECT_EQ(count.err,
            "spekulor-cli: 3 readings given for 8 zones: give one reading a zone\n"
            "Run with --help for more information.\n");
  EXPECT_EQ(count.out, "");
  const CliResult word = RunCli({"primary-test", "--zones", "3", "--readings", "1,x2,3"});
  EXPECT_EQ(word.status, 64);
  EXPECT_EQ(word.err.rfind("spekulor-cli: --readings: 'x2' is not a decimal number\n", 0), 0u)
      << word.err;
  const CliResult edges = RunCli({"primary-test", "--zone-edges", "20,90,60,200"});
  EXPECT_EQ(edges.status, 64);
  EXPECT_NE(edges.err.find("zone edge 3 is not larger"), std::string::npos) << edges.err;
  EXPECT_EQ(RunCli({"primary-test", "--zone-edges", "20,,200"}).status, 64);
  EXPECT_EQ(RunCli({"primary-test", "--zone-edges", "20,90,250"}).status, 64);
  EXPECT_EQ(RunCli({"primary-test", "--zones", "3", "--zone-edges", "20,90,200"}).status, 64);
  for (const char* zones : {"1", "21", "abc"})
    EXPECT_EQ(RunCli({"primary-test", "--zones", zones}).status, 64);
  EXPECT_EQ(RunCli({"primary-test", "--source", "sideways"}).status, 64);
  EXPECT_EQ(RunCli({"primary-test", "--roc", "0"}).status, 64);
  EXPECT_EQ(RunCli({"primary-test", "--grating-lpi", "nan"}).status, 64);
  EXPECT_EQ(RunCli({"primary-test", "--grating-offset", "0"}).status, 64);
  EXPECT_EQ(RunCli({"primary-test", "--mask"}).status, 64);
  // Readings too far apart for a finite surface: a usage error, never "nan" as a result.
  const CliResult apart =
      RunCli({"primary-test", "--zones", "3", "--readings", "1e308,-1e308,1", "--json"});
  EXPECT_EQ(apart.status, 64);
  EXPECT_NE(apart.err.find("not a finite number"), std::string::npos) << apart.err;
  EXPECT_EQ(apart.out, "");
}

}  // namespace
