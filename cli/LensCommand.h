// spekulor-cli lens: the window's "Calculate; Create OSLO Lens File" without the
// window: the same lens bytes, to a file or to standard output.
#ifndef SPEKULOR_CLI_LENSCOMMAND_H
#define SPEKULOR_CLI_LENSCOMMAND_H

#include <cstdio>

#include <CLI/CLI.hpp>

#include "cli/DesignRunner.h"
#include "cli/TextOptions.h"

namespace spekulor::cli {

struct LensOptions {
  DesignSource source;
  TextDestination destination;  // -o FILE and --raw
};

void AddLensOptions(CLI::App& command, LensOptions& options);

// With -o the lens file is written whole through a temporary file renamed into place,
// as the window writes it; without, the text goes to `out`, as a terminal wants it
// unless `raw`. Refusals (inch, or the inputs) and failures go to `err`. Returns the
// exit status (ExitStatus.h).
int RunLensCommand(const LensOptions& options, std::FILE* out, std::FILE* err);

}  // namespace spekulor::cli

#endif
