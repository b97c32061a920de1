// spekulor-cli secondary-test: the Hindle sphere that tests the completed design's convex
// secondary, verified on the exact double pass, and what a conic error reads in the test
// beside what it does to the telescope's axis image.
#ifndef SPEKULOR_CLI_SECONDARYTESTCOMMAND_H
#define SPEKULOR_CLI_SECONDARYTESTCOMMAND_H

#include <cstdio>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/DesignRunner.h"

namespace spekulor::cli {

struct SecondaryTestCommandOptions {
  DesignSource source;
  double sphereRadius = 0.0;  // --sphere-radius RS; 0: the smallest that tests all used
  double conicError = 0.0;    // --conic-error dK
  bool json = false;          // --json
  std::string svgPath;        // --svg FILE.svg, the test drawn to scale
};

void AddSecondaryTestOptions(CLI::App& command, SecondaryTestCommandOptions& options);

// Exit status 2 for a refused design, 3 for a secondary with no Hindle test (with how
// it is tested instead), 64 for a sphere radius outside the test's range for the design.
int RunSecondaryTestCommand(const SecondaryTestCommandOptions& options, std::FILE* out,
                            std::FILE* err);

}  // namespace spekulor::cli

#endif
