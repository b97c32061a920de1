#include "ExitStatus.h"

#include "TextOutput.h"

int PrintRefusal(const std::string& boxText, std::FILE* err) {
  std::fputs(ToTerminalText(boxText).c_str(), err);
  return kExitRefused;
}
