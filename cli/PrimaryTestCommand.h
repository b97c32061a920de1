// spekulor-cli primary-test: what the maker tests the design's primary against at the
// test stand (Couder zones and their Foucault readings, the Couder mask, Ronchigrams)
// and, with measured readings, the mirror's error and its best-fit conic; as a table
// or JSON, the mask and the Ronchigrams as SVG.
#ifndef SPEKULOR_CLI_PRIMARYTESTCOMMAND_H
#define SPEKULOR_CLI_PRIMARYTESTCOMMAND_H

#include <CLI/CLI.hpp>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/DesignRunner.h"
#include "mirrortests/MirrorTestPage.h"

namespace spekulor::cli {

struct PrimaryTestOptions {
  DesignSource source;
  std::string testSource = "moving";  // --source moving|fixed
  int zones = 0;                  // --zones N, 0 for the default
  std::string zoneEdges;          // --zone-edges e0,e1,..., empty when not given
  std::string readings;           // --readings r1,r2,..., empty when not given
  std::optional<double> roc;      // --roc R
  double linesPerInch = mirrortests::kDefaultGratingLinesPerInch;
  std::vector<double> gratingOffsets;  // --grating-offset X, repeatable
  std::string maskPath;                // --mask FILE.svg
  std::string ronchiPath;              // --ronchi FILE.svg
  bool json = false;
};

// The optional DESIGN file, the twelve design options and the options above.
void AddPrimaryTestOptions(CLI::App& command, PrimaryTestOptions& options);

// Completes the design, computes its primary's test page and writes the table (or JSON)
// to `out` and the SVG files asked for; messages go to `err`. Returns the exit status
// (ExitStatus.h): kExitUsage for readings or zone edges that are not numbers or do not
// fit the zones, kExitCannotAnalyse for a primary that is no testable conic.
int RunPrimaryTestCommand(const PrimaryTestOptions& options, std::FILE* out, std::FILE* err);

}  // namespace spekulor::cli

#endif
