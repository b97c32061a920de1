// quality and tolerances with the skirt baffle's obstruction and a spider: the perfect
// aperture against O'Neill's closed form for the baffles' obstruction, the spider's
// figures against the geometry of its vanes, the options' checks, and the pictures as
// the libraries draw them.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "baffles/BafflePlan.h"
#include "calc/Calculate.h"
#include "collimation/CollimationPictures.h"
#include "drawing/SvgWriter.h"
#include "quality/QualityPictures.h"
#include "tests/cli/CliRun.h"
#include "tests/cli/JsonKeys.h"
#include "tests/common/Golden.h"
#include "tests/common/TestFiles.h"

using namespace spekulor::calc;
using namespace spekulor::quality;

namespace {

using Json = nlohmann::ordered_json;
constexpr double kPi = 3.14159265358979323846;

Json RunJson(const std::vector<std::string>& args) {
  const CliResult result = RunCli(args);
  EXPECT_EQ(result.status, 0) << result.err;
  return result.status == 0 ? Json::parse(result.out) : Json();
}

// The MTF of an annulus with obstruction ratio e at the fraction v of the cutoff:
// O'Neill, "Transfer function for an annular aperture", JOSA 46 (1956) 285, as
// Schroeder, "Astronomical Optics", 2nd ed., sec. 10.3 writes it.
double ONeillMtf(double v, double e) {
  if (v >= 1.0) return 0.0;
  const double a = 2.0 / kPi * (std::acos(v) - v * std::sqrt(1.0 - v * v));
  double b = 0.0;
  if (v <= e) {
    const double w = v / e;
    b = 2.0 * e * e / kPi * (std::acos(w) - w * std::sqrt(1.0 - w * w));
  }
  double c = 0.0;
  if (v <= (1.0 - e) / 2.0) {
    c = -2.0 * e * e;
  } else if (v < (1.0 + e) / 2.0) {
    const double chi = std::acos((1.0 + e * e - 4.0 * v * v) / (2.0 * e));
    c = -2.0 * e * e + 2.0 * e / kPi * std::sin(chi) + (1.0 + e * e) / kPi * chi -
        2.0 * (1.0 - e * e) / kPi * std::atan((1.0 + e) / (1.0 - e) * std::tan(chi / 2.0));
  }
  return (a + b + c) / (1.0 - e * e);
}

// The vanes' share of the annulus between e D / 2 and D / 2: each a half-strip of half
// width h from the centre, its area inside a circle of radius rho
// h sqrt(rho^2 - h^2) + rho^2 asin(h / rho).
double VaneFraction(int vanes, double width, double e, double diameter) {
  const double h = width / 2.0;
  auto inCircle = [h](double rho) { return h * std::sqrt(rho * rho - h * h) + rho * rho * std::asin(h / rho); };
  const double outer = diameter / 2.0;
  const double inner = e * outer;
  return vanes * (inCircle(outer) - inCircle(inner)) / (kPi * (outer * outer - inner * inner));
}

// The classical Cassegrain's axis image is perfect: with the skirt baffle's obstruction
// (the default, for a design that can be baffled) both the perfect aperture's MTF and
// the traced axis image's follow O'Neill's for the baffles' obstruction, not the
// secondary's.
TEST(CliPupilStops, PerfectMtfWithTheBafflesObstructionIsONeills) {
  const Json baffles = RunJson({"baffles", "--json", "--type", "classical"});
  const double e = baffles["obstruction"]["linear"].get<double>();
  ASSERT_GT(e, 0.35);  // the skirt, wider than the 32 % secondary
  for (const char* obstruction : {"", "baffles"}) {
    std::vector<std::string> args = {"quality", "--json", "--type", "classical", "--focus",
                                     "paraxial", "--grid", "64"};
    if (*obstruction) args.insert(args.end(), {"--obstruction", obstruction});
    const Json quality = RunJson(args);
    for (size_t k = 0; k < 4; ++k) {
      const double v = quality["perfect"]["mtf"][k]["fraction_of_cutoff"].get<double>();
      EXPECT_NEAR(quality["perfect"]["mtf"][k]["value"].get<double>(), ONeillMtf(v, e), 1e-9) << v;
      const Json& axis = quality["fields"][0]["mtf"][k];
      EXPECT_NEAR(axis["tangential"].get<double>(), ONeillMtf(v, e), 0.005) << v;
      EXPECT_NEAR(axis["sagittal"].get<double>(), ONeillMtf(v, e), 0.005) << v;
    }
  }
  // The secondary alone obstructs less: at a quarter of the cutoff the MTF is higher.
  const Json secondary = RunJson({"quality", "--json", "--type", "classical", "--focus", "paraxial",
                                  "--grid", "64", "--obstruction", "secondary"});
  EXPECT_GT(secondary["perfect"]["mtf"][1]["value"].get<double>(), ONeillMtf(0.25, e) + 0.02);
}

// Four vanes 1 % of the 400 mm diameter wide: the JSON's spider block, last, with the
// area against the strips' geometry over the baffles' obstruction and the peak
// against (1 - a)^2; tolerances give the same block.
TEST(CliPupilStops, SpiderFiguresMatchTheVanesGeometry) {
  const double e = RunJson({"baffles", "--json"})["obstruction"]["linear"].get<double>();
  const double a = VaneFraction(4, 4.0, e, 400.0);
  const std::vector<std::string> spider = {"--spider-vanes", "4", "--spider-width", "4",
                                           "--spider-angle", "45"};
  std::vector<std::string> quality = {"quality", "--json"};  // the default grid of 128
  quality.insert(quality.end(), spider.begin(), spider.end());
  const Json document = RunJson(quality);
  EXPECT_EQ(KeysInOrder(document).back(), "spider");
  const Json& block = document["spider"];
  EXPECT_EQ(KeysInOrder(block), (std::vector<std::string>{"vanes", "width", "area_fraction", "peak_ratio"}));
  EXPECT_EQ(block["vanes"], 4);
  EXPECT_EQ(block["width"], 4.0);
  EXPECT_NEAR(block["area_fraction"].get<double>() / a, 1.0, 0.005);
  EXPECT_NEAR(block["peak_ratio"].get<double>() / ((1.0 - a) * (1.0 - a)), 1.0, 0.005);
  // The vanes take a little light into the spikes: the axis' Strehl ratio, relative to
  // the same pupil, hardly moves; the MTF at mid frequencies drops a little.
  const Json clear = RunJson({"quality", "--json"});
  EXPECT_NEAR(document["fields"][0]["strehl"].get<double>(), clear["fields"][0]["strehl"].get<double>(), 0.01);
  EXPECT_LT(document["fields"][0]["mtf"][1]["tangential"].get<double>(),
            clear["fields"][0]["mtf"][1]["tangential"].get<double>());

  std::vector<std::string> tolerances = {"tolerances", "--json"};
  tolerances.insert(tolerances.end(), spider.begin(), spider.end());
  const Json collimation = RunJson(tolerances);
  EXPECT_EQ(KeysInOrder(collimation).back(), "spider");
  EXPECT_NEAR(collimation["spider"]["peak_ratio"].get<double>() / ((1.0 - a) * (1.0 - a)), 1.0, 0.005);
  EXPECT_EQ(KeysInOrder(RunJson({"tolerances", "--json"})).back(), "tilt");
}

TEST(CliPupilStops, OptionsAreChecked) {
  for (const char* command : {"quality", "tolerances"}) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--spider-vanes", "9"}, {"--spider-vanes", "-1"},
          {"--spider-vanes", "2.5"}, {"--spider-vanes", "x"},
          {"--spider-vanes", "4", "--spider-width", "-1"},
          {"--spider-vanes", "4", "--spider-width", "abc"},
          {"--spider-vanes", "4", "--spider-width", "2", "--spider-angle", "nan"},
          {"--spider-width", "2"}, {"--spider-angle", "30"}, {"--obstruction", "skirt"}}) {
      std::vector<std::string> line = {command};
      line.insert(line.end(), args.begin(), args.end());
      const CliResult result = RunCli(line);
      EXPECT_EQ(result.status, 64) << command << " " << args[0] << " " << args[1];
      EXPECT_EQ(result.out, "");
    }
    ExpectFailure(RunCli({command, "--spider-vanes", "3"}), 64,
                  "spekulor-cli: --spider-vanes: 3 vanes need a --spider-width above 0\n");
    ExpectFailure(RunCli({command, "--spider-vanes", "3", "--spider-width", "41"}), 64,
                  "spekulor-cli: --spider-width: '41' is not from 0.00 to 40.00 mm for this design\n");
    EXPECT_EQ(RunCli({command, "--spider-vanes", "0", "--spider-width", "41"}).status, 64);
  }
}

