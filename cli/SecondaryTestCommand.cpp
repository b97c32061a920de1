#include "cli/SecondaryTestCommand.h"

#include "cli/JsonOutput.h"
#include "cli/NumberOptions.h"
#include "cli/PictureOutput.h"
#include "mirrortests/SecondaryTestText.h"
#include "support/Units.h"
#include "support/Windows1252.h"
#include "trace/Drawing.h"
#include "trace/SpotDiagram.h"

namespace {

// The sphere's radius must lie between the near focal distance B and A + B, known only
// once the design is completed: outside, a usage error named as the parser names one.
CommandOutput SphereOutOfRange(double value, const HindleLayout& layout, LengthUnit unit) {
  const int decimals = unit == LengthUnit::Inch ? 3 : 2;
  const std::string text =
      "--sphere-radius: '" + OptionNumberText(value) + "' is not between " +
      FormatFixed(layout.nearFocus, decimals) +
      " and " + FormatFixed(layout.nearFocus + layout.farFocus, decimals) + UnitSuffix(unit) +
      " for this design";
  return UsageError(Windows1252ToUtf8(text));
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

}  // namespace

void AddSecondaryTestOptions(CLI::App& command, SecondaryTestCommandOptions& options) {
  command.description(
      "The Hindle sphere that null-tests the completed design's convex hyperboloid secondary: "
      "the sphere's radius, diameter and place, its hole, the centre left untested, and the "
      "exact double-pass trace of the test (RMS wavefront at 550 nm, piston, tilt and defocus "
      "removed). With --conic-error, what the test reads for a secondary figured to that "
      "conic error, beside the telescope's refocused axis image. Exit status 2 for a refused "
      "design, 3 for a secondary that is no hyperboloid (the output says how such a one is "
      "tested), 1 when a file cannot be read.");
  AddDesignSource(command, options.source);
  command
      .add_option("--sphere-radius", options.sphereRadius,
                  "The sphere's radius of curvature, between the secondary's near focal "
                  "distance and the sum of its two focal distances (default: the smallest "
                  "sphere that tests all of the secondary the telescope uses)")
      ->transform(DecimalNumber(1e-9, 1e9))
      ->type_name("RS");
  command
      .add_option("--conic-error", options.conicError,
                  "The secondary figured to its conic plus DK: the test's reading beside the "
                  "telescope's (from -1 to 1)")
      ->transform(DecimalNumber(-1.0, 1.0))
      ->type_name("DK");
  command.add_flag("--json", options.json, "Print the figures as JSON");
}

int RunSecondaryTestCommand(const SecondaryTestCommandOptions& options, std::FILE* out,
                            std::FILE* err) {
  return RunAnalysisCommand(
      options.source,
      [&options](const Calculation& calculation) {
        const DesignResult& design = calculation.design;
        const TelescopeType type = calculation.read.type;
        const LengthUnit unit = calculation.read.unit;
        const double wavelengthNm = kWavelengthMm * 1e6;
        SecondaryTestOptions test;
        test.sphereRadius = options.sphereRadius;
        test.conicError = options.conicError;
        test.wavelength = kWavelengthMm / (unit == LengthUnit::Inch ? kMillimetresPerInch : 1.0);
        const SecondaryTest result = TestSecondary(design, test);
        const HindleProblem problem = result.layout.problem;
        if (problem == HindleProblem::SphereTooSmall || problem == HindleProblem::SphereTooLarge) {
          return SphereOutOfRange(options.sphereRadius, result.layout, unit);
        }
        if (problem != HindleProblem::None) {
          return CannotAnalyse(HindleProblemText(problem, result.layout.problemDetail, unit));
        }
        if (!result.null.traced) return CannotAnalyse("The double pass of the test loses its rays.");
        return PrintFigures(
            options.json, [&] { return FormatSecondaryTestJson(result, test, unit); },
            [&] { return Lines(SecondaryTestLines(result, test, type, unit, wavelengthNm)); });
      },
      out, err);
}
