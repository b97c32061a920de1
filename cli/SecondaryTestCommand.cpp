#include "cli/SecondaryTestCommand.h"

#include "cli/JsonOutput.h"
#include "cli/NumberOptions.h"
#include "cli/PictureOutput.h"
#include "cli/FileOutput.h"
#include "mirrortests/HindlePicture.h"
#include "mirrortests/SecondaryTestText.h"
#include "calc/OpticalConstants.h"
#include "support/Windows1252.h"
#include "drawing/Drawing.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::drawing;
using namespace spekulor::mirrortests;

namespace spekulor::cli {

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
  command.add_option("--svg", options.svgPath, "Write the test drawn to scale to FILE.svg")
      ->check(NonEmptyPath())
      ->type_name("FILE.svg");
}

int RunSecondaryTestCommand(const SecondaryTestCommandOptions& options, std::FILE* out,
                            std::FILE* err) {
  return RunAnalysisCommand(
      options.source,
      [&options](const DesignResult& design, TelescopeType type, LengthUnit unit) {
        const double wavelengthNm = kReferenceWavelengthNm;
        SecondaryTestOptions test;
        test.sphereRadius = options.sphereRadius;
        test.conicError = options.conicError;
        test.wavelength = kWavelengthMm / MillimetresPerUnit(unit);
        const SecondaryTest result = TestSecondary(design, test);
        const HindleProblem problem = result.layout.problem;
        if (problem == HindleProblem::SphereTooSmall || problem == HindleProblem::SphereTooLarge) {
          return SphereOutOfRange(options.sphereRadius, result.layout, unit);
        }
        if (problem != HindleProblem::None) {
          return CannotAnalyse(HindleProblemText(problem, result.layout.problemDetail, unit));
        }
        if (!result.null.traced) return CannotAnalyse("The double pass of the test loses its rays.");
        CommandOutput output = PrintFigures(
            options.json, [&] { return FormatSecondaryTestJson(result, test, unit); },
            [&] { return JoinLines(SecondaryTestLines(result, test, type, unit, wavelengthNm)); });
        AddPicture(output, options.svgPath, [&] { return BuildHindlePicture(result, type, unit); });
        return output;
      },
      out, err);
}

}  // namespace spekulor::cli
