// spekulor-cli: the telescope calculation of the Spekulor window, for scripts and for
// machines without a display.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "Calculate.h"
#include "DesignOptions.h"
#include "TextOutput.h"
#include "TraceCommand.h"
#include "Windows1252.h"

namespace {

constexpr int kExitRefused = 2;
constexpr int kExitWriteFailed = 1;
constexpr int kExitUsage = 64;  // EX_USAGE

// Prints a refusal as the window's box shows it: "Error N", then the message.
int ReportRefusal(const CalculateOutcome& outcome) {
  const RuleOutcome& rules = outcome.calculation.rules;
  std::fprintf(stderr, "Error %d\n%s\n", static_cast<int>(rules.error),
               Windows1252ToUtf8(rules.message).c_str());
  return kExitRefused;
}

int RunReport(const DesignOptions& options, bool raw) {
  DesignFields fields;  // the window's start-up values
  ApplyDesignOptions(options, fields);
  const CalculateOutcome outcome = Calculate(fields);
  if (!outcome.ok()) return ReportRefusal(outcome);
  if (!WriteText(stdout, outcome.report, raw)) {
    std::fprintf(stderr, "Error writing\n");
    return kExitWriteFailed;
  }
  return 0;
}

// "--name=" with nothing after the sign means an empty field text; the parser wants it
// as "--name" followed by an empty argument.
std::vector<std::string> SplitEmptyAssignments(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg.size() > 3 && arg.compare(0, 2, "--") == 0 && arg.back() == '=' &&
        arg.find('=') == arg.size() - 1) {
      arg.pop_back();
      args.push_back(arg);
      args.emplace_back();
    } else {
      args.push_back(arg);
    }
  }
  return args;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Spekulor: two-mirror telescopes of the Cassegrain family, computed from the "
               "command line.",
               "spekulor-cli"};
  app.set_version_flag("--version", std::string("spekulor-cli (Spekulor) ") + SPEKULOR_VERSION);
  app.require_subcommand(1);

  DesignOptions reportOptions;
  bool reportRaw = false;
  CLI::App* report = app.add_subcommand(
      "report",
      "Calculate a design and print its report. Options left out keep the window's start-up "
      "values (mm, Ritchey-Chretien, diameter 400.0, field 0.75, primary focal length 1000.0, "
      "system focal length 3200.0, back focal length 254).");
  AddDesignOptions(*report, reportOptions);
  report->add_flag("--raw", reportRaw,
                   "Write the report's exact bytes (Windows-1252, CR LF, no final line end)");

  TraceOptions traceOptions;
  CLI::App* trace = AddTraceCommand(app, traceOptions);

  try {
    std::vector<std::string> args = SplitEmptyAssignments(argc, argv);
    std::reverse(args.begin(), args.end());  // the parser takes them last first
    app.parse(args);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::fprintf(stderr, "spekulor-cli: %s\n\n", e.what());
    const CLI::App* command = report->parsed() ? report : trace->parsed() ? trace : &app;
    std::fputs(command->help().c_str(), stderr);
    return kExitUsage;
  }

  if (report->parsed()) return RunReport(reportOptions, reportRaw);
  if (trace->parsed()) return RunTraceCommand(traceOptions, DesignFields(), stdout, stderr);
  return kExitUsage;
}
