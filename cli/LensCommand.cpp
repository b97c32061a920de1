#include "cli/LensCommand.h"

#include "cli/DesignFileCommand.h"
#include "cli/ExitStatus.h"
#include "files/FileMessages.h"
#include "cli/FileOutput.h"
#include "files/LensExport.h"
#include "cli/TextOutput.h"

CLI::App* AddLensCommand(CLI::App& app, LensOptions& options) {
  CLI::App* lens = app.add_subcommand(
      "lens",
      "Calculate a design and write its OSLO lens file (46 lines of OSLO 6.3 commands), "
      "exactly as the window's \"Calculate; Create OSLO Lens File\" does. Lengths must be mm.");
  AddDesignArgument(*lens, options.designPath);
  AddDesignOptions(*lens, options.design);
  lens->add_option("-o,--output", options.outputPath,
                   "Write the lens file here (its exact bytes) instead of standard output")
      ->check(NonEmptyPath())
      ->type_name("FILE");
  lens->add_flag("--raw", options.raw,
                 "On standard output, write the file's exact bytes (Windows-1252, CR LF)");
  return lens;
}

int RunLensCommand(const LensOptions& options, std::FILE* out, std::FILE* err) {
  DesignFields fields;
  if (const int status = StartDesignFields(options.designPath, options.design, fields, err)) {
    return status;
  }
  const LensExport lens = BuildLensExport(fields);
  if (!lens.ok()) return PrintRefusal(lens.text, err);
  if (options.outputPath.empty()) {
    if (!WriteText(out, lens.text, options.raw)) {
      std::fprintf(err, "%s\n", kErrorWriting);
      return kExitFileFailed;
    }
    return 0;
  }
  return WriteOutputFile(options.outputPath, lens.text, err) ? kExitOk : kExitFileFailed;
}
