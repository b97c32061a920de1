// The command line's JSON documents: one form for all (indented by two, a final line
// feed), the same keys and values as the one-line form they were written in before.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/JsonOutput.h"

using namespace spekulor::calc;
using namespace spekulor::quality;
using namespace spekulor::baffles;
using namespace spekulor::collimation;
using namespace spekulor::cli;

namespace {

using Json = nlohmann::ordered_json;  // keeps the keys in the order written

// Written in the one form: what nlohmann-json writes at an indentation of two.
void ExpectOneForm(const std::string& text) {
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text, Json::parse(text).dump(2) + "\n");
  EXPECT_NE(text.find("\n  \""), std::string::npos) << text;
}

ToleranceAnalysis MadeUpTolerances() {
  ToleranceAnalysis analysis;
  analysis.options.budgetWaves = 0.05;
  analysis.sensitivities.backFocusPerUnit = 17.0;
  analysis.sensitivities.w040NmPerUnit = -90.25;
  analysis.sensitivities.w131NmPerUnit = 1085.0;
  analysis.sensitivities.imageShiftPerUnit = -2.5;
  analysis.sensitivities.w131NmPerDegree = -3600.5;
  analysis.sensitivities.comaFreePivot = 190.126;
  const double amounts[] = {-4.5, 0.25, 5.0};
  for (size_t i = 0; i < analysis.tolerances.size(); ++i) {
    analysis.tolerances[i].found = i < 2;
    analysis.tolerances[i].limit = i < 2 ? ToleranceLimit::Budget : ToleranceLimit::BeyondRange;
    analysis.tolerances[i].amount = amounts[i];
  }
  return analysis;
}

// The tolerances' document as it was written before, on one line: parsed, the same
// keys in the same order with the same values.
TEST(JsonOutput, TolerancesKeepTheirKeysAndValues) {
  const std::string before =
      "{\"budget_waves_rms\":0.05,\"coma_free_pivot\":190.126,"
      "\"despace\":{\"back_focus_per_unit\":17.0,\"w040_nm_per_unit\":-90.25,"
      "\"tolerance\":4.5},"
      "\"decenter\":{\"w131_nm_per_unit\":1085.0,\"image_shift_per_unit\":-2.5,"
      "\"tolerance\":0.25},"
      "\"tilt\":{\"w131_nm_per_degree\":-3600.5,\"tolerance_deg\":null}}\n";
  const std::string now = FormatToleranceJson(MadeUpTolerances());
  EXPECT_EQ(Json::parse(now), Json::parse(before));
  ExpectOneForm(now);
  ToleranceAnalysis none = MadeUpTolerances();
  none.sensitivities.comaFreePivot = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(Json::parse(FormatToleranceJson(none))["coma_free_pivot"].is_null());
}

// The keys added only when they apply: what limits a tolerance, last in its kind's
// object, and an aligned design above the budget, last in the document.
TEST(JsonOutput, TolerancesSayWhatLimitsThem) {
  ToleranceAnalysis analysis = MadeUpTolerances();
  analysis.aligned.rmsWaves = 0.0612;
  analysis.tolerances[0].limit = ToleranceLimit::Jump;
  analysis.tolerances[0].amount = -1.8421;
  analysis.tolerances[1].limit = ToleranceLimit::LightLost;
  analysis.tolerances[1].amount = 0.3125;
  const Json json = Json::parse(FormatToleranceJson(analysis));
  EXPECT_EQ(json["despace"].back(), "jump");
  EXPECT_EQ(json["despace"]["tolerance"], 1.8421);
  EXPECT_EQ(json["decenter"].back(), "light lost");
  EXPECT_EQ(json["decenter"]["tolerance"], 0.3125);
  EXPECT_FALSE(json["tilt"].contains("tolerance_limit"));
  EXPECT_EQ(json.back(), true);
  EXPECT_TRUE(json.contains("aligned_above_budget"));
  EXPECT_FALSE(Json::parse(FormatToleranceJson(MadeUpTolerances())).contains("aligned_above_budget"));
}

// Every document in the one form, the quality's as before and the baffles' and the
// tolerances' now too.
TEST(JsonOutput, EveryDocumentIsIndentedByTwo) {
  BafflePlan plan;
  plan.hole = 90.5;
  plan.fieldRays.rays = 1200;
  ExpectOneForm(FormatBafflesJson(plan, LengthUnit::Inch));
  EXPECT_EQ(Json::parse(FormatBafflesJson(plan, LengthUnit::Inch))["unit"], "inch");
  QualitySet set;
  set.focalSurfaceRadius = std::numeric_limits<double>::infinity();
  const std::string quality = FormatQualityJson(set);
  ExpectOneForm(quality);
  EXPECT_TRUE(Json::parse(quality)["best_focus_surface_radius"].is_null());
  ExpectOneForm(FormatToleranceJson(MadeUpTolerances()));
}

}  // namespace
