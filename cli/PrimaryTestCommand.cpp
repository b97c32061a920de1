#include "cli/PrimaryTestCommand.h"

#include <cmath>

#include "cli/FileOutput.h"
#include "cli/JsonOutput.h"
#include "cli/NumberOptions.h"
#include "cli/PictureOutput.h"
#include "mirrortests/CouderMask.h"
#include "mirrortests/MirrorTestTable.h"
#include "mirrortests/RonchiPicture.h"
#include "support/Windows1252.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::mirrortests;

namespace spekulor::cli {

namespace {

// A comma-separated list of decimal numbers; false with `problem` naming the first
// item that is not one.
bool ReadNumberList(const char* option, const std::string& text, std::vector<double>& values,
                    std::string& problem) {
  size_t start = 0;
  while (true) {
    const size_t comma = text.find(',', start);
    const std::string item =
        text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    double value = 0.0;
    if (!ReadDecimalNumber(item, value)) {
      problem = std::string(option) + ": '" + item + "' is not a decimal number";
      return false;
    }
    values.push_back(value);
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

bool IsUsageProblem(MirrorTestProblemKind kind) {
  return kind != MirrorTestProblemKind::NoSurface && kind != MirrorTestProblemKind::NoBestFitConic;
}

}  // namespace

void AddPrimaryTestOptions(CLI::App& command, PrimaryTestOptions& options) {
  command.description(
      "Testing the primary as it is figured: its Couder zones of equal area from the "
      "secondary's shadow to the rim, the exact Foucault readings (knife-edge positions "
      "from the paraxial centre of curvature, positive away from the mirror), the Couder "
      "mask at 1:1 and Ronchigrams; with measured readings, the surface error of each zone, "
      "the wavefront error at 550 nm, the Strehl ratio and the best-fit conic. Exit status 2 "
      "for a refused design, 3 for a primary that cannot be tested as a conic, 1 when a file "
      "cannot be read or written.");
  AddDesignSource(command, options.source);
  command
      .add_option("--source", options.testSource,
                   "The source moves with the knife-edge and the grating (moving, default) or "
                   "stays at the paraxial centre of curvature (fixed)")
      ->check(CLI::IsMember({"moving", "fixed"}))
      ->type_name("moving|fixed");
  CLI::Option* zones =
      command
          .add_option("--zones", options.zones,
                       "Number of Couder zones (default one a 50 mm of diameter, 3 to 12)")
          ->transform(WholeNumber(kLeastZones, kMostZones))
          ->type_name("N");
  command
      .add_option("--zone-edges", options.zoneEdges,
                   "The zones' edges instead, increasing, comma-separated, in the design's unit")
      ->excludes(zones)
      ->type_name("E0,E1,...");
  command
      .add_option("--readings", options.readings,
                   "Measured readings, one a zone from the centre out, comma-separated, on any "
                   "zero, in the design's unit")
      ->type_name("R1,R2,...");
  command
      .add_option("--roc", options.roc,
                   "The radius of curvature measured on the mirror, replacing the design's")
      ->transform(DecimalNumber(std::nextafter(0.0, 1.0), HUGE_VAL))
      ->type_name("R");
  command
      .add_option("--grating-lpi", options.linesPerInch,
                   "Lines per inch of the Ronchi grating (default 100)")
      ->transform(DecimalNumber(1.0, 2000.0))
      ->type_name("L");
  command
      .add_option("--grating-offset", options.gratingOffsets,
                   "The grating's distance from the paraxial centre of curvature, positive away "
                   "from the mirror; repeat for more Ronchigrams (default the offsets inside and "
                   "outside that show four line pairs across a sphere)")
      ->transform(DecimalNumber(-HUGE_VAL, HUGE_VAL))
      ->expected(1)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
      ->type_name("X");
  command.add_option("--mask", options.maskPath, "Write the Couder mask at 1:1 to FILE.svg")
      ->check(NonEmptyPath())
      ->type_name("FILE.svg");
  command.add_option("--ronchi", options.ronchiPath, "Write the Ronchigrams to FILE.svg")
      ->check(NonEmptyPath())
      ->type_name("FILE.svg");
  command.add_flag("--json", options.json, "Print the figures as JSON");
}

int RunPrimaryTestCommand(const PrimaryTestOptions& options, std::FILE* out, std::FILE* err) {
  MirrorTestOptions test;
  test.source = options.testSource == "fixed" ? TestSource::Fixed : TestSource::Moving;
  test.zoneCount = options.zones;
  test.measuredRadius = options.roc;
  test.linesPerInch = options.linesPerInch;
  test.gratingOffsets = options.gratingOffsets;
  std::string problem;
  if ((!options.zoneEdges.empty() &&
       !ReadNumberList("--zone-edges", options.zoneEdges, test.zoneEdges, problem)) ||
      (!options.readings.empty() &&
       !ReadNumberList("--readings", options.readings, test.readings, problem))) {
    return DeliverOutput(UsageError(Windows1252ToUtf8(problem)), out, err);
  }
  return RunAnalysisCommand(
      options.source,
      [&options, &test](const DesignResult& design, TelescopeType type, LengthUnit unit) {
        const MirrorTestPage page = RunMirrorTests(design, unit, test);
        if (!page.problem.ok()) {
          const std::string text = FormatMirrorTestProblem(page.problem);
          if (IsUsageProblem(page.problem.kind)) return UsageError(Windows1252ToUtf8(text));
          return CannotAnalyse("Cannot test this primary: " + text);
        }
        CommandOutput output = PrintFigures(
            options.json, [&] { return FormatPrimaryTestJson(page); },
            [&] { return FormatMirrorTestTable(page, type); });
        AddPicture(output, options.maskPath, [&] { return DrawCouderMask(page.primary, page.zones); });
        AddPicture(output, options.ronchiPath,
                   [&] { return DrawRonchigrams(page.primary, page.ronchigrams); });
        return output;
      },
      out, err);
}

}  // namespace spekulor::cli
