#include "cli/FileOutput.h"

#include <string>

CLI::Validator NonEmptyPath() {
  return CLI::Validator(
      [](std::string& path) {
        return path.empty() ? std::string("a file name is needed, not the empty text")
                            : std::string();
      },
      "");
}
