#include "cli/FileOutput.h"

#include <string>

namespace spekulor::cli {

CLI::Validator NonEmptyPath() {
  return CLI::Validator(
      [](std::string& path) {
        return path.empty() ? std::string("a file name is needed, not the empty text")
                            : std::string();
      },
      "");
}

}  // namespace spekulor::cli
