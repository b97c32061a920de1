#include "cli/PrimaryTestCommand.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "calc/Calculate.h"
#include "cli/DesignFileCommand.h"
#include "cli/ExitStatus.h"
#include "cli/FileOutput.h"
#include "cli/NumberOptions.h"
#include "cli/TextOutput.h"
#include "mirrortests/MirrorTestTable.h"
#include "support/Windows1252.h"
#include "trace/SvgWriter.h"

namespace {

int UsageError(const std::string& windowsText, std::FILE* err) {
  std::fprintf(err, "spekulor-cli: %s\nRun with --help for more information.\n",
               Windows1252ToUtf8(windowsText).c_str());
  return kExitUsage;
}

// A comma-separated list of decimal numbers; false with `problem` naming the first
// item that is not one.
bool ReadNumberList(const char* option, const std::string& text, std::vector<double>& values,
                    std::string& problem) {
  size_t start = 0;
  while (true) {
    const size_t comma = text.find(',', start);
    const std::string item =
        text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    double value = 0.0;
    if (!ReadDecimalNumber(item, value)) {
      problem = std::string(option) + ": '" + item + "' is not a decimal number";
      return false;
    }
    values.push_back(value);
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

bool IsUsageProblem(MirrorTestProblemKind kind) {
  return kind != MirrorTestProblemKind::NoSurface && kind != MirrorTestProblemKind::NoBestFitConic;
}

}  // namespace

CLI::App* AddPrimaryTestCommand(CLI::App& app, PrimaryTestOptions& options) {
  CLI::App* command = app.add_subcommand(
      "primary-test",
      "Testing the primary as it is figured: its Couder zones of equal area from the "
      "secondary's shadow to the rim, the exact Foucault readings (knife-edge positions "
      "from the paraxial centre of curvature, positive away from the mirror), the Couder "
      "mask at 1:1 and Ronchigrams; with measured readings, the surface error of each zone, "
      "the wavefront error at 550 nm, the Strehl ratio and the best-fit conic. Exit status 2 "
      "for a refused design, 3 for a primary that cannot be tested as a conic, 1 when a file "
      "cannot be read or written.");
  AddDesignArgument(*command, options.designPath);
  AddDesignOptions(*command, options.design);
  command
      ->add_option("--source", options.source,
                   "The source moves with the knife-edge and the grating (moving, default) or "
                   "stays at the paraxial centre of curvature (fixed)")
      ->check(CLI::IsMember({"moving", "fixed"}))
      ->type_name("moving|fixed");
  CLI::Option* zones =
      command
          ->add_option("--zones", options.zones,
                       "Number of Couder zones (default one a 50 mm of diameter, 3 to 12)")
          ->transform(WholeNumber(kLeastZones, kMostZones))
          ->type_name("N");
  command
      ->add_option("--zone-edges", options.zoneEdges,
                   "The zones' edges instead, increasing, comma-separated, in the design's unit")
      ->excludes(zones)
      ->type_name("E0,E1,...");
  command
      ->add_option("--readings", options.readings,
                   "Measured readings, one a zone from the centre out, comma-separated, on any "
                   "zero, in the design's unit")
      ->type_name("R1,R2,...");
  command
      ->add_option("--roc", options.roc,
                   "The radius of curvature measured on the mirror, replacing the design's")
      ->transform(DecimalNumber(std::nextafter(0.0, 1.0), HUGE_VAL))
      ->type_name("R");
  command
      ->add_option("--grating-lpi", options.linesPerInch,
                   "Lines per inch of the Ronchi grating (default 100)")
      ->transform(DecimalNumber(1.0, 2000.0))
      ->type_name("L");
  command
      ->add_option("--grating-offset", options.gratingOffsets,
                   "The grating's distance from the paraxial centre of curvature, positive away "
                   "from the mirror; repeat for more Ronchigrams (default the offsets inside and "
                   "outside that show four line pairs across a sphere)")
      ->transform(DecimalNumber(-HUGE_VAL, HUGE_VAL))
      ->expected(1)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
      ->type_name("X");
  command->add_option("--mask", options.maskPath, "Write the Couder mask at 1:1 to FILE.svg")
      ->check(NonEmptyPath())
      ->type_name("FILE.svg");
  command->add_option("--ronchi", options.ronchiPath, "Write the Ronchigrams to FILE.svg")
      ->check(NonEmptyPath())
      ->type_name("FILE.svg");
  command->add_flag("--json", options.json, "Print the figures as JSON");
  return command;
}

std::string FormatPrimaryTestJson(const MirrorTestPage& page) {
  using Json = nlohmann::ordered_json;
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
  return document.dump(2) + "\n";
}

int RunPrimaryTestCommand(const PrimaryTestOptions& options, std::FILE* out, std::FILE* err) {
  MirrorTestOptions test;
  test.source = options.source == "fixed" ? TestSource::Fixed : TestSource::Moving;
  test.zoneCount = options.zones;
  test.measuredRadius = options.roc;
  test.linesPerInch = options.linesPerInch;
  test.gratingOffsets = options.gratingOffsets;
  std::string problem;
  if (!options.zoneEdges.empty() &&
      !ReadNumberList("--zone-edges", options.zoneEdges, test.zoneEdges, problem)) {
    return UsageError(problem, err);
  }
  if (!options.readings.empty() &&
      !ReadNumberList("--readings", options.readings, test.readings, problem)) {
    return UsageError(problem, err);
  }

  DesignFields fields;
  if (const int status = StartDesignFields(options.designPath, options.design, fields, err)) {
    return status;
  }
  const Calculation calculation = CompleteDesign(fields);
  if (calculation.rules.error != CalcError::None) {
    return PrintRefusal(FormatCalcError(calculation.rules), err);
  }
  const MirrorTestPage page = RunMirrorTests(calculation.design, calculation.read.unit, test);
  if (!page.problem.ok()) {
    const std::string text = FormatMirrorTestProblem(page.problem);
    if (IsUsageProblem(page.problem.kind)) return UsageError(text, err);
    std::fprintf(err, "Cannot test this primary: %s\n", Windows1252ToUtf8(text).c_str());
    return kExitCannotAnalyse;
  }
  if (!options.maskPath.empty() && !WriteOutputFile(options.maskPath, WriteSvg(page.mask), err)) {
    return kExitFileFailed;
  }
  if (!options.ronchiPath.empty() &&
      !WriteOutputFile(options.ronchiPath, WriteSvg(page.ronchiPicture), err)) {
    return kExitFileFailed;
  }
  const std::string text =
      options.json ? FormatPrimaryTestJson(page)
                   : Windows1252ToUtf8(FormatMirrorTestTable(page, calculation.read.type));
  if (!WriteBytes(out, text)) {
    std::fprintf(err, "%s\n", kErrorWriting);
    return kExitFileFailed;
  }
  return kExitOk;
}
