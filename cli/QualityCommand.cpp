#include "cli/QualityCommand.h"

#include "cli/FileOutput.h"
#include "cli/JsonOutput.h"
#include "cli/NumberOptions.h"
#include "cli/PictureOutput.h"
#include "cli/SecondaryOptions.h"
#include "quality/QualityPicture.h"
#include "quality/QualityTable.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::quality;

namespace spekulor::cli {

namespace {

const char* const kFocusNames[] = {"paraxial", "best"};

}  // namespace

void AddQualityOptions(CLI::App& command, QualityCommandOptions& options) {
  command.description(
      "Image quality on the exact trace: wavefront error (RMS and peak to valley), Strehl "
      "ratio and its Marechal estimate, 80 % encircled-energy diameter and MTF on the axis, "
      "at 0.7 and at the edge of the field, beside the perfect aperture with the same "
      "central obstruction; each field point's best focus and the focal surface through "
      "them. Exit status 2 for a refused design, 3 for a design that cannot be traced or "
      "analysed, 1 when a file cannot be read or written.");
  AddDesignSource(command, options.source);
  command
      .add_option("--focus", options.focus,
                  "Focal plane: paraxial (the paraxial image plane, as the spot diagrams) or "
                  "best (the flat plane of least mean RMS wavefront error over the three field "
                  "points; default)")
      ->check(CLI::IsMember({kFocusNames[0], kFocusNames[1]}))
      ->type_name("paraxial|best");
  command
      .add_option("--wavelength", options.wavelengthNm, "Wavelength in nanometres (default 550)")
      ->transform(DecimalNumber(kLeastWavelengthNm, kMostWavelengthNm))
      ->type_name("NM");
  AddSecondaryOptions(command, options.secondary);
  AddPupilStopOptions(command, options.stops);
  command
      .add_option("--grid", options.grid,
                  "Pupil cells across the primary (default 128); the point image is computed "
                  "on four times as many samples")
      ->transform(WholeNumber(kLeastQualityGrid, kMostQualityGrid))
      ->type_name("N");
  command.add_flag("--json", options.json, "Print the figures as JSON");
  command.add_option("--svg", options.svgPath, "Write the image-quality picture to FILE.svg")
      ->check(NonEmptyPath())
      ->type_name("FILE.svg");
}

int RunQualityCommand(const QualityCommandOptions& options, std::FILE* out, std::FILE* err) {
  QualityOptions analysis;
  analysis.focus = options.focus == kFocusNames[0] ? FocusMode::Paraxial : FocusMode::Best;
  analysis.wavelengthNm = options.wavelengthNm;
  analysis.gridSize = options.grid;
  analysis.secondary = options.secondary;
  analysis.spider = options.stops.spider;
  return RunAnalysisCommand(
      options.source,
      [&analysis, &options](const DesignResult& design, TelescopeType type, LengthUnit unit) {
        const CommandOutput stops = ResolvePupilStops(options.stops, design, unit, analysis.obstruction);
        if (!stops.ok()) return stops;
        QualityProblem problem = QualityInputsProblem(design, analysis);
        if (!problem.ok()) return CannotAnalyse(QualityRefusalText(problem));
        const QualitySet set = ComputeImageQuality(design, unit, analysis);
        problem = QualitySetProblem(set);
        if (!problem.ok()) return CannotAnalyse(QualityRefusalText(problem));
        CommandOutput output = PrintFigures(
            options.json, [&] { return FormatQualityJson(set); },
            [&] { return FormatQualityTable(set, type, unit); });
        AddPicture(output, options.svgPath,
                   [&] { return BuildQualityPicture(set, design, type, unit); });
        return output;
      },
      out, err);
}

}  // namespace spekulor::cli
