#include "cli/TextOptions.h"

#include "cli/FileOutput.h"

namespace spekulor::cli {

void AddTextDestination(CLI::App& command, const std::string& writeHere,
                        TextDestination& destination) {
  command
      .add_option("-o,--output", destination.outputPath,
                  writeHere + " (its exact bytes) instead of standard output")
      ->check(NonEmptyPath())
      ->type_name("FILE");
  command.add_flag("--raw", destination.raw,
                   "On standard output, write the file's exact bytes (Windows-1252, CR LF)");
}

CommandOutput DeliverText(const std::string& windowsText, const TextDestination& destination) {
  return TextOrFile(windowsText, destination.outputPath, destination.raw);
}

}  // namespace spekulor::cli
