#include "cli/CommandOutput.h"

#include "cli/TextOutput.h"
#include "support/FileReplace.h"
#include "support/TerminalText.h"

using namespace spekulor::support;
using namespace spekulor::files;

namespace spekulor::cli {

namespace {

CommandOutput Failure(int status, std::string message) {
  CommandOutput output;
  output.status = status;
  output.message = std::move(message);
  return output;
}

}  // namespace

CommandOutput Refused(const std::string& boxText) {
  return Failure(kExitRefused, ToTerminalText(boxText));
}

CommandOutput CannotAnalyse(const std::string& windowsText) {
  return Failure(kExitCannotAnalyse, ToTerminalText(windowsText));
}

CommandOutput UsageError(const std::string& reason) {
  return Failure(kExitUsage,
                 "spekulor-cli: " + reason + "\nRun with --help for more information.\n");
}

CommandOutput FileFailure(const char* message, const std::string& path, const FileProblem& problem) {
  return Failure(kExitFileFailed,
                 std::string(message) + "\n" + FileProblemDetail(path, problem) + "\n");
}

CommandOutput TextOrFile(const std::string& windowsText, const std::string& path, bool raw) {
  CommandOutput output;
  if (!path.empty()) {
    output.files.push_back({path, windowsText});
  } else {
    output.text = raw ? windowsText : ToTerminalText(windowsText);
  }
  return output;
}

int DeliverOutput(const CommandOutput& output, std::FILE* out, std::FILE* err) {
  if (!output.ok()) {
    std::fputs(output.message.c_str(), err);
    return output.status;
  }
  for (const OutputFile& file : output.files) {
    if (const int error = ReplaceFileContents(file.path, file.bytes)) {
      return DeliverOutput(FileFailure(kErrorWriting, file.path, SystemFileProblem(error)), out,
                           err);
    }
  }
  if (!output.text.empty() && !WriteBytes(out, output.text)) {
    std::fprintf(err, "%s\n", kErrorWriting);
    return kExitFileFailed;
  }
  return kExitOk;
}

}  // namespace spekulor::cli
