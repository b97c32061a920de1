#include "LensCommand.h"

#include <csignal>

#include "DesignCommands.h"
#include "DesignFileCommand.h"
#include "FileReplace.h"
#include "LensExport.h"
#include "TextOutput.h"

CLI::App* AddLensCommand(CLI::App& app, LensOptions& options) {
  CLI::App* lens = app.add_subcommand(
      "lens",
      "Calculate a design and write its OSLO lens file (46 lines of OSLO 6.3 commands), "
      "exactly as the window's \"Calculate; Create OSLO Lens File\" does. Lengths must be mm.");
  AddDesignArgument(*lens, options.designPath);
  AddDesignOptions(*lens, options.design);
  lens->add_option("-o,--output", options.outputPath,
                   "Write the lens file here (its exact bytes) instead of standard output")
      ->type_name("FILE");
  lens->add_flag("--raw", options.raw,
                 "On standard output, write the file's exact bytes (Windows-1252, CR LF)");
  return lens;
}

int RunLensCommand(const LensOptions& options, std::FILE* out, std::FILE* err) {
  DesignFields fields;
  if (StartDesignFields(options.designPath, options.design, fields, err) != 0) {
    return kLensExitFileFailed;
  }
  const LensExport lens = BuildLensExport(fields);
  if (!lens.ok()) {
    // "Error N\r\n" and the message, or the unit message, as the terminal shows text.
    std::fputs(ToTerminalText(lens.text).c_str(), err);
    return kLensExitRefused;
  }
  if (options.outputPath.empty()) {
    if (!WriteText(out, lens.text, options.raw)) {
      std::fprintf(err, "%s\n", kErrorWriting);
      return kLensExitFileFailed;
    }
    return 0;
  }
  // A file-size limit is to fail the write, not to end the program.
  std::signal(SIGXFSZ, SIG_IGN);
  if (ReplaceFileContents(options.outputPath, lens.text) != 0) {
    std::fprintf(err, "%s\n", kErrorWriting);
    return kLensExitFileFailed;
  }
  return 0;
}
