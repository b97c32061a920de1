// The one way a design command runs: read the design (the DESIGN file, then the
// options over it), make something of it, and hand that to DeliverOutput. The analyses
// go one step further: complete the design first, and refuse it with the window's box
// text when the calculation does.
#ifndef SPEKULOR_CLI_DESIGNRUNNER_H
#define SPEKULOR_CLI_DESIGNRUNNER_H

#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "calc/Calculate.h"
#include "calc/DesignInput.h"
#include "cli/CommandOutput.h"
#include "cli/DesignOptions.h"

namespace spekulor::cli {

// Where a design command starts: the window's start-up values, or, when `designPath`
// is given (even empty), the design file's values as File Open shows them (so "%0.2f"
// and "%0.4f" rounding applies); then the options override them.
struct DesignSource {
  std::optional<std::string> designPath;  // DESIGN
  DesignOptions design;                   // the twelve values
};

// Adds the optional positional DESIGN argument and the twelve design options.
void AddDesignSource(CLI::App& command, DesignSource& source);

// File Open's read of the design file at `path` into `fields`; a failure is "Error
// reading", the path and the reason.
CommandOutput OpenDesignFile(const std::string& path, calc::DesignFields& fields);

// The fields the source gives, or the failure to read its design file.
CommandOutput ReadDesignSource(const DesignSource& source, calc::DesignFields& fields);

// Reads the source and delivers what `make` makes of its fields.
int RunDesignCommand(const DesignSource& source,
                     const std::function<CommandOutput(const calc::DesignFields&)>& make,
                     std::FILE* out, std::FILE* err);

// What an analysis makes of a completed design of that type, its lengths in `unit`.
using DesignAnalysis =
    std::function<CommandOutput(const calc::DesignResult& design, calc::TelescopeType type, calc::LengthUnit unit)>;

// Reads the source, completes the design (a refused one is printed as the window's box
// shows it, exit status 2) and delivers what `analyse` makes of it.
int RunAnalysisCommand(const DesignSource& source, const DesignAnalysis& analyse,
                       std::FILE* out, std::FILE* err);

}  // namespace spekulor::cli

#endif
