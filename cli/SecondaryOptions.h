// The secondary's misalignment as command-line options, shared by the commands that
// trace a telescope: --despace, --decenter, --tilt and --pivot, in the design's unit and
// degrees (see trace/SecondaryPerturbation.h for their directions).
#ifndef SPEKULOR_CLI_SECONDARYOPTIONS_H
#define SPEKULOR_CLI_SECONDARYOPTIONS_H

#include <CLI/CLI.hpp>

#include "trace/SecondaryPerturbation.h"

namespace spekulor::cli {

// Registers the four options on `command`; each takes a finite number.
void AddSecondaryOptions(CLI::App& command, trace::SecondaryPerturbation& secondary);

}  // namespace spekulor::cli

#endif
