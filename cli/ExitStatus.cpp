#include "cli/ExitStatus.h"

namespace spekulor::cli {

int PrintOutOfMemory(std::FILE* err) {
  std::fputs("spekulor-cli: not enough memory to finish the command\n", err);
  return kExitCannotAnalyse;
}

}  // namespace spekulor::cli
