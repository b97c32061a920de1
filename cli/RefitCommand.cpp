#include "cli/RefitCommand.h"

#include "cli/JsonOutput.h"
#include "cli/NumberOptions.h"
#include "cli/PictureOutput.h"
#include "mirrortests/SecondaryTestText.h"
#include "calc/OpticalConstants.h"

using namespace spekulor::calc;
using namespace spekulor::mirrortests;

namespace spekulor::cli {

namespace {

const char* const kKeepNames[] = {"back-focus", "focal-length"};

}  // namespace

void AddRefitOptions(CLI::App& command, RefitCommandOptions& options) {
  command.description(
      "The telescope finished from the mirrors as made: from the primary's measured radius "
      "of curvature and conic (and the secondary's radius, once it is made), the secondary's "
      "radius, conic and the mirror distance that keep the design's back focal length (or "
      "system focal length), the conic chosen on the exact trace for the least axis RMS; with "
      "the axis and field-edge RMS wavefront at 550 nm beside the design's. Exit status 2 for "
      "a refused design, 3 when the mirrors make no such telescope, 1 when a file cannot be "
      "read.");
  AddDesignSource(command, options.source);
  command
      .add_option("--measured-primary-roc", options.primaryRoc,
                  "The primary's vertex radius of curvature as measured")
      ->required()
      ->transform(DecimalNumber(1e-9, 1e9))
      ->type_name("R");
  command
      .add_option("--measured-primary-cc", options.primaryConic,
                  "The primary's conic as measured (its best-fit conic)")
      ->required()
      ->transform(DecimalNumber(-1e3, 1e3))
      ->type_name("K");
  command
      .add_option("--measured-secondary-roc", options.secondaryRoc,
                  "The secondary's vertex radius of curvature, when it is already made")
      ->transform(DecimalNumber(1e-9, 1e9))
      ->type_name("R2");
  command
      .add_option("--keep", options.keep,
                  "What the telescope keeps of the design: back-focus (default) or "
                  "focal-length")
      ->check(CLI::IsMember({kKeepNames[0], kKeepNames[1]}))
      ->type_name("back-focus|focal-length");
  command.add_flag("--json", options.json, "Print the figures as JSON");
}

int RunRefitCommand(const RefitCommandOptions& options, std::FILE* out, std::FILE* err) {
  return RunAnalysisCommand(
      options.source,
      [&options](const DesignResult& design, TelescopeType type, LengthUnit unit) {
        RefitRequest request;
        request.primaryRoc = options.primaryRoc;
        request.primaryConic = options.primaryConic;
        request.secondaryRoc = options.secondaryRoc;
        request.keep = options.keep == kKeepNames[1] ? RefitKeep::FocalLength : RefitKeep::BackFocus;
        const double wavelength =
            kWavelengthMm / MillimetresPerUnit(unit);
        const RefitResult refit = RefitTelescope(design, request, wavelength);
        if (refit.problem != RefitProblem::None) {
          return CannotAnalyse(RefitProblemText(refit.problem, refit.problemDetail, unit));
        }
        return PrintFigures(
            options.json, [&] { return FormatRefitJson(refit, unit); },
            [&] {
              return JoinLines(RefitLines(design, request, refit, type, unit, kReferenceWavelengthNm));
            });
      },
      out, err);
}

}  // namespace spekulor::cli
