#include "TraceCommand.h"

#include "Calculate.h"
#include "DesignFileCommand.h"
#include "LayoutPicture.h"
#include "RayTrace.h"
#include "SpotDiagram.h"
#include "SpotPicture.h"
#include "SpotTable.h"
#include "SvgWriter.h"
#include "Windows1252.h"

namespace {

constexpr int kMostRays = 1000000;

// Writes the whole text to a new or truncated file; false on any failure, including
// the final close.
bool WriteFile(const std::string& path, const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const bool closed = std::fclose(file) == 0;
  return written && closed;
}

bool WriteAll(std::FILE* stream, const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), stream) == text.size() &&
         std::fflush(stream) == 0;
}

}  // namespace

CLI::App* AddTraceCommand(CLI::App& app, TraceOptions& options) {
  CLI::App* trace = app.add_subcommand(
      "trace",
      "Trace rays exactly through the completed design: spot diagrams on the axis, at 0.7 and "
      "at the edge of the fully illuminated field in the paraxial image plane, and pictures of "
      "the telescope and the spots as SVG. Exit status 2 for a refused design, 3 for a design "
      "that cannot be traced, 1 when a file cannot be written.");
  AddDesignArgument(*trace, options.designPath);
  AddDesignOptions(*trace, options.design);
  trace->add_option("--rays", options.rays,
                    "Least number of rays reaching the image per field point (default 2000)")
      ->check(CLI::Range(1, kMostRays))
      ->type_name("N");
  trace->add_option("--layout", options.layoutPath, "Write the telescope in section to FILE.svg")
      ->type_name("FILE.svg");
  trace->add_option("--spots", options.spotsPath, "Write the spot diagrams to FILE.svg")
      ->type_name("FILE.svg");
  trace->add_flag("--csv", options.csv,
                  "Print CSV: field_fraction,field_deg,rays,centroid_y_mm,rms_um,rms_arcsec,"
                  "max_um,airy_um");
  return trace;
}

int RunTraceCommand(const TraceOptions& options, std::FILE* out, std::FILE* err) {
  DesignFields fields;
  if (const int status = StartDesignFields(options.designPath, options.design, fields, err)) {
    return status;
  }
  const Calculation calculation = CompleteDesign(fields);
  if (calculation.rules.error != CalcError::None) {
    std::fprintf(err, "Error %d\n%s\n", static_cast<int>(calculation.rules.error),
                 Windows1252ToUtf8(calculation.rules.message).c_str());
    return kTraceExitRefused;
  }
  const DesignResult& design = calculation.design;
  const std::string problem = TelescopeProblem(design);
  if (!problem.empty()) {
    std::fprintf(err, "Cannot trace this design: %s\n", problem.c_str());
    return kTraceExitUntraceable;
  }
  const TelescopeType type = calculation.read.type;
  const LengthUnit unit = calculation.read.unit;
  const SpotSet spots = ComputeSpotSet(design, unit, options.rays);

  if (!options.layoutPath.empty() &&
      !WriteFile(options.layoutPath, WriteSvg(BuildLayoutPicture(design, type, unit)))) {
    std::fprintf(err, "Error writing %s\n", options.layoutPath.c_str());
    return kTraceExitWriteFailed;
  }
  if (!options.spotsPath.empty() &&
      !WriteFile(options.spotsPath, WriteSvg(BuildSpotPicture(spots, design, type, unit)))) {
    std::fprintf(err, "Error writing %s\n", options.spotsPath.c_str());
    return kTraceExitWriteFailed;
  }
  const std::string text = options.csv ? FormatSpotCsv(spots, unit)
                                       : Windows1252ToUtf8(FormatSpotTable(spots, type, unit));
  if (!WriteAll(out, text)) {
    std::fprintf(err, "Error writing\n");
    return kTraceExitWriteFailed;
  }
  return 0;
}