// A design whose focus lies in front of the primary cannot be baffled: the default
// falls back to the secondary, --obstruction baffles is refused with the baffles' reason.
TEST(CliPupilStops, BafflesAskedOfADesignThatCannotBeBaffled) {
  const std::vector<std::string> unbaffled = {"--back-focal-length", "-10"};
  std::vector<std::string> baffles = {"baffles"};
  baffles.insert(baffles.end(), unbaffled.begin(), unbaffled.end());
  const CliResult refusal = RunCli(baffles);
  ASSERT_EQ(refusal.status, 3) << refusal.out;
  for (const char* command : {"quality", "tolerances"}) {
    std::vector<std::string> line = {command, "--obstruction", "baffles"};
    line.insert(line.end(), unbaffled.begin(), unbaffled.end());
    ExpectFailure(RunCli(line), 3, refusal.err);
    std::vector<std::string> plain = {command};
    plain.insert(plain.end(), unbaffled.begin(), unbaffled.end());
    std::vector<std::string> secondary = plain;
    secondary.insert(secondary.end(), {"--obstruction", "secondary"});
    const CliResult a = RunCli(plain);
    EXPECT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.out, RunCli(secondary).out) << command;
  }
}

// The default pictures are the libraries' with the baffles' obstruction; with the
// secondary's they are the libraries' goldens.
TEST(CliPupilStops, PicturesAreWrittenAsTheLibrariesDrawThem) {
  TempDir folder;
  const Calculation calculation = CompleteDesign(DesignFields());
  const spekulor::baffles::BaffleObstruction baffled =
      spekulor::baffles::PlanObstruction(calculation.design);
  ASSERT_TRUE(baffled.ok());
  CentralObstruction obstruction;
  obstruction.source = ObstructionSource::Baffles;
  obstruction.diameter = baffled.diameter;

  ASSERT_EQ(RunCli({"quality", "--svg", folder.File("q.svg")}).status, 0);
  QualityOptions quality;
  quality.obstruction = obstruction;
  const QualityPictures pictures = DrawQualityPictures(calculation, quality);
  ASSERT_TRUE(pictures.ok());
  EXPECT_EQ(ReadFileBytes(folder.File("q.svg")),
            spekulor::drawing::WriteSvg(pictures.drawings.front()));
  EXPECT_NE(ReadFileBytes(folder.File("q.svg")).find("central obstruction 40.3 % (skirt baffle)"),
            std::string::npos);
  ASSERT_EQ(RunCli({"quality", "--obstruction", "secondary", "--svg", folder.File("s.svg")}).status, 0);
  EXPECT_EQ(ReadFileBytes(folder.File("s.svg")), Golden("quality", "startup_quality.svg"));

  ASSERT_EQ(RunCli({"tolerances", "--images", folder.File("t.svg")}).status, 0);
  spekulor::collimation::ToleranceOptions tolerances;
  tolerances.obstruction = obstruction;
  const spekulor::collimation::CollimationPictures collimation =
      spekulor::collimation::DrawCollimationPictures(calculation, tolerances);
  ASSERT_TRUE(collimation.ok());
  EXPECT_EQ(ReadFileBytes(folder.File("t.svg")), spekulor::drawing::WriteSvg(collimation.axisImages));
  ASSERT_EQ(RunCli({"tolerances", "--obstruction", "secondary", "--images", folder.File("u.svg")}).status, 0);
  EXPECT_EQ(ReadFileBytes(folder.File("u.svg")),
            Golden("collimation", "startup_collimation_images.svg"));
}

}  // namespace
