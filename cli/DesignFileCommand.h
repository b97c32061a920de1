// spekulor-cli's design-file subcommands: "save" (File Save as) and "show" (what File
// Open puts into the window), and the DESIGN argument that report and lens start from.
#ifndef SPEKULOR_CLI_DESIGNFILECOMMAND_H
#define SPEKULOR_CLI_DESIGNFILECOMMAND_H

#include <cstdio>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "calc/DesignInput.h"
#include "cli/DesignOptions.h"
#include "cli/ExitStatus.h"

// Adds the optional positional DESIGN argument to `command`.
void AddDesignArgument(CLI::App& command, std::optional<std::string>& designPath);

// The values a command starts from: the window's start-up values, or, when
// `designPath` is given (even empty), the design file's values as File Open shows
// them (so "%0.2f" and "%0.4f" rounding applies); then the options override them.
// Returns 0, or kExitFileFailed after writing "Error reading", the path and the
// reason to `err`.
int StartDesignFields(const std::optional<std::string>& designPath, const DesignOptions& options,
                      DesignFields& fields, std::FILE* err);

// File Open's read of the design file at `path` into `fields`: 0, or kExitFileFailed
// after writing "Error reading", the path and the reason to `err`.
int OpenDesignFile(const std::string& path, DesignFields& fields, std::FILE* err);

struct SaveOptions {
  std::string filePath;                    // FILE, the design file written
  std::optional<std::string> designPath;  // DESIGN, optional
  DesignOptions design;
};
CLI::App* AddSaveCommand(CLI::App& app, SaveOptions& options);
// Writes the twelve entries into FILE as Save as does, keeping the file's other lines.
// 0, or kExitFileFailed with "Error reading" or "Error writing" (then the path and
// the reason) on `err`; a FILE that Open would refuse as too large or binary is not
// written.
int RunSaveCommand(const SaveOptions& options, std::FILE* err);

struct ShowOptions {
  std::string designPath;
};
CLI::App* AddShowCommand(CLI::App& app, ShowOptions& options);
// One "Name=value" line per entry, in the file's order, with the values as File Open
// shows them. 0, or kExitFileFailed with "Error reading" or "Error writing".
int RunShowCommand(const ShowOptions& options, std::FILE* out, std::FILE* err);

#endif
