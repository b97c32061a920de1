#include "cli/TraceCommand.h"

#include "calc/Calculate.h"
#include "cli/DesignFileCommand.h"
#include "trace/DesignPictures.h"
#include "cli/ExitStatus.h"
#include "files/FileMessages.h"
#include "cli/FileOutput.h"
#include "cli/NumberOptions.h"
#include "cli/SecondaryOptions.h"
#include "trace/SpotTable.h"
#include "drawing/SvgWriter.h"
#include "cli/TextOutput.h"
#include "support/Windows1252.h"

namespace {

constexpr int kMostRays = 1000000;

// Writes the picture through the checked atomic replacement: on failure the old
// file stays as it was.
bool WritePicture(const std::string& path, const Drawing& drawing, std::FILE* err) {
  return path.empty() || WriteOutputFile(path, WriteSvg(drawing), err);
}

}  // namespace

CLI::App* AddTraceCommand(CLI::App& app, TraceOptions& options) {
  CLI::App* trace = app.add_subcommand(
      "trace",
      "Trace rays exactly through the completed design: spot diagrams on the axis, at 0.7 and "
      "at the edge of the fully illuminated field in the paraxial image plane, and pictures of "
      "the telescope and the spots as SVG. Exit status 2 for a refused design, 3 for a design "
      "that cannot be traced, 1 when a file cannot be read or written.");
  AddDesignArgument(*trace, options.designPath);
  AddDesignOptions(*trace, options.design);
  trace->add_option("--rays", options.rays,
                    "Least number of rays reaching the image per field point (default 2000)")
      ->transform(WholeNumber(1, kMostRays))
      ->type_name("N");
  trace->add_option("--layout", options.layoutPath, "Write the telescope in section to FILE.svg")
      ->check(NonEmptyPath())
      ->type_name("FILE.svg");
  trace->add_option("--spots", options.spotsPath, "Write the spot diagrams to FILE.svg")
      ->check(NonEmptyPath())
      ->type_name("FILE.svg");
  trace->add_flag("--csv", options.csv,
                  "Print CSV: field_fraction,field_deg,rays,centroid_y_mm,rms_um,rms_arcsec,"
                  "max_um,airy_um");
  AddSecondaryOptions(*trace, options.secondary);
  return trace;
}

int RunTraceCommand(const TraceOptions& options, std::FILE* out, std::FILE* err) {
  DesignFields fields;
  if (const int status = StartDesignFields(options.designPath, options.design, fields, err)) {
    return status;
  }
  const Calculation calculation = CompleteDesign(fields);
  if (calculation.rules.error != CalcError::None) {
    return PrintRefusal(FormatCalcError(calculation.rules), err);
  }
  const DesignPictures pictures = DrawDesignPictures(calculation, options.rays, options.secondary);
  if (!pictures.ok()) {
    std::fprintf(err, "%s\n", pictures.errorText.c_str());
    return kExitCannotAnalyse;
  }
  if (!WritePicture(options.layoutPath, pictures.layout, err) ||
      !WritePicture(options.spotsPath, pictures.spotDrawing, err)) {
    return kExitFileFailed;
  }
  const TelescopeType type = calculation.read.type;
  const LengthUnit unit = calculation.read.unit;
  const std::string condition = IsAligned(options.secondary)
                                    ? std::string()
                                    : DescribeSecondaryPerturbation(options.secondary, unit);
  const std::string text =
      options.csv ? FormatSpotCsv(pictures.spots, unit)
                  : Windows1252ToUtf8(FormatSpotTable(pictures.spots, type, unit, condition));
  if (!WriteBytes(out, text)) {
    std::fprintf(err, "%s\n", kErrorWriting);
    return kExitFileFailed;
  }
  return kExitOk;
}
