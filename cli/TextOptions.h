// Where the commands that write a file's text (lens, export) send it: -o FILE, or
// standard output, as a terminal wants it unless --raw.
#ifndef SPEKULOR_CLI_TEXTOPTIONS_H
#define SPEKULOR_CLI_TEXTOPTIONS_H

#include <string>

#include <CLI/CLI.hpp>

#include "cli/CommandOutput.h"

namespace spekulor::cli {

struct TextDestination {
  std::string outputPath;  // -o FILE; empty: standard output
  bool raw = false;
};

// Registers -o,--output (its help starting with `writeHere`: "Write the file here")
// and --raw on `command`.
void AddTextDestination(CLI::App& command, const std::string& writeHere,
                        TextDestination& destination);

// The text (Windows-1252, CR LF) sent where `destination` says.
CommandOutput DeliverText(const std::string& windowsText, const TextDestination& destination);

}  // namespace spekulor::cli

#endif
