#include "cli/ToleranceCommand.h"

#include "cli/FileOutput.h"
#include "cli/JsonOutput.h"
#include "cli/NumberOptions.h"
#include "cli/PictureOutput.h"
#include "collimation/CollimationImages.h"
#include "collimation/CollimationPicture.h"
#include "collimation/ToleranceText.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::collimation;

namespace spekulor::cli {

void AddToleranceOptions(CLI::App& command, ToleranceCommandOptions& options) {
  command.description(
      "Collimation tolerances of the completed design's secondary, from the exact trace: "
      "the back focal length and spherical aberration a despace adds, the coma and image "
      "shift of a decenter, the coma of a tilt about the vertex, the coma-free pivot, and "
      "the despace, decenter and tilt that each alone add the budget to the axis image's "
      "RMS wavefront error at 550 nm. Exit status 2 for a refused design, 3 for a design "
      "that cannot be traced or whose aligned axis image is too far from the diffraction "
      "limit (as quality refuses it), 1 when a file cannot be read or written.");
  AddDesignSource(command, options.source);
  command
      .add_option("--budget-waves", options.budgetWaves,
                  "RMS wavefront error, in waves at 550 nm, that each misalignment may add "
                  "(default 0.05)")
      ->transform(DecimalNumber(collimation::kLeastBudgetWaves, collimation::kMostBudgetWaves))
      ->type_name("W");
  AddPupilStopOptions(command, options.stops);
  command.add_flag("--json", options.json,
                   "Print JSON: budget_waves_rms, coma_free_pivot, despace, decenter, tilt");
  command
      .add_option("--images", options.imagesPath,
                  "Write the axis image aligned and at each tolerance (spots and point images) "
                  "to FILE.svg")
      ->check(NonEmptyPath())
      ->type_name("FILE.svg");
}

int RunToleranceCommand(const ToleranceCommandOptions& options, std::FILE* out, std::FILE* err) {
  return RunAnalysisCommand(
      options.source,
      [&options](const DesignResult& design, TelescopeType type, LengthUnit unit) {
        ToleranceOptions toleranceOptions;
        toleranceOptions.budgetWaves = options.budgetWaves;
        toleranceOptions.spider = options.stops.spider;
        const CommandOutput stops =
            ResolvePupilStops(options.stops, design, unit, toleranceOptions.obstruction);
        if (!stops.ok()) return stops;
        const ToleranceAnalysis analysis =
            AnalyseTolerances(design, unit, toleranceOptions);
        if (!analysis.ok()) return CannotAnalyse(ToleranceRefusalText(analysis));
        CommandOutput output = PrintFigures(
            options.json, [&] { return FormatToleranceJson(analysis); },
            [&] { return FormatToleranceTable(analysis, type); });
        AddPicture(output, options.imagesPath, [&] {
          return BuildCollimationImagesPicture(ComputeCollimationImages(design, analysis),
                                               analysis, design, type);
        });
        return output;
      },
      out, err);
}

}  // namespace spekulor::cli
