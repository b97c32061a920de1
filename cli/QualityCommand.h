// spekulor-cli quality: the wavefront error, Strehl ratio, encircled energy and MTF of
// a completed design at the three field points, from the exact trace, as a table or
// JSON, and the image-quality picture as SVG.
#ifndef SPEKULOR_CLI_QUALITYCOMMAND_H
#define SPEKULOR_CLI_QUALITYCOMMAND_H

#include <cstdio>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/DesignRunner.h"
#include "cli/PupilStopOptions.h"
#include "quality/ImageQuality.h"
#include "trace/SecondaryPerturbation.h"

namespace spekulor::cli {

struct QualityCommandOptions {
  DesignSource source;
  std::string focus = "best";  // --focus paraxial|best
  double wavelengthNm = calc::kWavelengthMm * 1e6;
  int grid = quality::kDefaultQualityGrid;
  bool json = false;
  std::string svgPath;  // --svg FILE.svg, empty when not asked for
  trace::SecondaryPerturbation secondary;  // --despace, --decenter, --tilt, --pivot
  PupilStopOptions stops;  // --obstruction and the spider
};

// The optional DESIGN file, the twelve design options, --focus, --wavelength, the
// secondary's misalignment, the obstruction and the spider, --grid, --json and --svg.
void AddQualityOptions(CLI::App& command, QualityCommandOptions& options);

// Starts from the window's start-up values or the DESIGN file's, applies the options,
// completes the design, analyses it and writes the table (or JSON, JsonOutput.h) to
// `out` and the SVG file when asked; messages go to `err`. Returns the exit status
// (ExitStatus.h): kExitCannotAnalyse for a completed design that cannot be traced or
// analysed.
int RunQualityCommand(const QualityCommandOptions& options, std::FILE* out, std::FILE* err);

}  // namespace spekulor::cli

#endif
