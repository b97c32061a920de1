// spekulor-cli report: the window's Calculate without the window.
#ifndef SPEKULOR_CLI_REPORTCOMMAND_H
#define SPEKULOR_CLI_REPORTCOMMAND_H

#include <cstdio>

#include <CLI/CLI.hpp>

#include "cli/DesignRunner.h"

namespace spekulor::cli {

struct ReportOptions {
  DesignSource source;
  bool raw = false;  // the report's exact bytes instead of terminal text
};

void AddReportOptions(CLI::App& command, ReportOptions& options);

// Completes the design and writes its report to `out`; refusals and failures go to
// `err`. Returns the exit status (ExitStatus.h).
int RunReportCommand(const ReportOptions& options, std::FILE* out, std::FILE* err);

}  // namespace spekulor::cli

#endif
