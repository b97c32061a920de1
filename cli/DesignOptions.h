// The window's twelve values as command-line options, shared by the subcommands.
#ifndef SPEKULOR_CLI_DESIGNOPTIONS_H
#define SPEKULOR_CLI_DESIGNOPTIONS_H

#include <string>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>

#include "calc/DesignInput.h"

namespace spekulor::cli {

// Options seen on the command line; those left out keep the values they apply to.
struct DesignOptions {
  std::string unit;  // "inch", "mm" or a radio index; empty when not given
  std::string type;  // a design name or a radio index; empty when not given
  bool unitGiven = false;
  bool typeGiven = false;
  // Field texts in the order given, exactly as typed (converted from UTF-8 to
  // Windows-1252); a later one for the same field wins.
  std::vector<std::pair<std::string calc::DesignFields::*, std::string>> texts;
};

// Registers --unit, --type and the ten field options on `command`.
void AddDesignOptions(CLI::App& command, DesignOptions& options);

// Reads a --unit value into a radio index: "inch" 0, "mm" 1, or the index itself.
// Throws CLI::ValidationError for anything else.
int ParseUnitIndex(const std::string& text);

// Reads a --type value into a radio index: the design names in button order
// (classical, dall-kirkham, ritchey-chretien, pressmann-camichel, stigmatic) or the
// index itself. Throws CLI::ValidationError for anything else.
int ParseTypeIndex(const std::string& text);

// Applies the options that were given to `fields`.
void ApplyDesignOptions(const DesignOptions& options, calc::DesignFields& fields);

}  // namespace spekulor::cli

#endif
