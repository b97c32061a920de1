#include "cli/ExportCommand.h"

#include <vector>

#include "cli/DesignFileCommand.h"
#include "cli/ExitStatus.h"
#include "files/FileMessages.h"
#include "cli/FileOutput.h"
#include "cli/TextOutput.h"

CLI::App* AddExportCommand(CLI::App& app, ExportOptions& options) {
  CLI::App* command = app.add_subcommand(
      "export",
      "Calculate a design and write it for an optical design program: a Zemax lens file "
      "(zmx, for OpticStudio) or a CODE V sequence file (seq). Lengths keep the design's unit.");
  std::vector<std::string> keys;
  for (const ExportFormatInfo& info : kExportFormats) keys.emplace_back(info.key);
  command
      ->add_option_function<std::string>(
          "-f,--format",
          [&options](const std::string& key) {
            for (const ExportFormatInfo& info : kExportFormats) {
              if (key == info.key) options.format = info.format;
            }
          },
          "The file format: zmx (Zemax lens file) or seq (CODE V sequence file)")
      ->required()
      ->type_name("zmx|seq")
      ->check(CLI::IsMember(keys, CLI::ignore_case).description(""));
  AddDesignArgument(*command, options.designPath);
  AddDesignOptions(*command, options.design);
  command->add_option("-o,--output", options.outputPath,
                      "Write the file here (its exact bytes) instead of standard output")
      ->check(NonEmptyPath())
      ->type_name("FILE");
  command->add_flag("--raw", options.raw,
                    "On standard output, write the file's exact bytes (Windows-1252, CR LF)");
  return command;
}

int RunExportCommand(const ExportOptions& options, std::FILE* out, std::FILE* err) {
  DesignFields fields;
  if (const int status = StartDesignFields(options.designPath, options.design, fields, err)) {
    return status;
  }
  const DesignExport exported = BuildDesignExport(fields, options.format);
  if (!exported.ok()) return PrintRefusal(exported.text, err);
  if (options.outputPath.empty()) {
    if (!WriteText(out, exported.text, options.raw)) {
      std::fprintf(err, "%s\n", kErrorWriting);
      return kExitFileFailed;
    }
    return kExitOk;
  }
  return WriteOutputFile(options.outputPath, exported.text, err) ? kExitOk : kExitFileFailed;
}
