#include "cli/DesignFileCommand.h"

#include "cli/FileOutput.h"
#include "files/DesignFile.h"

using namespace spekulor::support;
using namespace spekulor::calc;
using namespace spekulor::files;

namespace spekulor::cli {

void AddSaveOptions(CLI::App& command, SaveOptions& options) {
  command.description(
      "Write a design file as the window's Save as does: the twelve entries of section "
      "[Optics] go into FILE, whose other lines are kept.");
  command.add_option("FILE", options.filePath, "The design file to write")
      ->required()
      ->check(NonEmptyPath())
      ->type_name("FILE");
  AddDesignSource(command, options.source);
}

int RunSaveCommand(const SaveOptions& options, std::FILE* out, std::FILE* err) {
  return RunDesignCommand(
      options.source,
      [&options](const DesignFields& fields) {
        const DesignFileEntry* refused = nullptr;
        FileProblem problem;
        switch (SaveDesignFile(options.filePath, fields, &refused, &problem)) {
          case DesignFileStatus::Ok:
            return CommandOutput();
          case DesignFileStatus::ValueNotStorable:
            return Refused(refused->notStorableMessage);
          default:
            return FileFailure(kErrorWriting, options.filePath, problem);
        }
      },
      out, err);
}

void AddShowOptions(CLI::App& command, ShowOptions& options) {
  command.description(
      "Print the values that File Open would put into the window, one Name=value line per "
      "entry of the design file.");
  command.add_option("DESIGN", options.designPath, "The design file (.spekulor)")
      ->required()
      ->type_name("DESIGN");
}

int RunShowCommand(const ShowOptions& options, std::FILE* out, std::FILE* err) {
  DesignFields fields;
  CommandOutput output = OpenDesignFile(options.designPath, fields);
  if (output.ok()) output.text = FormatDesignEntries(fields);
  return DeliverOutput(output, out, err);
}

}  // namespace spekulor::cli
