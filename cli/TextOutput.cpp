#include "cli/TextOutput.h"

#include "support/TerminalText.h"

using namespace spekulor::support;

namespace spekulor::cli {

bool WriteBytes(std::FILE* stream, const std::string& bytes) {
  const size_t written = std::fwrite(bytes.data(), 1, bytes.size(), stream);
  return written == bytes.size() && std::fflush(stream) == 0;
}

bool WriteText(std::FILE* stream, const std::string& windowsText, bool raw) {
  return WriteBytes(stream, raw ? windowsText : ToTerminalText(windowsText));
}

}  // namespace spekulor::cli
