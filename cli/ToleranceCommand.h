// spekulor-cli tolerances: how tightly the secondary must be collimated, from the exact
// trace: sensitivities to despace, decenter and tilt, the coma-free pivot, and each
// misalignment that alone adds the wavefront error budget on the axis.
#ifndef SPEKULOR_CLI_TOLERANCECOMMAND_H
#define SPEKULOR_CLI_TOLERANCECOMMAND_H

#include <cstdio>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/DesignRunner.h"
#include "cli/PupilStopOptions.h"
#include "collimation/Tolerances.h"

namespace spekulor::cli {

struct ToleranceCommandOptions {
  DesignSource source;
  double budgetWaves = collimation::kDefaultBudgetWaves;  // --budget-waves W
  bool json = false;                         // --json
  std::string imagesPath;  // --images FILE.svg, the axis images at the tolerances; empty when not asked for
  PupilStopOptions stops;  // --obstruction and the spider
};

// The optional DESIGN file, the twelve design options, --budget-waves, the obstruction
// and the spider, --json and --images.
void AddToleranceOptions(CLI::App& command, ToleranceCommandOptions& options);

// Completes the design, analyses it and writes the table (or JSON, JsonOutput.h) to
// `out`, and the Collimation page's axis images when asked for; messages go to `err`.
// Returns the exit status (ExitStatus.h): kExitCannotAnalyse for a completed design
// that cannot be traced, or whose aligned axis image the analysis refuses
// (ToleranceRefusal).
int RunToleranceCommand(const ToleranceCommandOptions& options, std::FILE* out, std::FILE* err);

}  // namespace spekulor::cli

#endif
