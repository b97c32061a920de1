#include "cli/FileOutput.h"

#include "cli/ExitStatus.h"
#include "support/FileReplace.h"

CLI::Validator NonEmptyPath() {
  return CLI::Validator(
      [](std::string& path) {
        return path.empty() ? std::string("a file name is needed, not the empty text")
                            : std::string();
      },
      "");
}

int PrintFileFailure(const char* message, const std::string& path, const FileProblem& problem,
                     std::FILE* err) {
  std::fprintf(err, "%s\n%s\n", message, FileProblemDetail(path, problem).c_str());
  return kExitFileFailed;
}

bool WriteOutputFile(const std::string& path, const std::string& bytes, std::FILE* err) {
  const int error = ReplaceFileContents(path, bytes);
  if (error == 0) return true;
  PrintFileFailure(kErrorWriting, path, SystemFileProblem(error), err);
  return false;
}
