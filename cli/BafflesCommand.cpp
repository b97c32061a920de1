#include "cli/BafflesCommand.h"

#include <cmath>

#include <nlohmann/json.hpp>

#include "baffles/BafflePictures.h"
#include "baffles/BaffleTable.h"
#include "cli/DesignFileCommand.h"
#include "drawing/Drawing.h"
#include "cli/ExitStatus.h"
#include "files/FileMessages.h"
#include "cli/FileOutput.h"
#include "cli/NumberOptions.h"
#include "drawing/SvgWriter.h"
#include "cli/TextOutput.h"
#include "support/Windows1252.h"

namespace {

// The options' ranges depend on the design, known only once it is completed: a value
// outside is a usage error all the same, named as the parser names one.
int OutOfRange(const char* option, double value, const BaffleOptionRange& range,
               LengthUnit unit, std::FILE* err) {
  const int decimals = unit == LengthUnit::Inch ? 3 : 2;
  const std::string text = std::string(option) + ": '" + OptionNumberText(value) +
                           "' is not from " + FormatFixed(range.least, decimals) + " to " +
                           FormatFixed(range.most, decimals) + UnitSuffix(unit) +
                           " for this design";
  std::fprintf(err, "spekulor-cli: %s\nRun with --help for more information.\n",
               Windows1252ToUtf8(text).c_str());
  return kExitUsage;
}

}  // namespace

CLI::App* AddBafflesCommand(CLI::App& app, BafflesOptions& options) {
  CLI::App* baffles = app.add_subcommand(
      "baffles",
      "The central hole to bore in the primary, the secondary baffle (skirt) and the primary "
      "baffle (tube) that keep direct skylight off the image circle with the least obstruction, "
      "and how the focus moves with the mirror distance. Lengths in the design's unit, z from "
      "the primary's vertex toward the sky. Exit status 2 for a refused design, 3 for a design "
      "that cannot be baffled, 1 when a file cannot be read or written.");
  AddDesignArgument(*baffles, options.designPath);
  AddDesignOptions(*baffles, options.design);
  baffles
      ->add_option("--thickness", options.baffles.primaryThickness,
                   "The primary's back lies this far behind its vertex: from 0 to the "
                   "primary's diameter D (default D / 6)")
      ->transform(DecimalNumber(0.0, HUGE_VAL))
      ->type_name("LENGTH");
  baffles
      ->add_option("--focus-clearance", options.baffles.focusClearance,
                   "Least distance wanted from the primary's back to the focus: from minus "
                   "the thickness (the focus level with the primary's vertex) to the system "
                   "focal length (default 0)")
      ->transform(DecimalNumber(-HUGE_VAL, HUGE_VAL))
      ->type_name("LENGTH");
  baffles->add_flag("--json", options.json, "Print the figures as JSON");
  baffles->add_option("--svg", options.svgPath, "Write the picture in section to FILE.svg")
      ->check(NonEmptyPath())
      ->type_name("FILE.svg");
  return baffles;
}

std::string FormatBafflesJson(const BafflePlan& plan, LengthUnit unit) {
  nlohmann::ordered_json json;
  json["unit"] = unit == LengthUnit::Inch ? "inch" : "mm";
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
  return json.dump() + "\n";
}

int RunBafflesCommand(const BafflesOptions& options, std::FILE* out, std::FILE* err) {
  DesignFields fields;
  if (const int status = StartDesignFields(options.designPath, options.design, fields, err)) {
    return status;
  }
  const Calculation calculation = CompleteDesign(fields);
  if (calculation.rules.error != CalcError::None) {
    return PrintRefusal(FormatCalcError(calculation.rules), err);
  }
  const double thickness = PrimaryThickness(calculation.design, options.baffles);
  if (!ThicknessRange(calculation.design).Holds(thickness)) {
    return OutOfRange("--thickness", thickness, ThicknessRange(calculation.design),
                      calculation.read.unit, err);
  }
  const BaffleOptionRange clearance = FocusClearanceRange(calculation.design, thickness);
  if (!clearance.Holds(options.baffles.focusClearance)) {
    return OutOfRange("--focus-clearance", options.baffles.focusClearance, clearance,
                      calculation.read.unit, err);
  }
  const BafflePictures pictures = DrawBafflePictures(calculation, options.baffles);
  if (!pictures.ok()) {
    std::fprintf(err, "%s\n", pictures.errorText.c_str());
    return kExitCannotAnalyse;
  }
  // The picture in section; the table of figures is what the command prints.
  if (!options.svgPath.empty() &&
      !WriteOutputFile(options.svgPath, WriteSvg(pictures.drawings.front()), err)) {
    return kExitFileFailed;
  }
  const BafflePlan& plan = pictures.plan;
  const LengthUnit unit = calculation.read.unit;
  const std::string text =
      options.json ? FormatBafflesJson(plan, unit)
                   : Windows1252ToUtf8(FormatBaffleTable(plan, calculation.design, calculation.read.type, unit));
  if (!WriteBytes(out, text)) {
    std::fprintf(err, "%s\n", kErrorWriting);
    return kExitFileFailed;
  }
  return kExitOk;
}
