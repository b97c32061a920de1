// spekulor-cli quality: the wavefront error, Strehl ratio, encircled energy and MTF of
// a completed design at the three field points, from the exact trace, as a table or
// JSON, and the image-quality picture as SVG.
#ifndef SPEKULOR_CLI_QUALITYCOMMAND_H
#define SPEKULOR_CLI_QUALITYCOMMAND_H

#include <cstdio>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/DesignOptions.h"
#include "quality/ImageQuality.h"
#include "trace/SecondaryPerturbation.h"

struct QualityCommandOptions {
  std::optional<std::string> designPath;  // DESIGN, a design file to start from; none for the start-up values
  DesignOptions design;
  std::string focus = "best";  // --focus paraxial|best
  double wavelengthNm = kWavelengthMm * 1e6;
  int grid = kDefaultQualityGrid;
  bool json = false;
  std::string svgPath;  // --svg FILE.svg, empty when not asked for
  SecondaryPerturbation secondary;  // --despace, --decenter, --tilt, --pivot
};

// Registers the "quality" subcommand with the optional DESIGN file, the twelve design
// options, --focus, --wavelength, --grid, --json and --svg on `app`.
CLI::App* AddQualityCommand(CLI::App& app, QualityCommandOptions& options);

// Starts from the window's start-up values or the DESIGN file's, applies the options,
// completes the design, analyses it and writes the table (or JSON) to `out` and the
// SVG file when asked; messages go to `err`. Returns the exit status (ExitStatus.h):
// kExitCannotAnalyse for a completed design that cannot be traced or analysed.
int RunQualityCommand(const QualityCommandOptions& options, std::FILE* out, std::FILE* err);

// The JSON document of an analysed set: wavelength_nm, focus, focus_shift,
// best_focus_surface_radius, fields (each with field_fraction, field_deg, focus_shift,
// rms_waves, pv_waves, strehl, strehl_marechal, ee80_diameter_um and mtf: its
// fraction_of_cutoff, cycles_per_mm, tangential, sagittal) and perfect
// (ee80_diameter_um, mtf: fraction_of_cutoff, value). Lengths in the design's unit,
// a flat focal surface's radius null (as one flat within the depth of focus).
// Indented by two, with a final line feed.
std::string FormatQualityJson(const QualitySet& set);

#endif
