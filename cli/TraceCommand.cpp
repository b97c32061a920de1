#include "cli/TraceCommand.h"

#include "cli/FileOutput.h"
#include "cli/NumberOptions.h"
#include "cli/PictureOutput.h"
#include "cli/SecondaryOptions.h"
#include "trace/LayoutPicture.h"
#include "trace/SpotPicture.h"
#include "trace/SpotTable.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::trace;

namespace spekulor::cli {

namespace {

constexpr int kMostRays = 1000000;

}  // namespace

void AddTraceOptions(CLI::App& command, TraceOptions& options) {
  command.description(
      "Trace rays exactly through the completed design: spot diagrams on the axis, at 0.7 and "
      "at the edge of the fully illuminated field in the paraxial image plane, and pictures of "
      "the telescope and the spots as SVG. Exit status 2 for a refused design, 3 for a design "
      "that cannot be traced, 1 when a file cannot be read or written.");
  AddDesignSource(command, options.source);
  command.add_option("--rays", options.rays,
                     "Least number of rays reaching the image per field point (default 2000)")
      ->transform(WholeNumber(1, kMostRays))
      ->type_name("N");
  command.add_option("--layout", options.layoutPath, "Write the telescope in section to FILE.svg")
      ->check(NonEmptyPath())
      ->type_name("FILE.svg");
  command.add_option("--spots", options.spotsPath, "Write the spot diagrams to FILE.svg")
      ->check(NonEmptyPath())
      ->type_name("FILE.svg");
  command.add_flag("--csv", options.csv,
                   "Print CSV: field_fraction,field_deg,rays,centroid_y_mm,rms_um,rms_arcsec,"
                   "max_um,airy_um");
  AddSecondaryOptions(command, options.secondary);
}

int RunTraceCommand(const TraceOptions& options, std::FILE* out, std::FILE* err) {
  return RunAnalysisCommand(
      options.source,
      [&options](const DesignResult& design, TelescopeType type, LengthUnit unit) {
        const SpotTrace trace = TraceSpots(design, unit, options.rays, options.secondary);
        if (!trace.ok()) return CannotAnalyse(TraceRefusalText(trace.problem));
        const std::string condition = SecondaryCondition(options.secondary, unit);
        CommandOutput output = PrintFigures(
            options.csv, [&] { return FormatSpotCsv(trace.spots, unit); },
            [&] { return FormatSpotTable(trace.spots, type, unit, condition); });
        AddPicture(output, options.layoutPath,
                   [&] { return BuildLayoutPicture(design, type, unit); });
        AddPicture(output, options.spotsPath,
                   [&] { return BuildSpotPicture(trace.spots, design, type, unit, condition); });
        return output;
      },
      out, err);
}

}  // namespace spekulor::cli
