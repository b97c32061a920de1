// spekulor-cli's design-file subcommands: "save" (File Save as) and "show" (what File
// Open puts into the window).
#ifndef SPEKULOR_CLI_DESIGNFILECOMMAND_H
#define SPEKULOR_CLI_DESIGNFILECOMMAND_H

#include <cstdio>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/DesignRunner.h"

namespace spekulor::cli {

struct SaveOptions {
  std::string filePath;  // FILE, the design file written
  DesignSource source;
};
void AddSaveOptions(CLI::App& command, SaveOptions& options);
// Writes the twelve entries into FILE as Save as does, keeping the file's other lines.
// 0, or kExitFileFailed with "Error reading" or "Error writing" (then the path and
// the reason) on `err`; a FILE that Open would refuse as too large or binary is not
// written. Nothing goes to `out`.
int RunSaveCommand(const SaveOptions& options, std::FILE* out, std::FILE* err);

struct ShowOptions {
  std::string designPath;
};
void AddShowOptions(CLI::App& command, ShowOptions& options);
// One "Name=value" line per entry, in the file's order, with the values as File Open
// shows them. 0, or kExitFileFailed with "Error reading" or "Error writing".
int RunShowCommand(const ShowOptions& options, std::FILE* out, std::FILE* err);

}  // namespace spekulor::cli

#endif
