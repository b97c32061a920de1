#include "cli/DesignRunner.h"

#include "files/DesignFile.h"

using namespace spekulor::calc;
using namespace spekulor::files;

namespace spekulor::cli {

void AddDesignSource(CLI::App& command, DesignSource& source) {
  command.add_option("DESIGN", source.designPath,
                     "A design file (.spekulor) to start from, read as File Open reads it; "
                     "the options then override its values")
      ->type_name("DESIGN");
  AddDesignOptions(command, source.design);
}

CommandOutput OpenDesignFile(const std::string& path, DesignFields& fields) {
  FileProblem problem;
  if (LoadDesignFile(path, fields, &problem) == DesignFileStatus::Ok) return CommandOutput();
  return FileFailure(kErrorReading, path, problem);
}

CommandOutput ReadDesignSource(const DesignSource& source, DesignFields& fields) {
  fields = DesignFields();
  if (source.designPath) {
    CommandOutput opened = OpenDesignFile(*source.designPath, fields);
    if (!opened.ok()) return opened;
  }
  ApplyDesignOptions(source.design, fields);
  return CommandOutput();
}

int RunDesignCommand(const DesignSource& source,
                     const std::function<CommandOutput(const DesignFields&)>& make,
                     std::FILE* out, std::FILE* err) {
  DesignFields fields;
  const CommandOutput read = ReadDesignSource(source, fields);
  return DeliverOutput(read.ok() ? make(fields) : read, out, err);
}

int RunAnalysisCommand(const DesignSource& source, const DesignAnalysis& analyse,
                       std::FILE* out, std::FILE* err) {
  return RunDesignCommand(
      source,
      [&analyse](const DesignFields& fields) {
        const Calculation calculation = CompleteDesign(fields);
        if (calculation.rules.error != CalcError::None) {
          return Refused(FormatCalcError(calculation.rules));
        }
        return analyse(calculation.design, calculation.read.type, calculation.read.unit);
      },
      out, err);
}

}  // namespace spekulor::cli
