#include "cli/JsonOutput.h"

#include <cmath>

#include <nlohmann/json.hpp>

#include "mirrortests/MirrorTestTable.h"
#include "support/Units.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::quality;
using namespace spekulor::baffles;
using namespace spekulor::collimation;
using namespace spekulor::mirrortests;
using namespace spekulor::camera;

namespace spekulor::cli {

namespace {

using Json = nlohmann::ordered_json;

constexpr int kJsonIndent = 2;

std::string Dump(const Json& document) { return document.dump(kJsonIndent) + "\n"; }

Json Number(double value) { return std::isfinite(value) ? Json(value) : Json(nullptr); }

// A tolerance's magnitude, null when the error stays within the budget over the whole
// range searched.
Json ToleranceNumber(const ToleranceFound& found) {
  return found.limit != ToleranceLimit::BeyondRange ? Number(std::fabs(found.amount))
                                                    : Json(nullptr);
}

// What limits a tolerance other than the budget, when something does.
void AddLimit(Json& object, const ToleranceFound& found) {
  if (found.limit == ToleranceLimit::Jump) object["tolerance_limit"] = "jump";
  if (found.limit == ToleranceLimit::LightLost) object["tolerance_limit"] = "light lost";
}

// The spider's figures, added last when it has vanes.
void AddSpider(Json& document, const Spider& spider, const SpiderFigures& figures) {
  if (!HasVanes(spider)) return;
  document["spider"] = {{"vanes", spider.vanes},
                        {"width", spider.width},
                        {"area_fraction", figures.areaFraction},
                        {"peak_ratio", figures.peakRatio}};
}

}  // namespace

std::string FormatBafflesJson(const BafflePlan& plan, LengthUnit unit) {
  Json json;
  json["unit"] = UnitName(unit);
  json["image_circle_diameter"] = 2.0 * plan.frame.imageRadius;
  json["hole_diameter"] = plan.hole;
  json["secondary_baffle"] = {{"diameter", 2.0 * plan.baffles.skirtRadius}, {"z", plan.baffles.skirtZ}};
  json["primary_baffle"] = {{"diameter", 2.0 * plan.baffles.tubeRadius}, {"z", plan.baffles.tubeZ}};
  json["obstruction"] = {{"linear", plan.linearObstruction}, {"area", plan.areaObstruction}};
  json["focus_travel"] = {{"back_focus_per_spacing", plan.focus.backFocusPerSpacing}};
  json["checks"] = {{"field_rays", plan.fieldRays.rays},
                    {"field_rays_blocked", plan.fieldRays.blocked},
                    {"sky_lines", plan.skyLines.lines},
                    {"sky_lines_reaching_image", plan.skyLines.reaching}};
  return Dump(json);
}

std::string FormatCameraJson(const CameraPage& page) {
  const double mmPerUnit = MillimetresPerUnit(page.unit);
  const double pixelsPerUnit = MicrometresPerUnit(page.unit) / page.options.sensor.pixelUm;
  Json illumination = Json::array();
  for (const IlluminationPoint& point : page.illumination) {
    illumination.push_back({{"field_deg", point.fieldAngle * kDegreesPerRadian},
                            {"radius_mm", point.radius * mmPerUnit},
                            {"relative", point.relative}});
  }
  Json json;
  json["unit"] = UnitName(page.unit);
  json["focal_length"] = page.focalLength;
  json["pixel_um"] = page.options.sensor.pixelUm;
  json["sensor_mm"] = {page.options.sensor.widthMm, page.options.sensor.heightMm};
  json["image_scale_arcsec_per_px"] = page.scale.arcsecPerPixel;
  json["field_arcmin"] = {page.scale.fieldWidthArcmin, page.scale.fieldHeightArcmin};
  json["diagonal_arcmin"] = page.scale.diagonalArcmin;
  json["airy_diameter_px"] = page.scale.airyDiameterPx;
  json["seeing_fwhm_px"] = page.scale.seeingFwhmPx;
  json["corner_field_deg"] = page.scale.cornerField * kDegreesPerRadian;
  json["illumination"] = illumination;
  json["corner_illumination"] = page.illumination.empty() ? Json(nullptr) : Json(page.illumination.back().relative);
  json["baffled"] = page.baffled;
  json["corner_defocus"] = page.corner.defocus;
  json["critical_focus_zone"] = page.corner.criticalZone;
  json["corner_spot_rms_px"] = page.corner.spotRms * pixelsPerUnit;
  json["corner_strehl"] = page.corner.strehl;
  json["focus_shift_per_kelvin"] = page.thermalKnown ? Number(page.thermal.shiftPerKelvin) : Json(nullptr);
  json["kelvin_per_focus_zone"] = page.thermalKnown ? Number(page.thermal.kelvinPerZone) : Json(nullptr);
  return Dump(json);
}

std::string FormatQualityJson(const QualitySet& set) {
  const double um = set.micrometresPerUnit;
  Json fields = Json::array();
  for (const FieldQuality& field : set.fields) {
    Json mtf = Json::array();
    for (size_t k = 0; k < kMtfFractions.size(); ++k) {
      mtf.push_back({{"fraction_of_cutoff", kMtfFractions[k]},
                     {"cycles_per_mm", kMtfFractions[k] * set.cutoffPerMm},
                     {"tangential", field.mtfTangential[k]},
                     {"sagittal", field.mtfSagittal[k]}});
    }
    fields.push_back({{"field_fraction", field.fieldFraction},
                      {"field_deg", field.fieldAngle * kDegreesPerRadian},
                      {"focus_shift", field.ownBestFocus},
                      {"rms_waves", field.rmsWaves},
                      {"pv_waves", field.pvWaves},
                      {"strehl", field.strehl},
                      {"strehl_marechal", field.strehlMarechal},
                      {"ee80_diameter_um", field.ee80Diameter * um},
                      {"mtf", mtf}});
  }
  Json perfectMtf = Json::array();
  for (size_t k = 0; k < kMtfFractions.size(); ++k) {
    perfectMtf.push_back({{"fraction_of_cutoff", kMtfFractions[k]}, {"value", set.perfect.mtf[k]}});
  }
  Json document;
  document["wavelength_nm"] = set.options.wavelengthNm;
  document["focus"] = set.options.focus == FocusMode::Best ? "best" : "paraxial";
  document["focus_shift"] = set.focusShift;
  document["best_focus_surface_radius"] = Number(set.focalSurfaceRadius);
  document["fields"] = fields;
  document["perfect"] = {{"ee80_diameter_um", set.perfect.ee80Diameter * um}, {"mtf", perfectMtf}};
  AddSpider(document, set.options.spider, set.spider);
  return Dump(document);
}

std::string FormatToleranceJson(const ToleranceAnalysis& analysis) {
  const Sensitivities& s = analysis.sensitivities;
  Json json;
  json["budget_waves_rms"] = analysis.options.budgetWaves;
  json["coma_free_pivot"] = Number(s.comaFreePivot);
  json["despace"]["back_focus_per_unit"] = Number(s.backFocusPerUnit);
  json["despace"]["w040_nm_per_unit"] = Number(s.w040NmPerUnit);
  json["despace"]["tolerance"] = ToleranceNumber(analysis.Tolerance(Misalignment::Despace));
  AddLimit(json["despace"], analysis.Tolerance(Misalignment::Despace));
  json["decenter"]["w131_nm_per_unit"] = Number(s.w131NmPerUnit);
  json["decenter"]["image_shift_per_unit"] = Number(s.imageShiftPerUnit);
  json["decenter"]["tolerance"] = ToleranceNumber(analysis.Tolerance(Misalignment::Decenter));
  AddLimit(json["decenter"], analysis.Tolerance(Misalignment::Decenter));
  json["tilt"]["w131_nm_per_degree"] = Number(s.w131NmPerDegree);
  json["tilt"]["tolerance_deg"] = ToleranceNumber(analysis.Tolerance(Misalignment::Tilt));
  AddLimit(json["tilt"], analysis.Tolerance(Misalignment::Tilt));
  if (AlignedAboveBudget(analysis)) json["aligned_above_budget"] = true;
  AddSpider(json, analysis.options.spider, analysis.spider);
  return Dump(json);
}

std::string FormatPrimaryTestJson(const MirrorTestPage& page) {
  Json zones = Json::array();
  for (size_t i = 0; i < page.zones.size(); ++i) {
    zones.push_back({{"inner", page.zones[i].inner},
                     {"outer", page.zones[i].outer},
                     {"radius", page.zones[i].radius},
                     {"reading", page.readings[i]},
                     {"reading_from_first", page.readingsFromFirst[i]}});
  }
  Json ronchi = Json::array();
  for (const Ronchigram& gram : page.ronchigrams) {
    ronchi.push_back({{"offset", gram.setup.offset},
                      {"lines_per_inch", gram.setup.linesPerInch},
                      {"band_edges", gram.bandEdges}});
  }
  Json document;
  document["unit"] = UnitName(page.primary.unit);
  document["radius_of_curvature"] = page.primary.radius;
  document["conic"] = page.primary.conic;
  document["diameter"] = page.primary.diameter;
  document["source"] = TestSourceName(page.source);
  document["zone_radius"] = "mean";
  document["zones"] = zones;
  document["ronchi"] = ronchi;
  if (page.reduction) {
    const MirrorTestReduction& r = *page.reduction;
    const bool fitted = r.bestFitConic.has_value();
    document["reduction"] = {
        {"measured", r.measured},
        {"surface_error_nm", r.surfaceErrorNm},
        {"wavefront_rms_waves", r.wavefrontRmsWaves},
        {"wavefront_pv_waves", r.wavefrontPvWaves},
        {"strehl", r.strehl},
        {"best_fit_conic", fitted ? Json(*r.bestFitConic) : Json(nullptr)},
        {"conic_difference", fitted ? Json(*r.bestFitConic - page.primary.conic) : Json(nullptr)}};
  }
  return Dump(document);
}

std::string FormatSecondaryTestJson(const SecondaryTest& test, const SecondaryTestOptions& options,
                                    LengthUnit unit) {
  const HindleLayout& layout = test.layout;
  Json json;
  json["unit"] = UnitName(unit);
  json["secondary_roc"] = test.input.secondaryRoc;
  json["secondary_conic"] = test.input.secondaryConic;
  json["tested_diameter"] = test.input.testedDiameter;
  json["near_focus"] = layout.nearFocus;
  json["far_focus"] = layout.farFocus;
  json["sphere_radius"] = layout.sphereRadius;
  json["sphere_diameter"] = layout.sphereDiameter;
  json["sphere_to_secondary"] = layout.sphereToSecondary;
  json["hole_diameter"] = layout.holeDiameter;
  json["untested_diameter"] = layout.untestedDiameter;
  json["unused_centre_diameter"] = layout.unusedCentre;
  json["null_rms_waves"] = Number(test.null.rmsWaves);
  json["conic_error"] = options.conicError;
  json["test_rms_waves"] =
      Number(options.conicError != 0.0 ? test.withError.rmsWaves : test.null.rmsWaves);
  json["telescope_rms_waves"] = test.telescopeTraced ? Number(test.telescopeRmsWaves) : Json(nullptr);
  return Dump(json);
}

std::string FormatRefitJson(const RefitResult& refit, LengthUnit unit) {
  const DesignResult& g = refit.design;
  Json json;
  json["unit"] = UnitName(unit);
  json["spacing"] = g.PriSecDist;
  json["system_focal_length"] = g.SysFoc;
  json["back_focal_length"] = g.BackFocLen;
  json["secondary_roc"] = g.SecRadCur;
  json["secondary_conic"] = g.SecConic;
  json["axis_rms_waves"] = Number(refit.axisRmsWaves);
  json["edge_rms_waves"] = Number(refit.edgeRmsWaves);
  json["design_edge_rms_waves"] = Number(refit.designEdgeRmsWaves);
  return Dump(json);
}

}  // namespace spekulor::cli
