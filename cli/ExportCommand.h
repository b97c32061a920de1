// spekulor-cli export: the design as a Zemax lens file or a CODE V sequence file, to
// a file or to standard output.
#ifndef SPEKULOR_CLI_EXPORTCOMMAND_H
#define SPEKULOR_CLI_EXPORTCOMMAND_H

#include <cstdio>

#include <CLI/CLI.hpp>

#include "cli/DesignRunner.h"
#include "cli/TextOptions.h"
#include "files/DesignExport.h"

namespace spekulor::cli {

struct ExportOptions {
  files::ExportFormat format = files::ExportFormat::Zemax;  // --format, required
  DesignSource source;
  TextDestination destination;  // -o FILE and --raw
};

void AddExportOptions(CLI::App& command, ExportOptions& options);

// With -o the file is written whole through a temporary file renamed into place;
// without, the text goes to `out`, as a terminal wants it unless `raw`. Refusals and
// failures go to `err`. Returns the exit status (ExitStatus.h), those of the lens
// command.
int RunExportCommand(const ExportOptions& options, std::FILE* out, std::FILE* err);

}  // namespace spekulor::cli

#endif
