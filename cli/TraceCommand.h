// spekulor-cli trace: the exact ray trace of a completed design, its spot diagrams as a
// table or CSV, and the two pictures as SVG files.
#ifndef SPEKULOR_CLI_TRACECOMMAND_H
#define SPEKULOR_CLI_TRACECOMMAND_H

#include <cstdio>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/DesignRunner.h"
#include "trace/SecondaryPerturbation.h"

namespace spekulor::cli {

struct TraceOptions {
  DesignSource source;
  int rays = 2000;          // at least this many rays reach the image per field point
  std::string layoutPath;   // --layout FILE.svg, empty when not asked for
  std::string spotsPath;    // --spots FILE.svg, empty when not asked for
  bool csv = false;
  trace::SecondaryPerturbation secondary;  // --despace, --decenter, --tilt, --pivot
};

// The optional DESIGN file, the twelve design options, --rays, --layout, --spots, --csv
// and the secondary's misalignment.
void AddTraceOptions(CLI::App& command, TraceOptions& options);

// Starts from the window's start-up values or the DESIGN file's, applies the options,
// completes the design, traces it and writes the table (or CSV) to `out` and any SVG
// files asked for; messages go to `err`. A misaligned secondary is traced for the
// spots, and the table's first line says how it stands. Returns the exit status
// (ExitStatus.h): kExitCannotAnalyse for a completed design that cannot be traced.
int RunTraceCommand(const TraceOptions& options, std::FILE* out, std::FILE* err);

}  // namespace spekulor::cli

#endif
