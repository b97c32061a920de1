#include "cli/TextOutput.h"

#include "support/Windows1252.h"

using namespace spekulor::support;

namespace spekulor::cli {

std::string ToTerminalText(const std::string& windowsText) {
  std::string text;
  text.reserve(windowsText.size() + 1);
  for (size_t i = 0; i < windowsText.size(); ++i) {
    if (windowsText[i] == '\r' && i + 1 < windowsText.size() && windowsText[i + 1] == '\n') continue;
    text += windowsText[i];
  }
  text = Windows1252ToUtf8(text);
  if (text.empty() || text.back() != '\n') text += '\n';
  return text;
}

bool WriteBytes(std::FILE* stream, const std::string& bytes) {
  const size_t written = std::fwrite(bytes.data(), 1, bytes.size(), stream);
  return written == bytes.size() && std::fflush(stream) == 0;
}

bool WriteText(std::FILE* stream, const std::string& windowsText, bool raw) {
  return WriteBytes(stream, raw ? windowsText : ToTerminalText(windowsText));
}

}  // namespace spekulor::cli
