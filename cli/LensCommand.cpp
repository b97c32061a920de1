#include "cli/LensCommand.h"

#include "files/LensExport.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::files;

namespace spekulor::cli {

void AddLensOptions(CLI::App& command, LensOptions& options) {
  command.description(
      "Calculate a design and write its OSLO lens file (46 lines of OSLO 6.3 commands), "
      "exactly as the window's \"Calculate; Create OSLO Lens File\" does. Lengths must be mm.");
  AddDesignSource(command, options.source);
  AddTextDestination(command, "Write the lens file here", options.destination);
}

int RunLensCommand(const LensOptions& options, std::FILE* out, std::FILE* err) {
  return RunDesignCommand(
      options.source,
      [&options](const DesignFields& fields) {
        const LensExport lens = BuildLensExport(fields);
        if (!lens.ok()) return Refused(lens.text);
        return DeliverText(lens.text, options.destination);
      },
      out, err);
}

}  // namespace spekulor::cli
