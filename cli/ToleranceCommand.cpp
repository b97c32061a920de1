#include "cli/ToleranceCommand.h"

#include "calc/Calculate.h"
#include "collimation/CollimationPictures.h"
#include "cli/DesignFileCommand.h"
#include "cli/ExitStatus.h"
#include "files/FileMessages.h"
#include "cli/FileOutput.h"
#include "cli/NumberOptions.h"
#include "drawing/SvgWriter.h"
#include "cli/TextOutput.h"
#include "collimation/ToleranceText.h"
#include "support/Windows1252.h"

CLI::App* AddToleranceCommand(CLI::App& app, ToleranceCommandOptions& options) {
  CLI::App* command = app.add_subcommand(
      "tolerances",
      "Collimation tolerances of the completed design's secondary, from the exact trace: "
      "the back focal length and spherical aberration a despace adds, the coma and image "
      "shift of a decenter, the coma of a tilt about the vertex, the coma-free pivot, and "
      "the despace, decenter and tilt that each alone add the budget to the axis image's "
      "RMS wavefront error at 550 nm. Exit status 2 for a refused design, 3 for a design "
      "that cannot be traced or whose aligned axis image is too far from the diffraction "
      "limit (as quality refuses it), 1 when a file cannot be read or written.");
  AddDesignArgument(*command, options.designPath);
  AddDesignOptions(*command, options.design);
  command
      ->add_option("--budget-waves", options.budgetWaves,
                   "RMS wavefront error, in waves at 550 nm, that each misalignment may add "
                   "(default 0.05)")
      ->transform(DecimalNumber(1e-6, 1.0))
      ->type_name("W");
  command->add_flag("--json", options.json,
                    "Print JSON: budget_waves_rms, coma_free_pivot, despace, decenter, tilt");
  command
      ->add_option("--images", options.imagesPath,
                   "Write the axis image aligned and at each tolerance (spots and point images) "
                   "to FILE.svg")
      ->check(NonEmptyPath())
      ->type_name("FILE.svg");
  return command;
}

int RunToleranceCommand(const ToleranceCommandOptions& options, std::FILE* out, std::FILE* err) {
  DesignFields fields;
  if (const int status = StartDesignFields(options.designPath, options.design, fields, err)) {
    return status;
  }
  const Calculation calculation = CompleteDesign(fields);
  if (calculation.rules.error != CalcError::None) {
    return PrintRefusal(FormatCalcError(calculation.rules), err);
  }
  ToleranceOptions analysisOptions;
  analysisOptions.budgetWaves = options.budgetWaves;
  // The pictures hold the analysis they were drawn from.
  CollimationPictures pictures;
  if (!options.imagesPath.empty()) {
    pictures = DrawCollimationPictures(calculation, analysisOptions);
  } else {
    pictures.analysis = AnalyseTolerances(calculation.design, calculation.read.unit, analysisOptions);
  }
  const ToleranceAnalysis& analysis = pictures.analysis;
  if (!analysis.ok()) {
    std::fputs(ToTerminalText(ToleranceRefusalText(analysis)).c_str(), err);
    return kExitCannotAnalyse;
  }
  if (!options.imagesPath.empty() &&
      !WriteOutputFile(options.imagesPath, WriteSvg(pictures.axisImages), err)) {
    return kExitFileFailed;
  }
  const std::string text =
      options.json ? FormatToleranceJson(analysis)
                   : Windows1252ToUtf8(FormatToleranceTable(analysis, calculation.read.type));
  if (!WriteBytes(out, text)) {
    std::fprintf(err, "%s\n", kErrorWriting);
    return kExitFileFailed;
  }
  return kExitOk;
}
