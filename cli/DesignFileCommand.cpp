#include "cli/DesignFileCommand.h"

#include "files/DesignFile.h"
#include "files/FileMessages.h"
#include "cli/FileOutput.h"
#include "cli/TextOutput.h"
#include "support/Windows1252.h"

void AddDesignArgument(CLI::App& command, std::optional<std::string>& designPath) {
  command.add_option("DESIGN", designPath,
                     "A design file (.spekulor) to start from, read as File Open reads it; "
                     "the options then override its values")
      ->type_name("DESIGN");
}

int OpenDesignFile(const std::string& path, DesignFields& fields, std::FILE* err) {
  FileProblem problem;
  if (LoadDesignFile(path, fields, &problem) == DesignFileStatus::Ok) return 0;
  return PrintFileFailure(kErrorReading, path, problem, err);
}

int StartDesignFields(const std::optional<std::string>& designPath, const DesignOptions& options,
                      DesignFields& fields, std::FILE* err) {
  fields = DesignFields();
  if (designPath) {
    if (const int status = OpenDesignFile(*designPath, fields, err)) return status;
  }
  ApplyDesignOptions(options, fields);
  return 0;
}

CLI::App* AddSaveCommand(CLI::App& app, SaveOptions& options) {
  CLI::App* save = app.add_subcommand(
      "save",
      "Write a design file as the window's Save as does: the twelve entries of section "
      "[Optics] go into FILE, whose other lines are kept.");
  save->add_option("FILE", options.filePath, "The design file to write")
      ->required()
      ->check(NonEmptyPath())
      ->type_name("FILE");
  AddDesignArgument(*save, options.designPath);
  AddDesignOptions(*save, options.design);
  return save;
}

int RunSaveCommand(const SaveOptions& options, std::FILE* err) {
  DesignFields fields;
  if (const int status = StartDesignFields(options.designPath, options.design, fields, err)) {
    return status;
  }
  const DesignFileEntry* refused = nullptr;
  FileProblem problem;
  switch (SaveDesignFile(options.filePath, fields, &refused, &problem)) {
    case DesignFileStatus::Ok:
      return kExitOk;
    case DesignFileStatus::ValueNotStorable:
      std::fprintf(err, "%s\n", Windows1252ToUtf8(refused->notStorableMessage).c_str());
      return kExitRefused;
    default:
      return PrintFileFailure(kErrorWriting, options.filePath, problem, err);
  }
}

CLI::App* AddShowCommand(CLI::App& app, ShowOptions& options) {
  CLI::App* show = app.add_subcommand(
      "show", "Print the values that File Open would put into the window, one Name=value "
              "line per entry of the design file.");
  show->add_option("DESIGN", options.designPath, "The design file (.spekulor)")
      ->required()
      ->type_name("DESIGN");
  return show;
}

int RunShowCommand(const ShowOptions& options, std::FILE* out, std::FILE* err) {
  DesignFields fields;
  if (const int status = OpenDesignFile(options.designPath, fields, err)) return status;
  if (!WriteBytes(out, FormatDesignEntries(fields))) {
    std::fprintf(err, "%s\n", kErrorWriting);
    return kExitFileFailed;
  }
  return 0;
}
