#include "cli/ReportCommand.h"

#include "calc/Calculate.h"
#include "cli/DesignFileCommand.h"
#include "cli/ExitStatus.h"
#include "files/FileMessages.h"
#include "cli/TextOutput.h"

CLI::App* AddReportCommand(CLI::App& app, ReportOptions& options) {
  CLI::App* report = app.add_subcommand(
      "report",
      "Calculate a design and print its report. Options left out keep the window's start-up "
      "values (mm, Ritchey-Chretien, diameter 400.0, field 0.75, primary focal length 1000.0, "
      "system focal length 3200.0, back focal length 254).");
  AddDesignArgument(*report, options.designPath);
  AddDesignOptions(*report, options.design);
  report->add_flag("--raw", options.raw,
                   "Write the report's exact bytes (Windows-1252, CR LF, no final line end)");
  return report;
}

int RunReportCommand(const ReportOptions& options, std::FILE* out, std::FILE* err) {
  DesignFields fields;  // the window's start-up values, or the design file's
  if (const int status = StartDesignFields(options.designPath, options.design, fields, err)) {
    return status;
  }
  const CalculateOutcome outcome = Calculate(fields);
  if (!outcome.ok()) return PrintRefusal(outcome.errorText, err);
  if (!WriteText(out, outcome.report, options.raw)) {
    std::fprintf(err, "%s\n", kErrorWriting);
    return kExitFileFailed;
  }
  return kExitOk;
}
