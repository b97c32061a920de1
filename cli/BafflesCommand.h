// spekulor-cli baffles: the central hole, the two baffles and the focus travel of a
// completed design, as a table or JSON, and the picture in section as SVG.
#ifndef SPEKULOR_CLI_BAFFLESCOMMAND_H
#define SPEKULOR_CLI_BAFFLESCOMMAND_H

#include <cstdio>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "baffles/BafflePlan.h"
#include "cli/DesignOptions.h"

struct BafflesOptions {
  std::optional<std::string> designPath;  // DESIGN, a design file to start from; none for the start-up values
  DesignOptions design;
  BaffleOptions baffles;   // --thickness and --focus-clearance
  std::string svgPath;     // --svg FILE.svg, empty when not asked for
  bool json = false;
};

// Registers the "baffles" subcommand with the optional DESIGN file, the twelve design
// options, --thickness, --focus-clearance, --json and --svg on `app`.
CLI::App* AddBafflesCommand(CLI::App& app, BafflesOptions& options);

// The figures as JSON: unit, image_circle_diameter, hole_diameter, secondary_baffle
// {diameter, z}, primary_baffle {diameter, z}, obstruction {linear, area} (fractions
// of the primary's diameter and area), focus_travel {back_focus_per_spacing}, checks
// {field_rays, field_rays_blocked, sky_lines, sky_lines_reaching_image}; lengths in the
// design's unit, z from the primary's vertex toward the sky. One line and a line end.
std::string FormatBafflesJson(const BafflePlan& plan, LengthUnit unit);

// Starts from the window's start-up values or the DESIGN file's, applies the options,
// completes the design, plans its baffles and writes the table (or JSON) to `out` and
// the picture in section when asked for; messages go to `err`. Returns the exit status
// (ExitStatus.h): kExitCannotAnalyse, with the reason, for a design that cannot be
// baffled.
int RunBafflesCommand(const BafflesOptions& options, std::FILE* out, std::FILE* err);

#endif
