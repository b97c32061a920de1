#include "cli/BafflesCommand.h"

#include <cmath>

#include "baffles/BafflePicture.h"
#include "baffles/BaffleTable.h"
#include "cli/FileOutput.h"
#include "cli/JsonOutput.h"
#include "cli/NumberOptions.h"
#include "cli/PictureOutput.h"

using namespace spekulor::calc;
using namespace spekulor::baffles;

namespace spekulor::cli {

namespace {

// The options' ranges depend on the design, known only once it is completed: a value
// outside is a usage error all the same, named as the parser names one.
CommandOutput OutOfRange(const char* option, double value, const BaffleOptionRange& range,
                         LengthUnit unit) {
  return UsageError(DesignRangeText(option, value, range.least, range.most, unit));
}

}  // namespace

void AddBafflesOptions(CLI::App& command, BafflesOptions& options) {
  command.description(
      "The central hole to bore in the primary, the secondary baffle (skirt) and the primary "
      "baffle (tube) that keep direct skylight off the image circle with the least obstruction, "
      "and how the focus moves with the mirror distance. Lengths in the design's unit, z from "
      "the primary's vertex toward the sky. Exit status 2 for a refused design, 3 for a design "
      "that cannot be baffled, 1 when a file cannot be read or written.");
  AddDesignSource(command, options.source);
  command
      .add_option("--thickness", options.baffles.primaryThickness,
                  "The primary's back lies this far behind its vertex: from 0 to the "
                  "primary's diameter D (default D / 6)")
      ->transform(DecimalNumber(0.0, HUGE_VAL))
      ->type_name("LENGTH");
  command
      .add_option("--focus-clearance", options.baffles.focusClearance,
                  "Least distance wanted from the primary's back to the focus: from minus "
                  "the thickness (the focus level with the primary's vertex) to the system "
                  "focal length (default 0)")
      ->transform(DecimalNumber(-HUGE_VAL, HUGE_VAL))
      ->type_name("LENGTH");
  command.add_flag("--json", options.json, "Print the figures as JSON");
  command.add_option("--svg", options.svgPath, "Write the picture in section to FILE.svg")
      ->check(NonEmptyPath())
      ->type_name("FILE.svg");
}

int RunBafflesCommand(const BafflesOptions& options, std::FILE* out, std::FILE* err) {
  return RunAnalysisCommand(
      options.source,
      [&options](const DesignResult& design, TelescopeType type, LengthUnit unit) {
        const double thickness = PrimaryThickness(design, options.baffles);
        if (!ThicknessRange(design).Holds(thickness)) {
          return OutOfRange("--thickness", thickness, ThicknessRange(design), unit);
        }
        const BaffleOptionRange clearance = FocusClearanceRange(design, thickness);
        if (!clearance.Holds(options.baffles.focusClearance)) {
          return OutOfRange("--focus-clearance", options.baffles.focusClearance, clearance, unit);
        }
        const BafflePlan plan = PlanBaffles(design, options.baffles);
        if (!plan.ok()) return CannotAnalyse(BaffleRefusalText(plan.problem));
        CommandOutput output = PrintFigures(
            options.json, [&] { return FormatBafflesJson(plan, unit); },
            [&] { return FormatBaffleTable(plan, design, type, unit); });
        AddPicture(output, options.svgPath,
                   [&] { return BuildBafflePicture(plan, design, type, unit); });
        return output;
      },
      out, err);
}

}  // namespace spekulor::cli
