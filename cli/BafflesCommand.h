// spekulor-cli baffles: the central hole, the two baffles and the focus travel of a
// completed design, as a table or JSON, and the picture in section as SVG.
#ifndef SPEKULOR_CLI_BAFFLESCOMMAND_H
#define SPEKULOR_CLI_BAFFLESCOMMAND_H

#include <cstdio>
#include <string>

#include <CLI/CLI.hpp>

#include "baffles/BafflePlan.h"
#include "cli/DesignRunner.h"

namespace spekulor::cli {

struct BafflesOptions {
  DesignSource source;
  baffles::BaffleOptions baffles;   // --thickness and --focus-clearance
  std::string svgPath;     // --svg FILE.svg, empty when not asked for
  bool json = false;
};

// The optional DESIGN file, the twelve design options, --thickness, --focus-clearance,
// --json and --svg.
void AddBafflesOptions(CLI::App& command, BafflesOptions& options);

// Starts from the window's start-up values or the DESIGN file's, applies the options,
// completes the design, plans its baffles and writes the table (or JSON, JsonOutput.h)
// to `out` and the picture in section when asked for; messages go to `err`. Returns
// the exit status (ExitStatus.h): kExitUsage for a thickness or focus clearance outside
// the design's range, kExitCannotAnalyse, with the reason, for a design that cannot be
// baffled.
int RunBafflesCommand(const BafflesOptions& options, std::FILE* out, std::FILE* err);

}  // namespace spekulor::cli

#endif
