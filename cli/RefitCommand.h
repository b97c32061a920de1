// spekulor-cli refit: the telescope finished from its mirrors as they were made: the
// secondary's radius, conic and spacing (or, for a secondary already made, the spacing
// and the conic to figure it to) that keep the design's back focus or focal length,
// with the images on the axis and at the edge of the field.
#ifndef SPEKULOR_CLI_REFITCOMMAND_H
#define SPEKULOR_CLI_REFITCOMMAND_H

#include <cstdio>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/DesignRunner.h"

namespace spekulor::cli {

struct RefitCommandOptions {
  DesignSource source;
  double primaryRoc = 0.0;    // --measured-primary-roc R
  double primaryConic = 0.0;  // --measured-primary-cc K
  double secondaryRoc = 0.0;  // --measured-secondary-roc R2; 0 when not made
  std::string keep = "back-focus";  // --keep back-focus|focal-length
  bool json = false;                // --json
};

void AddRefitOptions(CLI::App& command, RefitCommandOptions& options);

// Exit status 2 for a refused design, 3 when the mirrors make no telescope that keeps
// the figure asked for.
int RunRefitCommand(const RefitCommandOptions& options, std::FILE* out, std::FILE* err);

}  // namespace spekulor::cli

#endif
