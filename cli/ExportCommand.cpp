#include "cli/ExportCommand.h"

#include <string>
#include <vector>

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::files;

namespace spekulor::cli {

void AddExportOptions(CLI::App& command, ExportOptions& options) {
  command.description(
      "Calculate a design and write it for an optical design program: a Zemax lens file "
      "(zmx, for OpticStudio) or a CODE V sequence file (seq). Lengths keep the design's unit.");
  std::vector<std::string> keys;
  for (const ExportFormatInfo& info : kExportFormats) keys.emplace_back(info.key);
  command
      .add_option_function<std::string>(
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
  AddDesignSource(command, options.source);
  AddTextDestination(command, "Write the file here", options.destination);
}

int RunExportCommand(const ExportOptions& options, std::FILE* out, std::FILE* err) {
  return RunDesignCommand(
      options.source,
      [&options](const DesignFields& fields) {
        const DesignExport exported = BuildDesignExport(fields, options.format);
        if (!exported.ok()) return Refused(exported.text);
        return DeliverText(exported.text, options.destination);
      },
      out, err);
}

}  // namespace spekulor::cli
