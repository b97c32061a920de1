// The pupil's central obstruction and the spider's vanes, as spekulor-cli quality and
// tolerances take them: --obstruction, --spider-vanes, --spider-width, --spider-angle.
#ifndef SPEKULOR_CLI_PUPILSTOPOPTIONS_H
#define SPEKULOR_CLI_PUPILSTOPOPTIONS_H

#include <string>

#include <CLI/CLI.hpp>

#include "calc/DesignInput.h"
#include "calc/DesignResult.h"
#include "cli/CommandOutput.h"
#include "quality/CentralObstruction.h"
#include "quality/Spider.h"

namespace spekulor::cli {

struct PupilStopOptions {
  std::string obstruction;  // "secondary", "baffles", or empty: the baffles' when the
                            // design can be baffled, else the secondary's
  quality::Spider spider;
};

void AddPupilStopOptions(CLI::App& command, PupilStopOptions& options);

// The obstruction and the spider for the completed design, or why not: a usage error
// for vanes without a width or a width beyond the design's range
// (kMostSpiderWidthFraction of D), kExitCannotAnalyse for --obstruction baffles on a
// design that cannot be baffled (the baffles' own refusal).
CommandOutput ResolvePupilStops(const PupilStopOptions& options, const calc::DesignResult& design,
                                calc::LengthUnit unit, quality::CentralObstruction& obstruction);

}  // namespace spekulor::cli

#endif
