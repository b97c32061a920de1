#include "cli/ExitStatus.h"

#include "cli/TextOutput.h"

int PrintRefusal(const std::string& boxText, std::FILE* err) {
  std::fputs(ToTerminalText(boxText).c_str(), err);
  return kExitRefused;
}

int PrintOutOfMemory(std::FILE* err) {
  std::fputs("spekulor-cli: not enough memory to finish the command\n", err);
  return kExitCannotAnalyse;
}
