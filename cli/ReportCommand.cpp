#include "cli/ReportCommand.h"

using namespace spekulor::support;
using namespace spekulor::calc;

namespace spekulor::cli {

void AddReportOptions(CLI::App& command, ReportOptions& options) {
  command.description(
      "Calculate a design and print its report. Options left out keep the window's start-up "
      "values (mm, Ritchey-Chretien, diameter 400.0, field 0.75, primary focal length 1000.0, "
      "system focal length 3200.0, back focal length 254).");
  AddDesignSource(command, options.source);
  command.add_flag("--raw", options.raw,
                   "Write the report's exact bytes (Windows-1252, CR LF, no final line end)");
}

int RunReportCommand(const ReportOptions& options, std::FILE* out, std::FILE* err) {
  return RunDesignCommand(
      options.source,
      [&options](const DesignFields& fields) {
        const CalculateOutcome outcome = Calculate(fields);
        if (!outcome.ok()) return Refused(outcome.errorText);
        return TextOrFile(outcome.report, std::string(), options.raw);
      },
      out, err);
}

}  // namespace spekulor::cli
